#ifndef ZPRAVAPOLU_H
#define ZPRAVAPOLU_H

#include <ostream>
#include <string>
#include <vector>

#include "PolSystemu.h"

// The word for a place: "uvnitr", "na kruznici" or "vne".
std::string nazevPolohy(PolohaPolu poloha);

// One line of a root: "re;im;|z|;multiplicity;place", the values as the shortest texts that
// read back as the same doubles (decimal point).
void zapisRadekPolu(std::ostream& f, const Pol& p);

// The body of the pole report: the header line
// "Poly systemu: realna cast;imaginarni cast;velikost;nasobnost;poloha", one line per distinct
// pole with its values as the shortest texts that read back as the same doubles (decimal
// point), its multiplicity and its place, then "Spektralni polomer: R", the largest
// magnitude (0 without poles).
void zapisPoly(std::ostream& f, const std::vector<Pol>& poly);

#endif
