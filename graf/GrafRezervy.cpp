#include "GrafRezervy.h"

#include <cmath>
#include <optional>

#include "GrafText.h"

namespace {

const char* const BARVA_ZESILENI = "#cc0000";
const char* const BARVA_FAZE = "#008800";

std::string radek(const char* nazev, const std::vector<RezervaZpravy>& rezervy, const char* bezPrechodu) {
    std::string text = std::string(nazev) + ": ";
    if (!rezervy.empty() && !rezervy.front().maPrechod()) return text + rezervy.front().text + " (" + bezPrechodu + ")";
    for (std::size_t i = 0; i < rezervy.size(); ++i) {
        if (i == 4) return text + ", ... (celkem " + std::to_string(rezervy.size()) + " prechodu)";
        text += (i ? ", " : "") + rezervy[i].text + " pri w " + rezervy[i].textW;
    }
    return text;
}

// The phase at w, linear in log w between the two frequency lines around it.
std::optional<double> fazePri(const Zprava& z, double w) {
    for (std::size_t k = 1; k < z.pocetRadku(); ++k) {
        const double w0 = z.hodnota(k - 1, 0), w1 = z.hodnota(k, 0);
        if (!(w0 <= w && w <= w1) || !(w0 > 0.0) || !(w1 > w0)) continue;
        const double f0 = z.hodnota(k - 1, 2), f1 = z.hodnota(k, 2);
        if (!std::isfinite(f0) || !std::isfinite(f1)) return std::nullopt;
        const double t = std::log(w / w0) / std::log(w1 / w0);
        return f0 + t * (f1 - f0);
    }
    return std::nullopt;
}

// -180 degrees plus the multiple of 360 from which the phase margin reaches the phase.
std::optional<double> referenceFaze(const Zprava& z, const RezervaZpravy& r) {
    const std::optional<double> faze = fazePri(z, r.w);
    if (!faze || !std::isfinite(r.hodnota)) return std::nullopt;
    return std::round((*faze - r.hodnota + 180.0) / 360.0) * 360.0 - 180.0;
}

void svisla(std::ostream& svg, double x, double y1, double y2, const char* barva, const char* carky, double sirka) {
    svg << "<line x1=\"" << px(x) << "\" y1=\"" << px(y1) << "\" x2=\"" << px(x) << "\" y2=\"" << px(y2) << "\" stroke=\""
        << barva << "\" stroke-width=\"" << sirka << "\"" << (*carky ? std::string(" stroke-dasharray=\"") + carky + "\"" : "")
        << "/>\n";
}

void popisek(std::ostream& svg, const Plocha& p, double x, double y, const char* barva, const std::string& text) {
    const bool vlevo = x > p.vpravo - 110;
    svg << "<text x=\"" << px(vlevo ? x - 5 : x + 5) << "\" y=\"" << px(y) << "\" font-size=\"11\" fill=\"" << barva
        << "\" text-anchor=\"" << (vlevo ? "end" : "start") << "\">" << textXml(text) << "</text>\n";
}

void vodorovna(std::ostream& svg, const Plocha& p, double hodnota) {
    const double y = p.y(hodnota);
    if (y < p.nahore || y > p.dole) return;
    svg << "<line x1=\"" << px(p.vlevo) << "\" y1=\"" << px(y) << "\" x2=\"" << px(p.vpravo) << "\" y2=\"" << px(y)
        << "\" stroke=\"#555555\" stroke-dasharray=\"6 3\"/>\n";
}

void rezervaZesileni(std::ostream& svg, const RezervaZpravy& r, const Plocha& zesileni, const Plocha& faze) {
    const double x = zesileni.x(r.w);
    svisla(svg, x, zesileni.nahore, faze.dole, BARVA_ZESILENI, "2 3", 1);
    const double dole = std::isfinite(r.hodnota) ? zesileni.y(-r.hodnota) : zesileni.dole;
    svisla(svg, x, dole, zesileni.y(0.0), BARVA_ZESILENI, "", 3);
    popisek(svg, zesileni, x, (dole + zesileni.y(0.0)) / 2 + 4, BARVA_ZESILENI, "GM " + r.text + " dB");
}

void rezervaFaze(std::ostream& svg, const Zprava& z, const RezervaZpravy& r, const Plocha& zesileni, const Plocha& faze) {
    const double x = faze.x(r.w);
    svisla(svg, x, zesileni.nahore, faze.dole, BARVA_FAZE, "2 3", 1);
    const std::optional<double> reference = referenceFaze(z, r);
    if (!reference) return;
    svisla(svg, x, faze.y(*reference), faze.y(*reference + r.hodnota), BARVA_FAZE, "", 3);
    popisek(svg, faze, x, (faze.y(*reference) + faze.y(*reference + r.hodnota)) / 2 + 4, BARVA_FAZE, "PM " + r.text + " st");
}

}  // namespace

std::vector<std::string> radkyRezerv(const Zprava& zprava) {
    if (!zprava.sRezervami) return {};
    return {radek("Rezerva zesileni [dB]", zprava.rezervyZesileni, "faze nikde neprotina -180 st"),
            radek("Rezerva faze [st]", zprava.rezervyFaze, "zesileni nikde neprotina 0 dB")};
}

void rozsahRezerv(const Zprava& zprava, double& minZesileni, double& maxZesileni, double& minFaze, double& maxFaze) {
    if (!zprava.sRezervami) return;
    minZesileni = std::min(minZesileni, 0.0);
    maxZesileni = std::max(maxZesileni, 0.0);
    for (const RezervaZpravy& r : zprava.rezervyZesileni) {
        if (!r.maPrechod() || !std::isfinite(r.hodnota)) continue;
        minZesileni = std::min(minZesileni, -r.hodnota);
        maxZesileni = std::max(maxZesileni, -r.hodnota);
    }
    for (const RezervaZpravy& r : zprava.rezervyFaze) {
        const std::optional<double> reference = r.maPrechod() ? referenceFaze(zprava, r) : std::nullopt;
        if (!reference) continue;
        minFaze = std::min(minFaze, *reference);
        maxFaze = std::max(maxFaze, *reference);
    }
}

void znackyRezerv(std::ostream& svg, const Zprava& zprava, const Plocha& zesileni, const Plocha& faze) {
    if (!zprava.sRezervami) return;
    vodorovna(svg, zesileni, 0.0);
    // The lines of -180 degrees (plus multiples of 360) that the phase panel shows, when few.
    const long double prvni = std::ceil((faze.osaY.od + 180.0L) / 360.0L), posledni = std::floor((faze.osaY.po + 180.0L) / 360.0L);
    for (long double k = prvni; k <= posledni && posledni - prvni < 4; k += 1.0L) {
        vodorovna(svg, faze, static_cast<double>(k * 360.0L - 180.0L));
    }
    for (const RezervaZpravy& r : zprava.rezervyZesileni) {
        if (r.maPrechod()) rezervaZesileni(svg, r, zesileni, faze);
    }
    for (const RezervaZpravy& r : zprava.rezervyFaze) {
        if (r.maPrechod()) rezervaFaze(svg, zprava, r, zesileni, faze);
    }
}
