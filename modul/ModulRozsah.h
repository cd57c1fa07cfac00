#ifndef MODULROZSAH_H
#define MODULROZSAH_H

#include <arb.h>

#include "JisteBody.h"
#include "ModulObaly.h"

// The ends of a ball as doubles rounded outward, so that the interval holds every value of the
// ball; nan for a ball that is not finite.
inline Rozsah rozsahKoule(const arb_t x) {
    if (!arb_is_finite(x)) return {};
    BinarniCislo a;
    arb_get_lbound_arf(a.get(), x, 53);
    const double dolni = arf_get_d(a.get(), ARF_RND_FLOOR);
    arb_get_ubound_arf(a.get(), x, 53);
    const double horni = arf_get_d(a.get(), ARF_RND_CEIL);
    return {dolni, horni};
}

#endif
