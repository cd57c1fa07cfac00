#include "Napoveda.h"

#ifndef CLDDS_VERZE
#error "CLDDS_VERZE comes from the version of the CMake project"
#endif

namespace {

const char* const POUZITI =
    "Pouziti: cldds [VOLBY] DRUH SOUBOR_SYSTEMU Stabilita\n"
    "         cldds [VOLBY] DRUH SOUBOR_SYSTEMU OPERACE VYSLEDEK [SIGNAL]\n"
    "         cldds --help | -h | --version\n"
    "\n"
    "Druhy systemu:\n"
    "  VnejsiSISO    prenos B(z)/A(z) dvou polynomu\n"
    "  VnejsiMIMO    maticovy zlomek A(z)Y(z) = B(z)U(z)\n"
    "  StavSISO      stavovy popis F, G, H, L, x0 s jednim vstupem a jednim vystupem\n"
    "  StavMIMO      stavovy popis se stejnym poctem vstupu a vystupu\n"
    "\n"
    "Operace:\n"
    "  Stabilita                   vypise Je stabilni nebo Neni stabilni\n"
    "  Impulse VYSLEDEK            impulsni odezva, 50 kroku\n"
    "  Prechod VYSLEDEK            prechodova odezva, 50 kroku\n"
    "  Vystup VYSLEDEK SIGNAL      odezva na vstupni signal ze souboru SIGNAL\n"
    "  PrevodNaStav VYSLEDEK       vnejsi popis na stavovy\n"
    "  PrevodNaVnejsi VYSLEDEK     stavovy popis na vnejsi\n"
    "  Poly VYSLEDEK               poly, nasobnost a poloha vuci jednotkove kruznici\n"
    "  Frekvence VYSLEDEK          frekvencni charakteristika na 256 frekvencich\n"
    "\n"
    "Volby (pred druhem systemu):\n"
    "  --kroky N          Impulse, Prechod: N kroku misto 50, 1 az 100000\n"
    "  --vstup I          Impulse, Prechod: buzen jen vstup I (od 1)\n"
    "  --nuly ano|ne      Poly: take nuly systemu\n"
    "  --zesileni ano|ne  Poly: take staticke zesileni H(1)\n"
    "  --rezervy ano|ne   Frekvence SISO: take amplitudova a fazova bezpecnost\n"
    "\n"
    "Soubory (hodnoty oddelene mezerami, desetinna tecka, koeficienty od mocniny 0):\n"
    "  VnejsiSISO    radek B, radek A\n"
    "  VnejsiMIMO    radky B, prazdny radek, radky A; bunky radku oddelene ';'\n"
    "  StavSISO/MIMO bloky F, G, H, L, x0 oddelene prazdnym radkem; x0 jako sloupec\n"
    "  SIGNAL        SISO jeden radek u(0) u(1) ...; MIMO jeden radek na kazdy vstup\n"
    "\n"
    "Navod: man cldds\n";

}  // namespace

std::string napoveda(const std::string& argument) {
    if (argument == "--help" || argument == "-h") return POUZITI;
    if (argument == "--version") return std::string("cldds ") + CLDDS_VERZE + "\n";
    return "";
}
