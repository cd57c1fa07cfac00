#!/bin/sh
# The manual page formats without a single groff warning (-ww turns every warning on).
set -eu
command -v groff >/dev/null || { echo "groff is missing: make deps installs groff-base"; exit 1; }
varovani=$(groff -man -Tutf8 -ww -z "$1" 2>&1)
if [ -n "$varovani" ]; then
  echo "$varovani"
  exit 1
fi
