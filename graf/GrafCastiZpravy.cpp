// The pole report (poles, spectral radius, zeros, static gains) and the margins of a
// frequency report.

#include "GrafCastiZpravy.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// At most as many distinct poles or zeros as a polynomial of 500 coefficients has roots,
// static gains of 256 outputs and inputs, crossovers of a transfer function of degree 256.
const std::size_t MAX_KORENU = 500;
const std::size_t MAX_ZESILENI = 256 * 256;
const std::size_t MAX_PRECHODU = 1024;

const std::string POLOMER = "Spektralni polomer: ";
const std::string NULY = "Nuly systemu: ";
const std::string NULY_NEJSOU = "Nuly systemu: nejsou urceny, ";
const std::string ZESILENI = "Staticke zesileni: ";
const char* const HLAVICKA_FAZE = "Rezerva faze [st];w";

bool zacina(const std::string& text, const std::string& zacatek) { return text.rfind(zacatek, 0) == 0; }

// A number as the pole report writes it: the shortest text of a finite double, decimal point.
bool cisloPolu(std::string_view text, double& hodnota) {
    if (text.empty() || (!std::isdigit(static_cast<unsigned char>(text[0])) && text[0] != '-')) return false;
    const auto [konec, chyba] = std::from_chars(text.data(), text.data() + text.size(), hodnota);
    if (konec != text.data() + text.size()) return false;
    if (chyba == std::errc::result_out_of_range) hodnota = std::strtod(std::string(text).c_str(), nullptr);
    return std::isfinite(hodnota);
}

bool cisloNeboNekonecno(std::string_view text, double& hodnota) {
    const double nekonecno = std::numeric_limits<double>::infinity();
    if (text == "inf" || text == "-inf") hodnota = text == "inf" ? nekonecno : -nekonecno;
    else if (text == "nan") hodnota = std::numeric_limits<double>::quiet_NaN();
    else return cisloPolu(text, hodnota);
    return true;
}

bool cisloKladne(std::string_view text) {
    if (text.empty() || text.size() > 10) return false;
    for (char znak : text) {
        if (!std::isdigit(static_cast<unsigned char>(znak))) return false;
    }
    return text[0] != '0';
}

// A line "re;im;|z|;multiplicity;place", the form of poles and zeros alike.
bool radekKorene(const std::string& radek, PolZpravy& koren) {
    const std::vector<std::string_view> pole = kusyRadku(radek);
    if (pole.size() != 5 || !cisloPolu(pole[0], koren.re) || !cisloPolu(pole[1], koren.im) ||
        !cisloPolu(pole[2], koren.velikost) || !cisloKladne(pole[3])) {
        return false;
    }
    koren.nasobnost = std::strtol(std::string(pole[3]).c_str(), nullptr, 10);
    koren.poloha = std::string(pole[4]);
    return koren.poloha == "uvnitr" || koren.poloha == "na kruznici" || koren.poloha == "vne";
}

void pridejKoren(RadkyZpravy& radky, std::vector<PolZpravy>& koreny, const char* druh) {
    PolZpravy koren;
    if (!radekKorene(radky.radek(), koren)) radky.chyba(std::string("spatny radek ") + druh + " -> " + radky.radek());
    if (koreny.size() >= MAX_KORENU) radky.chyba("zprava ma vice nez " + std::to_string(MAX_KORENU) + " " + druh);
    koreny.push_back(koren);
}

// "yO/uI;value", the value a number, "inf", "-inf" or "nan".
void pridejZesileni(RadkyZpravy& radky, Zprava& zprava) {
    const std::vector<std::string_view> pole = kusyRadku(radky.radek());
    ZesileniZpravy zesileni;
    const std::size_t lomitko = pole[0].find("/u");
    const bool platne = pole.size() == 2 && pole[0].size() > 1 && pole[0][0] == 'y' &&
                        lomitko != std::string_view::npos && cisloKladne(pole[0].substr(1, lomitko - 1)) &&
                        cisloKladne(pole[0].substr(lomitko + 2)) && cisloNeboNekonecno(pole[1], zesileni.hodnota);
    if (!platne) radky.chyba("spatny radek statickeho zesileni -> " + radky.radek());
    if (zprava.zesileni.size() >= MAX_ZESILENI) {
        radky.chyba("zprava ma vice nez " + std::to_string(MAX_ZESILENI) + " statickych zesileni");
    }
    zesileni.dvojice = std::string(pole[0]);
    zesileni.text = std::string(pole[1]);
    zprava.zesileni.push_back(zesileni);
}

enum class CastPolu { Polomer, Nuly, Zesileni, Konec };

// A line after the spectral radius: a section header, a line of the current section, or the
// empty lines that end the report.
CastPolu radekZaPolomerem(RadkyZpravy& radky, Zprava& zprava, CastPolu cast) {
    const std::string& radek = radky.radek();
    if (radek.empty()) return CastPolu::Konec;
    if (cast == CastPolu::Konec) radky.chyba("za koncem zpravy polu je dalsi radek");
    if (cast == CastPolu::Polomer && zacina(radek, NULY)) {
        zprava.sNulami = true;
        if (zacina(radek, NULY_NEJSOU)) zprava.procNejsouNuly = radek.substr(NULY_NEJSOU.size());
        return CastPolu::Nuly;
    }
    if (cast != CastPolu::Zesileni && zacina(radek, ZESILENI)) return CastPolu::Zesileni;
    if (cast == CastPolu::Nuly && zprava.procNejsouNuly.empty()) pridejKoren(radky, zprava.nuly, "nul");
    else if (cast == CastPolu::Zesileni) pridejZesileni(radky, zprava);
    else radky.chyba("za spektralnim polomerem je dalsi radek");
    return cast;
}

void castiZaPolomerem(RadkyZpravy& radky, Zprava& zprava) {
    CastPolu cast = CastPolu::Polomer;
    while (radky.dalsi()) cast = radekZaPolomerem(radky, zprava, cast);
}

// "value;w", or "inf;-" alone when there is no crossover.
RezervaZpravy radekRezervy(RadkyZpravy& radky) {
    const std::vector<std::string_view> pole = kusyRadku(radky.radek());
    if (pole.size() != 2) radky.chyba("spatny radek rezervy -> " + radky.radek());
    RezervaZpravy rezerva;
    rezerva.text = std::string(pole[0]);
    rezerva.textW = std::string(pole[1]);
    rezerva.w = std::numeric_limits<double>::quiet_NaN();
    const std::optional<double> hodnota = hodnotaZpravy(pole[0]);
    bool platna = hodnota && !std::isnan(*hodnota);
    if (platna) rezerva.hodnota = *hodnota;
    if (!rezerva.maPrechod()) {
        platna = platna && rezerva.text == "inf";
    } else {
        const std::optional<double> w = hodnotaZpravy(pole[1]);
        platna = platna && w && std::isfinite(*w) && *w > 0.0;
        if (platna) rezerva.w = *w;
    }
    if (!platna) radky.chyba("spatny radek rezervy -> " + radky.radek());
    return rezerva;
}

// The lines under a margin header up to the header `dalsiHlavicka` (true when it was met)
// or the end of the report, which empty lines may close.
bool sekceRezervy(RadkyZpravy& radky, std::vector<RezervaZpravy>& rezervy, const char* dalsiHlavicka) {
    const int hlavicka = radky.cislo();
    bool konec = false;
    bool dalsi = false;
    while (!dalsi && radky.dalsi()) {
        if (radky.radek().empty()) {
            konec = true;
        } else if (konec) {
            radky.chyba("za rezervami je dalsi radek");
        } else if (dalsiHlavicka != nullptr && radky.radek() == dalsiHlavicka) {
            dalsi = true;
        } else if (rezervy.size() >= MAX_PRECHODU) {
            radky.chyba("rezerva ma vice nez " + std::to_string(MAX_PRECHODU) + " prechodu");
        } else {
            rezervy.push_back(radekRezervy(radky));
            if (rezervy.size() > 1 && !rezervy.front().maPrechod()) radky.chyba("spatny radek rezervy -> " + radky.radek());
        }
    }
    if (rezervy.empty()) radky.chybaNaRadku("pod hlavickou rezervy chybi radek", hlavicka);
    return dalsi;
}

}  // namespace

void ctiPoly(RadkyZpravy& radky, Zprava& zprava) {
    while (radky.dalsi()) {
        if (zacina(radky.radek(), POLOMER)) {
            zprava.textPolomeru = radky.radek().substr(POLOMER.size());
            if (!cisloPolu(zprava.textPolomeru, zprava.spektralniPolomer)) radky.chyba("spatny spektralni polomer");
            castiZaPolomerem(radky, zprava);
            return;
        }
        pridejKoren(radky, zprava.poly, "polu");
    }
    radky.chyba("chybi radek se spektralnim polomerem", false);
}

void ctiRezervy(RadkyZpravy& radky, Zprava& zprava) {
    if (zprava.mimo) radky.chyba("rezervy ma jen zprava systemu SISO");
    zprava.sRezervami = true;
    if (!sekceRezervy(radky, zprava.rezervyZesileni, HLAVICKA_FAZE)) radky.chyba("chybi rezerva faze", false);
    sekceRezervy(radky, zprava.rezervyFaze, nullptr);
}
