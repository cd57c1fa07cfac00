#include "ZpravaFrekvenci.h"

#include <cmath>
#include <limits>
#include <string>

#include "Konstanty.h"
#include "Vstup_Vystup.h"

namespace {

const double NAN_ = std::numeric_limits<double>::quiet_NaN();

// Magnitude in dB and phase in degrees (not yet unwrapped) of one value.
void decibelyFaze(const FrekvencniOdezva& odezva, std::size_t k, int o, int i, double& db, double& faze) {
    if (odezva.singularni[k]) {
        db = std::numeric_limits<double>::infinity();
        faze = NAN_;
        return;
    }
    const Komplexni h = odezva(k, o, i);
    db = 20.0 * std::log10(std::abs(h));
    faze = h == 0.0 ? NAN_ : std::arg(h) * 180.0 / PI;
}

}  // namespace

std::vector<double> frekvenceZpravy() {
    std::vector<double> w;
    for (int k = 0; k < POCET_FREKVENCI - 1; ++k) w.push_back(1e-3 * PI * std::pow(1000.0, k / (POCET_FREKVENCI - 1.0)));
    w.push_back(PI);
    return w;
}

void rozvinFazi(std::vector<double>& faze) {
    bool predchozi = false;
    double posledni = 0.0;
    for (double& f : faze) {
        if (std::isnan(f)) continue;
        if (predchozi) f -= 360.0 * std::round((f - posledni) / 360.0);
        predchozi = true;
        posledni = f;
    }
}

void zapisFrekvence(std::ostream& f, const FrekvencniOdezva& odezva, const std::vector<double>& w) {
    const std::size_t pocet = w.size();
    const int par = odezva.vystupu * odezva.vstupu;
    std::vector<std::vector<double>> db(static_cast<std::size_t>(par), std::vector<double>(pocet));
    std::vector<std::vector<double>> faze = db;
    f << "w";
    for (int o = 0; o < odezva.vystupu; ++o)
        for (int i = 0; i < odezva.vstupu; ++i) {
            const std::string dvojice = "y" + std::to_string(o + 1) + "/u" + std::to_string(i + 1);
            f << ";zesileni " << dvojice << " [dB];faze " << dvojice << " [st]";
            const std::size_t p = static_cast<std::size_t>(o * odezva.vstupu + i);
            for (std::size_t k = 0; k < pocet; ++k) decibelyFaze(odezva, k, o, i, db[p][k], faze[p][k]);
            rozvinFazi(faze[p]);
        }
    f << "\n";
    for (std::size_t k = 0; k < pocet && f.good(); ++k) {
        f << CSVCislo(w[k]);
        for (std::size_t p = 0; p < db.size(); ++p) f << ";" << CSVCislo(db[p][k]) << ";" << CSVCislo(faze[p][k]);
        f << "\n";
    }
}
