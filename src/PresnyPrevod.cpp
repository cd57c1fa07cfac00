#include "PresnyPrevod.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "PresnaAritmetika.h"
#include "ZadaniPresnosti.h"

namespace {

const char* const MIMO_ROZSAH = "Koeficient vysledku prevodu presahuje rozsah cisel double\n";

// Collects the rounded values of the result; remembers whether any left the range of double.
class Vysledek {
    std::vector<PresnaMatice> bloky;
    bool vRozsahu = true;

public:
    std::string text(const fmpq_t q) {
        bool konecne = true;
        std::string t = zaokrouhlenyText(q, konecne);
        vRozsahu = vRozsahu && konecne;
        return t;
    }
    // A polynomial without its exactly zero top coefficients (at least one coefficient).
    std::vector<std::string> polynom(const fmpq_poly_t p) {
        std::vector<std::string> koeficienty;
        Racionalni c;
        const long delka = std::max(fmpq_poly_length(p), 1L);
        for (long k = 0; k < delka; ++k) {
            fmpq_poly_get_coeff_fmpq(c.get(), p, k);
            koeficienty.push_back(text(c.get()));
        }
        return koeficienty;
    }
    void pridejMatici(RacionalniMatice& M, long radky, long sloupce) {
        PresnaMatice blok;
        blok.novyTvar(static_cast<int>(radky), static_cast<int>(sloupce));
        for (long i = 0; i < radky; ++i)
            for (long j = 0; j < sloupce; ++j) blok.pridejPrvek({text(M.prvek(i, j))});
        bloky.push_back(std::move(blok));
    }
    void pridejBlok(PresnaMatice blok) { bloky.push_back(std::move(blok)); }
    std::string zaver() const {
        if (!vRozsahu) return std::string(1, zadani::CHYBA) + MIMO_ROZSAH;
        std::vector<const PresnaMatice*> ukazatele;
        for (const PresnaMatice& b : bloky) ukazatele.push_back(&b);
        return zadani::zapis(zadani::VYSLEDEK, ukazatele);
    }
};

// A = det(zI - F) as a 1 x 1 block, B (outputs x inputs).
std::string naVnejsi(const std::vector<PresnaMatice>& b) {
    const long n = b[0].get_rows(), vstupy = b[1].get_columns(), vystupy = b[2].get_rows();
    RacionalniMatice F(n, n), G(n, vstupy), H(vystupy, n), L(vystupy, vstupy), vazba(n, n);
    nactiMatici(F, b[0], 0);
    nactiMatici(G, b[1], 0);
    nactiMatici(H, b[2], 0);
    nactiMatici(L, b[3], 0);
    RacionalniPolynom D, S, Bij;
    fmpq_mat_charpoly(D.get(), F.get());

    Vysledek vysledek;
    PresnaMatice A;
    A.novyTvar(1, 1);
    A.pridejPrvek(vysledek.polynom(D.get()));
    vysledek.pridejBlok(std::move(A));
    PresnaMatice B;
    B.novyTvar(static_cast<int>(vystupy), static_cast<int>(vstupy));
    Racionalni soucin;
    for (long i = 0; i < vystupy; ++i)
        for (long j = 0; j < vstupy; ++j) {
            // F - G_j H_i, whose characteristic polynomial is det(zI - F + G_j H_i).
            for (long r = 0; r < n; ++r)
                for (long c = 0; c < n; ++c) {
                    fmpq_mul(soucin.get(), G.prvek(r, j), H.prvek(i, c));
                    fmpq_sub(vazba.prvek(r, c), F.prvek(r, c), soucin.get());
                }
            fmpq_mat_charpoly(S.get(), vazba.get());
            fmpq_poly_sub(Bij.get(), S.get(), D.get());
            fmpq_poly_scalar_mul_fmpq(S.get(), D.get(), L.prvek(i, j));
            fmpq_poly_add(Bij.get(), Bij.get(), S.get());
            B.pridejPrvek(vysledek.polynom(Bij.get()));
        }
    vysledek.pridejBlok(std::move(B));
    return vysledek.zaver();
}

// The controllable canonical form of B(z)/A(z): F the companion matrix of A, G = e_n / a_n,
// H_i = b_i - a_i l and L = l with l = b_n / a_n.
std::string naStavSISO(const std::vector<PresnaMatice>& b) {
    RacionalniPolynom A, B;
    nactiPolynom(A, b[0].prvek(0, 0));
    nactiPolynom(B, b[1].prvek(0, 0));
    fmpq_poly_canonicalise(A.get());
    fmpq_poly_canonicalise(B.get());
    const long n = fmpq_poly_degree(A.get());
    if (n < 1) return std::string(1, zadani::CHYBA) + "Jmenovatel u systemu ma nulovy stupen\n";
    Racionalni an, l, c, d;
    fmpq_poly_get_coeff_fmpq(an.get(), A.get(), n);
    fmpq_poly_get_coeff_fmpq(l.get(), B.get(), n);
    fmpq_div(l.get(), l.get(), an.get());

    RacionalniMatice F(n, n), G(n, 1), H(1, n), L(1, 1);
    for (long i = 0; i + 1 < n; ++i) fmpq_one(F.prvek(i, i + 1));
    for (long j = 0; j < n; ++j) {
        fmpq_poly_get_coeff_fmpq(c.get(), A.get(), j);
        fmpq_div(F.prvek(n - 1, j), c.get(), an.get());
        fmpq_neg(F.prvek(n - 1, j), F.prvek(n - 1, j));
        fmpq_poly_get_coeff_fmpq(d.get(), B.get(), j);
        fmpq_mul(c.get(), c.get(), l.get());
        fmpq_sub(H.prvek(0, j), d.get(), c.get());
    }
    fmpq_inv(G.prvek(n - 1, 0), an.get());
    fmpq_set(L.prvek(0, 0), l.get());

    Vysledek vysledek;
    vysledek.pridejMatici(F, n, n);
    vysledek.pridejMatici(G, n, 1);
    vysledek.pridejMatici(H, 1, n);
    vysledek.pridejMatici(L, 1, 1);
    return vysledek.zaver();
}

// X = Y A^-1 for the diagonal A, column by column.
void zpravaDelenaDiagonalou(RacionalniMatice& X, RacionalniMatice& Y, RacionalniMatice& A, long l) {
    for (long r = 0; r < l; ++r)
        for (long c = 0; c < l; ++c) fmpq_div(X.prvek(r, c), Y.prvek(r, c), A.prvek(c, c));
}

bool jeDiagonalni(RacionalniMatice& A, long l) {
    for (long r = 0; r < l; ++r)
        for (long c = 0; c < l; ++c)
            if ((r == c) == fmpq_is_zero(A.prvek(r, c))) return false;
    return true;
}

// The block observer form of A(z)^-1 B(z), N the highest power of A and A_N its (diagonal)
// leading coefficients: the first block column of F holds -A_(N-i) A_N^-1, G the blocks
// B_(N-i) - A_(N-i) A_N^-1 B_N, H = [A_N^-1 0 ...], L = A_N^-1 B_N.
std::string naStavMIMO(const std::vector<PresnaMatice>& b) {
    const long l = b[0].get_rows();
    long N = 0;
    for (long i = 0; i < l; ++i) N = std::max(N, static_cast<long>(b[0].prvek(static_cast<int>(i), static_cast<int>(i)).size()) - 1);
    RacionalniMatice AN(l, l), BN(l, l), Ainv(l, l), Ak(l, l), Bk(l, l), soucin(l, l), soucinB(l, l);
    nactiMatici(AN, b[0], N);
    nactiMatici(BN, b[1], N);
    if (!jeDiagonalni(AN, l)) return std::string(1, zadani::CHYBA) + "Nelze udelat inversni matici nulovy determinant\n";
    for (long i = 0; i < l; ++i) fmpq_inv(Ainv.prvek(i, i), AN.prvek(i, i));

    const long rad = N * l;
    RacionalniMatice F(rad, rad), G(rad, l), H(l, rad), L(l, l);
    for (long i = 0; i < l; ++i) {
        fmpq_set(H.prvek(i, i), Ainv.prvek(i, i));
        for (long j = 0; j < l; ++j) fmpq_mul(L.prvek(i, j), Ainv.prvek(i, i), BN.prvek(i, j));
    }
    const bool bezPrimeVazby = fmpq_mat_is_zero(BN.get());
    for (long blok = 0; blok < N; ++blok) {
        nactiMatici(Ak, b[0], N - 1 - blok);
        nactiMatici(Bk, b[1], N - 1 - blok);
        zpravaDelenaDiagonalou(soucin, Ak, AN, l);
        if (!bezPrimeVazby) fmpq_mat_mul(soucinB.get(), soucin.get(), BN.get());
        for (long r = 0; r < l; ++r)
            for (long c = 0; c < l; ++c) {
                fmpq_neg(F.prvek(blok * l + r, c), soucin.prvek(r, c));
                if (bezPrimeVazby)
                    fmpq_set(G.prvek(blok * l + r, c), Bk.prvek(r, c));
                else
                    fmpq_sub(G.prvek(blok * l + r, c), Bk.prvek(r, c), soucinB.prvek(r, c));
            }
    }
    for (long i = 0; i + l < rad; ++i) fmpq_one(F.prvek(i, i + l));

    Vysledek vysledek;
    vysledek.pridejMatici(F, rad, rad);
    vysledek.pridejMatici(G, rad, l);
    vysledek.pridejMatici(H, l, rad);
    vysledek.pridejMatici(L, l, l);
    return vysledek.zaver();
}

}  // namespace

std::string presnyPrevod(const std::string& text) {
    char druh = 0;
    std::vector<PresnaMatice> bloky;
    const bool precteno = zadani::nacti(text, druh, bloky);
    if (precteno && druh == zadani::NA_VNEJSI && bloky.size() == 4) return naVnejsi(bloky);
    if (precteno && druh == zadani::NA_STAV_SISO && bloky.size() == 2) return naStavSISO(bloky);
    if (precteno && druh == zadani::NA_STAV_MIMO && bloky.size() == 2) return naStavMIMO(bloky);
    return std::string(1, zadani::CHYBA) + "Chybne zadani presneho prevodu\n";
}
