#include "ModulHodnotyPolu.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "ModulPocetKorenu.h"
#include "ModulPresneHodnoty.h"
#include "ModulZaokrouhleni.h"

namespace {

// The first precision of the refinement, doubled until every value is decided; a value not
// decided at the last one would be within 2^-65000 of a rounding boundary without lying on it.
const long PRESNOST_HODNOT = 128;
const long MAX_PRESNOST_HODNOT = 1L << 16;

// The next precision of the refinement.
long dalsiPresnost(long prec) {
    if (prec >= MAX_PRESNOST_HODNOT) throw std::logic_error("Vnitrni chyba: hodnota polu se nepodarila zaokrouhlit\n");
    return 2 * prec;
}

// One value of a pole, decided at some precision: by the ball, or by the exact check of the
// one candidate the ball admits (each candidate is checked once).
class Slozka {
    std::optional<double> hodnota;
    Racionalni zkouseny;
    bool mamZkouseny = false;

public:
    template <class PresnaKontrola>
    void zkus(arb_srcptr x, PresnaKontrola presne) {
        if (hodnota) return;
        double d = 0.0;
        const Zaokrouhleni z = zaokrouhli(x, d);
        if (z == Zaokrouhleni::MimoRozsah) throw MimoRozsahDouble();
        if (z == Zaokrouhleni::Hotovo) {
            hodnota = d;
            return;
        }
        Racionalni c;
        if (!kandidat(x, c.get()) || (mamZkouseny && fmpq_equal(c.get(), zkouseny.get()))) return;
        const std::optional<bool> je = presne(c.get());
        if (!je) return;
        zkouseny = c;
        mamZkouseny = true;
        if (!*je) return;
        if (!nejblizsi(c.get(), d)) throw MimoRozsahDouble();
        hodnota = d;
    }
    void nastav(double d) { hodnota = d; }
    bool hotova() const { return hodnota.has_value(); }
    double operator*() const { return *hodnota; }
};

}  // namespace

Pol polRealny(const PolynomSDerivaci& f, const IzolovanyKoren& koren, long nasobnost) {
    RealnyInterval X;
    arb_set(X.get(), acb_realref(koren.box.get()));
    Slozka re;
    // The isolating interval itself often decides already.
    for (long prec = 0; !re.hotova(); prec = prec ? dalsiPresnost(prec) : PRESNOST_HODNOT) {
        if (prec) zpresniRealny(f, X.get(), prec);
        re.zkus(X.get(), [&](const fmpq_t c) -> std::optional<bool> { return jeKorenem(f.f, c); });
    }
    return Pol{*re, 0.0, std::fabs(*re), nasobnost, koren.poloha};
}

Pol polKomplexni(const PolynomSDerivaci& f, const IzolovanyKoren& koren, long nasobnost) {
    KomplexniInterval N = koren.box;
    RealnyInterval velikost;
    Slozka re, im, abs;
    if (koren.poloha == PolohaPolu::NaKruznici) abs.nastav(1.0);
    // The isolating box itself often decides already.
    for (long prec = 0; !(re.hotova() && im.hotova() && abs.hotova()); prec = prec ? dalsiPresnost(prec) : PRESNOST_HODNOT) {
        if (prec && !zpresniKomplexni(f, N.get(), prec)) continue;
        re.zkus(acb_realref(N.get()), [&](const fmpq_t c) -> std::optional<bool> { return realnaCastJe(f.f, N.get(), c); });
        im.zkus(acb_imagref(N.get()),
                [&](const fmpq_t c) -> std::optional<bool> { return imaginarniCastJe(f.f, N.get(), c); });
        acb_abs(velikost.get(), N.get(), std::max(prec, PRESNOST_HODNOT));
        abs.zkus(velikost.get(), [&](const fmpq_t c) { return velikostJe(f.f, N.get(), koren.box.get(), c); });
    }
    return Pol{*re, *im, *abs, nasobnost, koren.poloha};
}

Pol polNaKruznici(const PolynomSDerivaci& G, const RealnyInterval& T, long nasobnost) {
    Racionalni nula;
    // t = 0 exactly: z = i.
    if (arb_contains_zero(T.get()) && jeKorenem(G.f, nula.get())) return Pol{0.0, 1.0, 1.0, nasobnost, PolohaPolu::NaKruznici};
    RealnyInterval t = T, x;
    Slozka re, im;
    // On [-2, 2] the terms of G reach 2^(bits + degree): below that precision the evaluation
    // cancels to nothing.
    const long bity = std::labs(fmpz_poly_max_bits(G.f.get())) + G.f.stupen();
    for (long prec = std::max(PRESNOST_HODNOT, 64 + bity); !(re.hotova() && im.hotova()); prec = dalsiPresnost(prec)) {
        if (!zpresniRealny(G, t.get(), prec)) continue;
        arb_mul_2exp_si(x.get(), t.get(), -1);
        re.zkus(x.get(), [&](const fmpq_t c) -> std::optional<bool> {
            Racionalni dvojnasobek;
            fmpq_mul_2exp(dvojnasobek.get(), c, 1);
            return jeKorenem(G.f, dvojnasobek.get());
        });
        // Im z = sqrt(1 - (t/2)^2)
        arb_sqr(x.get(), x.get(), prec);
        arb_sub_ui(x.get(), x.get(), 1, prec);
        arb_neg(x.get(), x.get());
        arb_sqrtpos(x.get(), x.get(), prec);
        im.zkus(x.get(), [&](const fmpq_t c) -> std::optional<bool> { return imaginarniCastNaKruzniciJe(G.f, T.get(), c); });
    }
    return Pol{*re, *im, 1.0, nasobnost, PolohaPolu::NaKruznici};
}
