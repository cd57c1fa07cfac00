#include "ModulCharakteristicky.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include <flint/ulong_extras.h>

#include "ModulHessenberg.h"

namespace {

// Every prime of the transfer function lies above 2^62: k of them have a product above
// 2^(62 k). Those of the characteristic polynomial lie below 2^28 (the lanes of
// ModulHessenberg.h).
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

// A b with x < 2^b: the exponent of x (m 2^(e - MAG_BITS) with m < 2^MAG_BITS), 0 for x = 0.
long bitu(mag_srcptr x) { return mag_is_zero(x) ? 0 : fmpz_get_si(MAG_EXPREF(x)); }

std::vector<std::unique_ptr<ModularniPolynom>> pripravene(const std::vector<mp_limb_t>& prvocisla) {
    std::vector<std::unique_ptr<ModularniPolynom>> polynomy;
    for (mp_limb_t p : prvocisla) polynomy.push_back(std::make_unique<ModularniPolynom>(p));
    return polynomy;
}

// det(wI - M) modulo p.
void charakteristickyModulo(const CelaMatice& M, ModularniPolynom& q) {
    const long n = M.radku();
    const mp_limb_t p = q.get()->mod.n;
    std::vector<mp_limb_t> A(static_cast<std::size_t>(n * n));
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < n; ++j) A[static_cast<std::size_t>(i * n + j)] = fmpz_fdiv_ui(M.prvek(i, j), p);
    charakteristickyPolynomModP(q.get(), A, n, q.get()->mod);
}

// The entries of an integer row or column modulo p.
std::vector<mp_limb_t> vektorModulo(const CelaMatice& v, mp_limb_t p) {
    std::vector<mp_limb_t> zbytky;
    for (long i = 0; i < v.radku(); ++i)
        for (long j = 0; j < v.sloupcu(); ++j) zbytky.push_back(fmpz_fdiv_ui(v.prvek(i, j), p));
    return zbytky;
}

// y = A x modulo p, over the non-zero entries only where they are few (a sparse F, such as
// a permutation, would otherwise cost a full product per power).
class NasobeniModulo {
    ModularniMatice& A;
    std::vector<std::vector<std::pair<long, mp_limb_t>>> radky;
    bool ridka = false;

public:
    explicit NasobeniModulo(ModularniMatice& A) : A(A) {
        const long n = A.get()->r;
        long nenulovych = 0;
        for (long i = 0; i < n; ++i)
            for (long j = 0; j < n; ++j) nenulovych += nmod_mat_entry(A.get(), i, j) != 0;
        ridka = 4 * nenulovych <= n * n;
        if (!ridka) return;
        radky.resize(static_cast<std::size_t>(n));
        for (long i = 0; i < n; ++i)
            for (long j = 0; j < n; ++j)
                if (nmod_mat_entry(A.get(), i, j) != 0) radky[static_cast<std::size_t>(i)].push_back({j, nmod_mat_entry(A.get(), i, j)});
    }
    void operator()(std::vector<mp_limb_t>& y, const std::vector<mp_limb_t>& x) const {
        if (!ridka) {
            nmod_mat_mul_nmod_vec(y.data(), A.get(), x.data(), static_cast<long>(x.size()));
            return;
        }
        const nmod_t modul = A.get()->mod;
        for (std::size_t i = 0; i < radky.size(); ++i) {
            mp_limb_t soucet = 0;
            for (const auto& prvek : radky[i]) soucet = nmod_add(soucet, nmod_mul(prvek.second, x[static_cast<std::size_t>(prvek.first)], modul), modul);
            y[i] = soucet;
        }
    }
};

// v = H adj(wI - M) G modulo p from q = det(wI - M) = sum a_i w^i: by Cayley-Hamilton
// adj(wI - M) = sum_j w^j sum_(k <= n-1-j) a_(j+1+k) M^k, so with the Markov parameters
// h_k = H M^k G, v_j = sum_(k <= n-1-j) a_(j+1+k) h_k. n products of M by a vector, which
// cost less than a second characteristic polynomial.
void vazbaModulo(ModularniMatice& A, const ModularniPolynom& q, const CelaMatice& G, const CelaMatice& H,
                 ModularniPolynom& v) {
    const nmod_t modul = A.get()->mod;
    const long n = A.get()->r;
    std::vector<mp_limb_t> x = vektorModulo(G, modul.n), dalsi(static_cast<std::size_t>(n));
    const std::vector<mp_limb_t> h = vektorModulo(H, modul.n);
    std::vector<mp_limb_t> markov(static_cast<std::size_t>(n));
    const int limbu = _nmod_vec_dot_bound_limbs(n, modul);
    const NasobeniModulo krat(A);
    for (long k = 0; k < n; ++k) {
        markov[static_cast<std::size_t>(k)] = _nmod_vec_dot(h.data(), x.data(), n, modul, limbu);
        if (k + 1 == n) break;
        krat(dalsi, x);
        x.swap(dalsi);
    }
    nmod_poly_zero(v.get());
    for (long j = 0; j < n; ++j) {
        mp_limb_t soucet = 0;
        for (long k = 0; k + j + 1 <= n; ++k)
            soucet = nmod_add(soucet, nmod_mul(nmod_poly_get_coeff_ui(q.get(), j + 1 + k), markov[static_cast<std::size_t>(k)], modul), modul);
        nmod_poly_set_coeff_ui(v.get(), j, soucet);
    }
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

// Primes below 2^28, from the largest down, until their product reaches 2^bituVysledku: the
// product itself is counted, since each of them carries almost 28 bits, not the 27 that
// bound them from below.
std::vector<mp_limb_t> malaPrvocislaNa(long bituVysledku) {
    std::vector<mp_limb_t> prvocisla;
    CeleCislo soucin(1);
    std::uint32_t p = MEZ_PRVOCISEL;
    while (static_cast<long>(fmpz_bits(soucin.get())) <= bituVysledku) {
        p = prvocisloPod(p);
        prvocisla.push_back(p);
        fmpz_mul_ui(soucin.get(), soucin.get(), p);
    }
    return prvocisla;
}

// e_j of the row (or column) norms of M, or, for M = R + c 1 1^T with c the integer nearest
// the mean entry, e_j(r_R) + |c| j (n - j + 1) e_(j-1)(r_R) over the norms r_R of R: by the
// matrix determinant lemma det(M_S) = det(R_S) + c 1^T adj(R_S) 1, Hadamard's inequality
// bounds each of the j^2 cofactors of R_S in row k by the product of the other rows' norms,
// and summed over all S of j rows each product of j - 1 norms appears n - j + 1 times. A
// matrix of positive entries (random digits) has one large eigenvalue that the plain bound
// pays for in every row.
void mezeJedne(const CelaMatice& M, bool poRadcich, bool posunute, HorniMeze& e) {
    const long n = M.radku();
    CeleCislo c;
    if (posunute) {
        for (long i = 0; i < n; ++i)
            for (long j = 0; j < n; ++j) fmpz_add(c.get(), c.get(), M.prvek(i, j));
        CeleCislo polovina, pocet(n * n);
        fmpz_fdiv_q_2exp(polovina.get(), pocet.get(), 1);
        fmpz_add(c.get(), c.get(), polovina.get());
        fmpz_fdiv_q(c.get(), c.get(), pocet.get());
    }
    CelaMatice R(n, n);
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < n; ++j) fmpz_sub(R.prvek(i, j), M.prvek(i, j), c.get());
    HorniMeze r(n), eR(n + 1);
    HorniMez posun;
    normy(R, poRadcich, r);
    symetricke(r, n, eR);
    CeleCislo vaha;
    fmpz_abs(vaha.get(), c.get());
    mag_set_fmpz(posun.get(), vaha.get());
    mag_set(e[0], eR[0]);
    for (long j = 1; j <= n; ++j) {
        mag_mul(e[j], posun.get(), eR[j - 1]);
        mag_mul_ui(e[j], e[j], static_cast<unsigned long>(j * (n - j + 1)));
        mag_add(e[j], e[j], eR[j]);
    }
}

// The smallest of the bounds over rows and columns, plain and shifted by the mean.
void mezeMinor(const CelaMatice& M, HorniMeze& e) {
    const long n = M.radku();
    HorniMeze dalsi(n + 1);
    mezeJedne(M, true, false, e);
    for (const bool poRadcich : {true, false})
        for (const bool posunute : {false, true}) {
            if (poRadcich && !posunute) continue;
            mezeJedne(M, poRadcich, posunute, dalsi);
            for (long j = 0; j <= n; ++j) mag_min(e[j], e[j], dalsi[j]);
        }
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

// The strongly connected components of the graph with an edge i -> j for every non-zero
// M_ij off the diagonal (Tarjan): ordered by them, M is block triangular, and det(wI - M) is
// the product of the characteristic polynomials of the diagonal blocks.
class Komponenty {
    const CelaMatice& M;
    std::vector<long> poradi, nejnizsi, zasobnik;
    std::vector<bool> naZasobniku;
    long citac = 0;

    void navstiv(long i) {
        poradi[static_cast<std::size_t>(i)] = nejnizsi[static_cast<std::size_t>(i)] = citac++;
        zasobnik.push_back(i);
        naZasobniku[static_cast<std::size_t>(i)] = true;
        for (long j = 0; j < M.radku(); ++j) {
            if (j == i || fmpz_is_zero(M.prvek(i, j))) continue;
            if (poradi[static_cast<std::size_t>(j)] < 0) {
                navstiv(j);
                nejnizsi[static_cast<std::size_t>(i)] = std::min(nejnizsi[static_cast<std::size_t>(i)], nejnizsi[static_cast<std::size_t>(j)]);
            } else if (naZasobniku[static_cast<std::size_t>(j)]) {
                nejnizsi[static_cast<std::size_t>(i)] = std::min(nejnizsi[static_cast<std::size_t>(i)], poradi[static_cast<std::size_t>(j)]);
            }
        }
        if (nejnizsi[static_cast<std::size_t>(i)] != poradi[static_cast<std::size_t>(i)]) return;
        seznam.emplace_back();
        long j;
        do {
            j = zasobnik.back();
            zasobnik.pop_back();
            naZasobniku[static_cast<std::size_t>(j)] = false;
            seznam.back().push_back(j);
        } while (j != i);
    }

public:
    std::vector<std::vector<long>> seznam;

    explicit Komponenty(const CelaMatice& M)
        : M(M), poradi(static_cast<std::size_t>(M.radku()), -1), nejnizsi(static_cast<std::size_t>(M.radku())),
          naZasobniku(static_cast<std::size_t>(M.radku()), false) {
        for (long i = 0; i < M.radku(); ++i)
            if (poradi[static_cast<std::size_t>(i)] < 0) navstiv(i);
    }
};

// det(wI - M) of a matrix whose graph is strongly connected.
CelyPolynom charakteristickySouvisly(const CelaMatice& M) {
    const long n = M.radku();
    if (n == 1) {
        CelyPolynom q = CelyPolynom::zCelych({0, 1});
        fmpz_neg(q.get()->coeffs, M.prvek(0, 0));
        return q;
    }
    // One bit for the sign of the symmetric residues.
    const std::vector<mp_limb_t> prvocisla = malaPrvocislaNa(nejvic(mezeCharakteristickeho(M)) + 1);
    const std::vector<std::unique_ptr<ModularniPolynom>> zbytky = pripravene(prvocisla);
    poPrvocislech(prvocisla.size(), n, [&](std::size_t k) {
        charakteristickyModulo(M, *zbytky[k]);
    });
    Skladani q;
    for (const auto& z : zbytky) q.pridej(*z);
    return q.hodnota();
}

}  // namespace

void poPrvocislech(std::size_t prvocisel, long n, const std::function<void(std::size_t)>& uloha) {
    auto pocitej = [&](std::size_t od, std::size_t krok) {
        for (std::size_t k = od; k < prvocisel; k += krok) uloha(k);
    };
    if (prvocisel < 2 || n < RAD_PRO_VLAKNA) {
        pocitej(0, 1);
        return;
    }
    std::exception_ptr chybaDruheho;
    std::thread druhe;
    try {
        druhe = std::thread([&] {
            try {
                pocitej(1, 2);
            } catch (...) {
                chybaDruheho = std::current_exception();
            }
            flint_cleanup();
        });
    } catch (const std::system_error&) {
        pocitej(0, 1);  // no second thread to be had
        return;
    }
    try {
        pocitej(0, 2);
    } catch (...) {
        druhe.join();
        throw;
    }
    druhe.join();
    if (chybaDruheho) std::rethrow_exception(chybaDruheho);
}

void charakteristickyPolynomModP(nmod_poly_t det, const std::vector<mp_limb_t>& A, long n, nmod_t mod) {
    std::vector<std::uint32_t> A32(A.begin(), A.end());
    const std::vector<std::uint32_t> q = charakteristickyModP(A32, n, static_cast<std::uint32_t>(mod.n));
    nmod_poly_fit_length(det, n + 1);
    for (long k = 0; k <= n; ++k) nmod_poly_set_coeff_ui(det, k, q[static_cast<std::size_t>(k)]);
}

std::vector<long> mezeCharakteristickeho(const CelaMatice& M) {
    const long n = M.radku();
    HorniMeze e(n + 1);
    mezeMinor(M, e);
    std::vector<long> meze;
    for (long j = 0; j <= n; ++j) meze.push_back(bitu(e[j]));
    return meze;
}

namespace {

// The last matrix and its characteristic polynomial. A Poly report with the zeros or the gain
// of a single-channel state space asks the module for the poles of F and then for its transfer
// function: the second call takes the polynomial from here instead of computing it again.
class PosledniCharakteristicky {
    std::mutex zamek;
    std::unique_ptr<CelaMatice> matice;
    CelyPolynom polynom;

public:
    bool najdi(const CelaMatice& M, CelyPolynom& q) {
        const std::lock_guard<std::mutex> zamceno(zamek);
        if (!matice || matice->radku() != M.radku() || !fmpz_mat_equal(matice->get(), M.get())) return false;
        q = polynom;
        return true;
    }
    void zapamatuj(const CelaMatice& M, const CelyPolynom& q) {
        auto kopie = std::make_unique<CelaMatice>(M.radku(), M.sloupcu());
        fmpz_mat_set(kopie->get(), M.get());
        const std::lock_guard<std::mutex> zamceno(zamek);
        matice = std::move(kopie);
        polynom = q;
    }
};

PosledniCharakteristicky posledni;

// det(wI - M) over the strongly connected parts of M.
CelyPolynom charakteristickyPoKomponentach(const CelaMatice& M) {
    const Komponenty komponenty(M);
    if (komponenty.seznam.size() == 1) return charakteristickySouvisly(M);
    CelyPolynom q = CelyPolynom::zCelych({1});
    for (const std::vector<long>& indexy : komponenty.seznam) {
        const long m = static_cast<long>(indexy.size());
        CelaMatice blok(m, m);
        for (long i = 0; i < m; ++i)
            for (long j = 0; j < m; ++j)
                fmpz_set(blok.prvek(i, j), M.prvek(indexy[static_cast<std::size_t>(i)], indexy[static_cast<std::size_t>(j)]));
        fmpz_poly_mul(q.get(), q.get(), charakteristickySouvisly(blok).get());
    }
    return q;
}

}  // namespace

CelyPolynom charakteristickyCelociselny(const CelaMatice& M) {
    CelyPolynom q;
    if (posledni.najdi(M, q)) return q;
    q = charakteristickyPoKomponentach(M);
    posledni.zapamatuj(M, q);
    return q;
}

void charakteristickyAPrenos(const CelaMatice& M, const CelaMatice& G, const CelaMatice& H, CelyPolynom& q,
                             CelyPolynom& v) {
    const long n = M.radku();
    if (n == 0) {
        q = CelyPolynom::zCelych({1});
        v = CelyPolynom();
        return;
    }
    q = charakteristickyCelociselny(M);
    const long bituVazby = nejvic(mezeCharakteristickeho(M)) + bituNormy1(G) + bituNormy1(H);
    const std::vector<mp_limb_t> prvocisla = prvocislaNa(bituVazby + 1);
    const std::vector<std::unique_ptr<ModularniPolynom>> zbytky = pripravene(prvocisla);
    poPrvocislech(prvocisla.size(), n, [&](std::size_t k) {
        ModularniMatice A(n, n, prvocisla[k]);
        fmpz_mat_get_nmod_mat(A.get(), M.get());
        ModularniPolynom qModulo(prvocisla[k]);
        fmpz_poly_get_nmod_poly(qModulo.get(), q.get());
        vazbaModulo(A, qModulo, G, H, *zbytky[k]);
    });
    Skladani skladaneV;
    for (const auto& z : zbytky) skladaneV.pridej(*z);
    v = skladaneV.hodnota();
}
