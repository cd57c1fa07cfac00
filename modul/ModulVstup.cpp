// The entries of the module of exact arithmetic, which the tool loads only when a stability
// verdict needs the exact path or a conversion runs (FLINT and Arb cost milliseconds to load).
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "ModulFrekvence.h"
#include "ModulNuly.h"
#include "ModulPoly.h"
#include "ModulPrevod.h"
#include "ModulVerdikt.h"
#include "ProtokolModulu.h"
#include "ZadaniPresnosti.h"

// Every entry point catches everything: an exception must never cross into the tool's C call.

// The protocol version the module speaks; the tool refuses a module of another one.
extern "C" int cldds_verze_protokolu() { return protokol::VERZE_MODULU; }

// 1 stable, 0 not stable, -1 failed (chyba holds the message, cut to velikost - 1 bytes).
extern "C" int cldds_presna_stabilita(const char* zadani, char* chyba, std::size_t velikost) {
    std::string zprava;
    int vysledek = -1;
    try {
        vysledek = presnyVerdiktZadani(zadani, zprava);
    } catch (const std::exception& e) {
        zprava = e.what();
    } catch (...) {
        zprava = "Neocekavana chyba modulu presne aritmetiky\n";
    }
    if (vysledek < 0 && velikost > 0) {
        std::strncpy(chyba, zprava.c_str(), velikost - 1);
        chyba[velikost - 1] = '\0';
    }
    return vysledek;
}

namespace {

// The answer of `ukol` to the task as a text allocated with malloc (the caller frees it with
// cldds_uvolni); a failure is a failure text; a null pointer when even the allocation fails.
char* odpoved(std::string (*ukol)(const std::string&), const char* text) {
    std::string vysledek;
    try {
        vysledek = ukol(text);
    } catch (const std::exception& e) {
        vysledek = std::string(1, zadani::CHYBA) + e.what();
    } catch (...) {
        vysledek = std::string(1, zadani::CHYBA) + "Neocekavana chyba modulu presne aritmetiky\n";
    }
    char* kopie = static_cast<char*>(std::malloc(vysledek.size() + 1));
    if (kopie != nullptr) std::memcpy(kopie, vysledek.c_str(), vysledek.size() + 1);
    return kopie;
}

}  // namespace

// The result text of a conversion.
extern "C" char* cldds_presny_prevod(const char* text) { return odpoved(presnyPrevod, text); }

// The distinct poles of a system, with multiplicities and places.
extern "C" char* cldds_presne_poly(const char* text) { return odpoved(presnePolyZadani, text); }

// The zeros or the static gain of a system.
extern "C" char* cldds_presne_nuly(const char* text) { return odpoved(presneNulyZadani, text); }

// The open values of a frequency report, or the stability margins of a SISO system.
extern "C" char* cldds_presna_frekvence(const char* text) { return odpoved(frekvencniUkol, text); }

extern "C" void cldds_uvolni(char* text) { std::free(text); }
