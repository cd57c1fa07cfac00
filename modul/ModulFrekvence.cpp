#include "ModulFrekvence.h"

#include <stdexcept>

#include <flint/fmpz_poly.h>

#include "ModulObaly.h"
#include "ModulRozsah.h"
#include "ModulRezervy.h"
#include "ZadaniPresnosti.h"

namespace {

const long PRESNOST_ZACATEK = 128;
// From this precision on, a value the balls have not settled is tested by exact algebra.
const long PRESNOST_ALGEBRY = 512;
// Beyond this the value lies on a rounding boundary (or within 2^-30000 of one): its midpoint
// is taken.
const long PRESNOST_MAX = 1L << 15;

// What exact algebra decides of H at a point of the grid.
struct Fakta {
    bool pol = false;         // an exact pole: inf
    bool nula = false;        // an exact zero: -inf
    bool jednotkova = false;  // |H| = 1: 0 dB
    bool realna = false;      // H real: phase 0 or 180
};

// The order q of z_k as a root of unity (t_k = 10^-j gives exp(i pi / 10^j), q = 2 10^j), or 0
// when z_k is none: then 10^((k - 255) / 85) is algebraic and irrational, exp(i pi t) is
// transcendental (Gelfond-Schneider), and no rational polynomial but 0 vanishes there.
long radJednotky(long k) {
    if ((255 - k) % 85 != 0) return 0;
    long q = 2;
    for (long j = 0; j < (255 - k) / 85; ++j) q *= 10;
    return q;
}

// p is 0 at z_k: divisible by the cyclotomic polynomial of order q, or 0 itself.
bool nulaV(const fmpq_poly_t p, long q) {
    if (fmpq_poly_is_zero(p)) return true;
    if (q == 0) return false;
    CelyPolynom cyklotomicky;
    fmpz_poly_cyclotomic(cyklotomicky.get(), static_cast<ulong>(q));
    RacionalniPolynom phi, zbytek;
    fmpq_poly_set_fmpz_poly(phi.get(), cyklotomicky.get());
    fmpq_poly_rem(zbytek.get(), p, phi.get());
    return fmpq_poly_is_zero(zbytek.get());
}

// x^s a b_rev - x^t c d_rev, where p_rev(x) = x^deg p p(1/x): on the circle p(1/z) = conj p(z)
// for real coefficients, so this is z^(s + deg b + deg d) ... times a conj(b) - c conj(d) up to
// the powers of z that the exponents balance.
void smisene(fmpq_poly_t v, const fmpq_poly_t a, const fmpq_poly_t b, long s, const fmpq_poly_t c,
             const fmpq_poly_t d, long t) {
    RacionalniPolynom br, dr, druhy;
    fmpq_poly_reverse(br.get(), b, fmpq_poly_length(b));
    fmpq_poly_reverse(dr.get(), d, fmpq_poly_length(d));
    fmpq_poly_mul(v, a, br.get());
    fmpq_poly_shift_left(v, v, s);
    fmpq_poly_mul(druhy.get(), c, dr.get());
    fmpq_poly_shift_left(druhy.get(), druhy.get(), t);
    fmpq_poly_sub(v, v, druhy.get());
}

// At z = -1 a state space is decided by exact linear algebra, without its transfer function;
// false when that does not decide.
bool faktaVMinusJedne(PresnySystem& system, long o, long i, Fakta& f) {
    Racionalni h;
    const int v = system.vMinusJedne(o, i, h.get());
    if (v == 0) return false;
    f.pol = v == 2;
    f.nula = v == 1 && fmpq_is_zero(h.get());
    f.jednotkova = v == 1 && fmpz_cmpabs(fmpq_numref(h.get()), fmpq_denref(h.get())) == 0;
    f.realna = true;
    return true;
}

Fakta fakta(PresnySystem& system, long o, long i, long k) {
    Fakta f;
    if (k == 255 && system.stavovy() && faktaVMinusJedne(system, o, i, f)) return f;
    PrenosDvojice& p = system.prenos(o, i);
    const long q = radJednotky(k);
    f.nula = nulaV(p.N.get(), q);
    f.pol = !f.nula && nulaV(p.D.get(), q);
    if (f.nula || f.pol) return f;
    const long dN = fmpq_poly_degree(p.N.get()), dD = fmpq_poly_degree(p.D.get());
    RacionalniPolynom v;
    // |N|^2 = |D|^2: z^-dN N N_rev = z^-dD D D_rev.
    smisene(v.get(), p.N.get(), p.N.get(), dD, p.D.get(), p.D.get(), dN);
    f.jednotkova = nulaV(v.get(), q);
    // N conj(D) real: z^-dD N D_rev = z^-dN N_rev D.
    smisene(v.get(), p.N.get(), p.D.get(), dN, p.D.get(), p.N.get(), dD);
    // H of real data is real at z = -1.
    f.realna = q == 2 || nulaV(v.get(), q);
    return f;
}

// Magnitude in dB and phase in degrees of the ball h. The phase is taken near pi when h lies
// left of the imaginary axis, so that a ball across the negative axis is not split.
BodFrekvence bodKoule(const acb_t h, long presnost) {
    BodFrekvence b;
    RealnyInterval x, y, pi;
    arb_sqr(x.get(), acb_realref(h), presnost);
    arb_addmul(x.get(), acb_imagref(h), acb_imagref(h), presnost);
    if (arb_is_positive(x.get())) {
        arb_log(x.get(), x.get(), presnost);
        arb_const_log10(y.get(), presnost);
        arb_div(x.get(), x.get(), y.get(), presnost);
        arb_mul_ui(x.get(), x.get(), 10, presnost);
        b.db = rozsahKoule(x.get());
    }
    arb_const_pi(pi.get(), presnost);
    KomplexniInterval v;
    if (arb_is_negative(acb_realref(h))) {
        acb_neg(v.get(), h);
        acb_arg(x.get(), v.get(), presnost);
        arb_add(x.get(), x.get(), pi.get(), presnost);
    } else {
        acb_arg(x.get(), h, presnost);
    }
    arb_mul_ui(x.get(), x.get(), 180, presnost);
    arb_div(x.get(), x.get(), pi.get(), presnost);
    b.faze = rozsahKoule(x.get());
    return b;
}

// One value of pair (o, i) at frequency k: the ball at `presnost` bits, with what the exact
// facts (when known) decide in its place.
BodFrekvence vyhodnot(PresnySystem& system, long o, long i, long k, long presnost, const Fakta* f) {
    BodFrekvence b;
    // A pole at a root of unity of a state space is proven modulo a prime before any ball (whose
    // solve cannot succeed there) and without the pair's transfer function.
    if (f == nullptr && system.jistyPol(o, i, radJednotky(k))) {
        b.db = {INFINITY, INFINITY};
        return b;
    }
    if (f != nullptr && (f->pol || f->nula)) {
        b.db = f->pol ? Rozsah{INFINITY, INFINITY} : Rozsah{-INFINITY, -INFINITY};
        return b;
    }
    KomplexniInterval z, h;
    bodMrizky(z.get(), k, presnost);
    Racionalni presna;
    const int minusJedna = k == 255 && system.stavovy() ? system.vMinusJedne(o, i, presna.get()) : 0;
    if (minusJedna == 2) {
        b.db = {INFINITY, INFINITY};
        return b;
    }
    if (minusJedna == 1)
        acb_set_fmpq(h.get(), presna.get(), presnost);
    else
        system.hodnota(h.get(), o, i, k, z.get(), presnost);
    b = bodKoule(h.get(), presnost);
    if (f != nullptr && f->jednotkova) b.db = {0.0, 0.0};
    if (f != nullptr && f->realna) {
        if (arb_is_positive(acb_realref(h.get()))) b.faze = {0.0, 0.0};
        if (arb_is_negative(acb_realref(h.get()))) b.faze = {180.0, 180.0};
    }
    return b;
}

// The midpoint of an interval as its exact value, for a value on a rounding boundary.
Rozsah stred(const Rozsah& r) {
    if (!r.znamy()) return r;
    const double s = r.dolni / 2.0 + r.horni / 2.0;
    return {s, s};
}

}  // namespace

void bodMrizky(acb_t z, long k, long presnost) {
    RealnyInterval t;
    if ((255 - k) % 85 == 0) {
        Racionalni tk;
        fmpz_set_ui(fmpq_numref(tk.get()), 1);
        fmpz_set_ui(fmpq_denref(tk.get()), 10);
        fmpz_pow_ui(fmpq_denref(tk.get()), fmpq_denref(tk.get()), static_cast<ulong>((255 - k) / 85));
        arb_set_fmpq(t.get(), tk.get(), presnost);
    } else {
        RealnyInterval exponent, deset;
        arb_set_si(exponent.get(), k - 255);
        arb_div_ui(exponent.get(), exponent.get(), 85, presnost);
        arb_set_ui(deset.get(), 10);
        arb_pow(t.get(), deset.get(), exponent.get(), presnost);
    }
    acb_set_arb(z, t.get());
    acb_exp_pi_i(z, z, presnost);
}

std::vector<BodFrekvence> dorozhodni(PresnySystem& system, long o, long i, std::vector<BodFrekvence> body) {
    std::vector<long> presnost(body.size(), 0);
    std::vector<std::unique_ptr<Fakta>> znama(body.size());
    for (RozvinutaDvojice r = rozvin(body); !r.nejiste.empty(); r = rozvin(body)) {
        for (const std::size_t k : r.nejiste) {
            presnost[k] = presnost[k] == 0 ? PRESNOST_ZACATEK : 2 * presnost[k];
            if (presnost[k] >= PRESNOST_ALGEBRY && !znama[k])
                znama[k] = std::make_unique<Fakta>(fakta(system, o, i, static_cast<long>(k)));
            if (presnost[k] <= PRESNOST_MAX) {
                body[k] = vyhodnot(system, o, i, static_cast<long>(k), presnost[k], znama[k].get());
                continue;
            }
            // Exact algebra has ruled out a pole and a zero, so the balls of H are finite and
            // away from 0 long before this.
            if (!body[k].db.znamy() || (!body[k].nula() && !body[k].pol() && !body[k].faze.znamy()))
                throw std::runtime_error("Hodnotu frekvencni charakteristiky se nepodarilo rozhodnout\n");
            body[k] = {stred(body[k].db), stred(body[k].faze)};
        }
    }
    const RozvinutaDvojice hotove = rozvin(body);
    std::vector<BodFrekvence> vysledek(body.size());
    for (std::size_t k = 0; k < body.size(); ++k)
        vysledek[k] = {{hotove.db[k], hotove.db[k]}, {hotove.faze[k], hotove.faze[k]}};
    return vysledek;
}

std::string presnaFrekvence(const std::string& text) {
    char druh = 0;
    std::vector<PresnaMatice> bloky;
    const std::string chyba = std::string(1, zadani::CHYBA) + "Chybne zadani frekvencni charakteristiky\n";
    if (!zadani::nacti(text, druh, bloky) || druh != zadani::FREKVENCE || bloky.empty()) return chyba;
    const long dvojic = bloky[0].get_columns();
    const long systemovych = static_cast<long>(bloky.size()) - 1 - dvojic;
    if (systemovych != 2 && systemovych != 4) return chyba;
    PresnySystem system(std::vector<PresnaMatice>(bloky.begin() + 1, bloky.begin() + 1 + systemovych));
    if (!system.platny()) return chyba;
    std::vector<PresnaMatice> odpoved;
    for (long p = 0; p < dvojic; ++p) {
        const std::vector<std::string> dvojice = bloky[0].prvek(0, static_cast<int>(p));
        std::vector<BodFrekvence> body;
        if (dvojice.size() != 2 || !bodyZBloku(bloky[static_cast<std::size_t>(1 + systemovych + p)], body)) return chyba;
        const long o = std::strtol(dvojice[0].c_str(), nullptr, 10), i = std::strtol(dvojice[1].c_str(), nullptr, 10);
        if (o < 0 || o >= system.vystupu() || i < 0 || i >= system.vstupu()) return chyba;
        odpoved.push_back(bodyNaBlok(dorozhodni(system, o, i, std::move(body))));
    }
    std::vector<const PresnaMatice*> ukazatele;
    for (const PresnaMatice& b : odpoved) ukazatele.push_back(&b);
    return zadani::zapis(zadani::VYSLEDEK, ukazatele);
}

std::string frekvencniUkol(const std::string& text) {
    if (!text.empty() && text[0] == zadani::REZERVY) return presneRezervy(text);
    return presnaFrekvence(text);
}
