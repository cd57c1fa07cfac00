#!/usr/bin/env python3
"""Times the whole cldds-graf process on generated reports of growing size.

Each case runs several times under /usr/bin/time -v; the table shows the median wall time
and the peak resident memory, checks what the run printed (the file line, or the refusal
of an input beyond the largest report) and compares both with the case's targets: time and
memory linear in the report, and inputs beyond the bounds refused at once. Exit status 1
when a check or a target fails.

Usage: bench/casy_grafu.py [--graf build/cldds-graf] [--opakovani 5]
"""

import argparse
import math
import os
import re
import statistics
import subprocess
import sys
import tempfile

HLAVICKA = "System Stavove MIMO:\nF:\n0.500\n\nG: \n1.000\n\n x\n\n System je stabilni \n\n"


def odezva(kroku, vystupu, hodnota):
    """A response report of `kroku` lines of `vystupu` values, hodnota(k, j) as text."""
    radky = [";".join(hodnota(k, j) for j in range(vystupu)) for k in range(kroku)]
    return HLAVICKA + "\n".join(radky) + "\n"


def sest_cislic(k, j):
    return ("%g" % (math.sin(0.001 * k * (j + 1)) * (j + 1) * 1.2345678)).replace(".", ",")


def jeden_znak(k, j):
    return "01"[(k + j) % 2]


class Pripad:
    def __init__(self, nazev, obsah, vystup, ocekavani, cil_s, cil_mb):
        self.nazev, self.obsah, self.vystup = nazev, obsah, vystup
        self.ocekavani, self.cil_s, self.cil_mb = ocekavani, cil_s, cil_mb


def pripady():
    vytvoreno = "Soubor Vytvoren"
    return [
        Pripad("50 steps, 1 output, SVG", odezva(50, 1, sest_cislic), "svg", vytvoreno, 0.05, 10),
        Pripad("100000 steps, 1 output, SVG", odezva(100000, 1, sest_cislic), "svg", vytvoreno, 0.3, 20),
        Pripad("100000 steps, 40 outputs (34 MB), SVG", odezva(100000, 40, sest_cislic), "svg", vytvoreno, 2.0, 80),
        Pripad("100000 steps, 40 outputs (34 MB), CSV", odezva(100000, 40, sest_cislic), "csv", vytvoreno, 2.5, 120),
        Pripad("100000 steps, 256 outputs of 1 character (51 MB), SVG", odezva(100000, 256, jeden_znak), "svg",
               vytvoreno, 6.0, 260),
        Pripad("/dev/zero", None, "svg", "radek je delsi nez 65536 znaku", 0.05, 10),
        Pripad("200000 empty lines after the values", HLAVICKA + "0\n" + "\n" * 200000, "svg",
               "soubor ma vice nez 110000 radku", 0.1, 10),
    ]


def spust(graf, pripad, adresar):
    zprava = "/dev/zero"
    if pripad.obsah is not None:
        zprava = os.path.join(adresar, "zprava.txt")
        with open(zprava, "w") as f:
            f.write(pripad.obsah)
    argumenty = ["/usr/bin/time", "-v", graf, zprava, os.path.join(adresar, "vystup." + pripad.vystup)]
    beh = subprocess.run(argumenty, stdout=subprocess.PIPE, stderr=subprocess.PIPE, universal_newlines=True, timeout=120)
    cas = re.search(r"Elapsed \(wall clock\) time \(h:mm:ss or m:ss\): (?:(\d+):)?(\d+):([\d.]+)", beh.stderr)
    sekundy = float("nan")
    if cas:
        sekundy = int(cas.group(1) or 0) * 3600 + int(cas.group(2)) * 60 + float(cas.group(3))
    pamet = re.search(r"Maximum resident set size \(kbytes\): (\d+)", beh.stderr)
    return sekundy, (int(pamet.group(1)) / 1024.0 if pamet else float("nan")), beh.stdout


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--graf", default="build/cldds-graf")
    parser.add_argument("--opakovani", type=int, default=5)
    a = parser.parse_args()
    chyby = 0
    print("\ncldds-graf, whole process: median of %d runs, peak memory" % a.opakovani)
    print("%-56s %9s %9s %9s %9s  %s" % ("case", "median s", "target s", "MB", "target MB", "check"))
    with tempfile.TemporaryDirectory() as adresar:
        for p in pripady():
            behy = [spust(a.graf, p, adresar) for _ in range(a.opakovani)]
            median = statistics.median(b[0] for b in behy)
            pamet = max(b[1] for b in behy)
            spravne = all(p.ocekavani in b[2] for b in behy)
            v_cili = median <= p.cil_s and pamet <= p.cil_mb
            chyby += (not spravne) + (not v_cili)
            print("%-56s %9.3f %9.2f %9.1f %9.0f  %s%s" % (p.nazev, median, p.cil_s, pamet, p.cil_mb,
                                                          "ok" if spravne else "WRONG OUTPUT",
                                                          "" if v_cili else ", OVER TARGET"))
    return 1 if chyby else 0


if __name__ == "__main__":
    sys.exit(main())
