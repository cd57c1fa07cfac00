#include "GrafArgumenty.h"

#include "GrafChyba.h"

namespace {

const std::string UKAZATELE = "--ukazatele";

bool jeVolba(const std::string& argument) { return argument.rfind("--", 0) == 0 && argument.size() > 2; }

}  // namespace

ArgumentyGrafu argumentyGrafu(const std::vector<std::string>& argumenty) {
    ArgumentyGrafu vysledek;
    if (!argumenty.empty() && (argumenty[0] == "-h" || argumenty[0] == "--help")) {
        vysledek.akce = ArgumentyGrafu::Akce::Napoveda;
        return vysledek;
    }
    if (!argumenty.empty() && argumenty[0] == "--version") {
        vysledek.akce = ArgumentyGrafu::Akce::Verze;
        return vysledek;
    }
    std::size_t i = 0;
    for (; i < argumenty.size() && jeVolba(argumenty[i]); i += 2) {
        if (argumenty[i] != UKAZATELE) throw GrafChyba("Neznama volba ->" + argumenty[i]);
        if (i + 1 >= argumenty.size()) throw GrafChyba("Volba " + UKAZATELE + " nema hodnotu");
        if (!vysledek.ukazatele.empty()) throw GrafChyba("Volba " + UKAZATELE + " je zadana vicekrat");
        vysledek.ukazatele = argumenty[i + 1];
    }
    const std::vector<std::string> zbytek(argumenty.begin() + static_cast<long>(std::min(i, argumenty.size())), argumenty.end());
    for (std::size_t j = 1; j < zbytek.size(); ++j) {
        if (zbytek[j] == UKAZATELE) throw GrafChyba("Volba " + UKAZATELE + " musi stat pred zpravou");
    }
    if (zbytek.size() != 2) {
        throw GrafChyba("Spatny pocet parametru ->" + std::to_string(zbytek.size() + 1) +
                        " Musi byt presne 3 parametry: cldds-graf ZPRAVA VYSTUP.svg nebo VYSTUP.csv");
    }
    vysledek.zprava = zbytek[0];
    vysledek.vystup = zbytek[1];
    return vysledek;
}

std::string napovedaGrafu() {
    return "Pouziti: cldds-graf [--ukazatele UKAZATELE.csv] ZPRAVA VYSTUP.svg|VYSTUP.csv\n"
           "        cldds-graf --help | -h | --version\n"
           "Nakresli zpravu programu cldds (Impulse, Prechod, Vystup, Poly, Frekvence) jako SVG,\n"
           "nebo jeji hodnoty zapise jako CSV; o formatu rozhoduje pripona VYSTUPU.\n"
           "  .svg                    odezva po krocich, Bodeho diagram, mapa polu a nul\n"
           "  .csv                    hodnoty zpravy s desetinnou teckou\n"
           "  --ukazatele SOUBOR.csv  zprava je prechodova charakteristika: konecna hodnota,\n"
           "                          doba nabehu 10-90 %, vrchol a prekmit, doba ustaleni 2 %\n"
           "                          do SOUBORU a do tabulky pod grafem\n"
           "Navod: man cldds-graf\n";
}
