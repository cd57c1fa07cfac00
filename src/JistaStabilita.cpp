#include "JistaStabilita.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <optional>
#include <string>

#include "KorenyPolynomu.h"
#include "RychlyCertifikat.h"
#include "Vyjimky.h"
#include "ZadaniPresnosti.h"

#ifndef CLDDS_MODUL_PRESNOSTI
#define CLDDS_MODUL_PRESNOSTI "../lib/cldds/libcldds_presne.so"
#endif

namespace {

const char* const JMENO_MODULU = "libcldds_presne.so";
// An entry of the block companion matrix is one quotient of two values read from text.
const double CHYBA_PODILU = 4.0 * CHYBA_CTENI;

using PresnaStabilita = int (*)(const char*, char*, std::size_t);

std::string adresarProgramu() {
    char cesta[PATH_MAX];
    const ssize_t delka = ::readlink("/proc/self/exe", cesta, sizeof cesta - 1);
    if (delka <= 0) return ".";
    const std::string text(cesta, static_cast<std::size_t>(delka));
    const std::size_t lomitko = text.rfind('/');
    return lomitko == std::string::npos ? "." : text.substr(0, lomitko);
}

// The module beside the program (the build tree), else where the installation puts it.
PresnaStabilita nactiModul(std::string& hledano) {
    const std::string adresar = adresarProgramu();
    for (const std::string& cesta : {adresar + "/" + JMENO_MODULU, adresar + "/" + CLDDS_MODUL_PRESNOSTI}) {
        hledano += (hledano.empty() ? "" : ", ") + cesta;
        if (::access(cesta.c_str(), R_OK) != 0) continue;
        void* modul = ::dlopen(cesta.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (modul == nullptr) continue;
        if (void* funkce = ::dlsym(modul, "cldds_presna_stabilita")) return reinterpret_cast<PresnaStabilita>(funkce);
    }
    return nullptr;
}

bool presnaStabilita(ZdrojPolu zdroj, const PresnaMatice& hodnoty) {
    static std::string hledano;
    static const PresnaStabilita funkce = nactiModul(hledano);
    if (funkce == nullptr)
        throw vyjm::FileError("Modul presne aritmetiky se nepodarilo nacist (" + hledano + ")\n");
    char chyba[256] = {};
    const int vysledek = funkce(zapisZadani(zdroj, hodnoty).c_str(), chyba, sizeof chyba);
    if (vysledek < 0) throw vyjm::FileError(chyba);
    return vysledek == 1;
}

std::vector<double> radkove(const Matrix<double>& M) {
    std::vector<double> hodnoty;
    for (int i = 0; i < M.get_rows(); ++i)
        for (int j = 0; j < M.get_columns(); ++j) hodnoty.push_back(M(i, j));
    return hodnoty;
}

std::vector<std::string> koeficientyPolynomu(const Polynom& p) {
    std::vector<std::string> texty;
    for (int k = 0; k < p.get_delkaPolynomy(); ++k) texty.push_back(presnyText(p[static_cast<std::size_t>(k)]));
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
    return jiste ? *jiste : presnaStabilita(ZdrojPolu::Polynom, presne());
}

bool stabilniMatice(const Matrix<double>& F, const std::function<PresnaMatice()>& presne) {
    std::optional<bool> jiste;
    if (F.get_rows() == F.get_columns()) jiste = certifikatMocnin(radkove(F), F.get_rows(), CHYBA_CTENI);
    return jiste ? *jiste : presnaStabilita(ZdrojPolu::Matice, presne());
}

bool stabilniDeterminant(const Matrix<double>& C, const std::function<PresnaMatice()>& presne) {
    std::optional<bool> jiste;
    if (C.get_rows() > 0 && C.get_rows() == C.get_columns())
        jiste = certifikatMocnin(radkove(C), C.get_rows(), CHYBA_PODILU);
    return jiste ? *jiste : presnaStabilita(ZdrojPolu::PolynomialniMatice, presne());
}
