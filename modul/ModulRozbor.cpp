#include "ModulRozbor.h"

#include <flint/fmpz_poly_factor.h>

#include "ZadaniPresnosti.h"

namespace {

CinitelPolu cinitel(const fmpz_poly_struct* s, long nasobnost) {
    CinitelPolu c;
    fmpz_poly_set(c.s.get(), s);
    c.nasobnost = nasobnost;
    c.casti = rozdelPodleKruznice(c.s);
    c.stopa = stopovyPolynom(c.casti.g);
    c.naKruznici = 2 * realnychVIntervalu(c.stopa);
    return c;
}

}  // namespace

RozborPolu rozeber(const CelyPolynom& p) {
    RozborPolu rozbor;
    if (p.stupen() < 0) {
        rozbor.nulovy = true;
        return rozbor;
    }
    while (fmpz_is_zero(p.get()->coeffs + rozbor.nuly)) ++rozbor.nuly;
    CelyPolynom q;
    fmpz_poly_shift_right(q.get(), p.get(), rozbor.nuly);
    if (q.stupen() <= 0) return rozbor;
    RozkladPolynomu cinitele;
    fmpz_poly_factor_squarefree(cinitele.get(), q.get());
    for (long i = 0; i < cinitele.get()->num; ++i)
        rozbor.cinitele.push_back(cinitel(cinitele.get()->p + i, cinitele.get()->exp[i]));
    return rozbor;
}

std::shared_ptr<const RozborPolu> rozborZadani(const std::string& text) {
    static std::string posledniZadani;
    static std::shared_ptr<const RozborPolu> posledni;
    if (posledni && text == posledniZadani) return posledni;
    char druh = 0;
    std::vector<PresnaMatice> bloky;
    CelyPolynom p;
    if (!zadani::nacti(text, druh, bloky) || bloky.size() != 1 || !polynomPolu(druh, bloky[0], p)) return nullptr;
    posledni = std::make_shared<const RozborPolu>(rozeber(p));
    posledniZadani = text;
    return posledni;
}
