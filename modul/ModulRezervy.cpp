#include "ModulRezervy.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <stdexcept>

#include <arb_fmpz_poly.h>
#include <flint/fmpz_poly_factor.h>

#include "JisteBody.h"
#include "ModulKorenyCebysev.h"
#include "ModulKruhy.h"
#include "ModulObaly.h"
#include "ModulRozsah.h"
#include "ZadaniPresnosti.h"

namespace {

const long PRESNOST_REZERV_ZACATEK = 64;
// Beyond this the margin lies on a rounding boundary (or within 2^-30000 of one): its midpoint
// is taken.
const long PRESNOST_REZERV_MAX = 1L << 15;
// Bisections of a root's interval per round of refinement, at least; a round at p bits narrows
// it by 2^-(p/2), so that the interval keeps pace with the precision of the evaluation.
const int PULENI = 16;
// The secant's guess rests on double values: it can place the root to some 50 bits at best.
const long NEJVIC_BITU_SECNOU = 48;
// Intervals Descartes' rule tests before the inclusion discs take over.
const long MALO_UZLU = 6;
const char* const NEURCENO =
    "Rezervy stability se nepodarilo urcit (krizeni je prilis blizko polu nebo nuly na jednotkove kruznici)\n";

// ---------------------------------------------------------------- polynomials in c = cos w

// A polynomial in c by its coefficients in Chebyshev polynomials: a_k T_k(c), or a_k U_k(c) of
// the second kind.
struct CebysevovaRada {
    std::vector<CeleCislo> a;
    bool druhy = false;
};

// sum_k e_k cos kw (kosinus) or sum_k e_k sin kw / sin w for A(z) B(1/z) = sum e_k z^k, as a
// Chebyshev series in c: the e_k are the coefficients of A B_rev shifted by deg B, and
// cos kw = T_k(c), sin kw / sin w = U_(k-1)(c).
CebysevovaRada trigonometricka(const CelyPolynom& A, const CelyPolynom& B, bool kosinus) {
    CelyPolynom soucin, obraceny;
    fmpz_poly_reverse(obraceny.get(), B.get(), fmpz_poly_length(B.get()));
    fmpz_poly_mul(soucin.get(), A.get(), obraceny.get());
    const long posun = B.stupen();
    const long nejvic = std::max(A.stupen(), posun);
    CebysevovaRada rada;
    rada.druhy = !kosinus;
    CeleCislo zaporny;
    for (long k = kosinus ? 0 : 1; k <= nejvic; ++k) {
        CeleCislo kladny;
        fmpz_poly_get_coeff_fmpz(kladny.get(), soucin.get(), posun + k);
        fmpz_zero(zaporny.get());
        if (k > 0 && posun - k >= 0) fmpz_poly_get_coeff_fmpz(zaporny.get(), soucin.get(), posun - k);
        if (kosinus)
            fmpz_add(kladny.get(), kladny.get(), zaporny.get());
        else
            fmpz_sub(kladny.get(), kladny.get(), zaporny.get());
        rada.a.push_back(kladny);
    }
    while (!rada.a.empty() && fmpz_is_zero(rada.a.back().get())) rada.a.pop_back();
    return rada;
}

// a - b, both of the same kind.
CebysevovaRada rozdil(CebysevovaRada a, const CebysevovaRada& b) {
    if (a.a.size() < b.a.size()) a.a.resize(b.a.size());
    for (std::size_t k = 0; k < b.a.size(); ++k) fmpz_sub(a.a[k].get(), a.a[k].get(), b.a[k].get());
    while (!a.a.empty() && fmpz_is_zero(a.a.back().get())) a.a.pop_back();
    return a;
}

// The series as a polynomial in powers of c.
CelyPolynom vMocninach(const CebysevovaRada& rada) {
    CelyPolynom v, cheb;
    for (std::size_t k = 0; k < rada.a.size(); ++k) {
        if (fmpz_is_zero(rada.a[k].get())) continue;
        if (rada.druhy)
            fmpz_poly_chebyshev_u(cheb.get(), static_cast<ulong>(k));
        else
            fmpz_poly_chebyshev_t(cheb.get(), static_cast<ulong>(k));
        fmpz_poly_scalar_addmul_fmpz(v.get(), cheb.get(), rada.a[k].get());
    }
    return v;
}

// ---------------------------------------------------------------- roots in -1 < c < 1

// A root of f: y = (c + 1) / 2 in (a / 2^j, (a + 1) / 2^j), or y = a / 2^j exactly.
struct Koren {
    std::shared_ptr<const CelyPolynom> f;  // square-free; its only root in the interval
    CeleCislo a;
    long j = 0;
    bool presny = false;
    bool konec = false;  // c = -1, w = pi
    int znamenkoVlevo = 0;
    long krok = 2;  // bits the next secant step tries to gain
    double hodnotaVlevo = NAN, hodnotaVpravo = NAN;  // f at the ends, roughly, where known
};

// c at y = a / 2^j + d / 2^j (d = 0, 1 or a half-step as 2a + 1 over 2^(j + 1)).
void bodC(fmpq_t c, const fmpz_t citatel, long j) {
    CeleCislo dve(1);
    fmpz_mul_2exp(dve.get(), dve.get(), static_cast<ulong>(j));
    fmpz_mul_2exp(fmpq_numref(c), citatel, 1);
    fmpz_sub(fmpq_numref(c), fmpq_numref(c), dve.get());
    fmpz_set(fmpq_denref(c), dve.get());
    fmpq_canonicalise(c);
}

// The exact point c = citatel / 2^(j - 1) - 1 (y = citatel / 2^j) as a ball.
void bodKoule(arb_t x, const fmpz_t citatel, long j) {
    CeleCislo cislo, mocnina, exponent;
    fmpz_mul_2exp(cislo.get(), citatel, 1);
    fmpz_one(mocnina.get());
    fmpz_mul_2exp(mocnina.get(), mocnina.get(), static_cast<ulong>(j));
    fmpz_sub(cislo.get(), cislo.get(), mocnina.get());
    fmpz_set_si(exponent.get(), -j);
    arb_set_fmpz_2exp(x, cislo.get(), exponent.get());
}

// The sign of f at c = citatel / 2^(j - 1) - 1 (y = citatel / 2^j): in ball arithmetic at twice
// the point's bits and then four times that, exactly where the balls cannot tell (c a root).
// The value itself, roughly (the midpoint of the last ball), goes to `hodnota` when asked for.
int znamenkoV(const CelyPolynom& f, const fmpz_t citatel, long j, double* hodnota = nullptr) {
    {
        RealnyInterval x, v;
        bodKoule(x.get(), citatel, j);
        for (long presnost = 2 * j + 128, kolo = 0; kolo < 2; presnost *= 4, ++kolo) {
            arb_fmpz_poly_evaluate_arb(v.get(), f.get(), x.get(), presnost);
            if (hodnota != nullptr) *hodnota = arf_get_d(arb_midref(v.get()), ARF_RND_NEAR);
            if (arb_is_positive(v.get())) return 1;
            if (arb_is_negative(v.get())) return -1;
        }
    }
    Racionalni c, v;
    bodC(c.get(), citatel, j);
    fmpz_poly_evaluate_fmpq(v.get(), f.get(), c.get());
    return fmpq_sgn(v.get());
}

// f at the point of znamenkoV, roughly (the midpoint of its ball): a guess, never a decision.
// Beside the point's bits, the precision covers the size of f's coefficients, which cancel to
// values of the size of its Chebyshev coefficients.
double priblizne(const CelyPolynom& f, const fmpz_t citatel, long j) {
    RealnyInterval x, v;
    bodKoule(x.get(), citatel, j);
    arb_fmpz_poly_evaluate_arb(v.get(), f.get(), x.get(), j + 64 + std::abs(fmpz_poly_max_bits(f.get())));
    return arf_get_d(arb_midref(v.get()), ARF_RND_NEAR);
}

// The sign of the square-free f just beside y = citatel / 2^j, to the right (smer = 1) or to the
// left (smer = -1): the sign at the point, or at a (simple) root there the sign of f' times smer.
// A root's interval may end at another root of f, met exactly at a midpoint.
int znamenkoVedle(const CelyPolynom& f, const fmpz_t citatel, long j, int smer) {
    const int z = znamenkoV(f, citatel, j);
    if (z != 0) return z;
    CelyPolynom derivace;
    fmpz_poly_derivative(derivace.get(), f.get());
    return smer * znamenkoV(derivace, citatel, j);
}

long zmenyZnamenek(const CelyPolynom& p) {
    long zmeny = 0;
    int predchozi = 0;
    for (long i = 0; i <= p.stupen(); ++i) {
        const int z = fmpz_sgn(p.get()->coeffs + i);
        if (z == 0) continue;
        if (predchozi != 0 && z != predchozi) ++zmeny;
        predchozi = z;
    }
    return zmeny;
}

// Roots of g in (0, 1), where g(t) = 2^(j d) f(c) for y = (a + t) / 2^j: Descartes' rule of signs
// on (t + 1)^d g(1 / (t + 1)), whose positive roots are those of g in (0, 1); 0 or 1 sign change
// decides, more bisect (Collins and Akritas).
long zmenyDescartes(const CelyPolynom& g) {
    if (g.stupen() < 1) return 0;
    CelyPolynom obraz;
    fmpz_poly_reverse(obraz.get(), g.get(), fmpz_poly_length(g.get()));
    CeleCislo jedna(1);
    fmpz_poly_taylor_shift(obraz.get(), obraz.get(), jedna.get());
    return zmenyZnamenek(obraz);
}

// False when more than `uzlu` intervals would be tested.
bool izoluj(const std::shared_ptr<const CelyPolynom>& f, const CelyPolynom& g, const CeleCislo& a, long j,
            std::vector<Koren>& koreny, long& uzlu) {
    if (--uzlu < 0) return false;
    const long zmeny = zmenyDescartes(g);
    if (zmeny == 0) return true;
    if (zmeny == 1) {
        Koren k;
        k.f = f;
        k.a = a;
        k.j = j;
        koreny.push_back(k);
        return true;
    }
    // Left half 2^d g(t / 2), right half the same at t + 1.
    CelyPolynom leva = g, prava;
    const long d = g.stupen();
    for (long i = 0; i <= d; ++i) fmpz_mul_2exp(leva.get()->coeffs + i, leva.get()->coeffs + i, static_cast<ulong>(d - i));
    CeleCislo jedna(1);
    fmpz_poly_taylor_shift(prava.get(), leva.get(), jedna.get());
    CeleCislo levy, pravy;
    fmpz_mul_2exp(levy.get(), a.get(), 1);
    fmpz_add_ui(pravy.get(), levy.get(), 1);
    if (fmpz_is_zero(prava.get()->coeffs)) {
        // A root exactly at the midpoint.
        Koren k;
        k.f = f;
        k.a = pravy;
        k.j = j + 1;
        k.presny = true;
        koreny.push_back(k);
        fmpz_poly_shift_right(prava.get(), prava.get(), 1);
        CelyPolynom delitel = CelyPolynom::zCelych({-1, 1});
        fmpz_poly_div(leva.get(), leva.get(), delitel.get());
    }
    return izoluj(f, leva, levy, j + 1, koreny, uzlu) && izoluj(f, prava, pravy, j + 1, koreny, uzlu);
}

// g(y) = f(2 y - 1), without its roots at y = 0 and y = 1.
CelyPolynom naJednotkovem(const CelyPolynom& f) {
    CelyPolynom g, linearni = CelyPolynom::zCelych({-1, 2});
    fmpz_poly_compose(g.get(), f.get(), linearni.get());
    if (g.stupen() >= 0 && fmpz_is_zero(g.get()->coeffs)) fmpz_poly_shift_right(g.get(), g.get(), 1);
    CeleCislo hodnota;
    fmpz_one(hodnota.get());
    fmpz_poly_evaluate_fmpz(hodnota.get(), g.get(), hodnota.get());
    if (fmpz_is_zero(hodnota.get())) {
        CelyPolynom delitel = CelyPolynom::zCelych({-1, 1});
        fmpz_poly_div(g.get(), g.get(), delitel.get());
    }
    return g;
}

// The roots of f in -1 < c < 1 by Descartes' rule, g = naJednotkovem(f); false when more than
// `uzlu` intervals would be tested.
bool korenyDescartes(const std::shared_ptr<const CelyPolynom>& f, const CelyPolynom& g, long uzlu,
                     std::vector<Koren>& koreny) {
    koreny.clear();
    if (!izoluj(f, g, CeleCislo(), 0, koreny, uzlu)) return false;
    for (Koren& k : koreny)
        if (!k.presny) k.znamenkoVlevo = znamenkoVedle(*k.f, k.a.get(), k.j, 1);
    return true;
}

// y = (c + 1) / 2 at the ends of the real ball c, rounded outward.
void konceY(const arb_t c, arf_t dolni, arf_t horni) {
    arb_get_lbound_arf(dolni, c, 2 * arb_bits(c) + 64);
    arb_get_ubound_arf(horni, c, 2 * arb_bits(c) + 64);
    for (arf_struct* y : {dolni, horni}) {
        arf_add_ui(y, y, 1, ARF_PREC_EXACT, ARF_RND_DOWN);
        arf_mul_2exp_si(y, y, -1);
    }
}

// p / 2^j compared with y.
int porovnej(const fmpz_t p, long j, const arf_t y) {
    BinarniCislo x;
    arf_set_fmpz(x.get(), p);
    arf_mul_2exp_si(x.get(), x.get(), -j);
    return arf_cmp(x.get(), y);
}

// The root of f with y in [yl, yh], the only root of f in (mezVlevo, mezVpravo), in one aligned
// interval of 2^-j, j at most 12 levels coarser than the width, that holds [yl, yh] inside and
// ends between the neighbours: there the sign of f just right of its left end is `znamenko`,
// that left of the root. False when no such interval is found.
bool korenVIntervalu(const std::shared_ptr<const CelyPolynom>& f, const arf_t yl, const arf_t yh, const arf_t mezVlevo,
                     const arf_t mezVpravo, int znamenko, long j0, Koren& k) {
    BinarniCislo t;
    for (long j = j0; j >= std::max<long>(1, j0 - 12); --j) {
        CeleCislo A, B, konec(1);
        fmpz_mul_2exp(konec.get(), konec.get(), static_cast<ulong>(j));
        arf_mul_2exp_si(t.get(), yl, j);
        arf_get_fmpz(A.get(), t.get(), ARF_RND_FLOOR);
        fmpz_add_ui(B.get(), A.get(), 1);
        if (fmpz_sgn(A.get()) < 0 || fmpz_cmp(B.get(), konec.get()) > 0) return false;
        if (porovnej(A.get(), j, yl) >= 0 || porovnej(B.get(), j, yh) <= 0) continue;
        if (porovnej(A.get(), j, mezVlevo) <= 0 || porovnej(B.get(), j, mezVpravo) >= 0) return false;
        k.f = f;
        k.a = A;
        k.j = j;
        k.znamenkoVlevo = znamenko;
        return true;
    }
    return false;
}

// The root of f with y in [yl, yh], the only root of f in (mezVlevo, mezVpravo), on a grid of
// 2^-j no coarser than the interval: the grid points around it (clipped to 0 <= y <= 1), their
// exact signs, and the one that vanishes or the step that changes sign. 1 with the root in k,
// 0 when it lies outside -1 < c < 1, -1 when the grid does not fit between the neighbours.
int korenNaMrizce(const std::shared_ptr<const CelyPolynom>& f, const arf_t yl, const arf_t yh, const arf_t mezVlevo,
                  const arf_t mezVpravo, int znamenko, Koren& k) {
    BinarniCislo sirka, t;
    arf_sub(sirka.get(), yh, yl, 64, ARF_RND_UP);
    const long j0 = arf_is_zero(sirka.get()) ? 64 : std::clamp<long>(-arf_abs_bound_lt_2exp_si(sirka.get()), 1, 4096);
    if (korenVIntervalu(f, yl, yh, mezVlevo, mezVpravo, znamenko, j0, k)) return 1;
    for (long j = j0; j <= j0 + 2; ++j) {
        CeleCislo A, B, konec(1);
        fmpz_mul_2exp(konec.get(), konec.get(), static_cast<ulong>(j));
        arf_mul_2exp_si(t.get(), yl, j);
        arf_get_fmpz(A.get(), t.get(), ARF_RND_FLOOR);
        arf_mul_2exp_si(t.get(), yh, j);
        arf_get_fmpz(B.get(), t.get(), ARF_RND_FLOOR);
        fmpz_add_ui(B.get(), B.get(), 1);
        if (fmpz_sgn(A.get()) < 0) fmpz_zero(A.get());
        if (fmpz_cmp(B.get(), konec.get()) > 0) fmpz_set(B.get(), konec.get());
        if (fmpz_cmp(A.get(), B.get()) >= 0) return 0;
        if (porovnej(A.get(), j, mezVlevo) <= 0 || porovnej(B.get(), j, mezVpravo) >= 0) continue;
        int predchozi = znamenkoV(*f, A.get(), j);
        for (CeleCislo p = A; fmpz_cmp(p.get(), B.get()) <= 0; fmpz_add_ui(p.get(), p.get(), 1)) {
            const int z = fmpz_equal(p.get(), A.get()) ? predchozi : znamenkoV(*f, p.get(), j);
            if (z == 0) {
                // At c = -1 or c = 1 it is no crossing.
                if (fmpz_is_zero(p.get()) || fmpz_equal(p.get(), konec.get())) return 0;
                k.a = p;
                k.presny = true;
            } else if (z != predchozi) {
                fmpz_sub_ui(k.a.get(), p.get(), 1);
                k.znamenkoVlevo = predchozi;
            }
            if (z == 0 || z != predchozi) {
                k.f = f;
                k.j = j;
                return 1;
            }
            predchozi = z;
        }
        return 0;
    }
    return -1;
}

// The roots of the square-free f in -1 < c < 1 from inclusion discs around the eigenvalues of
// the colleague matrix of its series (f the series up to a constant): every root of f in a
// disc of its own, so a real disc holds one real root and nothing else does. False when the
// discs do not separate the roots.
bool korenyZKruhu(const std::shared_ptr<const CelyPolynom>& f, const CebysevovaRada& rada, std::vector<Koren>& koreny) {
    koreny.clear();
    std::vector<IzolovanyKoren> izolovane;
    if (!korenyZOdhadu(*f, odhadyKorenuCebysev(rada.a, rada.druhy), izolovane)) return false;
    std::vector<const arb_struct*> realne;
    for (const IzolovanyKoren& z : izolovane)
        if (z.realny) realne.push_back(acb_realref(z.box.get()));
    std::sort(realne.begin(), realne.end(),
              [](const arb_struct* a, const arb_struct* b) { return arf_cmp(arb_midref(a), arb_midref(b)) < 0; });
    const std::size_t n = realne.size();
    std::vector<BinarniCislo> dolni(n), horni(n);
    for (std::size_t i = 0; i < n; ++i) konceY(realne[i], dolni[i].get(), horni[i].get());
    BinarniCislo nekonecno, minusNekonecno;
    arf_pos_inf(nekonecno.get());
    arf_neg_inf(minusNekonecno.get());
    for (std::size_t i = 0; i < n; ++i) {
        Koren k;
        // Left of root i, f has the sign it has at +infinity times -1 for each of the n - i roots.
        const int znamenko = fmpz_sgn(fmpz_poly_lead(f->get())) * ((n - i) % 2 == 0 ? 1 : -1);
        const int vysledek = korenNaMrizce(f, dolni[i].get(), horni[i].get(), i > 0 ? horni[i - 1].get() : minusNekonecno.get(),
                                           i + 1 < n ? dolni[i + 1].get() : nekonecno.get(), znamenko, k);
        if (vysledek < 0) return false;
        if (vysledek > 0) koreny.push_back(k);
    }
    return true;
}

// The roots of the square-free f, the series up to a constant or a factor of it, in -1 < c < 1.
// Descartes' rule settles few roots in a few bisections; many take it far longer than the
// discs (degree 100, 95 roots: 20 times), which take over after MALO_UZLU intervals. (The
// count of the test on the whole interval tells little: 25 or more for 50 states with none.)
std::vector<Koren> korenyVIntervalu(const CelyPolynom& f, const CebysevovaRada& rada) {
    const auto sdileny = std::make_shared<const CelyPolynom>(f);
    const CelyPolynom g = naJednotkovem(f);
    std::vector<Koren> koreny;
    if (f.stupen() < 2 || static_cast<long>(rada.a.size()) - 1 != f.stupen()) {
        korenyDescartes(sdileny, g, LONG_MAX, koreny);
        return koreny;
    }
    if (korenyDescartes(sdileny, g, MALO_UZLU, koreny) || korenyZKruhu(sdileny, rada, koreny))
        return koreny;
    korenyDescartes(sdileny, g, LONG_MAX, koreny);
    return koreny;
}

// Halves the interval of a root (exact signs at the midpoint).
void pul(Koren& k) {
    if (k.presny || k.konec) return;
    CeleCislo stred;
    fmpz_mul_2exp(stred.get(), k.a.get(), 1);
    fmpz_add_ui(stred.get(), stred.get(), 1);
    const int z = znamenkoV(*k.f, stred.get(), k.j + 1);
    k.j += 1;
    k.hodnotaVlevo = k.hodnotaVpravo = NAN;
    if (z == 0) {
        k.a = stred;
        k.presny = true;
    } else if (z == k.znamenkoVlevo) {
        k.a = stred;
    } else {
        fmpz_mul_2exp(k.a.get(), k.a.get(), 1);
    }
}

// One step of quadratic interval refinement (Abbott): the secant through the values at the ends
// guesses which of 2^m equal parts holds the root, the exact signs at that part's ends confirm
// it. A confirmed guess gains m bits and doubles m; a wrong one halves m and the interval. The
// values at the ends of a confirmed part are kept for the next guess.
void krokSecnou(Koren& k, long m) {
    if (std::isnan(k.hodnotaVlevo) || std::isnan(k.hodnotaVpravo)) {
        CeleCislo prava;
        fmpz_add_ui(prava.get(), k.a.get(), 1);
        k.hodnotaVlevo = priblizne(*k.f, k.a.get(), k.j);
        k.hodnotaVpravo = priblizne(*k.f, prava.get(), k.j);
    }
    const double podil = k.hodnotaVlevo / (k.hodnotaVlevo - k.hodnotaVpravo);
    const double dilu = std::ldexp(1.0, static_cast<int>(m));
    if (!(podil >= 0.0 && podil <= 1.0)) {
        k.krok = std::max<long>(1, k.krok / 2);
        pul(k);
        return;
    }
    const long i = std::min(static_cast<long>(podil * dilu), static_cast<long>(dilu) - 1);
    CeleCislo levy, pravy;
    fmpz_mul_2exp(levy.get(), k.a.get(), static_cast<ulong>(m));
    fmpz_add_ui(levy.get(), levy.get(), static_cast<ulong>(i));
    fmpz_add_ui(pravy.get(), levy.get(), 1);
    // The sign just inside either end of the whole interval is known: s at the left, -s at the right.
    double vlevo = k.hodnotaVlevo, vpravo = k.hodnotaVpravo;
    const int zLevy = i == 0 ? k.znamenkoVlevo : znamenkoV(*k.f, levy.get(), k.j + m, &vlevo);
    const int zPravy = i + 1 == static_cast<long>(dilu) ? -k.znamenkoVlevo : znamenkoV(*k.f, pravy.get(), k.j + m, &vpravo);
    if (zLevy == 0 || zPravy == 0) {
        k.a = zLevy == 0 ? levy : pravy;
        k.j += m;
        k.presny = true;
    } else if (zLevy == k.znamenkoVlevo && zPravy != k.znamenkoVlevo) {
        k.a = levy;
        k.j += m;
        k.krok *= 2;
        k.hodnotaVlevo = vlevo;
        k.hodnotaVpravo = vpravo;
    } else {
        k.krok = std::max<long>(1, k.krok / 2);
        pul(k);
    }
}

// Narrows the interval of a root by at least `bitu` bits (or to the exact root).
void zuz(Koren& k, long bitu) {
    const long cil = k.j + bitu;
    while (!k.presny && !k.konec && k.j < cil) {
        if (k.krok < 2) {
            pul(k);
            k.krok = 2;
        } else {
            krokSecnou(k, std::min({k.krok, std::max<long>(2, cil - k.j), NEJVIC_BITU_SECNOU}));
        }
    }
}

// The odd-multiplicity factors of p (square-free part of each odd power).
std::vector<CelyPolynom> licheFaktory(const CelyPolynom& p) {
    std::vector<CelyPolynom> faktory;
    if (p.stupen() < 1) return faktory;
    RozkladPolynomu rozklad;
    fmpz_poly_factor_squarefree(rozklad.get(), p.get());
    for (long i = 0; i < rozklad.get()->num; ++i)
        if (rozklad.get()->exp[i] % 2 == 1) {
            CelyPolynom f;
            fmpz_poly_set(f.get(), rozklad.get()->p + i);
            faktory.push_back(f);
        }
    return faktory;
}

// True when the root of k is a root of p too: then it is one of g = gcd(f, p) (given), which has
// no other root inside the interval and changes sign there (its ends may be roots of g too).
bool spolecny(const Koren& k, const CelyPolynom& p, const CelyPolynom& g) {
    if (k.presny) {
        return znamenkoV(p, k.a.get(), k.j) == 0;
    }
    if (g.stupen() < 1) return false;
    CeleCislo pravy;
    fmpz_add_ui(pravy.get(), k.a.get(), 1);
    return znamenkoVedle(g, k.a.get(), k.j, 1) * znamenkoVedle(g, pravy.get(), k.j, -1) < 0;
}

CelyPolynom nsd(const CelyPolynom& a, const CelyPolynom& b) {
    CelyPolynom g;
    if (b.stupen() >= 0) fmpz_poly_gcd(g.get(), a.get(), b.get());
    return g;
}

// ---------------------------------------------------------------- the loop on the circle

struct Smycka {
    CelyPolynom N, D;  // H = N / D, integer coefficients
    CelyPolynom G, P, Q;
    CebysevovaRada radaG, radaQ;  // G and Q as Chebyshev series
};

// The ball of c for a root.
void kouleC(arb_t c, const Koren& k, long presnost) {
    if (k.konec) {
        arb_set_si(c, -1);
        return;
    }
    RealnyInterval dolni, horni;
    CeleCislo pravy, exponent;
    fmpz_add_ui(pravy.get(), k.a.get(), 1);
    fmpz_set_si(exponent.get(), 1 - k.j);
    arb_set_fmpz_2exp(dolni.get(), k.a.get(), exponent.get());
    arb_sub_ui(dolni.get(), dolni.get(), 1, ARF_PREC_EXACT);
    if (k.presny) {
        arb_set(c, dolni.get());
        return;
    }
    arb_set_fmpz_2exp(horni.get(), pravy.get(), exponent.get());
    arb_sub_ui(horni.get(), horni.get(), 1, ARF_PREC_EXACT);
    arb_union(c, dolni.get(), horni.get(), presnost);
}

// z = c + i sqrt(1 - c^2) on the circle for the ball of c.
void naKruznici(const Koren& k, long presnost, acb_t z) {
    kouleC(acb_realref(z), k, presnost);
    arb_sqr(acb_imagref(z), acb_realref(z), presnost);
    arb_sub_ui(acb_imagref(z), acb_imagref(z), 1, presnost);
    arb_neg(acb_imagref(z), acb_imagref(z));
    arb_sqrtpos(acb_imagref(z), acb_imagref(z), presnost);
}

// N and D at z = e^{jw} of the root. On the circle Horner's scheme in z widens a ball only by
// the sum of k |coefficient| times its radius, where the same value as a polynomial in c
// (Chebyshev coefficients, up to (1 + sqrt 2)^d in size) would be lost for any usable radius.
void nAD(const Smycka& s, const Koren& k, long presnost, acb_t N, acb_t D) {
    KomplexniInterval z;
    naKruznici(k, presnost, z.get());
    arb_fmpz_poly_evaluate_acb(N, s.N.get(), z.get(), presnost);
    arb_fmpz_poly_evaluate_acb(D, s.D.get(), z.get(), presnost);
}

// w = acos c and H at z = e^{jw}.
void vBode(const Smycka& s, const Koren& k, long presnost, arb_t w, acb_t H) {
    RealnyInterval c;
    kouleC(c.get(), k, presnost);
    arb_acos(w, c.get(), presnost);
    KomplexniInterval jmenovatel;
    nAD(s, k, presnost, H, jmenovatel.get());
    acb_div(H, H, jmenovatel.get(), presnost);
}

// The sign of P = Re(N conj D) at the root, or 0 while the ball cannot tell.
int znamenkoPKoule(const Smycka& s, const Koren& k, long presnost) {
    KomplexniInterval N, D;
    nAD(s, k, presnost, N.get(), D.get());
    acb_conj(D.get(), D.get());
    acb_mul(N.get(), N.get(), D.get(), presnost);
    const arb_struct* re = acb_realref(N.get());
    return arb_is_positive(re) ? 1 : arb_is_negative(re) ? -1 : 0;
}

// The sign of P at a root where P does not vanish (N conj D != 0 there), the interval halved
// as the precision rises.
int znamenkoPVKoreni(const Smycka& s, Koren& k) {
    for (long presnost = PRESNOST_REZERV_ZACATEK; presnost <= PRESNOST_REZERV_MAX; presnost *= 2) {
        const int z = znamenkoPKoule(s, k, presnost);
        if (z != 0) return z;
        zuz(k, std::max<long>(PULENI, presnost / 2));
    }
    throw std::runtime_error(NEURCENO);
}

// A crossover and what exact algebra fixed of its margin (nan: nothing).
struct Kriz {
    Koren koren;
    double presna = NAN;
};

// The margin and w of a crossover, refined until both print certainly.
Rezerva vycisli(const Smycka& s, Kriz kriz, bool zesileni) {
    for (long presnost = PRESNOST_REZERV_ZACATEK;; presnost *= 2) {
        RealnyInterval w, x, pi;
        KomplexniInterval H;
        vBode(s, kriz.koren, presnost, w.get(), H.get());
        arb_const_pi(pi.get(), presnost);
        Rozsah hodnota{kriz.presna, kriz.presna};
        if (std::isnan(kriz.presna) && zesileni) {
            // -20 log10 |H| = -10 log10 |H|^2.
            RealnyInterval l10;
            acb_abs(x.get(), H.get(), presnost);
            arb_log(x.get(), x.get(), presnost);
            arb_const_log10(l10.get(), presnost);
            arb_div(x.get(), x.get(), l10.get(), presnost);
            arb_mul_si(x.get(), x.get(), -20, presnost);
            hodnota = rozsahKoule(x.get());
        } else if (std::isnan(kriz.presna)) {
            acb_neg(H.get(), H.get());
            acb_arg(x.get(), H.get(), presnost);
            arb_mul_ui(x.get(), x.get(), 180, presnost);
            arb_div(x.get(), x.get(), pi.get(), presnost);
            hodnota = rozsahKoule(x.get());
        }
        const Rozsah frekvence = rozsahKoule(w.get());
        if (rozhodnuty(hodnota) && rozhodnuty(frekvence)) return {hodnota.dolni, frekvence.dolni};
        if (presnost >= PRESNOST_REZERV_MAX) {
            if (!hodnota.znamy() || !frekvence.znamy())
                throw std::runtime_error(NEURCENO);
            return {hodnota.dolni / 2 + hodnota.horni / 2, frekvence.dolni / 2 + frekvence.horni / 2};
        }
        zuz(kriz.koren, std::max<long>(PULENI, presnost / 2));
    }
}

// Exact H(-1) = N(-1) / D(-1) as the two values.
void vMinusJedne(const Smycka& s, fmpz_t n, fmpz_t d) {
    fmpz_set_si(n, -1);
    fmpz_set_si(d, -1);
    fmpz_poly_evaluate_fmpz(n, s.N.get(), n);
    fmpz_poly_evaluate_fmpz(d, s.D.get(), d);
}

Kriz naKonci(double presna) {
    Kriz k;
    k.koren.konec = true;
    k.presna = presna;
    return k;
}

// Gain crossovers, where the phase margin is read.
std::vector<Kriz> krizeniZesileni(const Smycka& s) {
    std::vector<Kriz> krizeni;
    for (const CelyPolynom& f : licheFaktory(s.G)) {
        std::vector<Koren> koreny = korenyVIntervalu(f, s.radaG);
        if (koreny.empty()) continue;
        const CelyPolynom sQ = nsd(f, s.Q);
        for (Koren& k : koreny) {
            Kriz kriz{k, NAN};
            // H real there: -H on the real axis, arg(-H) = 180 for H > 0, 0 for H < 0.
            if (s.Q.stupen() < 0 || spolecny(k, s.Q, sQ)) kriz.presna = znamenkoPVKoreni(s, kriz.koren) > 0 ? 180.0 : 0.0;
            krizeni.push_back(kriz);
        }
    }
    CeleCislo n, d;
    vMinusJedne(s, n.get(), d.get());
    if (!fmpz_is_zero(d.get()) && fmpz_cmpabs(n.get(), d.get()) == 0)
        krizeni.push_back(naKonci(fmpz_equal(n.get(), d.get()) ? 180.0 : 0.0));
    return krizeni;
}

// Phase crossovers, where the gain margin is read.
std::vector<Kriz> krizeniFaze(const Smycka& s) {
    std::vector<Kriz> krizeni;
    if (s.Q.stupen() < 0) return krizeni;
    for (const CelyPolynom& f : licheFaktory(s.Q)) {
        std::vector<Koren> koreny = korenyVIntervalu(f, s.radaQ);
        if (koreny.empty()) continue;
        const CelyPolynom sP = nsd(f, s.P), sG = nsd(f, s.G);
        for (Koren& k : koreny) {
            // N conj(D) = 0 there: a zero or a pole of H on the circle, no crossing.
            if (spolecny(k, s.P, sP) || znamenkoPVKoreni(s, k) > 0) continue;
            Kriz kriz{k, NAN};
            if (s.G.stupen() < 0 || spolecny(k, s.G, sG)) kriz.presna = 0.0;
            krizeni.push_back(kriz);
        }
    }
    CeleCislo n, d;
    vMinusJedne(s, n.get(), d.get());
    if (!fmpz_is_zero(d.get()) && !fmpz_is_zero(n.get()) && fmpz_sgn(n.get()) != fmpz_sgn(d.get()))
        krizeni.push_back(naKonci(fmpz_cmpabs(n.get(), d.get()) == 0 ? 0.0 : NAN));
    return krizeni;
}

// By rising w, i.e. falling c, compared as balls of c at 64 bits: the balls in order of their
// midpoints, neighbours that overlap (roots of different factors) halved apart until every
// ball lies wholly above the next.
void serad(std::vector<Kriz>& krizeni) {
    const long n = static_cast<long>(krizeni.size());
    RealneIntervaly c(n);
    std::vector<long> poradi(static_cast<std::size_t>(n));
    for (long i = 0; i < n; ++i) {
        kouleC(c[i], krizeni[static_cast<std::size_t>(i)].koren, 64);
        poradi[static_cast<std::size_t>(i)] = i;
    }
    for (int kolo = 0; kolo < 4096; ++kolo) {
        std::sort(poradi.begin(), poradi.end(),
                  [&c](long a, long b) { return arf_cmp(arb_midref(c[a]), arb_midref(c[b])) > 0; });
        bool oddelene = true;
        for (long i = 0; i + 1 < n; ++i) {
            const long a = poradi[static_cast<std::size_t>(i)], b = poradi[static_cast<std::size_t>(i + 1)];
            if (arb_gt(c[a], c[b])) continue;
            oddelene = false;
            for (const long k : {a, b}) {
                pul(krizeni[static_cast<std::size_t>(k)].koren);
                kouleC(c[k], krizeni[static_cast<std::size_t>(k)].koren, 64);
            }
        }
        if (oddelene) break;
    }
    std::vector<Kriz> serazene;
    for (const long i : poradi) serazene.push_back(krizeni[static_cast<std::size_t>(i)]);
    krizeni = std::move(serazene);
}

CelyPolynom celociselny(fmpq_poly_struct* p, const fmpz* nasobek) {
    CelyPolynom v;
    fmpq_poly_get_numerator(v.get(), p);
    fmpz_poly_scalar_mul_fmpz(v.get(), v.get(), nasobek);
    return v;
}

PresnaMatice blok(const std::vector<Rezerva>& rezervy) {
    PresnaMatice b;
    b.novyTvar(static_cast<int>(rezervy.size()), 1);
    for (const Rezerva& r : rezervy) b.pridejPrvek({presnyText(r.hodnota), presnyText(r.w)});
    return b;
}

}  // namespace

Rezervy rezervy(PresnySystem& system) {
    PrenosDvojice& p = system.prenos(0, 0);
    Rezervy v;
    if (fmpq_poly_is_zero(p.N.get())) return v;
    Smycka s;
    // N / D with both multiplied by the product of their denominators: integers, same H.
    s.N = celociselny(p.N.get(), fmpq_poly_denref(p.D.get()));
    s.D = celociselny(p.D.get(), fmpq_poly_denref(p.N.get()));
    s.radaG = rozdil(trigonometricka(s.N, s.N, true), trigonometricka(s.D, s.D, true));
    s.radaQ = trigonometricka(s.N, s.D, false);
    s.G = vMocninach(s.radaG);
    s.P = vMocninach(trigonometricka(s.N, s.D, true));
    s.Q = vMocninach(s.radaQ);
    for (const bool zesileni : {true, false}) {
        std::vector<Kriz> krizeni = zesileni ? krizeniFaze(s) : krizeniZesileni(s);
        serad(krizeni);
        for (const Kriz& k : krizeni) (zesileni ? v.zesileni : v.faze).push_back(vycisli(s, k, zesileni));
    }
    return v;
}

std::string presneRezervy(const std::string& text) {
    char druh = 0;
    std::vector<PresnaMatice> bloky;
    if (!zadani::nacti(text, druh, bloky) || druh != zadani::REZERVY)
        return std::string(1, zadani::CHYBA) + "Chybne zadani rezerv stability\n";
    PresnySystem system(std::move(bloky));
    if (!system.platny() || system.vystupu() != 1 || system.vstupu() != 1)
        return std::string(1, zadani::CHYBA) + "Chybne zadani rezerv stability\n";
    const Rezervy r = rezervy(system);
    const PresnaMatice zesileni = blok(r.zesileni), faze = blok(r.faze);
    return zadani::zapis(zadani::VYSLEDEK, {&zesileni, &faze});
}
