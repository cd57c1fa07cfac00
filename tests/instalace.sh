#!/bin/sh
# `make install DESTDIR=...` puts the two programs, the module of exact arithmetic and the
# manual pages under the default prefix /usr/local inside DESTDIR, and the installed tool runs,
# the exact path of its stability verdict included.
# Arguments: the source directory and the (already built) build directory.
set -eu
zdroj=$1
sestaveni=$2
cil=$(mktemp -d)
trap 'rm -rf "$cil"' EXIT
# -o: the build directory is configured already; make must not configure it anew.
make -C "$zdroj" --no-print-directory -o "$sestaveni/Makefile" install BUILD="$sestaveni" DESTDIR="$cil" >/dev/null
for soubor in bin/cldds bin/cldds-graf lib/cldds/libcldds_presne.so share/man/man1/cldds.1 \
  share/man/man1/cldds-graf.1; do
  [ -f "$cil/usr/local/$soubor" ] || { echo "missing: $cil/usr/local/$soubor"; exit 1; }
done
[ -x "$cil/usr/local/bin/cldds" ] && [ -x "$cil/usr/local/bin/cldds-graf" ] || { echo "not executable"; exit 1; }
"$cil/usr/local/bin/cldds" VnejsiSISO "$zdroj/examples/vnejsi_siso.txt" Stabilita | grep -qx "Je stabilni"
"$cil/usr/local/bin/cldds" VnejsiSISO "$zdroj/tests/data/stabilita_vnejsi_siso_dvacet_cislic.txt" Stabilita |
  grep -qx "Neni stabilni"
# The installed tool tells its version, and checks the installed module's protocol (above).
"$cil/usr/local/bin/cldds" --version | grep -qx "cldds [0-9]*\.[0-9]*\.[0-9]*"
"$cil/usr/local/bin/cldds-graf" --version | grep -q "^cldds-graf [0-9]"
