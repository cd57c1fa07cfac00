#include "ModulPrevod.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "ModulAritmetika.h"
#include "ModulCharakteristicky.h"
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
    // A polynomial whose coefficient k is element (i, j) of Bk[k], without its exactly zero
    // top coefficients (at least one coefficient).
    std::vector<std::string> polynom(const std::vector<RacionalniMatice*>& Bk, long i, long j) {
        std::size_t delka = Bk.size();
        while (delka > 1 && fmpq_is_zero(Bk[delka - 1]->prvek(i, j))) --delka;
        std::vector<std::string> koeficienty;
        for (std::size_t k = 0; k < delka; ++k) koeficienty.push_back(text(Bk[k]->prvek(i, j)));
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

// Orders up to which B comes from the adjugate expansion in rationals; beyond, one channel
// comes from the Markov parameters modulo primes.
const long MAX_RAD_ADJUNGOVANE_PREVODU = 16;

}  // namespace

// The coefficient matrices B_0 ... B_n of B(z) = H adj(zI - F) G + L D(z), D = det(zI - F) with
// coefficients a_k: adj(zI - F) G = sum_k z^k Q_k with Q_(n-1) = G and Q_(k-1) = F Q_k + a_k G,
// so B_k = H Q_k + a_k L and B_n = L. One product by F and one by H per power.
void citateleAdjungovanou(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H, RacionalniMatice& L,
                          const fmpq_poly_t D, std::vector<RacionalniMatice*>& Bk) {
    const long n = fmpq_mat_nrows(F.get()), vstupy = fmpq_mat_ncols(G.get()), vystupy = fmpq_mat_nrows(H.get());
    RacionalniMatice Q(n, vstupy), dalsi(n, vstupy), cast(n, vstupy), primaVazba(vystupy, vstupy);
    fmpq_mat_set(Q.get(), G.get());
    Racionalni a;
    for (long k = n - 1; k >= 0; --k) {
        fmpq_poly_get_coeff_fmpq(a.get(), D, k);
        fmpq_mat_mul(Bk[static_cast<std::size_t>(k)]->get(), H.get(), Q.get());
        fmpq_mat_scalar_mul_fmpq(primaVazba.get(), L.get(), a.get());
        fmpq_mat_add(Bk[static_cast<std::size_t>(k)]->get(), Bk[static_cast<std::size_t>(k)]->get(), primaVazba.get());
        if (k == 0) break;
        fmpq_mat_mul(dalsi.get(), F.get(), Q.get());
        fmpq_mat_scalar_mul_fmpq(cast.get(), G.get(), a.get());
        fmpq_mat_add(Q.get(), dalsi.get(), cast.get());
    }
    fmpq_mat_set(Bk[static_cast<std::size_t>(n)]->get(), L.get());
}

// The integer form of F = M / E, with A(z) = det(zI - F) = q(E z) / E^n.
struct CelaSoustava {
    CelaMatice M;
    CeleCislo E;
    explicit CelaSoustava(const RacionalniMatice& F) : M(F.radku(), F.radku()) { celaMatice(F, M, E.get()); }
};

// r(z) = q(E z) / E^n.
void racionalni(const CelyPolynom& q, const fmpz_t E, long n, fmpq_poly_struct* r) {
    CeleCislo mocnina;
    fmpz_pow_ui(mocnina.get(), E, static_cast<unsigned long>(n));
    fmpq_poly_set_fmpz_poly(r, vNasobku(q, E).get());
    fmpq_poly_scalar_div_fmpz(r, r, mocnina.get());
}

// True when a coefficient of A = det(zI - F) is certainly beyond the range of double, decided
// before the characteristic polynomial: where the bounds of its coefficients (divided by the
// powers of E) allow a value beyond 2^1023, the exact determinant gives A(0) = (-1)^n det F,
// whose rounding settles the refusal. A result that fits is never refused here.
bool jmenovatelMimoRozsah(const CelaSoustava& s) {
    const long n = s.M.radku();
    const std::vector<long> meze = mezeCharakteristickeho(s.M);
    const long bituE = static_cast<long>(fmpz_bits(s.E.get())) - 1;  // 2^bituE <= E
    bool mozna = false;
    for (long j = 0; j <= n; ++j) mozna = mozna || meze[static_cast<std::size_t>(j)] - j * bituE > 1023;
    if (!mozna) return false;
    CeleCislo det, mocnina;
    fmpz_mat_det(det.get(), s.M.get());
    fmpz_pow_ui(mocnina.get(), s.E.get(), static_cast<unsigned long>(n));
    Racionalni A0;
    fmpq_set_fmpz_frac(A0.get(), det.get(), mocnina.get());
    bool vRozsahu = true;
    zaokrouhlenyText(A0.get(), vRozsahu);
    return !vRozsahu;
}

// B(z) for one input and one output, B = H adj(zI - F) G + L D(z), over the integers: with
// F = M / E, G = G' / d_G and H = H' / d_H, adj(zI - F) = adj(wI - M) / E^(n-1) at w = E z, so
// that H adj(zI - F) G = v(E z) / (d_G d_H E^(n-1)) for v = H' adj(wI - M) G'.
void citatelJednohoKanalu(const CelaSoustava& s, const RacionalniMatice& G, const RacionalniMatice& H,
                          RacionalniMatice& L, fmpq_poly_struct* D, fmpq_poly_struct* B) {
    const long n = s.M.radku();
    CelaMatice Gc(n, 1), Hc(1, n);
    CeleCislo dG, dH, jmenovatel;
    celaMatice(G, Gc, dG.get());
    celaMatice(H, Hc, dH.get());
    CelyPolynom q, v;
    charakteristickyAPrenos(s.M, Gc, Hc, q, v);
    racionalni(q, s.E.get(), n, D);
    fmpz_pow_ui(jmenovatel.get(), s.E.get(), static_cast<unsigned long>(n - 1));
    fmpz_mul(jmenovatel.get(), jmenovatel.get(), dG.get());
    fmpz_mul(jmenovatel.get(), jmenovatel.get(), dH.get());
    fmpq_poly_set_fmpz_poly(B, vNasobku(v, s.E.get()).get());
    fmpq_poly_scalar_div_fmpz(B, B, jmenovatel.get());
    RacionalniPolynom primaVazba;
    fmpq_poly_scalar_mul_fmpq(primaVazba.get(), D, L.prvek(0, 0));
    fmpq_poly_add(B, B, primaVazba.get());
}

void citatelLemmatem(RacionalniMatice& F, RacionalniMatice& G, RacionalniMatice& H, RacionalniMatice& L,
                     fmpq_poly_t D, fmpq_poly_t B) {
    citatelJednohoKanalu(CelaSoustava(F), G, H, L, D, B);
}

namespace {

// A = det(zI - F) as a 1 x 1 block, B (outputs x inputs).
std::string naVnejsi(const std::vector<PresnaMatice>& b) {
    const long n = b[0].get_rows(), vstupy = b[1].get_columns(), vystupy = b[2].get_rows();
    RacionalniMatice F(n, n), G(n, vstupy), H(vystupy, n), L(vystupy, vstupy);
    nactiMatici(F, b[0], 0);
    nactiMatici(G, b[1], 0);
    nactiMatici(H, b[2], 0);
    nactiMatici(L, b[3], 0);
    const CelaSoustava soustava(F);
    if (jmenovatelMimoRozsah(soustava)) return std::string(1, zadani::CHYBA) + MIMO_ROZSAH;
    RacionalniPolynom D, B11;
    const bool jedenKanal = n > MAX_RAD_ADJUNGOVANE_PREVODU && vstupy == 1 && vystupy == 1;
    std::vector<std::unique_ptr<RacionalniMatice>> koeficienty;
    std::vector<RacionalniMatice*> Bk;
    if (jedenKanal) {
        citatelJednohoKanalu(soustava, G, H, L, D.get(), B11.get());
    } else {
        racionalni(charakteristickyCelociselny(soustava.M), soustava.E.get(), n, D.get());
        for (long k = 0; k <= n; ++k) {
            koeficienty.push_back(std::make_unique<RacionalniMatice>(vystupy, vstupy));
            Bk.push_back(koeficienty.back().get());
        }
        citateleAdjungovanou(F, G, H, L, D.get(), Bk);
    }

    Vysledek vysledek;
    PresnaMatice A;
    A.novyTvar(1, 1);
    A.pridejPrvek(vysledek.polynom(D.get()));
    vysledek.pridejBlok(std::move(A));
    PresnaMatice B;
    B.novyTvar(static_cast<int>(vystupy), static_cast<int>(vstupy));
    for (long i = 0; i < vystupy; ++i)
        for (long j = 0; j < vstupy; ++j) {
            B.pridejPrvek(jedenKanal ? vysledek.polynom(B11.get()) : vysledek.polynom(Bk, i, j));
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
