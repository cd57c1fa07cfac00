// Poly with --nuly ano and --zesileni ano through the real tool: the reports of systems whose
// zeros and gains are known (a zero on a pole, an uncontrollable mode, an integrator, an
// identically zero numerator and determinant), each option alone, the console of the plain
// run, and the refusals of the channel limit with nothing written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e.h"

namespace {
namespace e2e_nuly {

namespace {

using e2e::precti;
using e2e::spust;

class Nuly : public e2e::SAdresarem {
protected:
    std::string vysledek = adresar + "/poly.txt";
};

// The report without the sections from `od` up to `do_` (end of text when absent).
std::string bez(const std::string& zprava, const std::string& od, const std::string& do_) {
    const std::size_t zacatek = zprava.find(od);
    if (zacatek == std::string::npos) return zprava;
    const std::size_t konec = do_.empty() ? std::string::npos : zprava.find(do_, zacatek);
    return zprava.substr(0, zacatek) + (konec == std::string::npos ? "" : zprava.substr(konec));
}

}  // namespace

// Each expected report holds the poles, the zeros and the gains; --nuly alone and --zesileni
// alone write their part of it, and the console is that of the run without options.
TEST_F(Nuly, ReportsOfKnownZerosAndGainsByteForByte) {
    const struct {
        const char* druh;
        const char* jmeno;
    } pripady[] = {
        {"VnejsiSISO", "nuly_vnejsi_siso"},             // zero 0.5 on the pole 0.5, gain 1.5625
        {"VnejsiSISO", "nuly_vnejsi_siso_integrator"},  // no zeros, gain inf
        {"VnejsiSISO", "nuly_vnejsi_siso_nulovy_citatel"},
        {"StavSISO", "nuly_stav_siso"},                 // the uncontrollable mode 0.2 is a zero
        {"StavMIMO", "nuly_stav_mimo_nulovy_determinant"},
        {"VnejsiMIMO", "nuly_vnejsi_mimo"},
    };
    const std::string NULY = "Nuly systemu:", ZESILENI = "Staticke zesileni:";
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.jmeno);
        const std::string system = e2e::data(std::string(p.jmeno) + ".txt");
        const std::string ocekavana = precti(e2e::data(std::string(p.jmeno) + ".poly"));
        const e2e::Vysledek prosty = spust({p.druh, system, "Poly", vysledek});
        ASSERT_EQ(prosty.exit_status, 0);
        EXPECT_EQ(precti(vysledek), bez(ocekavana, NULY, ""));
        const struct {
            std::vector<std::string> volby;
            std::string zprava;
        } behy[] = {
            {{"--nuly", "ano", "--zesileni", "ano"}, ocekavana},
            {{"--zesileni", "ano", "--nuly", "ano"}, ocekavana},
            {{"--nuly", "ano"}, bez(ocekavana, ZESILENI, "")},
            {{"--zesileni", "ano"}, bez(ocekavana, NULY, ZESILENI)},
            {{"--nuly", "ne", "--zesileni", "ne"}, bez(ocekavana, NULY, "")},
        };
        for (const auto& b : behy) {
            std::vector<std::string> argumenty = b.volby;
            argumenty.insert(argumenty.end(), {p.druh, system, "Poly", vysledek});
            const e2e::Vysledek v = spust(argumenty);
            EXPECT_EQ(v.exit_status, 0);
            EXPECT_EQ(v.stdout_text, prosty.stdout_text);
            EXPECT_EQ(v.stderr_text, "");
            EXPECT_EQ(precti(vysledek), b.zprava) << b.volby[0];
        }
    }
}

// Beyond 16 inputs and outputs the gain of a MIMO system, and the zeros of a state-space one,
// are refused before anything is computed or written; the zeros of a matrix fraction are not.
TEST_F(Nuly, ChannelLimitRefusesWithoutTouchingTheResult) {
    const int l = 17;
    std::string G, H, L, B, A;
    for (int i = 0; i < l; ++i) {
        G += "1" + std::string(i + 1 < l ? " " : "\n");
        H += "1\n";
        for (int j = 0; j < l; ++j) {
            L += std::string(i == j ? "1" : "0") + (j + 1 < l ? " " : "\n");
            B += std::string(i == j ? "1" : "0") + (j + 1 < l ? ";" : "\n");
            A += std::string(i == j ? "-0.5 1" : "0") + (j + 1 < l ? ";" : "\n");
        }
    }
    const std::string stav = soubor("stav.txt", "0.5\n\n" + G + "\n" + H + "\n" + L + "\n0\n");
    const std::string vnejsi = soubor("vnejsi.txt", B + "\n" + A);
    const std::string puvodni = "puvodni obsah\n";
    const struct {
        std::vector<std::string> argumenty;
        std::string zprava;  // empty: accepted
    } pripady[] = {
        {{"--nuly", "ano", "StavMIMO", stav}, "U nul stavoveho popisu je max 16 vstupu a vystupu, system jich ma 17\n"},
        {{"--zesileni", "ano", "StavMIMO", stav}, "U statickeho zesileni je max 16 vstupu a vystupu, system jich ma 17\n"},
        {{"--nuly", "ano", "--zesileni", "ano", "VnejsiMIMO", vnejsi},
         "U statickeho zesileni je max 16 vstupu a vystupu, system jich ma 17\n"},
        {{"--nuly", "ano", "VnejsiMIMO", vnejsi}, ""},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.argumenty[0] + " " + p.argumenty[p.argumenty.size() - 2]);
        e2e::zapis(vysledek, puvodni);
        std::vector<std::string> argumenty = p.argumenty;
        argumenty.insert(argumenty.end(), {"Poly", vysledek});
        const e2e::Vysledek v = spust(argumenty);
        const std::string nacteno = argumenty[argumenty.size() - 3] + " Soubor Nacten!\n\n";
        if (p.zprava.empty()) {
            EXPECT_EQ(v.exit_status, 0);
            EXPECT_NE(precti(vysledek).find("Nuly systemu: realna cast"), std::string::npos);
            continue;
        }
        EXPECT_EQ(v.exit_status, 1);
        EXPECT_EQ(v.stdout_text, nacteno + p.zprava);
        EXPECT_EQ(precti(vysledek), puvodni);
    }
}

}  // namespace e2e_nuly
}  // namespace
