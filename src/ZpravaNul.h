#ifndef ZPRAVANUL_H
#define ZPRAVANUL_H

#include <ostream>

#include "System.h"

// The sections of the Poly report that the options --nuly and --zesileni ask for, written
// after the poles and decided exactly for the values as written (module of exact arithmetic).
//
// Zeros: "Nuly systemu: realna cast;imaginarni cast;velikost;nasobnost;poloha" and one line
// per distinct zero in the form of a pole line, sorted like the poles; or the single line
// "Nuly systemu: nejsou urceny, <reason>" when their polynomial is identically zero.
// Static gain: "Staticke zesileni: vystup/vstup;hodnota" and one line "yO/uI;value" per output
// O and input I (each output's inputs in turn), the value the nearest double of H(1), `inf` or
// `-inf` where a pole at z = 1 remains after cancellation.
void zapisNulyAZesileni(std::ostream& f, const CLDDS& system, bool nuly, bool zesileni);

// The most inputs (and outputs) of a MIMO system whose static gain, or whose zeros in state
// space (a system matrix of order states + inputs), are computed: 16, 256 pairs. The zeros of
// a VnejsiMIMO system have the capacity of its poles, det B being no larger than det A.
constexpr int MAX_VSTUPU_NUL = 16;

// Refuses (vyjm::ArgumentError) what the options ask of a system beyond that limit, before
// any computation.
void kontrolaNulAZesileni(const CLDDS& system, bool nuly, bool zesileni);

#endif
