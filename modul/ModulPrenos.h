#ifndef MODULPRENOS_H
#define MODULPRENOS_H

#include <map>
#include <set>
#include <memory>
#include <utility>
#include <vector>

#include <acb.h>

#include "ModulAritmetika.h"
#include "ModulObaly.h"
#include "ModulPolMrizky.h"
#include "PresnaMatice.h"

// The transfer function of one output/input pair in lowest terms: N / D with D monic (N = 0,
// D = 1 for a pair that is identically zero).
struct PrenosDvojice {
    RacionalniPolynom N;
    RacionalniPolynom D;
};

// A system exactly as written: state space F, G, H, L (four blocks) or the matrix fraction
// A(z)^-1 B(z) (two blocks A, B; B(z)/A(z) as 1 x 1 blocks).
class PresnySystem {
    std::vector<PresnaMatice> bloky;
    std::map<std::pair<long, long>, std::unique_ptr<PrenosDvojice>> prenosy;
    // Balls of (zI - F)^-1 G by grid point and precision (state space of many states).
    std::map<std::pair<long, long>, std::unique_ptr<KomplexniMatice>> reseni;
    // z = -1 exactly (state space): the values L + H (-I - F)^-1 G, or the null vectors of
    // -I - F and its transpose when it is singular of rank n - 1.
    struct MinusJedna;
    std::unique_ptr<MinusJedna> minusJedna;
    // det(zI - F) (state space), and per order q what ModulPolMrizky tells of the poles.
    std::unique_ptr<RacionalniPolynom> charakteristicky;
    std::map<long, std::unique_ptr<StopaPolu>> stopy;
    // Grid points and precisions where the ball solve could not show zI - F regular.
    std::set<std::pair<long, long>> neregularni;

    void prenosyStavu(long o, long i);
    void prenosZlomku(long o, long i);
    // H_oi(z) of a matrix fraction by the solve of A(z) x = B_i(z); false when the balls
    // cannot tell A(z) from singular.
    bool hodnotaResenim(acb_t h, long o, long i, const acb_t z, long presnost) const;
    // The same for state space: L + H (zI - F)^-1 G at grid point k, one solve for all pairs.
    bool hodnotaStavu(acb_t h, long o, long i, long k, const acb_t z, long presnost);

public:
    // False from platny() when the blocks are neither of the two forms.
    explicit PresnySystem(std::vector<PresnaMatice> bloky);
    bool platny() const;
    bool stavovy() const { return bloky.size() == 4; }
    long vystupu() const;
    long vstupu() const;

    // The exact transfer function of pair (o, i), computed on first use: for state space
    // D = det(zI - F) and the numerators of H adj(zI - F) G + L D (ModulPrevod), for a matrix
    // fraction by Cramer's rule, det of A with column o replaced by column i of B over det A.
    PrenosDvojice& prenos(long o, long i);
    ~PresnySystem();

    // H_oi at grid point k (z = z_k) in ball arithmetic of `presnost` bits: N(z) / D(z) for a
    // transfer function or a state space of at most 16 states; for a matrix fraction of several
    // outputs and a larger state space the solve of A(z) x = B_i(z) or (zI - F) x = G, where the
    // balls show the matrix regular, the transfer function where not.
    void hodnota(acb_t h, long o, long i, long k, const acb_t z, long presnost);

    // True when pair (o, i) of a state space certainly has a pole at the primitive q-th roots
    // of unity: det(zI - F) divisible by Phi_q (exactly) and the numerator's image modulo a
    // prime nonzero (ModulPolMrizky.h). False when this does not tell.
    bool jistyPol(long o, long i, long q);

    // Pair (o, i) of a state space at z = -1, exactly: 1 with the value in h when -I - F is
    // regular, or -1 a simple eigenvalue that the pair does not see; 2 for a pole (-I - F of
    // rank n - 1 and its null vectors u, w^T with (H_o u)(w^T G_i) != 0, so that
    // H_o adj(-I - F) G_i != 0); 0 when this does not decide.
    int vMinusJedne(long o, long i, fmpq_t h);
};

#endif
