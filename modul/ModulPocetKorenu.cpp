#include "ModulPocetKorenu.h"

#include "ModulObaly.h"

CelyPolynom posunutyPolynom(const CelyPolynom& f, const fmpq_t a) {
    const long n = f.stupen();
    CelyPolynom skalovany;
    CeleCislo mocnina(1);
    for (long k = n; k >= 0; --k) {
        CeleCislo c;
        fmpz_mul(c.get(), f.get()->coeffs + k, mocnina.get());
        fmpz_poly_set_coeff_fmpz(skalovany.get(), k, c.get());
        fmpz_mul(mocnina.get(), mocnina.get(), fmpq_denref(a));
    }
    CelyPolynom posunuty;
    fmpz_poly_taylor_shift(posunuty.get(), skalovany.get(), fmpq_numref(a));
    return posunuty;
}

bool jeKorenem(const CelyPolynom& f, const fmpq_t a) {
    Racionalni hodnota;
    fmpz_poly_evaluate_fmpq(hodnota.get(), f.get(), a);
    return fmpq_is_zero(hodnota.get());
}

namespace {

// The number of positive roots of the square-free g with g(0) != 0.
long kladnychKorenu(const CelyPolynom& g) {
    const long n = g.stupen();
    if (n <= 0) return 0;
    const fmpz* c = g.get()->coeffs;
    if (n == 1) return fmpz_sgn(c) != fmpz_sgn(c + 1) ? 1 : 0;
    slong zapornych = 0, kladnych = 0;
    _fmpz_poly_num_real_roots_sturm(&zapornych, &kladnych, c, n + 1);
    return kladnych;
}

}  // namespace

long korenuNad(const CelyPolynom& f, const fmpq_t a) {
    CelyPolynom g = posunutyPolynom(f, a);
    // A root at a itself (once, f is square-free) is not above a.
    if (g.stupen() > 0 && fmpz_is_zero(g.get()->coeffs)) fmpz_poly_shift_right(g.get(), g.get(), 1);
    return kladnychKorenu(g);
}

long korenuVIntervalu(const CelyPolynom& f, const fmpq_t a, const fmpq_t b) {
    if (fmpq_cmp(a, b) > 0) return 0;
    return korenuNad(f, a) - korenuNad(f, b) + (jeKorenem(f, a) ? 1 : 0);
}
