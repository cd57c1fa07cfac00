#include "ChybaCteni.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "SmerovaneZaokrouhleni.h"
#include "RychlyCertifikat.h"

namespace {

__extension__ typedef unsigned __int128 Velke;

}  // namespace

bool presneVDouble(const std::string& text) {
    std::size_t i = text.size() > 0 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    Velke m = 0;
    long e = 0;
    int cifer = 0;
    bool zaTeckou = false;
    for (; i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            zaTeckou = true;
            continue;
        }
        if (m == 0 && text[i] == '0') {
            if (zaTeckou) --e;
            continue;
        }
        if (++cifer > 36) return false;
        m = m * 10 + static_cast<unsigned>(text[i] - '0');
        if (zaTeckou) --e;
    }
    if (i < text.size()) {
        if (text[i] != 'e' && text[i] != 'E') return false;
        e += std::strtol(text.c_str() + i + 1, nullptr, 10);
    }
    if (m == 0) return true;
    // m 10^e: remove the 5s of 10^e from m (e < 0) or multiply them in (e > 0).
    for (; e < 0 && m % 5 == 0; ++e) m /= 5;
    if (e < 0) return false;
    for (long k = 0; k < e; ++k) {
        if (m > (static_cast<Velke>(1) << 100)) return false;
        m *= 5;
    }
    while (m % 2 == 0) m /= 2;
    const double x = std::fabs(std::strtod(text.c_str(), nullptr));
    return m < (static_cast<Velke>(1) << 53) && std::isnormal(x);
}

namespace {

// The reading bound of x written as `text` (nullptr: no text), and (sDolni) its low part with
// the bound of what remains.
void cteni(double x, const std::vector<std::string>* text, bool sDolni, double& chyba, double& lo, double& zbyvajici) {
    chyba = lo = zbyvajici = 0.0;
    if (x == 0.0) return;
    const bool jedinyText = text != nullptr && text->size() == 1;
    if (jedinyText && presneVDouble((*text)[0])) return;
    chyba = zbyvajici = smerovane::nahoru(CHYBA_CTENI * std::fabs(x));
    if (!jedinyText || !sDolni) return;
    const long double dlouhe = std::strtold((*text)[0].c_str(), nullptr);
    if (!std::isfinite(dlouhe)) return;
    // dlouhe - x is exact in long double when both lie near the written value (Sterbenz),
    // within 2^-64 of itself otherwise; rounding it to double costs u more.
    lo = static_cast<double>(dlouhe - static_cast<long double>(x));
    zbyvajici = smerovane::nahoru(0x1p-63 * std::fabs(static_cast<double>(dlouhe)) + 2.0 * smerovane::U * std::fabs(lo));
}

Matrix<double> projdi(const Matrix<double>& M, const PresnaMatice* texty, Matrix<double>& chyby,
                      Matrix<double>* zbyvajici) {
    const int r = M.get_rows(), c = M.get_columns();
    Matrix<double> lo(r, c, Matrix<double>::ZEROS);
    chyby = Matrix<double>(r, c, Matrix<double>::ZEROS);
    if (zbyvajici) *zbyvajici = Matrix<double>(r, c, Matrix<double>::ZEROS);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) {
            std::vector<std::string> text;
            const bool maText = texty != nullptr && i < texty->get_rows() && j < texty->get_columns();
            if (maText && M(i, j) != 0.0) text = texty->prvek(i, j);
            double chyba = 0.0, dolni = 0.0, zbyva = 0.0;
            cteni(M(i, j), maText ? &text : nullptr, zbyvajici != nullptr, chyba, dolni, zbyva);
            chyby(i, j) = chyba;
            if (zbyvajici) {
                lo(i, j) = dolni;
                (*zbyvajici)(i, j) = zbyva;
            }
        }
    return lo;
}

}  // namespace

Matrix<double> chybyCteni(const Matrix<double>& M, const PresnaMatice* texty) {
    Matrix<double> chyby;
    projdi(M, texty, chyby, nullptr);
    return chyby;
}

Matrix<double> dolniCasti(const Matrix<double>& M, const PresnaMatice* texty, Matrix<double>& chyby,
                          Matrix<double>& zbyvajici) {
    return projdi(M, texty, chyby, &zbyvajici);
}
