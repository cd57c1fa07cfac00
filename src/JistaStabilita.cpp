#include "JistaStabilita.h"

#include <optional>
#include <string>

#include "KorenyPolynomu.h"
#include "RychlyCertifikat.h"
#include "NacitaniModulu.h"
#include "ZadaniPresnosti.h"

namespace {

// An entry of the block companion matrix is one quotient of two values read from text.
const double CHYBA_PODILU = 4.0 * CHYBA_CTENI;

std::vector<double> radkove(const Matrix<double>& M) {
    std::vector<double> hodnoty;
    for (int i = 0; i < M.get_rows(); ++i)
        for (int j = 0; j < M.get_columns(); ++j) hodnoty.push_back(M(i, j));
    return hodnoty;
}

// The coefficients 0 ... degree, as the system classes read them (a constant set into an empty
// polynomial has length 0 but degree 0 and its value).
std::vector<std::string> koeficientyPolynomu(const Polynom& p) {
    std::vector<std::string> texty;
    for (int k = 0; k <= p.get_stupen(); ++k) texty.push_back(presnyText(p[static_cast<std::size_t>(k)]));
    return texty;
}

}  // namespace

PresnaMatice presneZMatice(const Matrix<double>& M) {
    PresnaMatice vysledek;
    vysledek.novyTvar(M.get_rows(), M.get_columns());
    for (int i = 0; i < M.get_rows(); ++i)
        for (int j = 0; j < M.get_columns(); ++j) vysledek.pridejPrvek({presnyText(M(i, j))});
    return vysledek;
}

PresnaMatice presneZPolynomu(const Polynom& p) {
    PresnaMatice vysledek;
    vysledek.novyTvar(1, 1);
    vysledek.pridejPrvek(koeficientyPolynomu(p));
    return vysledek;
}

PresnaMatice presneZPolynomialniMatice(const Matrix<Polynom>& M) {
    PresnaMatice vysledek;
    vysledek.novyTvar(M.get_rows(), M.get_columns());
    for (int i = 0; i < M.get_rows(); ++i)
        for (int j = 0; j < M.get_columns(); ++j) vysledek.pridejPrvek(koeficientyPolynomu(M(i, j)));
    return vysledek;
}

bool stabilniPolynom(const std::vector<double>& a, const std::function<PresnaMatice()>& presne) {
    const std::optional<bool> jiste = certifikatKorenu(a, CHYBA_CTENI, korenyPolynomu(a));
    return jiste ? *jiste : presnaStabilita(zadani::POLYNOM, presne());
}

bool stabilniMatice(const Matrix<double>& F, const std::function<PresnaMatice()>& presne) {
    std::optional<bool> jiste;
    if (F.get_rows() == F.get_columns()) jiste = certifikatMocnin(radkove(F), F.get_rows(), CHYBA_CTENI);
    return jiste ? *jiste : presnaStabilita(zadani::MATICE, presne());
}

bool stabilniDeterminant(const Matrix<double>& C, const std::function<PresnaMatice()>& presne) {
    std::optional<bool> jiste;
    if (C.get_rows() > 0 && C.get_rows() == C.get_columns())
        jiste = certifikatMocnin(radkove(C), C.get_rows(), CHYBA_PODILU);
    return jiste ? *jiste : presnaStabilita(zadani::POLYNOMIALNI_MATICE, presne());
}
