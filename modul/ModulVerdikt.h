#ifndef MODULVERDIKT_H
#define MODULVERDIKT_H

#include <string>

#include "ModulAritmetika.h"
#include "ModulKruhy.h"
#include "ModulRozbor.h"

// The exact stability verdict on the roots of an integer polynomial: true when no root lies
// outside the closed unit disc (a root of magnitude exactly 1 counts as inside, whatever its
// multiplicity). The zero polynomial has no finite set of roots and is never stable; a
// non-zero constant has no roots and is.
//
// Per square-free factor: the roots of g (the common divisor with the reversal) are on the
// circle or come in pairs z, 1/z, so g has none outside exactly when all roots of its trace
// polynomial are real and in (-2, 2) (counted by Sturm sequences); the roots of h have none on
// the circle and are placed by inclusion discs, else by isolation.
bool presnyVerdikt(const CelyPolynom& p);
bool verdiktRozboru(const RozborPolu& rozbor);

// Where the roots of h (no root on the unit circle) lie, by Arb's isolation refined until every
// ball lies clearly inside or outside the circle: VsechnyUvnitr or NektereVne.
PolohaKorenu polohaIzolaci(const CelyPolynom& h);

// The verdict on a stability task in the text form of ZadaniPresnosti.h: 1 stable, 0 not stable, -1
// when the task cannot be read (chyba then says why).
int presnyVerdiktZadani(const std::string& zadani, std::string& chyba);

#endif
