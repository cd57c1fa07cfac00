#ifndef MODULPRENOS_H
#define MODULPRENOS_H

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include <acb.h>

#include "ModulAritmetika.h"
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

    void prenosyStavu(long o, long i);
    void prenosZlomku(long o, long i);
    // H_oi(z) of a matrix fraction by the solve of A(z) x = B_i(z); false when the balls
    // cannot tell A(z) from singular.
    bool hodnotaResenim(acb_t h, long o, long i, const acb_t z, long presnost) const;

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
    // H_oi(z) in ball arithmetic of `presnost` bits: N(z) / D(z), or for a matrix fraction of
    // several outputs the solve of A(z) x = B_i(z) where the balls show A(z) regular.
    void hodnota(acb_t h, long o, long i, const acb_t z, long presnost);
};

#endif
