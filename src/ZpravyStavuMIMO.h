#ifndef ZPRAVYSTAVUMIMO_H
#define ZPRAVYSTAVUMIMO_H

// Messages of the shape checks of a state-space MIMO system that the reader of state-space
// files gives too, when it stops at the first row of a block that the blocks before it rule
// out: the same condition is reported in the same words whether the reader or the class
// finds it.
namespace zpravyStavuMIMO {
constexpr const char* VSTUPY_A_VYSTUPY = "Vstupy a vystupy u stavoveho popisu nejsou stejne\n";
constexpr const char* F_NENI_CTVERCOVA = "Matice F neni ctvercova\n";
constexpr const char* RADKY_F_A_G = "Matice F nema stejny pocet radku jako Matice G radku\n";
constexpr const char* RADKY_L_A_H = "Matice L nema stejny pocet radku jako Matice H radku\n";
}  // namespace zpravyStavuMIMO

#endif
