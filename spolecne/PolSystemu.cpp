#include "PolSystemu.h"

#include <cerrno>
#include <cstdlib>
#include <string>

namespace {

bool cislo(const std::string& text, double& hodnota) {
    char* konec = nullptr;
    hodnota = std::strtod(text.c_str(), &konec);
    return !text.empty() && *konec == '\0';
}

bool cele(const std::string& text, long& hodnota) {
    char* konec = nullptr;
    errno = 0;
    hodnota = std::strtol(text.c_str(), &konec, 10);
    return !text.empty() && *konec == '\0' && errno == 0;
}

}  // namespace

PresnaMatice polyNaBlok(const std::vector<Pol>& poly) {
    PresnaMatice blok;
    blok.novyTvar(static_cast<int>(poly.size()), 1);
    for (const Pol& p : poly) {
        blok.pridejPrvek({presnyText(p.re), presnyText(p.im), presnyText(p.velikost), std::to_string(p.nasobnost),
                          std::to_string(static_cast<int>(p.poloha))});
    }
    return blok;
}

bool polyZBloku(const PresnaMatice& blok, std::vector<Pol>& poly) {
    poly.clear();
    if (blok.get_columns() != 1) return false;
    for (int i = 0; i < blok.get_rows(); ++i) {
        const std::vector<std::string> prvek = blok.prvek(i, 0);
        Pol p;
        long poloha = 0;
        if (prvek.size() != 5 || !cislo(prvek[0], p.re) || !cislo(prvek[1], p.im) || !cislo(prvek[2], p.velikost) ||
            !cele(prvek[3], p.nasobnost) || !cele(prvek[4], poloha) || poloha < -1 || poloha > 1 || p.nasobnost < 1)
            return false;
        p.poloha = static_cast<PolohaPolu>(poloha);
        poly.push_back(p);
    }
    return true;
}
