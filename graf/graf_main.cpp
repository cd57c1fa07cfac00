// cldds-graf [--ukazatele FIGURES.csv] REPORT OUTPUT: plots a result report of cldds as SVG
// or turns its values into CSV, chosen by the extension of OUTPUT.

#include <limits.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "GrafArgumenty.h"
#include "GrafBode.h"
#include "GrafChyba.h"
#include "GrafCsv.h"
#include "GrafPoly.h"
#include "GrafSoubor.h"
#include "GrafSvg.h"
#include "GrafUkazatele.h"
#include "GrafCteniZpravy.h"
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

// True when both paths name one existing file, however spelled and through whatever links.
bool stejnySoubor(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// A path with its folder resolved ("./a.csv" and "a.csv" are one), for files not yet written.
std::string uplnaCesta(const std::string& cesta) {
    const std::size_t lomitko = cesta.find_last_of('/');
    const std::string slozka = lomitko == std::string::npos ? "." : cesta.substr(0, lomitko + 1);
    char uplna[PATH_MAX];
    if (::realpath(slozka.c_str(), uplna) == nullptr) return cesta;
    return std::string(uplna) + "/" + (lomitko == std::string::npos ? cesta : cesta.substr(lomitko + 1));
}

// No file the run writes may be its input, nor may the two outputs be one file.
void kontrolaCest(const ArgumentyGrafu& a) {
    for (const std::string& vystup : {a.vystup, a.ukazatele}) {
        if (!vystup.empty() && stejnySoubor(vystup, a.zprava)) {
            throw GrafChyba("Vysledny soubor :" + vystup + " je zaroven vstupnim souborem :" + a.zprava);
        }
    }
    if (!a.ukazatele.empty() && (uplnaCesta(a.ukazatele) == uplnaCesta(a.vystup) || stejnySoubor(a.ukazatele, a.vystup))) {
        throw GrafChyba("Soubor ukazatelu :" + a.ukazatele + " je zaroven vystupem :" + a.vystup);
    }
}

const char* nazevDruhu(DruhZpravy druh) { return druh == DruhZpravy::Poly ? "Poly" : "Frekvence"; }

// The picture for what the report holds: a response over the steps, a Bode diagram, a pole map.
std::string obrazek(const Zprava& zprava, const std::string& nazev, const std::vector<UkazateleOdezvy>* ukazatele) {
    switch (zprava.druh) {
        case DruhZpravy::Frekvence: return svgBode(zprava, nazev);
        case DruhZpravy::Poly: return svgPolu(zprava, nazev);
        case DruhZpravy::Odezva: break;
    }
    return svgOdezvy(zprava, nazev, ukazatele);
}

void zapis(const std::string& cesta, const std::string& obsah) {
    zapisCelySoubor(cesta, obsah);
    std::cout << cesta << " Soubor Vytvoren\n" << std::endl;
}

void kresli(const ArgumentyGrafu& a) {
    const Format format = formatVystupu(a.vystup);
    kontrolaCest(a);
    const Zprava zprava = nactiZpravuZeSouboru(a.zprava);
    std::vector<UkazateleOdezvy> ukazatele;
    if (!a.ukazatele.empty()) {
        if (zprava.druh != DruhZpravy::Odezva) {
            throw GrafChyba("Volba --ukazatele nepatri ke zprave " + std::string(nazevDruhu(zprava.druh)));
        }
        ukazatele = ukazateleZpravy(zprava);
    }
    const std::string obsah = format == Format::CSV
                                  ? csvHodnot(zprava)
                                  : obrazek(zprava, jmenoSouboru(a.zprava), a.ukazatele.empty() ? nullptr : &ukazatele);
    if (!a.ukazatele.empty()) zapis(a.ukazatele, csvUkazatelu(ukazatele));
    zapis(a.vystup, obsah);
}

void beh(int argc, char** argv) {
    const ArgumentyGrafu a = argumentyGrafu(std::vector<std::string>(argv + 1, argv + argc));
    switch (a.akce) {
        case ArgumentyGrafu::Akce::Napoveda: std::cout << napovedaGrafu(); break;
        case ArgumentyGrafu::Akce::Verze: std::cout << "cldds-graf " << CLDDS_VERZE << "\n"; break;
        case ArgumentyGrafu::Akce::Kresli: kresli(a); break;
    }
}

}  // namespace

// Like cldds, every message goes to standard output and every error ends with status 1; so
// does a standard output that cannot take the lines (closed, or a full disk): a closed pipe
// or a limit on the size of files is an error of the write, not a signal that ends the
// program.
int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    int status = 0;
    try {
        beh(argc, argv);
    } catch (const std::exception& e) {
        std::cout << e.what() << std::endl;
        status = 1;
    }
    std::cout.flush();
    return std::cout.fail() ? 1 : status;
}
