// cldds-graf REPORT OUTPUT: plots a result report of cldds as SVG or turns its values into
// CSV, chosen by the extension of OUTPUT.

#include <algorithm>
#include <cctype>
#include <exception>
#include <iostream>
#include <string>

#include "GrafBode.h"
#include "GrafChyba.h"
#include "GrafCsv.h"
#include "GrafPoly.h"
#include "GrafSoubor.h"
#include "GrafSvg.h"
#include "GrafZprava.h"

namespace {

enum class Format { SVG, CSV };

bool konci(const std::string& cesta, const std::string& pripona) {
    if (cesta.size() <= pripona.size()) return false;
    std::string konec = cesta.substr(cesta.size() - pripona.size());
    std::transform(konec.begin(), konec.end(), konec.begin(),
                   [](unsigned char znak) { return static_cast<char>(std::tolower(znak)); });
    return konec == pripona;
}

Format formatVystupu(const std::string& cesta) {
    if (konci(cesta, ".svg")) return Format::SVG;
    if (konci(cesta, ".csv")) return Format::CSV;
    throw GrafChyba("Spatna pripona vystupu ->" + cesta + " Musi byt .svg nebo .csv");
}

std::string jmenoSouboru(const std::string& cesta) {
    const std::size_t lomitko = cesta.find_last_of('/');
    return lomitko == std::string::npos ? cesta : cesta.substr(lomitko + 1);
}

// The picture for what the report holds: a response over the steps, a Bode diagram, a pole map.
std::string obrazek(const Zprava& zprava, const std::string& nazev) {
    switch (zprava.druh) {
        case DruhZpravy::Frekvence: return svgBode(zprava, nazev);
        case DruhZpravy::Poly: return svgPolu(zprava, nazev);
        case DruhZpravy::Odezva: break;
    }
    return svgGrafu(zprava, nazev);
}

int beh(int argc, char** argv) {
    if (argc != 3) {
        throw GrafChyba("Spatny pocet parametru ->" + std::to_string(argc) +
                        " Musi byt presne 3 parametry: cldds-graf ZPRAVA VYSTUP.svg nebo VYSTUP.csv");
    }
    const std::string zpravaCesta = argv[1];
    const std::string vystupCesta = argv[2];
    const Format format = formatVystupu(vystupCesta);
    const Zprava zprava = nactiZpravuZeSouboru(zpravaCesta);
    const std::string obsah = format == Format::CSV ? csvHodnot(zprava) : obrazek(zprava, jmenoSouboru(zpravaCesta));
    zapisCelySoubor(vystupCesta, obsah);
    std::cout << vystupCesta << " Soubor Vytvoren\n" << std::endl;
    return 0;
}

}  // namespace

// Like cldds, every message goes to standard output and every error ends with status 1.
int main(int argc, char** argv) {
    try {
        return beh(argc, argv);
    } catch (const std::exception& e) {
        std::cout << e.what() << std::endl;
    }
    return 1;
}
