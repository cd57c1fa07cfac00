#include "ZpravaPolu.h"

#include <algorithm>

#include "ConvertFunction.h"

std::string nazevPolohy(PolohaPolu poloha) {
    switch (poloha) {
        case PolohaPolu::Uvnitr: return "uvnitr";
        case PolohaPolu::NaKruznici: return "na kruznici";
        case PolohaPolu::Vne: return "vne";
    }
    return "";
}

void zapisRadekPolu(std::ostream& f, const Pol& p) {
    f << DoubleToStringNejkratsi(p.re) << ";" << DoubleToStringNejkratsi(p.im) << ";"
      << DoubleToStringNejkratsi(p.velikost) << ";" << p.nasobnost << ";" << nazevPolohy(p.poloha) << "\n";
}

void zapisPoly(std::ostream& f, const std::vector<Pol>& poly) {
    f << "Poly systemu: realna cast;imaginarni cast;velikost;nasobnost;poloha\n";
    double polomer = 0.0;
    for (const Pol& p : poly) {
        zapisRadekPolu(f, p);
        polomer = std::max(polomer, p.velikost);
    }
    f << "Spektralni polomer: " << DoubleToStringNejkratsi(polomer) << "\n";
}
