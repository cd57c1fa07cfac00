#!/usr/bin/env python3
"""Times the whole cldds process on generated system files of growing size.

Every case is run several times under /usr/bin/time -v; the table shows the median wall
time, the fastest run and the peak resident memory, checks what the run printed (the
stability verdict of systems whose spectrum is known by construction, the file line of a
result, or the refusal of a size the tool does not take) and compares the median with the
target where the case has one. Exit status 1 when a check or a target fails.

Usage: bench/casy_procesu.py [--cldds build/cldds] [--opakovani 5] [--jen TEXT]
"""

import argparse
import math
import os
import random
import re
import statistics
import subprocess
import sys
import tempfile
import time

KOREN = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MAX_RADEK = 511        # longest line the readers take
LIMIT_S = 10.0         # no input that fits the formats may run longer
LIMIT_GAIN_MS = 3000   # the static gain of the largest systems
CIL_PAMET_MB = 50.0    # peak memory of every case with a time target
LIMIT_PAMET_MB = 200.0  # peak memory of any valid input (the largest gains have this limit)
NACTENO = " Soubor Nacten!"
VYTVORENO = " Soubor Vytvoren  i s vysledkem"


# ---------------------------------------------------------------- number and file forms

def cislo(x, desetin=3):
    """Shortest decimal form with at most `desetin` decimals, never "-0"."""
    t = ("%." + str(desetin) + "f") % x
    if "." in t:
        t = t.rstrip("0").rstrip(".")
    if t in ("-0", ""):
        t = "0"
    return t


def radek(hodnoty):
    text = " ".join(hodnoty)
    assert len(text) <= MAX_RADEK, "generated line of %d characters" % len(text)
    return text


def soubor_stav(F, G, H, L, x0):
    """State-space file: F, G, H, L, x0 (matrices of strings), blocks separated by an empty line."""
    bloky = [[radek(r) for r in M] for M in (F, G, H, L)]
    bloky.append([v for v in x0])
    return "\n\n".join("\n".join(b) for b in bloky) + "\n"


def soubor_vnejsi_mimo(B, A):
    """Matrix fraction file: rows of B, empty line, rows of A; a cell lists coefficients from power 0."""
    def blok(M):
        radky = [";".join(" ".join(bunka) for bunka in r) for r in M]
        for r in radky:
            assert len(r) <= MAX_RADEK, "generated line of %d characters" % len(r)
        return "\n".join(radky)
    return blok(B) + "\n\n" + blok(A) + "\n"


def signal(kanaly, kroky, rng):
    """Input signal: one line per input, single-digit values so that 250 steps fit a line."""
    return "\n".join(radek([str(rng.randint(0, 1)) for _ in range(kroky)]) for _ in range(kanaly)) + "\n"


# ---------------------------------------------------------------- matrices with a known spectrum

def nahodna_ortogonalni(n, rng):
    """Random orthogonal matrix: a product of n Householder reflections."""
    Q = [[1.0 if i == j else 0.0 for j in range(n)] for i in range(n)]
    for _ in range(n):
        v = [rng.gauss(0.0, 1.0) for _ in range(n)]
        s = math.sqrt(sum(x * x for x in v))
        v = [x / s for x in v]
        for r in Q:
            d = 2.0 * sum(a * b for a, b in zip(r, v))
            for j in range(n):
                r[j] -= d * v[j]
    return Q


def husta_normalni(n, polomer, rng):
    """Dense normal F = Q D Q^T, D block diagonal with rotations and reals, spectral radius
    `polomer`. Entries are written with 3 decimals; the rounding moves no eigenvalue by more
    than its Frobenius norm, 0.0005 n, below the margin of 0.05 for n <= 64."""
    D = [[0.0] * n for _ in range(n)]
    i = 0
    while i < n:
        r = polomer if i == 0 else polomer * math.sqrt(rng.random())
        if i + 1 < n and rng.random() < 0.7:
            a = rng.uniform(0.2, 3.0)
            D[i][i] = D[i + 1][i + 1] = r * math.cos(a)
            D[i][i + 1] = -r * math.sin(a)
            D[i + 1][i] = r * math.sin(a)
            i += 2
        else:
            D[i][i] = r if rng.random() < 0.5 else -r
            i += 1
    Q = nahodna_ortogonalni(n, rng)
    QD = [[sum(Q[i][k] * D[k][j] for k in range(n) if D[k][j] != 0.0) for j in range(n)] for i in range(n)]
    F = [[sum(QD[i][k] * Q[j][k] for k in range(n)) for j in range(n)] for i in range(n)]
    return [[cislo(x) for x in r] for r in F]


def permutovana(T, rng):
    """P T P^T for a random permutation P: the same eigenvalues, no visible triangle."""
    n = len(T)
    P = list(range(n))
    rng.shuffle(P)
    F = [["0"] * n for _ in range(n)]
    for i in range(n):
        for j in range(n):
            F[P[i]][P[j]] = T[i][j]
    return F


def ridka_trojuhelnikova(n, polomer, rng):
    """Sparse F = P T P^T: T upper triangular with distinct-valued diagonal groups and a few
    couplings between different groups only (so no eigenvalue is defective), P a random
    permutation. The eigenvalues are the diagonal values exactly; the largest has magnitude
    `polomer`. Values are kept short so that rows of up to 255 entries fit a line."""
    rezerva = MAX_RADEK - (2 * n - 1)  # characters left beyond a row of single-digit values
    if rezerva >= 40:
        hodnoty = sorted({round(rng.uniform(-0.9, 0.9), 2) for _ in range(3 * n)}, key=abs)
        texty = [cislo(v, 2) for v in hodnoty]
    else:  # two extra characters at most: ".dd" and "-.d"
        texty = [".%02d" % k for k in range(1, 91)] + ["-.%d" % k for k in range(1, 10)]
    diag = [rng.choice(texty) for _ in range(n - 1)]
    diag.append(cislo(polomer, 2) if rezerva >= 40 else ("1.1" if polomer > 1 else ".95"))
    diag.sort()
    T = [["0"] * n for _ in range(n)]
    for i in range(n):
        T[i][i] = diag[i]
        # Single-digit couplings take no more room than the zeros they replace.
        for _ in range(3):
            j = rng.randrange(n)
            if j > i and diag[j] != diag[i]:
                T[i][j] = str(rng.randint(1, 3))
    return permutovana(T, rng)


def cyklicka_permutace(n, rng):
    """A cycle through all states: eigenvalues the n-th roots of unity, simple, on the circle."""
    P = list(range(n))
    rng.shuffle(P)
    F = [["0"] * n for _ in range(n)]
    for i in range(n):
        F[P[i]][P[(i + 1) % n]] = "1"
    return F


def cislice(n, rng):
    """Random digits 1..9: spectral radius above the smallest row sum, n."""
    return [[str(rng.randint(1, 9)) for _ in range(n)] for _ in range(n)]


def matice_F(n, stabilni, rng):
    if n <= 64:
        return husta_normalni(n, 0.95 if stabilni else 1.05, rng)
    if n <= 255:
        return ridka_trojuhelnikova(n, 0.95 if stabilni else 1.1, rng)
    return cyklicka_permutace(n, rng) if stabilni else cislice(n, rng)


def trojuhelnikova_na_kruhu(n, rng):
    """F = P T P^T with T upper triangular: the eigenvalues are the diagonal, which holds 1 and
    -1 exactly (poles on the circle, so only exact arithmetic can give the verdict) beside
    values inside it; couplings of one decimal above the diagonal."""
    diag = ["1", "-1", "0.5", "-0.5"] + [cislo(rng.uniform(-0.99, 0.99), 2) for _ in range(n - 4)]
    T = [["0"] * n for _ in range(n)]
    for i in range(n):
        T[i][i] = diag[i]
        for j in range(i + 1, n):
            if rng.random() < 0.3:
                T[i][j] = cislo(rng.uniform(-2.0, 2.0), 1)
    return permutovana(T, rng)


def jordanova_trojuhelnikova(n, blok, husta, rng):
    """Upper triangular F with a Jordan block of size `blok` at 1 (ones on its diagonal, digits
    1..9 above it) and 0.5 on the rest of the diagonal; couplings of single digits, two per row
    or (husta) about half of the upper triangle. The static gain cannot be read from I - F,
    which is singular, nor from a semisimple eigenvalue 1."""
    F = [["0"] * n for _ in range(n)]
    for i in range(n):
        F[i][i] = "1" if i < blok else "0.5"
        for j in range(i + 1, n if husta else min(n, i + 3)):
            if j == i + 1 or rng.random() < 0.5:
                F[i][j] = str(rng.randint(1, 9))
    return F


def stav_siso(F, rng):
    n = len(F)
    G = [[str(rng.randint(0, 1))] for _ in range(n)]
    H = [[str(rng.randint(0, 1)) for _ in range(n)]]
    return soubor_stav(F, G, H, [["0"]], ["0"] * n)


def stav_mimo(F, kanaly, rng):
    n = len(F)
    G = [[cislo(rng.uniform(-1, 1), 2) for _ in range(kanaly)] for _ in range(n)]
    H = [[cislo(rng.uniform(-1, 1), 2) if n <= 64 else str(rng.randint(0, 1)) for _ in range(n)] for _ in range(kanaly)]
    L = [["0"] * kanaly for _ in range(kanaly)]
    return soubor_stav(F, G, H, L, ["0"] * n)


def vnejsi_mimo_diagonalni(n, d, stabilni, rng):
    """A(z) with diagonal prod of d factors (z - r) and small lower-degree couplings, whose
    roots stay within 0.15 of the chosen r; B of degree below d."""
    A = [[None] * n for _ in range(n)]
    for i in range(n):
        koreny = [rng.choice([0.5, -0.4, 0.3, -0.6]) for _ in range(d)]
        if not stabilni and i == 0:
            koreny[0] = 1.3
        p = [1.0]
        for r in koreny:
            p = [0.0] + p
            for k in range(len(p) - 1):
                p[k] -= r * p[k + 1]
        A[i][i] = [cislo(c, 4) for c in p]
        for j in range(n):
            if j != i:
                A[i][j] = [cislo(rng.uniform(-0.01, 0.01), 3) for _ in range(d)]
    B = [[[cislo(rng.uniform(-1, 1), 1)] for _ in range(n)] for _ in range(n)]
    return soubor_vnejsi_mimo(B, A)


def vnejsi_mimo_cyklus(n, rng):
    """A(z) = zI + P with P a cycle: det A has the n-th roots of unity (times -1) for roots."""
    P = list(range(n))
    rng.shuffle(P)
    A = [[["0"] for _ in range(n)] for _ in range(n)]
    for i in range(n):
        A[i][i] = ["0", "1"]
        A[P[i]][P[(i + 1) % n]] = ["1"]
    B = [[["1" if i == j else "0"] for j in range(n)] for i in range(n)]
    return soubor_vnejsi_mimo(B, A)


def vnejsi_mimo_velky_stupen(n, d):
    """Diagonal z^d, everything else 0: the largest n d the line limit allows."""
    A = [[["0"] * (d + 1) if i == j else ["0"] for j in range(n)] for i in range(n)]
    for i in range(n):
        A[i][i][-1] = "1"
    B = [[["0"] for _ in range(n)] for _ in range(n)]
    return soubor_vnejsi_mimo(B, A)


def vnejsi_siso(koef_B, koef_A):
    return radek(koef_B) + "\n" + radek(koef_A) + "\n"


# ---------------------------------------------------------------- cases

class Pripad:
    def __init__(self, skupina, nazev, druh, soubor, operace, ocekavani, cil_ms=None, signal=None, volby=(),
                 cil_mb=CIL_PAMET_MB):
        self.skupina = skupina
        self.nazev = nazev
        self.druh = druh
        self.soubor = soubor
        self.operace = operace
        self.ocekavani = ocekavani  # "stabilni", "nestabilni", "soubor" or the start of an error message
        self.cil_ms = cil_ms
        self.signal = signal
        self.volby = list(volby)  # options before the kind
        self.cil_mb = cil_mb


def pripady(rng):
    p = []
    # Targets.
    for n, cil in ((20, 50), (50, 500)):
        for stabilni in (True, False):
            p.append(Pripad("target", "StavSISO n=%d %s" % (n, "stable" if stabilni else "unstable"), "StavSISO",
                            stav_siso(matice_F(n, stabilni, rng), rng), "Stabilita",
                            "stabilni" if stabilni else "nestabilni", cil))
    p.append(Pripad("target", "StavSISO n=20 PrevodNaVnejsi", "StavSISO", stav_siso(matice_F(20, True, rng), rng),
                    "PrevodNaVnejsi", "soubor", 10))
    p.append(Pripad("target", "StavSISO n=64 PrevodNaVnejsi", "StavSISO", stav_siso(matice_F(64, True, rng), rng),
                    "PrevodNaVnejsi", "soubor", 50))
    # Digits 1 ... 9 in all 256 x 256 places: det(zI - F) has coefficients beyond the range of
    # double, and the conversion is refused from the exact determinant before the rest.
    p.append(Pripad("target", "StavSISO n=256 digits PrevodNaVnejsi", "StavSISO", stav_siso(cislice(256, rng), rng),
                    "PrevodNaVnejsi", "Koeficient vysledku prevodu presahuje rozsah cisel double", 500))
    p.append(Pripad("target", "StavSISO n=256 cycle PrevodNaVnejsi", "StavSISO",
                    stav_siso(cyklicka_permutace(256, rng), rng), "PrevodNaVnejsi", "soubor", 700))
    p.append(Pripad("target", "StavMIMO n=8, 64 channels PrevodNaVnejsi", "StavMIMO",
                    stav_mimo(matice_F(8, True, rng), 64, rng), "PrevodNaVnejsi", "soubor", 50))
    p.append(Pripad("target", "StavMIMO n=8, 3 channels PrevodNaVnejsi", "StavMIMO",
                    stav_mimo(matice_F(8, True, rng), 3, rng), "PrevodNaVnejsi", "soubor", 100))
    for stabilni in (True, False):
        p.append(Pripad("target", "VnejsiMIMO 12x12 degree 2 %s" % ("stable" if stabilni else "unstable"), "VnejsiMIMO",
                        vnejsi_mimo_diagonalni(12, 2, stabilni, rng), "Stabilita",
                        "stabilni" if stabilni else "nestabilni", 200))
    mimo50 = stav_mimo(matice_F(50, True, rng), 4, rng)
    for op in ("Impulse", "Prechod", "Vystup"):
        p.append(Pripad("target", "StavMIMO n=50, 4 channels %s" % op, "StavMIMO", mimo50, op, "soubor", 50,
                        signal(4, 250, rng) if op == "Vystup" else None))

    # The frequency response (256 frequencies) with its target, and the exact pole listing
    # (square-free factorisation and root isolation of every pole, no target); their own generator
    # leaves the systems of the other cases as they were.
    vlastni = random.Random(18)
    siso50 = stav_siso(matice_F(50, True, vlastni), vlastni)
    stupen100 = vnejsi_siso(["1"], [vlastni.choice(["0", "0.1", "-0.1"]) for _ in range(100)] + ["1"])
    for skupina, op, cil in (("target", "Frekvence", 20), ("target", "Poly", 20)):
        p.append(Pripad(skupina, "StavSISO n=50 %s" % op, "StavSISO", siso50, op, "soubor", cil))
        p.append(Pripad(skupina, "StavMIMO n=50, 4 channels %s" % op, "StavMIMO", mimo50, op, "soubor", cil))
        p.append(Pripad(skupina, "VnejsiSISO degree 100 %s" % op, "VnejsiSISO", stupen100, op, "soubor", cil))
    # Poly with the zeros and the static gain of the same systems.
    nuly_zesileni = ["--nuly", "ano", "--zesileni", "ano"]
    for nazev, druh, text in (("StavSISO n=50", "StavSISO", siso50), ("StavMIMO n=50, 4 channels", "StavMIMO", mimo50),
                              ("VnejsiSISO degree 100", "VnejsiSISO", stupen100)):
        p.append(Pripad("target", "%s Poly zeros, gain" % nazev, druh, text, "Poly", "soubor", 25, volby=nuly_zesileni))
    # A long horizon: 100000 steps of a 50-state system, linear in the steps.
    for op in ("Impulse", "Prechod"):
        p.append(Pripad("target", "StavSISO n=50 %s --kroky 100000" % op, "StavSISO", siso50, op, "soubor", 500,
                        volby=("--kroky", "100000")))

    # The exact pole listing and verdict on the largest inputs: poles on the circle (from the
    # real roots of the trace polynomial), a generic digit matrix, the widest matrix fraction.
    p.append(Pripad("poles", "VnejsiSISO z^255 + 1 Poly", "VnejsiSISO", vnejsi_siso(["1"], ["1"] + ["0"] * 254 + ["1"]),
                    "Poly", "soubor", 500))
    p.append(Pripad("poles", "VnejsiSISO 1 + z^85 + z^170 + z^255 Poly", "VnejsiSISO",
                    vnejsi_siso(["1"], (["1"] + ["0"] * 84) * 3 + ["1"]), "Poly", "soubor", 500))
    p.append(Pripad("poles", "VnejsiSISO z^255 + 1 Stabilita", "VnejsiSISO",
                    vnejsi_siso(["1"], ["1"] + ["0"] * 254 + ["1"]), "Stabilita", "stabilni", 300))
    cyklus = stav_siso(cyklicka_permutace(256, vlastni), vlastni)
    p.append(Pripad("poles", "StavSISO n=256 cycle Poly", "StavSISO", cyklus, "Poly", "soubor", 500))
    p.append(Pripad("poles", "StavSISO n=256 cycle Stabilita", "StavSISO", cyklus, "Stabilita", "stabilni", 300))
    p.append(Pripad("poles", "StavSISO n=256 digits Poly", "StavSISO", stav_siso(cislice(256, vlastni), vlastni),
                    "Poly", "soubor", 200))
    p.append(Pripad("poles", "VnejsiMIMO 255x255 degree 1 cycle Poly", "VnejsiMIMO", vnejsi_mimo_cyklus(255, vlastni),
                    "Poly", "soubor", 1000))
    # Coefficients across the whole range of double, which once took minutes: a pole near
    # -1e309 (no double holds it), poles within 1e-300 of the circle, degree 29 near 1.8e308.
    siroky = vnejsi_siso(["1"], ["-1", "0", "1e308"] + ["0"] * 12 + ["1e308", "0.1"])
    p.append(Pripad("poles", "VnejsiSISO 1e308 range Stabilita", "VnejsiSISO", siroky, "Stabilita", "nestabilni", 3000))
    p.append(Pripad("poles", "VnejsiSISO 1e308 range Poly", "VnejsiSISO", siroky, "Poly",
                    "Pol systemu presahuje rozsah cisel double", 3000))
    p.append(Pripad("poles", "VnejsiSISO 1 + 1e308 z + 0.1 z^2 Poly", "VnejsiSISO", vnejsi_siso(["1"], ["1", "1e308", "0.1"]),
                    "Poly", "Pol systemu presahuje rozsah cisel double", 3000))
    blizko = vnejsi_siso(["1"], ["-1", "0", "1e308"] + ["0"] * 12 + ["1e308"])
    p.append(Pripad("poles", "VnejsiSISO 1e-300 from the circle Poly", "VnejsiSISO", blizko, "Poly", "soubor", 3000))
    for i in range(2):
        nejvetsi = vnejsi_siso(["1"], ["%.3e" % (vlastni.choice([-1, 1]) * vlastni.uniform(1.0, 1.79) * 1e308)
                                       for _ in range(30)])
        for op in ("Stabilita", "Poly"):
            p.append(Pripad("poles", "VnejsiSISO degree 29 near 1.8e308 %s %d" % (op, i), "VnejsiSISO", nejvetsi, op,
                            None if op == "Stabilita" else "soubor", 3000))

    # Stability margins: the exact transfer function and the exact crossovers.
    for nazev, druh, text in (("StavSISO n=50", "StavSISO", siso50), ("VnejsiSISO degree 100", "VnejsiSISO", stupen100)):
        p.append(Pripad("target", "%s Frekvence --rezervy ano" % nazev, druh, text, "Frekvence", "soubor", 20,
                        volby=("--rezervy", "ano")))
    frekvence_pripady(p, vlastni)

    # Poles on or within 1e-12 of the unit circle: the floating-point certificate cannot decide,
    # the exact path does (FLINT and Arb, loaded for it).
    p.append(Pripad("exact path", "StavSISO n=50 eigenvalues 1 and -1", "StavSISO",
                    stav_siso(trojuhelnikova_na_kruhu(50, rng), rng), "Stabilita", "stabilni", 500))
    p.append(Pripad("exact path", "VnejsiSISO z^100 - 1", "VnejsiSISO", vnejsi_siso(["1"], ["-1"] + ["0"] * 99 + ["1"]),
                    "Stabilita", "stabilni", 500))
    p.append(Pripad("exact path", "VnejsiSISO z^100 + z^50 + 1", "VnejsiSISO",
                    vnejsi_siso(["1"], ["1"] + ["0"] * 49 + ["1"] + ["0"] * 49 + ["1"]), "Stabilita", "stabilni", 500))
    p.append(Pripad("exact path", "VnejsiSISO z^100 - 1.00000000000001", "VnejsiSISO",
                    vnejsi_siso(["1"], ["-1.00000000000001"] + ["0"] * 99 + ["1"]), "Stabilita", "nestabilni", 500))
    p.append(Pripad("exact path", "VnejsiMIMO 12x12 diagonal (z^2 - 1)", "VnejsiMIMO",
                    soubor_vnejsi_mimo([[["1" if i == j else "0"] for j in range(12)] for i in range(12)],
                                       [[["-1", "0", "1"] if i == j else ["0"] for j in range(12)] for i in range(12)]),
                    "Stabilita", "stabilni", 500))

    # Growth of the state-space stability and conversion.
    for n in (2, 4, 8, 16, 32, 64, 100, 128, 200, 255, 256):
        for stabilni in (True, False):
            p.append(Pripad("StavSISO Stabilita", "n=%d %s" % (n, "stable" if stabilni else "unstable"), "StavSISO",
                            stav_siso(matice_F(n, stabilni, rng), rng), "Stabilita",
                            "stabilni" if stabilni else "nestabilni"))
    for n in (2, 4, 8, 16, 32, 64, 128, 256):
        p.append(Pripad("StavSISO PrevodNaVnejsi", "n=%d" % n, "StavSISO", stav_siso(matice_F(n, True, rng), rng),
                        "PrevodNaVnejsi", "soubor"))
    for n in (2, 4, 8):
        p.append(Pripad("StavMIMO PrevodNaVnejsi", "n=%d, 2 channels" % n, "StavMIMO",
                        stav_mimo(matice_F(n, True, rng), 2, rng), "PrevodNaVnejsi", "soubor"))
    p.append(Pripad("StavMIMO PrevodNaVnejsi", "n=9 refused", "StavMIMO", stav_mimo(matice_F(9, True, rng), 2, rng),
                    "PrevodNaVnejsi", "U prevodu stav -> vnejsi je max F rozmer 8x8"))

    # Small conversions, which pay for loading the module of exact arithmetic; the impulse
    # response of the same system, which loads nothing, is the reference. Their own generator
    # leaves the systems of the other cases as they were.
    male = random.Random(23)
    for n in (2, 4, 6, 8):
        siso = stav_siso(husta_normalni(n, 0.9, male), male)
        koef_A = [cislo(male.uniform(-0.3, 0.3), 3) for _ in range(n)] + ["1"]
        koef_B = [cislo(male.uniform(-1, 1), 3) for _ in range(n)]
        for druh, text, op in (("StavSISO", siso, "Impulse"), ("StavSISO", siso, "PrevodNaVnejsi"),
                               ("VnejsiSISO", vnejsi_siso(koef_B, koef_A), "PrevodNaStav"),
                               ("StavMIMO", stav_mimo(husta_normalni(n, 0.9, male), 2, male), "PrevodNaVnejsi")):
            p.append(Pripad("small conversions", "%s n=%d %s" % (druh, n, op), druh, text, op, "soubor"))

    # Growth of the external MIMO stability.
    for n, d in ((2, 2), (4, 2), (8, 2), (16, 2), (32, 2), (64, 1)):
        for stabilni in (True, False):
            p.append(Pripad("VnejsiMIMO Stabilita", "%dx%d degree %d %s" % (n, n, d, "stable" if stabilni else "unstable"),
                            "VnejsiMIMO", vnejsi_mimo_diagonalni(n, d, stabilni, rng), "Stabilita",
                            "stabilni" if stabilni else "nestabilni"))
    for n in (128, 255):
        p.append(Pripad("VnejsiMIMO Stabilita", "%dx%d degree 1 cycle" % (n, n), "VnejsiMIMO", vnejsi_mimo_cyklus(n, rng),
                        "Stabilita", "stabilni"))

    # The largest inputs of every kind, every operation.
    velke = [
        ("StavSISO", "n=256 cycle", stav_siso(cyklicka_permutace(256, rng), rng), 1),
        ("StavSISO", "n=256 digits", stav_siso(cislice(256, rng), rng), 1),
        ("StavMIMO", "n=256, 256 channels", soubor_stav(cislice(256, rng), cislice(256, rng), cislice(256, rng),
                                                        cislice(256, rng), ["0"] * 256), 256),
        ("StavMIMO", "n=8, 256 channels", soubor_stav(cyklicka_permutace(8, rng), cislice(256, rng)[:8],
                                                    [r[:8] for r in cislice(256, rng)], [["0"] * 256] * 256,
                                                    ["0"] * 8), 256),
        ("VnejsiSISO", "degree 255 digits", vnejsi_siso([str(rng.randint(0, 9)) for _ in range(256)],
                                                         [str(rng.randint(1, 9)) for _ in range(256)]), 1),
        ("VnejsiSISO", "z^254 - 1", vnejsi_siso(["1"], ["-1"] + ["0"] * 253 + ["1"]), 1),
        ("VnejsiMIMO", "255x255 degree 1 cycle", vnejsi_mimo_cyklus(255, rng), 255),
        ("VnejsiMIMO", "5x5 degree 99", vnejsi_mimo_velky_stupen(5, 99), 5),
        ("VnejsiMIMO", "2x2 degree 250", vnejsi_mimo_velky_stupen(2, 250), 2),
        ("VnejsiMIMO", "128x128 degree 128", vnejsi_mimo_velky_stupen(128, 128), 128),
    ]
    for druh, nazev, text, kanaly in velke:
        for op in ("Stabilita", "Impulse", "Prechod", "Vystup", "PrevodNaStav", "PrevodNaVnejsi"):
            if op == "PrevodNaStav" and druh.startswith("Stav"):
                continue
            if op == "PrevodNaVnejsi" and druh.startswith("Vnejsi"):
                continue
            ocekavani = "soubor"
            if op == "Stabilita":
                ocekavani = None  # the verdict of these is not known by construction
            if druh == "VnejsiMIMO" and nazev in ("2x2 degree 250", "128x128 degree 128") and op != "PrevodNaStav":
                ocekavani = "Prekrocena max velikost Polynomu 500"
            if druh == "VnejsiMIMO" and nazev == "128x128 degree 128" and op == "PrevodNaStav":
                ocekavani = "U prevodu vnejsi -> stav je max rad systemu 1000"
            if druh == "StavMIMO" and op == "PrevodNaVnejsi" and nazev != "n=8, 256 channels":
                ocekavani = "U prevodu stav -> vnejsi je max F rozmer 8x8"
            if druh == "StavSISO" and nazev == "n=256 digits" and op == "PrevodNaVnejsi":
                ocekavani = "Koeficient vysledku prevodu presahuje rozsah cisel double"
            if nazev == "z^254 - 1" and op == "Stabilita":
                ocekavani = "stabilni"
            if nazev == "255x255 degree 1 cycle" and op == "Stabilita":
                ocekavani = "stabilni"
            sig = None
            if op == "Vystup":
                sig = signal(kanaly, 250, rng) if kanaly > 1 else radek([str(rng.randint(0, 1)) for _ in range(250)]) + "\n"
            p.append(Pripad("largest inputs", "%s %s %s" % (druh, nazev, op), druh, text, op, ocekavani, signal=sig))

    # The largest reports, each written to a temporary file, synced and renamed into place.
    mimo16 = stav_mimo(matice_F(8, True, rng), 16, rng)
    for op in ("Impulse", "Prechod"):
        p.append(Pripad("largest reports", "StavMIMO n=8, 16 channels %s --kroky 100000" % op, "StavMIMO", mimo16,
                        op, "soubor", volby=("--kroky", "100000")))
    p.append(Pripad("largest reports", "StavMIMO n=8, 16 channels Frekvence", "StavMIMO", mimo16, "Frekvence",
                    "soubor"))

    # The largest inputs of the zeros and the gain: 256 states (with an eigenvalue exactly 1:
    # the cycle), 16 channels (the limit), a matrix fraction of 255 outputs (zeros only).
    for druh, nazev, text in (
            ("StavSISO", "n=256 cycle", stav_siso(cyklicka_permutace(256, rng), rng)),
            ("StavSISO", "n=256 digits", stav_siso(cislice(256, rng), rng)),
            ("StavMIMO", "n=256 digits, 16 channels", soubor_stav(cislice(256, rng), [r[:16] for r in cislice(256, rng)],
                                                                 cislice(256, rng)[:16], [r[:16] for r in cislice(16, rng)],
                                                                 ["0"] * 256)),
            ("StavMIMO", "n=256 cycle, 16 channels", soubor_stav(cyklicka_permutace(256, rng),
                                                                [r[:16] for r in cislice(256, rng)], cislice(256, rng)[:16],
                                                                [["0"] * 16] * 16, ["0"] * 256))):
        p.append(Pripad("largest inputs", "%s %s Poly zeros, gain" % (druh, nazev), druh, text, "Poly", "soubor",
                        volby=nuly_zesileni))
    # The static gain with an eigenvalue 1 that is not semisimple, 16 channels: a Jordan block of
    # 2 beside 198 states at 0.5, one Jordan block of all 200 states (sparse and dense
    # couplings), and a chain of 50 at 1 coupled densely to 150 states at 0.5 (the costliest
    # shape for the decomposition into the eigenspaces). No valid input may take longer than LIMIT_GAIN_MS. Their own generator leaves
    # the systems of the other cases as they were.
    jordan = random.Random(31)
    for nazev, blok, husta in (("Jordan block 2 at 1", 2, False), ("Jordan block 200 at 1", 200, False),
                               ("Jordan block 200 at 1, dense", 200, True),
                               ("Jordan block 50 at 1, dense", 50, True)):
        F = jordanova_trojuhelnikova(200, blok, husta, jordan)
        text = soubor_stav(F, [[str(jordan.randint(0, 9)) for _ in range(16)] for _ in range(200)],
                           [[str(jordan.randint(0, 9)) for _ in range(200)] for _ in range(16)],
                           [[str(jordan.randint(0, 9)) for _ in range(16)] for _ in range(16)], ["0"] * 200)
        p.append(Pripad("largest inputs", "StavMIMO n=200 %s, 16 channels Poly gain" % nazev, "StavMIMO", text, "Poly",
                        "soubor", LIMIT_GAIN_MS, volby=["--zesileni", "ano"], cil_mb=LIMIT_PAMET_MB))
    # A simple eigenvalue 1 in a dense 256 x 256 of digits: the last row of F - I repeats the first.
    F = cislice(256, jordan)
    for j in range(256):
        F[255][j] = str(int(F[0][j]) - (j == 0) + (j == 255))
    text = soubor_stav(F, [[str(jordan.randint(0, 9)) for _ in range(16)] for _ in range(256)],
                       [[str(jordan.randint(0, 9)) for _ in range(256)] for _ in range(16)],
                       [["0"] * 16 for _ in range(16)], ["0"] * 256)
    p.append(Pripad("largest inputs", "StavMIMO n=256 digits, eigenvalue 1 simple, 16 channels Poly gain", "StavMIMO",
                    text, "Poly", "soubor", LIMIT_GAIN_MS, volby=["--zesileni", "ano"], cil_mb=LIMIT_PAMET_MB))
    p.append(Pripad("largest inputs", "VnejsiMIMO 255x255 degree 1 cycle Poly zeros", "VnejsiMIMO",
                    vnejsi_mimo_cyklus(255, rng), "Poly", "soubor", volby=["--nuly", "ano"]))
    return p


def frekvence_pripady(p, rng):
    """Frekvence beyond the well-conditioned targets: the two reported state-space systems
    (a lower triangular F with a coupling of 2e9, one scaled over 24 decades), triangular F
    with couplings up to 9e9, dense systems of many states and channels, and poles on the grid."""
    h3 = soubor_stav([["-0.5", "0", "0"], ["-6", "0.7", "0"], ["5", "2e9", "-0.5"]], [["-2"], ["2"], ["-1"]],
                     [["0", "0", "-1"]], [["0"]], ["0"] * 3)
    skalovany = soubor_stav([["-0.2", "2e-9", "2e7"], ["0", "0.3", "-1e15"], ["3e-9", "4e-17", "-0.2"]],
                            [["1"], ["1e8"], ["1e-8"]], [["1", "1e-8", "1e8"]], [["0"]], ["0"] * 3)
    n = 128
    T = [["0"] * n for _ in range(n)]
    for i in range(n):
        T[i][i] = rng.choice([".5", "-.5", ".3", "-.7", ".1"])
        for j in range(i):
            if rng.random() < 0.05:
                T[i][j] = rng.choice(["9e9", "5e8", "7e7"])
    pripady = [
        ("StavSISO reported lower triangular n=3", "StavSISO", h3),
        ("StavSISO reported badly scaled n=3", "StavSISO", skalovany),
        ("StavSISO lower triangular n=128, couplings 9e9", "StavSISO", stav_siso(T, rng)),
        ("StavSISO n=256 digits", "StavSISO", stav_siso(cislice(256, rng), rng)),
        ("StavSISO n=256 cycle (pole at pi)", "StavSISO", stav_siso(cyklicka_permutace(256, rng), rng)),
        ("StavMIMO n=64, 16 channels", "StavMIMO", stav_mimo(matice_F(64, True, rng), 16, rng)),
        ("StavMIMO n=128, 16 channels", "StavMIMO", stav_mimo(matice_F(128, True, rng), 16, rng)),
        ("VnejsiMIMO 16x16 degree 2", "VnejsiMIMO", vnejsi_mimo_diagonalni(16, 2, True, rng)),
        ("VnejsiSISO degree 255 digits", "VnejsiSISO", vnejsi_siso([str(rng.randint(0, 9)) for _ in range(256)],
                                                                  [str(rng.randint(1, 9)) for _ in range(256)])),
    ]
    for nazev, druh, text in pripady:
        p.append(Pripad("Frekvence", nazev, druh, text, "Frekvence", "soubor"))


# ---------------------------------------------------------------- running

def spust(cldds, pripad, adresar, index):
    system = os.path.join(adresar, "system_%d.txt" % index)
    with open(system, "w") as f:
        f.write(pripad.soubor)
    argumenty = [cldds] + pripad.volby + [pripad.druh, system, pripad.operace]
    if pripad.operace != "Stabilita":
        argumenty.append(os.path.join(adresar, "vysledek_%d.txt" % index))
    if pripad.signal is not None:
        vstup = os.path.join(adresar, "signal_%d.txt" % index)
        with open(vstup, "w") as f:
            f.write(pripad.signal)
        argumenty.append(vstup)
    zacatek = time.perf_counter()
    beh = subprocess.run(["/usr/bin/time", "-v"] + argumenty, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                         universal_newlines=True, timeout=120)
    cas = time.perf_counter() - zacatek
    pamet = re.search(r"Maximum resident set size \(kbytes\): (\d+)", beh.stderr)
    return cas, (int(pamet.group(1)) / 1024.0 if pamet else float("nan")), beh.stdout, beh.returncode


def kontrola(pripad, vystup, navrat):
    if pripad.ocekavani is None:
        return ("Je stabilni" in vystup or "Neni stabilni" in vystup) and navrat == 0
    if pripad.ocekavani == "stabilni":
        return vystup.endswith("Je stabilni\n") and navrat == 0
    if pripad.ocekavani == "nestabilni":
        return vystup.endswith("Neni stabilni\n") and navrat == 0
    if pripad.ocekavani == "soubor":
        return VYTVORENO in vystup and navrat == 0
    return pripad.ocekavani in vystup and navrat == 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--cldds", default=os.path.join(KOREN, "build", "cldds"))
    parser.add_argument("--opakovani", type=int, default=5, help="runs per case (median)")
    parser.add_argument("--jen", default="", help="only cases whose group or name contains this text")
    parser.add_argument("--seed", type=int, default=2024)
    args = parser.parse_args()
    if not os.path.exists(args.cldds):
        sys.exit("no binary %s (make build first)" % args.cldds)

    rng = random.Random(args.seed)
    vse = [p for p in pripady(rng) if args.jen in p.skupina + " " + p.nazev]
    selhani = 0
    with tempfile.TemporaryDirectory(prefix="cldds_bench_") as adresar:
        skupina = None
        for index, pripad in enumerate(vse):
            if pripad.skupina != skupina:
                skupina = pripad.skupina
                print("\n== %s" % skupina)
                print("%-52s %10s %10s %9s %8s  %s" % ("case", "median ms", "min ms", "peak MB", "target", "result"))
            casy, pameti, spravne = [], [], True
            for _ in range(args.opakovani):
                cas, pamet, vystup, navrat = spust(args.cldds, pripad, adresar, index)
                casy.append(cas * 1000.0)
                pameti.append(pamet)
                spravne = spravne and kontrola(pripad, vystup, navrat)
            median = statistics.median(casy)
            nejvic = max(pameti)
            problemy = []
            if not spravne:
                problemy.append("WRONG OUTPUT")
            if pripad.cil_ms is not None and median >= pripad.cil_ms:
                problemy.append("SLOW")
            if pripad.cil_ms is not None and nejvic >= pripad.cil_mb:
                problemy.append("MEMORY")
            if median >= LIMIT_S * 1000.0:
                problemy.append("OVER 10 s")
            selhani += bool(problemy)
            cil = "< %d" % pripad.cil_ms if pripad.cil_ms is not None else ""
            print("%-52s %10.1f %10.1f %9.1f %8s  %s" % (pripad.nazev[:52], median, min(casy), nejvic, cil,
                                                        ", ".join(problemy) or "ok"))
            sys.stdout.flush()
    print("\n%d of %d cases failed a check" % (selhani, len(vse)) if selhani else "\nall %d cases passed" % len(vse))
    return 1 if selhani else 0


if __name__ == "__main__":
    sys.exit(main())
