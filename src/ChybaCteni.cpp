#include "ChybaCteni.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "MezeChyb.h"
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

Matrix<double> chybyCteni(const Matrix<double>& M, const PresnaMatice* texty) {
    Matrix<double> chyby(M.get_rows(), M.get_columns(), Matrix<double>::ZEROS);
    for (int i = 0; i < M.get_rows(); ++i)
        for (int j = 0; j < M.get_columns(); ++j) {
            const double x = M(i, j);
            if (x == 0.0) continue;
            if (texty != nullptr && i < texty->get_rows() && j < texty->get_columns()) {
                const std::vector<std::string> prvek = texty->prvek(i, j);
                if (prvek.size() == 1 && presneVDouble(prvek[0])) continue;
            }
            chyby(i, j) = meze::nahoru(CHYBA_CTENI * std::fabs(x));
        }
    return chyby;
}

Matrix<double> dolniCasti(const Matrix<double>& M, const PresnaMatice* texty, Matrix<double>& zbyvajici) {
    Matrix<double> lo(M.get_rows(), M.get_columns(), Matrix<double>::ZEROS);
    zbyvajici = chybyCteni(M, texty);
    for (int i = 0; i < M.get_rows(); ++i)
        for (int j = 0; j < M.get_columns(); ++j) {
            if (zbyvajici(i, j) == 0.0 || texty == nullptr || i >= texty->get_rows() || j >= texty->get_columns())
                continue;
            const std::vector<std::string> prvek = texty->prvek(i, j);
            if (prvek.size() != 1) continue;
            const long double dlouhe = std::strtold(prvek[0].c_str(), nullptr);
            if (!std::isfinite(dlouhe)) continue;
            // dlouhe - M(i, j) is exact in long double when both lie near the written value
            // (Sterbenz), within 2^-64 of itself otherwise; rounding it to double costs u more.
            const long double rozdil = dlouhe - static_cast<long double>(M(i, j));
            lo(i, j) = static_cast<double>(rozdil);
            const double zaokrouhleni = 2.0 * meze::U * std::fabs(lo(i, j));
            zbyvajici(i, j) = meze::nahoru(0x1p-63 * std::fabs(static_cast<double>(dlouhe)) + zaokrouhleni);
        }
    return lo;
}
