#include "JisteBody.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

const double U = std::numeric_limits<double>::epsilon() / 2.0;

// a - b rounded outward: the exact difference when the subtraction is exact (TwoSum), else the
// neighbouring double in the direction `smer`.
double rozdilVen(double a, double b, double smer) {
    const double s = a - b;
    const double bv = s - a;
    const double chyba = (a - (s - bv)) + (-b - bv);
    return chyba == 0.0 ? s : std::nextafter(s, smer);
}

// The interval moved by -360 m.
Rozsah posun(const Rozsah& r, double m) {
    return {rozdilVen(r.dolni, 360.0 * m, -INFINITY), rozdilVen(r.horni, 360.0 * m, INFINITY)};
}

// An interval of (a - b) / 360 for intervals a and b, widened by the rounding of its
// computation; exact when both are exact values (then what a double computation gives, as the
// unwrapping of exact values always did).
Rozsah krok(const Rozsah& a, const Rozsah& b) {
    if (a.presny() && b.presny()) {
        const double d = (a.dolni - b.dolni) / 360.0;
        return {d, d};
    }
    const double dolni = (a.dolni - b.horni) / 360.0, horni = (a.horni - b.dolni) / 360.0;
    return {dolni - std::fabs(dolni) * 4.0 * U - 0x1p-1000, horni + std::fabs(horni) * 4.0 * U + 0x1p-1000};
}

// The multiple of 360 that brings the first phase into (-180, 180]; false when the interval
// spans two of them.
bool prvniPosun(const Rozsah& f, double& m) {
    m = std::ceil((f.horni - 180.0) / 360.0);
    const Rozsah posunuta = posun(f, m);
    return posunuta.dolni > -180.0 && posunuta.horni <= 180.0;
}

double bezZnamenkaNuly(double x) { return x == 0.0 ? 0.0 : x; }

}  // namespace

std::string sestPlatnych(double x) {
    char text[32];
    const int delka = std::snprintf(text, sizeof text, "%.6g", bezZnamenkaNuly(x));
    return std::string(text, static_cast<std::size_t>(delka));
}

namespace {

// 10^k, exact for |k| <= 22.
double mocninaDeseti(int k) {
    static const double presne[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (k >= 0 && k <= 22) return presne[k];
    if (k < 0 && k >= -22) return 1.0 / presne[-k];
    return std::pow(10.0, k);
}

// The six-digit significand of |x| at the decimal exponent e: |x| 10^(5 - e) rounded to an
// integer; false when the scaled value lies within 1e-6 of a half-integer, where its own
// rounding (a few units in the last place) could decide the other way.
bool sestCislic(double x, int e, double& cislice) {
    const double q = std::fabs(x) * mocninaDeseti(5 - e);
    cislice = std::nearbyint(q);
    return std::fabs(std::fabs(q - cislice) - 0.5) > 1e-6 && cislice >= 1e5 && cislice < 1e6;
}

}  // namespace

bool rozhodnuty(const Rozsah& r) {
    if (!r.znamy()) return false;
    // Most intervals are decided by comparing their six-digit significands in double; the
    // printf text decides the rest.
    if (std::isfinite(r.dolni) && std::isfinite(r.horni) && r.dolni != 0.0 && r.horni != 0.0 &&
        std::signbit(r.dolni) == std::signbit(r.horni)) {
        const int e = static_cast<int>(std::floor(std::log10(std::fabs(r.dolni))));
        double a = 0.0, b = 0.0;
        if (e > -300 && e < 300 && sestCislic(r.dolni, e, a) && sestCislic(r.horni, e, b)) return a == b;
    }
    return sestPlatnych(r.dolni) == sestPlatnych(r.horni);
}

RozvinutaDvojice rozvin(const std::vector<BodFrekvence>& body) {
    RozvinutaDvojice v;
    v.db.assign(body.size(), NAN);
    v.faze.assign(body.size(), NAN);
    bool predchozi = false, zastaveno = false;
    Rozsah posledni;
    std::size_t indexPosledniho = 0;
    for (std::size_t k = 0; k < body.size(); ++k) {
        const BodFrekvence& b = body[k];
        if (!b.db.znamy()) {
            v.nejiste.push_back(k);
            zastaveno = true;
            continue;
        }
        v.db[k] = bezZnamenkaNuly(b.db.dolni);
        if (!rozhodnuty(b.db)) v.nejiste.push_back(k);
        if (b.nula() || b.pol() || zastaveno) continue;
        if (!b.faze.znamy()) {
            if (v.nejiste.empty() || v.nejiste.back() != k) v.nejiste.push_back(k);
            zastaveno = true;
            continue;
        }
        double m = 0.0;
        bool jisty = true;
        if (!predchozi) {
            jisty = prvniPosun(b.faze, m);
        } else {
            const Rozsah d = krok(b.faze, posledni);
            m = std::round(d.dolni);
            jisty = m == std::round(d.horni);
            if (!jisty) m = std::round((d.dolni + d.horni) / 2.0);
        }
        const Rozsah rozvinuta = posun(b.faze, m);
        if (!jisty && predchozi && (v.nejiste.empty() || v.nejiste.back() != indexPosledniho))
            v.nejiste.push_back(indexPosledniho);
        if ((!jisty || !rozhodnuty(rozvinuta)) && (v.nejiste.empty() || v.nejiste.back() != k)) v.nejiste.push_back(k);
        v.faze[k] = bezZnamenkaNuly(rozvinuta.dolni);
        posledni = rozvinuta;
        indexPosledniho = k;
        predchozi = true;
    }
    return v;
}

namespace {

std::string text(double x) {
    if (std::isnan(x)) return "nan";
    if (std::isinf(x)) return x > 0 ? "inf" : "-inf";
    return presnyText(x);
}

}  // namespace

PresnaMatice bodyNaBlok(const std::vector<BodFrekvence>& body) {
    PresnaMatice blok;
    blok.novyTvar(static_cast<int>(body.size()), 1);
    for (const BodFrekvence& b : body)
        blok.pridejPrvek({text(b.db.dolni), text(b.db.horni), text(b.faze.dolni), text(b.faze.horni)});
    return blok;
}

bool bodyZBloku(const PresnaMatice& blok, std::vector<BodFrekvence>& body) {
    if (blok.get_columns() != 1) return false;
    body.clear();
    for (int k = 0; k < blok.get_rows(); ++k) {
        const std::vector<std::string> prvek = blok.prvek(k, 0);
        if (prvek.size() != 4) return false;
        double x[4];
        for (std::size_t i = 0; i < 4; ++i) {
            char* konec = nullptr;
            x[i] = std::strtod(prvek[i].c_str(), &konec);
            if (konec == prvek[i].c_str() || *konec != '\0') return false;
        }
        body.push_back({{x[0], x[1]}, {x[2], x[3]}});
    }
    return true;
}
