#include "ModulAritmetika.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <flint/fmpq.h>
#include <flint/fmpz.h>
#include <flint/fmpq_mat.h>
#include <flint/fmpq_poly.h>
#include <flint/fmpz_poly_mat.h>
#include <gmp.h>
#include <mpfr.h>

#include "ZadaniPresnosti.h"

namespace {

// The integer polynomial with the roots of a rational one: its numerator, made primitive.
CelyPolynom celistvy(fmpq_poly_struct* p) {
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
    fmpz_poly_mat_t M;
    fmpz_poly_mat_init(M, n, n);
    fmpz_t spolecny;
    fmpz_init(spolecny);
    for (long i = 0; i < n; ++i) {
        fmpz_one(spolecny);
        for (int pruchod = 0; pruchod < 2; ++pruchod) {
            for (long j = 0; j < n; ++j) {
                RacionalniPolynom p;
                nactiPolynom(p, A.prvek(static_cast<int>(i), static_cast<int>(j)));
                if (pruchod == 0) {
                    fmpz_lcm(spolecny, spolecny, fmpq_poly_denref(p.get()));
                } else {
                    fmpq_poly_scalar_mul_fmpz(p.get(), p.get(), spolecny);
                    fmpq_poly_get_numerator(fmpz_poly_mat_entry(M, i, j), p.get());
                }
            }
        }
    }
    fmpz_clear(spolecny);
    CelyPolynom det;
    fmpz_poly_mat_det(det.get(), M);
    fmpz_poly_mat_clear(M);
    if (!fmpz_poly_is_zero(det.get())) fmpz_poly_primitive_part(det.get(), det.get());
    return det;
}

}  // namespace

CelyPolynom CelyPolynom::zCelych(const std::vector<long>& koeficienty) {
    CelyPolynom p;
    for (std::size_t k = 0; k < koeficienty.size(); ++k) fmpz_poly_set_coeff_si(p.get(), static_cast<long>(k), koeficienty[k]);
    return p;
}

void nactiRacionalni(fmpq_t hodnota, const std::string& text) {
    fmpq_zero(hodnota);
    if (std::strtod(text.c_str(), nullptr) == 0.0) return;
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    const bool zaporne = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const bool sestnactkove = text.compare(i, 2, "0x") == 0;
    if (sestnactkove) i += 2;
    const int zaklad = sestnactkove ? 16 : 10;
    auto jeCislice = [&](char c) {
        return sestnactkove ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : std::isdigit(static_cast<unsigned char>(c)) != 0;
    };

    // value = cislice * zaklad^(-desetinna) * (2 or 10)^exponent
    std::string cislice;
    long desetinna = 0;
    bool zaTeckou = false;
    for (; i < text.size() && (jeCislice(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            zaTeckou = true;
        } else {
            cislice.push_back(text[i]);
            if (zaTeckou) ++desetinna;
        }
    }
    long exponent = 0;
    if (i < text.size() && std::strchr(sestnactkove ? "pP" : "eE", text[i]) != nullptr)
        exponent = std::strtol(text.c_str() + i + 1, nullptr, 10);

    fmpz_t citatel, jmenovatel;
    fmpz_init(citatel);
    fmpz_init(jmenovatel);
    fmpz_set_str(citatel, cislice.c_str(), zaklad);
    if (zaporne) fmpz_neg(citatel, citatel);
    fmpz_one(jmenovatel);
    if (sestnactkove) {
        exponent -= 4 * desetinna;
        if (exponent >= 0)
            fmpz_mul_2exp(citatel, citatel, static_cast<unsigned long>(exponent));
        else
            fmpz_mul_2exp(jmenovatel, jmenovatel, static_cast<unsigned long>(-exponent));
    } else {
        exponent -= desetinna;
        fmpz_t mocnina;
        fmpz_init_set_ui(mocnina, 10);
        fmpz_pow_ui(mocnina, mocnina, static_cast<unsigned long>(exponent < 0 ? -exponent : exponent));
        fmpz_mul(exponent >= 0 ? citatel : jmenovatel, exponent >= 0 ? citatel : jmenovatel, mocnina);
        fmpz_clear(mocnina);
    }
    fmpq_set_fmpz_frac(hodnota, citatel, jmenovatel);
    fmpz_clear(citatel);
    fmpz_clear(jmenovatel);
}

CelyPolynom polynomZTextu(const std::vector<std::string>& koeficienty) {
    RacionalniPolynom p;
    nactiPolynom(p, koeficienty);
    return celistvy(p.get());
}

CelyPolynom charakteristickyPolynomPresne(const PresnaMatice& F) {
    const long n = F.get_rows();
    RacionalniMatice M(n, n);
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < n; ++j) nactiKoeficient(M.prvek(i, j), F, i, j, 0);
    RacionalniPolynom p;
    fmpq_mat_charpoly(p.get(), M.get());
    return celistvy(p.get());
}

// Of degree 1, A(z) = A_1 z + A_0 with A_1 invertible has det A(z) = det(A_1) det(zI - C) for
// C = -A_1^-1 A_0, so the roots of det A are the eigenvalues of C, and a characteristic
// polynomial of order l is far cheaper than the determinant of an l x l polynomial matrix.
// Of higher degree the block companion matrix would have order l d with mostly zero entries,
// and the polynomial determinant wins.
CelyPolynom determinantPresne(const PresnaMatice& A) {
    const long n = A.get_rows();
    const long d = nejvyssiStupen(A);
    if (n == 0) return CelyPolynom::zCelych({1});
    if (d != 1) return determinantEliminaci(A);

    RacionalniMatice vedouci(n, n), inverze(n, n);
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < n; ++j) nactiKoeficient(vedouci.prvek(i, j), A, i, j, d);
    if (!fmpq_mat_inv(inverze.get(), vedouci.get())) return determinantEliminaci(A);

    const long rad = n * d;
    RacionalniMatice C(rad, rad);
    RacionalniMatice Ak(n, n), blok(n, n);
    for (long b = 0; b < d; ++b) {
        for (long i = 0; i < n; ++i)
            for (long j = 0; j < n; ++j) nactiKoeficient(Ak.prvek(i, j), A, i, j, d - 1 - b);
        fmpq_mat_mul(blok.get(), inverze.get(), Ak.get());
        for (long i = 0; i < n; ++i)
            for (long j = 0; j < n; ++j) fmpq_neg(C.prvek(i, b * n + j), blok.prvek(i, j));
    }
    for (long i = n; i < rad; ++i) fmpq_one(C.prvek(i, i - n));
    RacionalniPolynom p;
    fmpq_mat_charpoly(p.get(), C.get());
    return celistvy(p.get());
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
    const mpfr_exp_t puvodniMin = mpfr_get_emin(), puvodniMax = mpfr_get_emax();
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
    mpq_t q;
    mpq_init(q);
    fmpq_get_mpq(q, hodnota);
    mpfr_t x;
    mpfr_init2(x, 53);
    const int smer = mpfr_set_q(x, q, MPFR_RNDN);
    mpfr_subnormalize(x, smer, MPFR_RNDN);
    const double d = mpfr_get_d(x, MPFR_RNDN);
    mpfr_clear(x);
    mpq_clear(q);
    mpfr_set_emin(puvodniMin);
    mpfr_set_emax(puvodniMax);
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
