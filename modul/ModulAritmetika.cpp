#include "ModulAritmetika.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "ModulCharakteristicky.h"
#include "RozborCisla.h"
#include "ZadaniPresnosti.h"

namespace {

// The integer polynomial with the roots of a rational one: its numerator, made primitive.
CelyPolynom celistvy(const fmpq_poly_struct* p) {
    CelyPolynom vysledek;
    fmpq_poly_get_numerator(vysledek.get(), p);
    fmpz_poly_primitive_part(vysledek.get(), vysledek.get());
    return vysledek;
}

}  // namespace

void nactiPolynom(RacionalniPolynom& p, const std::vector<std::string>& koeficienty) {
    Racionalni c;
    for (std::size_t k = 0; k < koeficienty.size(); ++k) {
        nactiRacionalni(c.get(), koeficienty[k]);
        fmpq_poly_set_coeff_fmpq(p.get(), static_cast<long>(k), c.get());
    }
}

namespace {

// Highest power with a non-zero coefficient over all elements; -1 when every element is 0.
long nejvyssiStupen(const PresnaMatice& A) {
    long d = -1;
    Racionalni c;
    for (int i = 0; i < A.get_rows(); ++i)
        for (int j = 0; j < A.get_columns(); ++j) {
            const std::vector<std::string> prvek = A.prvek(i, j);
            for (long k = static_cast<long>(prvek.size()) - 1; k > d; --k) {
                nactiRacionalni(c.get(), prvek[static_cast<std::size_t>(k)]);
                if (!fmpq_is_zero(c.get())) d = k;
            }
        }
    return d;
}

}  // namespace

void nactiKoeficient(fmpq* cil, const PresnaMatice& A, long i, long j, long k) {
    const std::vector<std::string> prvek = A.prvek(static_cast<int>(i), static_cast<int>(j));
    if (k < static_cast<long>(prvek.size()))
        nactiRacionalni(cil, prvek[static_cast<std::size_t>(k)]);
    else
        fmpq_zero(cil);
}

namespace {

// det A(z) over the integers: every row is scaled by the common denominator of its
// coefficients, which changes the determinant by a non-zero constant only.
CelyPolynom determinantEliminaci(const PresnaMatice& A) {
    const long n = A.get_rows();
    PolynomialniMatice M(n, n);
    CeleCislo spolecny;
    for (long i = 0; i < n; ++i) {
        fmpz_one(spolecny.get());
        for (int pruchod = 0; pruchod < 2; ++pruchod) {
            for (long j = 0; j < n; ++j) {
                RacionalniPolynom p;
                nactiPolynom(p, A.prvek(static_cast<int>(i), static_cast<int>(j)));
                if (pruchod == 0) {
                    fmpz_lcm(spolecny.get(), spolecny.get(), fmpq_poly_denref(p.get()));
                } else {
                    fmpq_poly_scalar_mul_fmpz(p.get(), p.get(), spolecny.get());
                    fmpq_poly_get_numerator(M.prvek(i, j), p.get());
                }
            }
        }
    }
    CelyPolynom det;
    fmpz_poly_mat_det(det.get(), M.get());
    if (!fmpz_poly_is_zero(det.get())) fmpz_poly_primitive_part(det.get(), det.get());
    return det;
}

// hodnota = citatel * zaklad^exponent (2 or 10; a negative exponent goes to the denominator).
void zlomek(fmpq_t hodnota, CeleCislo& citatel, long zaklad, long exponent) {
    CeleCislo jmenovatel(1), mocnina;
    fmpz* cil = exponent >= 0 ? citatel.get() : jmenovatel.get();
    const unsigned long velikost = static_cast<unsigned long>(exponent < 0 ? -exponent : exponent);
    if (zaklad == 2) {
        fmpz_mul_2exp(cil, cil, velikost);
    } else {
        fmpz_ui_pow_ui(mocnina.get(), 10, velikost);
        fmpz_mul(cil, cil, mocnina.get());
    }
    fmpq_set_fmpz_frac(hodnota, citatel.get(), jmenovatel.get());
}

}  // namespace

namespace {

// A decimal of at most 18 digits and a power of ten up to 10^18 either way, as most values of a
// file are: integers of a machine word, and no value near the end of the range of double.
bool kratkeDesetinne(fmpq_t hodnota, const RozlozeneCislo& cislo) {
    const long mocnina = cislo.exponent - cislo.zaTeckou;
    if (cislo.sestnactkove || cislo.cislice.size() > 18 || mocnina > 18 || mocnina < -18) return false;
    long cele = 0;
    for (const char c : cislo.cislice) cele = cele * 10 + (c - '0');
    unsigned long deset = 1;
    for (long k = 0; k < (mocnina < 0 ? -mocnina : mocnina); ++k) deset *= 10;
    if (cislo.zaporne) cele = -cele;
    if (mocnina < 0) {
        fmpq_set_si(hodnota, cele, deset);
    } else {
        fmpz_set_si(fmpq_numref(hodnota), cele);
        fmpz_mul_ui(fmpq_numref(hodnota), fmpq_numref(hodnota), deset);
        fmpz_one(fmpq_denref(hodnota));
    }
    return true;
}

}  // namespace

void nactiRacionalni(fmpq_t hodnota, const std::string& text) {
    RozlozeneCislo cislo;
    if (!rozlozCislo(text, cislo, true)) throw std::invalid_argument("Spatny format cisla v zadani: " + text + "\n");
    if (kratkeDesetinne(hodnota, cislo)) return;
    fmpq_zero(hodnota);
    // Below the range of double the readers take the value as 0; so does the exact reader.
    if (std::strtod(text.c_str(), nullptr) == 0.0) return;
    // value = cislice * zaklad^(-zaTeckou) * (2 or 10)^exponent
    CeleCislo citatel;
    fmpz_set_str(citatel.get(), cislo.cislice.c_str(), cislo.sestnactkove ? 16 : 10);
    if (cislo.zaporne) fmpz_neg(citatel.get(), citatel.get());
    if (cislo.sestnactkove)
        zlomek(hodnota, citatel, 2, cislo.exponent - 4 * cislo.zaTeckou);
    else
        zlomek(hodnota, citatel, 10, cislo.exponent - cislo.zaTeckou);
}

CelyPolynom polynomZTextu(const std::vector<std::string>& koeficienty) {
    RacionalniPolynom p;
    nactiPolynom(p, koeficienty);
    return celistvy(p.get());
}

void celaMatice(const RacionalniMatice& Q, CelaMatice& M, fmpz_t E) {
    fmpq_mat_get_fmpz_mat_matwise(M.get(), E, Q.get());
}

CelyPolynom vNasobku(const CelyPolynom& q, const fmpz_t E) {
    CelyPolynom vysledek;
    CeleCislo mocnina(1), c;
    for (long k = 0; k <= q.stupen(); ++k) {
        fmpz_mul(c.get(), q.get()->coeffs + k, mocnina.get());
        fmpz_poly_set_coeff_fmpz(vysledek.get(), k, c.get());
        fmpz_mul(mocnina.get(), mocnina.get(), E);
    }
    return vysledek;
}

CelyPolynom charakteristickyZCelych(const CelaMatice& M, const fmpz_t E) {
    CelyPolynom p = vNasobku(charakteristickyCelociselny(M), E);
    fmpz_poly_primitive_part(p.get(), p.get());
    return p;
}

void celaMatice(const PresnaMatice& F, CelaMatice& M, fmpz_t E) {
    RacionalniMatice Q(F.get_rows(), F.get_columns());
    nactiMatici(Q, F, 0);
    celaMatice(Q, M, E);
}

CelyPolynom charakteristickyPolynomPresne(const PresnaMatice& F) {
    CelaMatice M(F.get_rows(), F.get_rows());
    CeleCislo E;
    celaMatice(F, M, E.get());
    return charakteristickyZCelych(M, E.get());
}

// Of degree 1, A(z) = A_1 z + A_0 with A_1 invertible has det A(z) = det(A_1) det(zI - C) for
// C = -A_1^-1 A_0, so the roots of det A are the eigenvalues of C, and a characteristic
// polynomial of order l is far cheaper than the determinant of an l x l polynomial matrix.
// C comes from one fraction-free solve over the integers (each row of [A_1 A_0] cleared of
// its denominators, which leaves A_1^-1 A_0 as it is): A_1 X = -A_0 gives C = X / d.
// Of higher degree the block companion matrix would have order l d with mostly zero entries,
// and the polynomial determinant wins.
CelyPolynom determinantPresne(const PresnaMatice& A) {
    const long n = A.get_rows();
    if (n == 0) return CelyPolynom::zCelych({1});
    if (nejvyssiStupen(A) != 1) return determinantEliminaci(A);

    RacionalniMatice vedouci(n, n), absolutni(n, n);
    nactiMatici(vedouci, A, 1);
    nactiMatici(absolutni, A, 0);
    CelaMatice A1(n, n), A0(n, n), X(n, n);
    CelaCisla jmenovateleRadku(n);
    fmpq_mat_get_fmpz_mat_rowwise_2(A1.get(), A0.get(), jmenovateleRadku.data(), vedouci.get(), absolutni.get());
    fmpz_mat_neg(A0.get(), A0.get());
    CeleCislo d;
    if (!fmpz_mat_solve(X.get(), d.get(), A1.get(), A0.get())) return determinantEliminaci(A);
    if (fmpz_sgn(d.get()) < 0) {
        fmpz_neg(d.get(), d.get());
        fmpz_mat_neg(X.get(), X.get());
    }
    return charakteristickyZCelych(X, d.get());
}

void nactiMatici(RacionalniMatice& M, const PresnaMatice& hodnoty, long k) {
    for (long i = 0; i < hodnoty.get_rows(); ++i)
        for (long j = 0; j < hodnoty.get_columns(); ++j) nactiKoeficient(M.prvek(i, j), hodnoty, i, j, k);
}

std::string zaokrouhlenyText(const fmpq_t hodnota, bool& vRozsahu) {
    // Numerator and denominator of at most 53 bits are doubles themselves, and IEEE division
    // rounds their quotient once.
    if (fmpz_bits(fmpq_numref(hodnota)) <= 53 && fmpz_bits(fmpq_denref(hodnota)) <= 53) {
        vRozsahu = true;
        const double podil = fmpz_get_d(fmpq_numref(hodnota)) / fmpz_get_d(fmpq_denref(hodnota));
        return presnyText(podil == 0.0 ? 0.0 : podil);
    }
    // Otherwise one rounding to the nearest double, subnormals included: MPFR with the
    // exponent range of double and 53 bits.
    const RozsahMpfr rozsahDouble(-1073, 1024);
    GmpRacionalni q;
    fmpq_get_mpq(q.get(), hodnota);
    MpfrCislo x(53);
    const int smer = mpfr_set_q(x.get(), q.get(), MPFR_RNDN);
    mpfr_subnormalize(x.get(), smer, MPFR_RNDN);
    const double d = mpfr_get_d(x.get(), MPFR_RNDN);
    vRozsahu = std::isfinite(d);
    return presnyText(d == 0.0 ? 0.0 : d);
}

bool polynomPolu(char druh, const PresnaMatice& blok, CelyPolynom& p) {
    if (blok.get_rows() != blok.get_columns()) return false;
    switch (druh) {
        case zadani::POLYNOM:
            p = blok.get_rows() == 0 ? CelyPolynom() : polynomZTextu(blok.prvek(0, 0));
            return true;
        case zadani::MATICE:
            p = charakteristickyPolynomPresne(blok);
            return true;
        case zadani::POLYNOMIALNI_MATICE:
            p = determinantPresne(blok);
            return true;
        default:
            return false;
    }
}
