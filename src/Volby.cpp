#include "Volby.h"

#include <algorithm>
#include <cstdlib>

#include "ConvertFunction.h"
#include "Vyjimky.h"

namespace {

const char* const KROKY = "--kroky";
const char* const VSTUP = "--vstup";
const char* const NULY = "--nuly";
const char* const ZESILENI = "--zesileni";
const char* const REZERVY = "--rezervy";

bool znamaVolba(const std::string& jmeno) {
    return jmeno == KROKY || jmeno == VSTUP || jmeno == NULY || jmeno == ZESILENI || jmeno == REZERVY;
}

bool jeVolba(const char* argument) { return argument[0] == '-' && argument[1] == '-' && argument[2] != '\0'; }

// A whole number in [od, do_] written in plain decimal digits; false otherwise.
bool celeCislo(const std::string& text, int od, int do_, int& hodnota) {
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const long cislo = std::strtol(text.c_str(), nullptr, 10);
    if (cislo < od || cislo > do_) return false;
    hodnota = static_cast<int>(cislo);
    return true;
}

bool anoNe(const std::string& jmeno, const std::string& hodnota) {
    if (hodnota == "ano") return true;
    if (hodnota == "ne") return false;
    throw vyjm::ArgumentError("Spatna hodnota volby " + jmeno + " ->" + hodnota + " Musi byt ano nebo ne\n");
}

void nastav(Volby& volby, const std::string& jmeno, const std::string& hodnota) {
    if (jmeno == KROKY) {
        if (!celeCislo(hodnota, 1, MAX_KROKU, volby.kroky))
            throw vyjm::ArgumentError("Spatna hodnota volby --kroky ->" + hodnota + " Musi byt cele cislo od 1 do " +
                                      IntToString(MAX_KROKU) + "\n");
    } else if (jmeno == VSTUP) {
        if (!celeCislo(hodnota, 1, 1000000, volby.vstup))
            throw vyjm::ArgumentError("Spatna hodnota volby --vstup ->" + hodnota +
                                      " Musi byt cislo vstupu systemu od 1\n");
    } else if (jmeno == NULY) {
        volby.nuly = anoNe(jmeno, hodnota);
    } else if (jmeno == ZESILENI) {
        volby.zesileni = anoNe(jmeno, hodnota);
    } else {
        volby.rezervy = anoNe(jmeno, hodnota);
    }
}

// The operations each option belongs to.
bool patriKOperaci(const std::string& jmeno, const std::string& operace) {
    if (jmeno == KROKY || jmeno == VSTUP) return operace == "Impulse" || operace == "Prechod";
    if (jmeno == NULY || jmeno == ZESILENI) return operace == "Poly";
    return operace == "Frekvence";
}

bool znamaOperace(const std::string& operace) {
    for (const char* znama : {"Stabilita", "Impulse", "Prechod", "Vystup", "PrevodNaStav", "PrevodNaVnejsi", "Poly",
                              "Frekvence"})
        if (operace == znama) return true;
    return false;
}

}  // namespace

bool Volby::zadana(const std::string& jmeno) const {
    return std::find(zadane.begin(), zadane.end(), jmeno) != zadane.end();
}

Volby oddelVolby(int argc, char* argv[], std::vector<char*>& zbytek) {
    Volby volby;
    int i = 1;
    for (; i < argc && jeVolba(argv[i]); i += 2) {
        const std::string jmeno = argv[i];
        if (!znamaVolba(jmeno)) throw vyjm::ArgumentError("Neznama volba ->" + jmeno + "\n");
        if (volby.zadana(jmeno)) throw vyjm::ArgumentError("Volba " + jmeno + " je zadana vicekrat\n");
        if (i + 1 >= argc) throw vyjm::ArgumentError("Volba " + jmeno + " nema hodnotu\n");
        nastav(volby, jmeno, argv[i + 1]);
        volby.zadane.push_back(jmeno);
    }
    zbytek.assign(1, argv[0]);
    for (; i < argc; ++i) {
        if (znamaVolba(argv[i])) {
            throw vyjm::ArgumentError("Volba " + std::string(argv[i]) + " musi stat pred druhem systemu\n");
        }
        zbytek.push_back(argv[i]);
    }
    zbytek.push_back(nullptr);
    return volby;
}

void kontrolaVoleb(const Volby& volby, const std::string& operace, bool siso) {
    if (!znamaOperace(operace)) return;
    for (const std::string& jmeno : volby.zadane) {
        if (!patriKOperaci(jmeno, operace))
            throw vyjm::ArgumentError("Volba " + jmeno + " nepatri k operaci " + operace + "\n");
        if (jmeno == REZERVY && !siso)
            throw vyjm::ArgumentError("Volba --rezervy patri jen k systemu SISO\n");
    }
}

void kontrolaVstupu(const Volby& volby, int pocetVstupu) {
    if (volby.vstup > pocetVstupu)
        throw vyjm::ArgumentError("Spatna hodnota volby --vstup ->" + IntToString(volby.vstup) + " Pocet vstupu systemu je " +
                                  IntToString(pocetVstupu) + "\n");
}
