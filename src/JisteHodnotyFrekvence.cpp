#include "JisteHodnotyFrekvence.h"

#include <cmath>

#include "Konstanty.h"
#include "SmerovaneZaokrouhleni.h"
#include "NacitaniModulu.h"

namespace {

// The interval [x - e, x + e] widened by 16 units of x and the smallest subnormal, which
// covers a libm result within a few units of the exact one and the rounding of e itself.
Rozsah sirsi(double x, double e) {
    const double okraj = e + std::fabs(x) * 16.0 * smerovane::U + 0x1p-1074;
    return {x - okraj * (1.0 + 4.0 * smerovane::U), x + okraj * (1.0 + 4.0 * smerovane::U)};
}

// A value known to be real: its phase is exactly 0 or 180 once the bound tells its sign.
BodFrekvence realnyBod(Komplexni h, double chyba) {
    BodFrekvence b;
    const double velikost = std::fabs(h.real());
    if (velikost == 0.0 && chyba == 0.0) {
        b.db = {-INFINITY, -INFINITY};
        return b;
    }
    const double dolni = velikost - chyba, horni = velikost + chyba;
    if (!(dolni > 0.0) || !std::isfinite(horni)) return b;
    b.db = {sirsi(20.0 * std::log10(dolni), 0.0).dolni, sirsi(20.0 * std::log10(horni), 0.0).horni};
    const double faze = h.real() > 0.0 ? 0.0 : 180.0;
    b.faze = {faze, faze};
    return b;
}

}  // namespace

BodFrekvence bodZHodnoty(Komplexni h, double chyba) {
    BodFrekvence b;
    if (!std::isfinite(h.real()) || !std::isfinite(h.imag()) || !std::isfinite(chyba)) return b;
    const double velikost = std::hypot(h.real(), h.imag());
    const double dolni = velikost * (1.0 - 4.0 * smerovane::U) - chyba, horni = velikost * (1.0 + 4.0 * smerovane::U) + chyba;
    // Beyond a relative radius of 1/2 the phase bound below would say little.
    if (!(dolni > 0.5 * velikost)) return b;
    b.db = {sirsi(20.0 * std::log10(dolni), 0.0).dolni, sirsi(20.0 * std::log10(horni), 0.0).horni};
    // |arg(h + e) - arg h| <= asin(|e| / |h|) <= r / sqrt(1 - r^2) for r = |e| / |h|.
    const double r = smerovane::nahoru(chyba / dolni);
    const double odchylka = smerovane::nahoru(r / std::sqrt(1.0 - r * r) * (180.0 / PI) * (1.0 + 8.0 * smerovane::U));
    b.faze = sirsi(std::atan2(h.imag(), h.real()) * (180.0 / PI), odchylka);
    return b;
}

namespace {

// What the values of pair (o, i) say, frequency by frequency.
std::vector<BodFrekvence> bodyDvojice(const FrekvencniOdezva& odezva, int o, int i) {
    std::vector<BodFrekvence> body(odezva.frekvenci());
    for (std::size_t k = 0; k < body.size(); ++k)
        body[k] = odezva.jeKonstantni(o, i) || odezva.realne[k] ? realnyBod(odezva(k, o, i), odezva.chyba(k, o, i))
                                                                : bodZHodnoty(odezva(k, o, i), odezva.chyba(k, o, i));
    return body;
}

// Beyond this many complex multiplications (about a second) a refinement in floating point is
// left out; the exact evaluation takes the values over.
const double MAX_CENA_ZPRESNENI = 1.5e9;

// Each pair's points and what they settle; a pair is judged again only after a refinement that
// may have changed its values.
struct UsudkyDvojic {
    std::vector<std::vector<BodFrekvence>> body;
    std::vector<RozvinutaDvojice> rozvinute;
    std::vector<bool> aktualni;

    explicit UsudkyDvojic(std::size_t dvojic) : body(dvojic), rozvinute(dvojic), aktualni(dvojic, false) {}

    // Per frequency, the pairs with an open value (empty where none is open); `otevrenych`
    // counts the frequencies with one.
    std::vector<std::vector<bool>> otevrene(const FrekvencniOdezva& odezva, std::size_t& otevrenych) {
        const int dvojic = odezva.vystupu * odezva.vstupu;
        std::vector<std::vector<bool>> otevrena(odezva.frekvenci());
        otevrenych = 0;
        for (int p = 0; p < dvojic; ++p) {
            if (!aktualni[static_cast<std::size_t>(p)]) {
                body[p] = bodyDvojice(odezva, p / odezva.vstupu, p % odezva.vstupu);
                rozvinute[p] = rozvin(body[p]);
                aktualni[p] = true;
            }
            for (const std::size_t k : rozvinute[p].nejiste) {
                if (otevrena[k].empty()) {
                    otevrena[k].assign(static_cast<std::size_t>(dvojic), false);
                    ++otevrenych;
                }
                otevrena[k][static_cast<std::size_t>(p)] = true;
            }
        }
        return otevrena;
    }

    // The pairs with an open value are judged again (a refinement leaves settled values as they are).
    void poZpresneni() {
        for (std::size_t p = 0; p < aktualni.size(); ++p) aktualni[p] = rozvinute[p].nejiste.empty();
    }
};

// The settled values of every pair; those still open from the module of exact arithmetic.
HodnotyFrekvenci vysledek(const FrekvencniOdezva& odezva, UsudkyDvojic& usudky) {
    HodnotyFrekvenci v;
    std::vector<std::pair<int, int>> dvojice;
    std::vector<std::vector<BodFrekvence>> bodyDvojic;
    for (std::size_t p = 0; p < usudky.rozvinute.size(); ++p) {
        if (!usudky.rozvinute[p].nejiste.empty()) {
            dvojice.emplace_back(static_cast<int>(p) / odezva.vstupu, static_cast<int>(p) % odezva.vstupu);
            bodyDvojic.push_back(usudky.body[p]);
        }
        v.db.push_back(std::move(usudky.rozvinute[p].db));
        v.faze.push_back(std::move(usudky.rozvinute[p].faze));
    }
    if (dvojice.empty()) return v;
    const std::vector<std::vector<BodFrekvence>> presne = frekvenceZModulu(odezva.presne, dvojice, bodyDvojic);
    for (std::size_t p = 0; p < dvojice.size(); ++p) {
        const std::size_t index = static_cast<std::size_t>(dvojice[p].first * odezva.vstupu + dvojice[p].second);
        for (std::size_t k = 0; k < presne[p].size(); ++k) {
            v.db[index][k] = presne[p][k].db.dolni;
            v.faze[index][k] = presne[p][k].faze.dolni;
        }
    }
    return v;
}

}  // namespace

HodnotyFrekvenci jisteHodnoty(const FrekvencniOdezva& puvodni) {
    FrekvencniOdezva odezva = puvodni;
    UsudkyDvojic usudky(static_cast<std::size_t>(odezva.vystupu * odezva.vstupu));
    for (std::size_t uroven = 0;; ++uroven) {
        std::size_t otevrenych = 0;
        const std::vector<std::vector<bool>> otevrena = usudky.otevrene(odezva, otevrenych);
        if (otevrenych == 0 || uroven == puvodni.zpresneni.size()) break;
        const FrekvencniOdezva::Zpresneni& z = puvodni.zpresneni[uroven];
        if (otevrenych * z.cena > MAX_CENA_ZPRESNENI) continue;
        for (std::size_t k = 0; k < otevrena.size(); ++k)
            if (!otevrena[k].empty()) z.vyhodnot(odezva, k, otevrena[k]);
        usudky.poZpresneni();
    }
    return vysledek(odezva, usudky);
}
