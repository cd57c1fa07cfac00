#include "ModulPolMrizky.h"

#include <flint/nmod_mat.h>
#include <flint/ulong_extras.h>

#include "ModulAritmetika.h"
#include "ModulObaly.h"

namespace {

// A prime p = 1 (mod q) below 2^62 (nmod_mat works with any one-word modulus).
mp_limb_t prvocislo(long q) {
    mp_limb_t p = (UWORD(1) << 62) / static_cast<mp_limb_t>(q) * static_cast<mp_limb_t>(q) + 1;
    while (!n_is_prime(p)) p -= static_cast<mp_limb_t>(q);
    return p;
}

// A root of order exactly q modulo p (q = 2^a 5^b: of order q unless a power q / 2 or q / 5 is 1).
mp_limb_t koren(long q, mp_limb_t p) {
    for (mp_limb_t g = 2;; ++g) {
        const mp_limb_t z = n_powmod2(g, (p - 1) / static_cast<mp_limb_t>(q), p);
        bool primitivni = true;
        for (const long d : {2L, 5L})
            if (q % d == 0 && n_powmod2(z, static_cast<mp_limb_t>(q / d), p) == 1) primitivni = false;
        if (primitivni) return z;
    }
}

// x mod p for a rational x whose denominator p does not divide (one of 10^k and 2^k).
mp_limb_t modulo(const fmpq_t x, mp_limb_t p, nmod_t mod) {
    const mp_limb_t citatel = fmpz_fdiv_ui(fmpq_numref(x), p), jmenovatel = fmpz_fdiv_ui(fmpq_denref(x), p);
    return nmod_mul(citatel, n_invmod(jmenovatel, p), mod);
}

void nactiModulo(const PresnaMatice& A, ModularniMatice& M, mp_limb_t p, nmod_t mod) {
    RacionalniMatice Q(A.get_rows(), A.get_columns());
    nactiMatici(Q, A, 0);
    for (long r = 0; r < A.get_rows(); ++r)
        for (long c = 0; c < A.get_columns(); ++c) nmod_mat_entry(M.get(), r, c) = modulo(Q.prvek(r, c), p, mod);
}

// The one vector spanning the null space of A (as a column), false when it is not a line.
bool primka(const nmod_mat_t A, std::vector<mp_limb_t>& v) {
    const long n = nmod_mat_ncols(A);
    ModularniMatice jadro(n, n, A->mod.n);
    ModularniMatice kopie(nmod_mat_nrows(A), n, A->mod.n);
    nmod_mat_set(kopie.get(), A);
    if (nmod_mat_nullspace(jadro.get(), kopie.get()) != 1) return false;
    v.resize(static_cast<std::size_t>(n));
    for (long r = 0; r < n; ++r) v[static_cast<std::size_t>(r)] = nmod_mat_entry(jadro.get(), r, 0);
    return true;
}

}  // namespace

StopaPolu stopaPolu(const PresnaMatice& F, const PresnaMatice& G, const PresnaMatice& H, long q) {
    const long n = F.get_rows(), l = G.get_columns(), m = H.get_rows();
    const mp_limb_t p = prvocislo(q);
    nmod_t mod;
    nmod_init(&mod, p);
    ModularniMatice M(n, n, p), Mt(n, n, p), Gp(n, l, p), Hp(m, n, p);
    nactiModulo(F, M, p, mod);
    nactiModulo(G, Gp, p, mod);
    nactiModulo(H, Hp, p, mod);
    const mp_limb_t z = koren(q, p);
    // zeta_p I - F
    for (long r = 0; r < n; ++r)
        for (long c = 0; c < n; ++c) nmod_mat_entry(M.get(), r, c) = nmod_neg(nmod_mat_entry(M.get(), r, c), mod);
    for (long r = 0; r < n; ++r) nmod_mat_entry(M.get(), r, r) = nmod_add(nmod_mat_entry(M.get(), r, r), z, mod);
    nmod_mat_transpose(Mt.get(), M.get());
    std::vector<mp_limb_t> u, w;
    StopaPolu s;
    if (!primka(M.get(), u) || !primka(Mt.get(), w)) return s;
    s.Hu.assign(static_cast<std::size_t>(m), 0);
    s.wG.assign(static_cast<std::size_t>(l), 0);
    for (long o = 0; o < m; ++o)
        for (long j = 0; j < n; ++j)
            s.Hu[static_cast<std::size_t>(o)] =
                nmod_add(s.Hu[static_cast<std::size_t>(o)], nmod_mul(nmod_mat_entry(Hp.get(), o, j), u[static_cast<std::size_t>(j)], mod), mod);
    for (long i = 0; i < l; ++i)
        for (long j = 0; j < n; ++j)
            s.wG[static_cast<std::size_t>(i)] =
                nmod_add(s.wG[static_cast<std::size_t>(i)], nmod_mul(w[static_cast<std::size_t>(j)], nmod_mat_entry(Gp.get(), j, i), mod), mod);
    return s;
}
