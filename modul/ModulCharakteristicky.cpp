#include "ModulCharakteristicky.h"

#include <algorithm>
#include <memory>
#include <system_error>
#include <thread>

namespace {

// Every prime lies above 2^62, so k primes have a product above 2^(62 k).
const long BITU_PRVOCISLA = 62;
// Below this order one thread computes every residue: a second one costs more than it saves.
const long RAD_PRO_VLAKNA = 24;

// Upper bounds of the Euclidean norms of the rows (poRadcich) or columns of M.
void normy(const CelaMatice& M, bool poRadcich, HorniMeze& r) {
    const long n = M.radku();
    CeleCislo soucet, ctverec;
    for (long i = 0; i < n; ++i) {
        fmpz_zero(soucet.get());
        for (long j = 0; j < n; ++j) {
            const fmpz* x = poRadcich ? M.prvek(i, j) : M.prvek(j, i);
            fmpz_mul(ctverec.get(), x, x);
            fmpz_add(soucet.get(), soucet.get(), ctverec.get());
        }
        mag_set_fmpz(r[i], soucet.get());
        mag_sqrt(r[i], r[i]);
    }
}

// Upper bounds of e_0 ... e_n of the values bounded by r: the coefficients of prod (1 + r_i x),
// every operation rounded upwards.
void symetricke(const HorniMeze& r, long n, HorniMeze& e) {
    mag_one(e[0]);
    for (long j = 1; j <= n; ++j) mag_zero(e[j]);
    for (long i = 0; i < n; ++i)
        for (long j = i + 1; j >= 1; --j) mag_addmul(e[j], r[i], e[j - 1]);
}

// The least b with x < 2^b (0 for x = 0).
long bitu(mag_srcptr x) {
    CeleCislo strop;
    mag_get_fmpz(strop.get(), x);
    return static_cast<long>(fmpz_bits(strop.get()));
}

// The residues of det(wI - M) modulo the primes, for every matrix: vysledky[k * pocet + m] is
// that of matice[m] modulo prvocisla[k]. Two threads share the work when it is large.
std::vector<std::unique_ptr<ModularniPolynom>> zbytky(const std::vector<const CelaMatice*>& matice,
                                                      const std::vector<mp_limb_t>& prvocisla) {
    const std::size_t pocet = matice.size(), uloh = pocet * prvocisla.size();
    const long n = matice.front()->radku();
    std::vector<std::unique_ptr<ModularniPolynom>> vysledky(uloh);
    for (std::size_t u = 0; u < uloh; ++u) vysledky[u] = std::make_unique<ModularniPolynom>(prvocisla[u / pocet]);
    auto pocitej = [&](std::size_t od, std::size_t krok) {
        for (std::size_t u = od; u < uloh; u += krok) {
            ModularniMatice A(n, n, prvocisla[u / pocet]);
            fmpz_mat_get_nmod_mat(A.get(), matice[u % pocet]->get());
            nmod_mat_charpoly(vysledky[u]->get(), A.get());
        }
    };
    if (uloh < 2 || n < RAD_PRO_VLAKNA) {
        pocitej(0, 1);
        return vysledky;
    }
    try {
        std::thread druhe([&] {
            pocitej(1, 2);
            flint_cleanup();
        });
        pocitej(0, 2);
        druhe.join();
    } catch (const std::system_error&) {
        pocitej(0, 1);  // no second thread to be had
    }
    return vysledky;
}

std::vector<mp_limb_t> prvocislaNa(long bituVysledku) {
    std::vector<mp_limb_t> prvocisla;
    mp_limb_t p = UWORD(1) << BITU_PRVOCISLA;
    for (long pokryto = 0; pokryto < bituVysledku; pokryto += BITU_PRVOCISLA) {
        p = n_nextprime(p, 1);
        prvocisla.push_back(p);
    }
    return prvocisla;
}

// Puts the residues modulo successive primes together: symmetric residues modulo their
// product, which are the values themselves once the product exceeds twice their bound.
class Skladani {
    CelyPolynom vysledek;
    CeleCislo modul{1};

public:
    void pridej(const ModularniPolynom& zbytek) {
        if (fmpz_is_one(modul.get()))
            fmpz_poly_set_nmod_poly(vysledek.get(), zbytek.get());
        else
            fmpz_poly_CRT_ui(vysledek.get(), vysledek.get(), modul.get(), zbytek.get(), 1);
        fmpz_mul_ui(modul.get(), modul.get(), zbytek.get()->mod.n);
    }
    const CelyPolynom& hodnota() const { return vysledek; }
};

// Upper bounds of e_j over the row norms and over the column norms, the smaller of the two.
void mezeMinor(const CelaMatice& M, HorniMeze& e) {
    const long n = M.radku();
    HorniMeze r(n), eRadky(n + 1), eSloupce(n + 1);
    normy(M, true, r);
    symetricke(r, n, eRadky);
    normy(M, false, r);
    symetricke(r, n, eSloupce);
    for (long j = 0; j <= n; ++j) mag_min(e[j], eRadky[j], eSloupce[j]);
}

long nejvic(const std::vector<long>& meze) { return *std::max_element(meze.begin(), meze.end()); }

// Bits of the 1-norm of an integer vector (a row or a column).
long bituNormy1(const CelaMatice& v) {
    CeleCislo soucet, abs;
    for (long i = 0; i < v.radku(); ++i)
        for (long j = 0; j < v.sloupcu(); ++j) {
            fmpz_abs(abs.get(), v.prvek(i, j));
            fmpz_add(soucet.get(), soucet.get(), abs.get());
        }
    return static_cast<long>(fmpz_bits(soucet.get()));
}

}  // namespace

std::vector<long> mezeCharakteristickeho(const CelaMatice& M) {
    const long n = M.radku();
    HorniMeze e(n + 1);
    mezeMinor(M, e);
    std::vector<long> meze;
    for (long j = 0; j <= n; ++j) meze.push_back(bitu(e[j]));
    return meze;
}

CelyPolynom charakteristickyCelociselny(const CelaMatice& M) {
    if (M.radku() == 0) return CelyPolynom::zCelych({1});
    // One bit for the sign of the symmetric residues.
    const std::vector<mp_limb_t> prvocisla = prvocislaNa(nejvic(mezeCharakteristickeho(M)) + 1);
    const std::vector<std::unique_ptr<ModularniPolynom>> zbytek = zbytky({&M}, prvocisla);
    Skladani q;
    for (const auto& z : zbytek) q.pridej(*z);
    return q.hodnota();
}

void charakteristickyAVazba(const CelaMatice& M, const CelaMatice& G, const CelaMatice& H, CelyPolynom& q,
                            CelyPolynom& v) {
    const long n = M.radku();
    if (n == 0) {
        q = CelyPolynom::zCelych({1});
        v = CelyPolynom();
        return;
    }
    CelaMatice K(n, n), GH(n, n);
    fmpz_mat_mul(GH.get(), G.get(), H.get());
    fmpz_mat_sub(K.get(), M.get(), GH.get());
    const std::vector<long> meze = mezeCharakteristickeho(M);
    const long bituVazby = nejvic(meze) + bituNormy1(G) + bituNormy1(H);
    const std::vector<mp_limb_t> prvocisla = prvocislaNa(std::max(nejvic(meze), bituVazby) + 1);
    const std::vector<std::unique_ptr<ModularniPolynom>> zbytek = zbytky({&M, &K}, prvocisla);
    Skladani skladaneQ, skladaneV;
    for (std::size_t k = 0; k < prvocisla.size(); ++k) {
        ModularniPolynom rozdil(prvocisla[k]);
        nmod_poly_sub(rozdil.get(), zbytek[2 * k + 1]->get(), zbytek[2 * k]->get());
        skladaneQ.pridej(*zbytek[2 * k]);
        skladaneV.pridej(rozdil);
    }
    q = skladaneQ.hodnota();
    v = skladaneV.hodnota();
}
