#include "ZpravaFrekvenci.h"

#include <cmath>
#include <string>

#include "JisteHodnotyFrekvence.h"
#include "Konstanty.h"
#include "NacitaniModulu.h"
#include "Vstup_Vystup.h"

std::vector<double> frekvenceZpravy() {
    std::vector<double> w;
    for (int k = 0; k < POCET_FREKVENCI; ++k) w.push_back(frekvenceMrizky(k));
    return w;
}

void zapisFrekvence(std::ostream& f, const FrekvencniOdezva& odezva, const std::vector<double>& w) {
    const HodnotyFrekvenci hodnoty = jisteHodnoty(odezva);
    f << "w";
    for (int o = 0; o < odezva.vystupu; ++o)
        for (int i = 0; i < odezva.vstupu; ++i) {
            const std::string dvojice = "y" + std::to_string(o + 1) + "/u" + std::to_string(i + 1);
            f << ";zesileni " << dvojice << " [dB];faze " << dvojice << " [st]";
        }
    f << "\n";
    for (std::size_t k = 0; k < w.size() && f.good(); ++k) {
        f << CSVCislo(w[k]);
        for (std::size_t p = 0; p < hodnoty.db.size(); ++p)
            f << ";" << CSVCislo(hodnoty.db[p][k]) << ";" << CSVCislo(hodnoty.faze[p][k]);
        f << "\n";
    }
}

void zapisRezerv(std::ostream& f, const FrekvencniOdezva& odezva) {
    const RezervyStability rezervy = rezervyZModulu(odezva.presne);
    for (const bool zesileni : {true, false}) {
        f << (zesileni ? "Rezerva zesileni [dB];w\n" : "Rezerva faze [st];w\n");
        const auto& seznam = zesileni ? rezervy.zesileni : rezervy.faze;
        if (seznam.empty()) f << "inf;-\n";
        for (const auto& [hodnota, w] : seznam) f << CSVCislo(hodnota) << ";" << CSVCislo(w) << "\n";
    }
}
