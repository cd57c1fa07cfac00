#ifndef MODULPOLMRIZKY_H
#define MODULPOLMRIZKY_H

#include <flint/flint.h>

#include <vector>

#include "PresnaMatice.h"

// Which output/input pairs of a state space (F, G, H exactly as written) certainly have a pole
// at the primitive q-th roots of unity zeta, without their transfer functions. Modulo a prime
// p = 1 (mod q), where Phi_q splits and zeta maps to a root zeta_p of order q, the null spaces
// of zeta_p I - F and of its transpose are computed; when both are lines (u, w),
// adj(zeta_p I - F) = c u w^T with c != 0. As the adjugate is a polynomial in the entries,
// H_o adj(zeta_p I - F) G_i = c (H_o u) (w^T G_i) is the image of H_o adj(zeta I - F) G_i in
// Z[zeta, 1/d] -> Z/pZ, so both factors nonzero prove that numerator nonzero in Q(zeta); with
// det(zeta I - F) = 0 (the caller's exact test) the pair's H = N / det has a pole at zeta.
struct StopaPolu {
    std::vector<mp_limb_t> Hu;  // per output, H_o u mod p; empty when this tells nothing
    std::vector<mp_limb_t> wG;  // per input, w^T G_i mod p
};
StopaPolu stopaPolu(const PresnaMatice& F, const PresnaMatice& G, const PresnaMatice& H, long q);

#endif
