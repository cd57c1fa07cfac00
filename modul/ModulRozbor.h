#ifndef MODULROZBOR_H
#define MODULROZBOR_H

#include <memory>
#include <string>
#include <vector>

#include "ModulAritmetika.h"
#include "ModulKruznice.h"

// The exact structure of the roots of an integer polynomial, computed once and shared by the
// stability verdict and the pole listing: the roots at 0, the square-free factorisation, and
// each factor split by the unit circle with its roots on the circle counted.
struct CinitelPolu {
    CelyPolynom s;             // square-free, without roots at 0
    long nasobnost = 1;        // of every root of s in the polynomial
    RozdeleniKruznici casti;   // s = (z - 1)^[jedna] (z + 1)^[minusJedna] g h
    CelyPolynom stopa;         // G with g(z) = z^m G(z + 1/z)
    long naKruznici = 0;       // roots of g on the circle: twice the real roots of G in (-2, 2)
};

struct RozborPolu {
    bool nulovy = false;  // the zero polynomial, which has no finite set of roots
    long nuly = 0;        // the multiplicity of the root 0
    std::vector<CinitelPolu> cinitele;
};

RozborPolu rozeber(const CelyPolynom& p);

// The analysis of the pole polynomial of a task (the text form of ZadaniPresnosti.h, one
// block, its kind as for stability): null when the task cannot be read. The module keeps the
// last one, since a report asks for the verdict and then for the poles of the same system.
std::shared_ptr<const RozborPolu> rozborZadani(const std::string& zadani);

#endif
