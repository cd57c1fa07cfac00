#ifndef ZAPISSYSTEMU_H
#define ZAPISSYSTEMU_H

#include <ostream>

class CLDDS_Stav_SISO;
class CLDDS_Stav_MIMO;
class CLDDS_Vnejsi_SISO;
class CLDDS_Vnejsi_MIMO;

// Labelled system files written after a conversion: "F:", "G:", "H:", "L:", "x0:" or "B:",
// "A:" above the values, each value with the decimals of the text forms unless they would
// change it. A failed stream raises vyjm::FileError.
void zapisDatDoSouboruStav(std::ostream& fileOut, CLDDS_Stav_SISO& stavSISO);
void zapisDatDoSouboruStav(std::ostream& fileOut, CLDDS_Stav_MIMO& stavMIMO);
void zapisDatDoSouboruVnejsi(std::ostream& fileOut, CLDDS_Vnejsi_SISO& vnejsiSISO);
void zapisDatDoSouboruVnejsi(std::ostream& fileOut, CLDDS_Vnejsi_MIMO& vnejsiMIMO);

#endif
