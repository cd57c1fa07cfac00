// The entry of the module of exact arithmetic, which the tool loads only when a stability
// verdict needs the exact path (FLINT and Arb cost milliseconds to load).
#include <cstddef>
#include <cstring>
#include <exception>
#include <string>

#include "PresnyVerdikt.h"

// 1 stable, 0 not stable, -1 failed (chyba holds the message, cut to velikost - 1 bytes).
extern "C" int cldds_presna_stabilita(const char* zadani, char* chyba, std::size_t velikost) {
    std::string zprava;
    int vysledek = -1;
    try {
        vysledek = presnyVerdiktZadani(zadani, zprava);
    } catch (const std::exception& e) {
        zprava = e.what();
    }
    if (vysledek < 0 && velikost > 0) {
        std::strncpy(chyba, zprava.c_str(), velikost - 1);
        chyba[velikost - 1] = '\0';
    }
    return vysledek;
}
