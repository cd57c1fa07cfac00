#include "ModulPoly.h"

#include <algorithm>

#include "ModulHodnotyPolu.h"
#include "ModulIzolace.h"
#include "ZadaniPresnosti.h"

namespace {

// The pole and, for a root in the upper half-plane, its mirror image.
void pridejSeZrcadlem(const Pol& pol, bool realny, std::vector<Pol>& poly) {
    poly.push_back(pol);
    if (realny) return;
    Pol zrcadlo = pol;
    zrcadlo.im = -pol.im;
    poly.push_back(zrcadlo);
}

// Every root of the square-free f, naKruznici of which lie on the circle.
void korenyObecne(const CelyPolynom& f, long naKruznici, long nasobnost, std::vector<Pol>& poly) {
    if (f.stupen() <= 0) return;
    const PolynomSDerivaci fd(f);
    for (const IzolovanyKoren& koren : izolujKoreny(f, naKruznici)) {
        const Pol pol = koren.realny ? polRealny(fd, koren, nasobnost) : polKomplexni(fd, koren, nasobnost);
        pridejSeZrcadlem(pol, koren.realny, poly);
    }
}

// The roots of g, all on the circle: one pair for each real root of its trace polynomial.
void korenyNaKruznici(const CinitelPolu& c, std::vector<Pol>& poly) {
    const PolynomSDerivaci G(c.stopa);
    for (const RealnyInterval& t : realneKorenyStopy(c.stopa, c.casti.g))
        pridejSeZrcadlem(polNaKruznici(G, t, c.nasobnost), false, poly);
}

void korenyCinitele(const CinitelPolu& c, std::vector<Pol>& poly) {
    // A root beyond 2^1024 has no double; refused before any refinement.
    if (korenNad(c.s, 1024)) throw MimoRozsahDouble();
    if (c.casti.jedna) poly.push_back(Pol{1.0, 0.0, 1.0, c.nasobnost, PolohaPolu::NaKruznici});
    if (c.casti.minusJedna) poly.push_back(Pol{-1.0, 0.0, 1.0, c.nasobnost, PolohaPolu::NaKruznici});
    if (c.stopa.stupen() > 0 && c.naKruznici == 2 * c.stopa.stupen())
        korenyNaKruznici(c, poly);
    else
        korenyObecne(c.casti.g, c.naKruznici, c.nasobnost, poly);
    korenyObecne(c.casti.h, 0, c.nasobnost, poly);
}

bool dribe(const Pol& a, const Pol& b) {
    if (a.velikost != b.velikost) return a.velikost > b.velikost;
    if (a.re != b.re) return a.re > b.re;
    return a.im > b.im;
}

}  // namespace

std::vector<Pol> polyRozboru(const RozborPolu& rozbor) {
    std::vector<Pol> poly;
    if (rozbor.nuly > 0) poly.push_back(Pol{0.0, 0.0, 0.0, rozbor.nuly, PolohaPolu::Uvnitr});
    for (const CinitelPolu& c : rozbor.cinitele) korenyCinitele(c, poly);
    std::sort(poly.begin(), poly.end(), dribe);
    return poly;
}

std::vector<Pol> presnePoly(const CelyPolynom& p) { return polyRozboru(rozeber(p)); }

std::string presnePolyZadani(const std::string& text) {
    const std::shared_ptr<const RozborPolu> rozbor = rozborZadani(text);
    if (!rozbor) return std::string(1, zadani::CHYBA) + "Chybne zadani presnych polu\n";
    if (rozbor->nulovy) return std::string(1, zadani::CHYBA) + "Polynom polu je nulovy\n";
    const PresnaMatice blok = polyNaBlok(polyRozboru(*rozbor));
    return zadani::zapis(zadani::POLY, {&blok});
}
