#ifndef CLDDS_TESTS_FUZZ_CILE_FUZZ_H
#define CLDDS_TESTS_FUZZ_CILE_FUZZ_H

// What each fuzz target does with one input. The libFuzzer entry points (fuzz_*.cpp) and the
// regression test that replays the kept inputs (test_fuzz_regrese.cpp) share this code, so a
// finding replays exactly as it was found.
//
// An input may be refused only with one of the program's own errors (the vyjm types). Any
// other exception that escapes, and every broken promise checked here (fuzz::Porucha), ends
// the run: libFuzzer reports it as a crash, GoogleTest as a failed test. Crashes, leaks and
// undefined behaviour are left to the sanitizers.

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <system_error>
#include <vector>

#include "CLDDS_Stav_MIMO.h"
#include "CLDDS_Vnejsi_MIMO.h"
#include "CLDDS_Vnejsi_SISO.h"
#include "CLLDS_Stav_SISO.h"
#include "Matrix.h"
#include "Polynoms.h"
#include "Ridici.h"
#include "System.h"
#include "Vstup_Vystup.h"
#include "ZapisSystemu.h"
#include "Vyjimky.h"

namespace fuzz {

// A promise of the program that an input has broken.
class Porucha : public std::runtime_error {
public:
    explicit Porucha(const std::string& co) : std::runtime_error("fuzz: " + co) {}
};

inline void over(bool plati, const std::string& co) {
    if (!plati) throw Porucha(co);
}

// Runs krok. True when it finished, false when it refused its data with a vyjm error.
template <typename Krok>
bool proved(Krok&& krok) {
    try {
        krok();
        return true;
    } catch (const vyjm::FileError&) {
    } catch (const vyjm::ConvertError&) {
    } catch (const vyjm::ArgumentError&) {
    } catch (const vyjm::Null_det&) {
    } catch (const vyjm::Max_sizePolynom&) {
    } catch (const vyjm::Bad_index&) {
    } catch (const vyjm::CLDDS_MIMO&) {
    } catch (const vyjm::CLDDS_Vnejsi_MIMO&) {
    } catch (const vyjm::CLDDS_Vnejsi_SISO&) {
    } catch (const vyjm::CLDDS_Stav_MIMO&) {
    } catch (const vyjm::CLDDS_Stav_SISO&) {
    }
    return false;
}

// ---------------------------------------------------------------- console and streams

// Discards what is written and counts the characters.
class PocitadloZnaku : public std::streambuf {
    std::size_t pocet = 0;

protected:
    int_type overflow(int_type znak) override {
        if (!traits_type::eq_int_type(znak, traits_type::eof())) ++pocet;
        return traits_type::not_eof(znak);
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        pocet += static_cast<std::size_t>(n);
        return n;
    }

public:
    std::size_t get_pocet() const { return pocet; }
};

// While alive, std::cout and std::cerr write into counters instead of the console. The
// formatting state of std::cout is restored afterwards, so one input cannot change how the
// next one is printed.
class TichaKonzole {
    PocitadloZnaku vystup;
    PocitadloZnaku chyby;
    std::ios puvodniFormat{nullptr};
    std::streambuf* puvodniVystup;
    std::streambuf* puvodniChyby;

public:
    TichaKonzole() {
        puvodniFormat.copyfmt(std::cout);
        puvodniVystup = std::cout.rdbuf(&vystup);
        puvodniChyby = std::cerr.rdbuf(&chyby);
    }
    ~TichaKonzole() {
        std::cout.rdbuf(puvodniVystup);
        std::cerr.rdbuf(puvodniChyby);
        std::cout.copyfmt(puvodniFormat);
        std::cout.clear();
        std::cerr.clear();
    }
    TichaKonzole(const TichaKonzole&) = delete;
    TichaKonzole& operator=(const TichaKonzole&) = delete;

    std::size_t naVystup() const { return vystup.get_pocet(); }
    std::size_t naChyby() const { return chyby.get_pocet(); }
};

// A std::fstream (what the reports take) that writes into memory instead of a file.
class PametovyProud {
    std::stringbuf pamet;

public:
    std::fstream proud;

    PametovyProud() { proud.std::ios::rdbuf(&pamet); }
    std::string text() const { return pamet.str(); }
};

// ---------------------------------------------------------------- sample data

// The shipped examples, one per kind, and a signal of each shape.
const char* const VZOR_VNEJSI_SISO = "0.5 1\n0.15 -0.8 1\n";
const char* const VZOR_VNEJSI_MIMO = "1;0.5\n0;1\n\n-0.5 1;0.25\n0;-0.2 1\n";
const char* const VZOR_STAV_SISO = "0.5 0.1\n0 0.8\n\n1\n0.5\n\n1 0\n\n0\n\n0\n0\n";
const char* const VZOR_STAV_MIMO = "0.5 0.2\n-0.1 0.6\n\n1 0\n0 1\n\n1 0\n0.5 1\n\n0 0\n0 0.5\n\n0\n0\n";
const char* const VZOR_VSTUP_SISO = "1 1 1 1 1 0 0 0 0 0\n";
const char* const VZOR_VSTUP_MIMO = "1 0 0 0 0 0 0 0\n0 0.5 0.5 0.5 0.5 0 0 0\n";

const int POCET_KROKU = 50;  // steps of the impulse and step responses

// A realisation in state space is analysed (and converted back) only up to this order. One
// short line of a fuzz input can hold an external description of degree 255, whose
// realisation has 255 states or more; converting that back costs an O(n^4) characteristic
// polynomial, seconds even without sanitizers. The command line meets that cost only with a
// state-space file of that size, far beyond the 4096 bytes of a fuzz input, so the fuzzer
// would only keep rediscovering a known cost instead of looking for faults.
const int MAX_RAD_REALIZACE = 64;

// A signal of `radky` x `sloupce` with values of both signs and very different sizes.
inline Matrix<double> signal(int radky, int sloupce) {
    static const double hodnoty[] = {1.0, -0.5, 0.0, 2.5e3, -1e-7, 1e300, -3.0};
    Matrix<double> u(radky, sloupce, Matrix<double>::ZEROS);
    for (int i = 0; i < radky; ++i)
        for (int j = 0; j < sloupce; ++j) u(i, j) = hodnoty[(i * 3 + j) % 7];
    return u;
}

// ---------------------------------------------------------------- analyses

// Lines of a report after its verdict: the value lines. Checks that the verdict agrees with
// stabilni() and that the report has one value line per step.
inline void zkontrolujZpravu(const std::string& zprava, bool stabilni, int kroky) {
    const std::string ano = " System je stabilni \n\n";
    const std::string ne = " System neni stabilni\n\n";
    const std::size_t poloha = zprava.find(stabilni ? ano : ne);
    over(poloha != std::string::npos, "report without the verdict of stabilni()");
    int radky = 0;
    for (std::size_t i = poloha + (stabilni ? ano : ne).size(); i < zprava.size(); ++i)
        if (zprava[i] == '\n') ++radky;
    over(radky == kroky, "report with " + std::to_string(radky) + " value lines for " + std::to_string(kroky) +
                             " steps");
}

// Every operation of the interface on one system whose outputs are known in number
// (`vystupy`; SISO systems have one, laid out as a column). Results must have the promised
// shape, reports one line per step, and a signal of the wrong shape must be refused.
inline void vsechnyAnalyzy(const CLDDS& system, bool siso, int vystupy) {
    // A system whose stability cannot be decided still has responses, but no report.
    bool stabilni = false;
    const bool rozhodnuto = proved([&] { stabilni = system.stabilni(); });

    const auto tvar = [&](const Matrix<double>& y, int kroky) {
        if (siso)
            over(y.get_rows() == kroky && y.get_columns() == 1, "SISO response of a wrong shape");
        else
            over(y.get_rows() == vystupy && y.get_columns() == kroky, "MIMO response of a wrong shape");
    };
    const auto zprava = [&](const Matrix<double>& y, int kroky) {
        PametovyProud f;
        const bool zapsano = proved([&] { system.CSVexport(y, f.proud); });
        over(!zapsano || rozhodnuto, "report written without a stability verdict");
        over(zapsano || f.text().empty(), "refused report left half written");
        if (zapsano) zkontrolujZpravu(f.text(), stabilni, kroky);
    };

    Matrix<double> y;
    if (proved([&] { y = system.impulsni_funkce(); })) {
        tvar(y, POCET_KROKU);
        zprava(y, POCET_KROKU);
    }
    if (proved([&] { y = system.prechodova_funkce(); })) {
        tvar(y, POCET_KROKU);
        zprava(y, POCET_KROKU);
    }
    const int kroky = 7;
    const Matrix<double> u = siso ? signal(kroky, 1) : signal(vystupy, kroky);
    if (proved([&] { y = system.vystup_systemu(u); })) {
        tvar(y, kroky);
        zprava(y, kroky);
    }
    const Matrix<double> spatny = siso ? signal(kroky, 2) : signal(vystupy + 1, kroky);
    over(!proved([&] { system.vystup_systemu(spatny); }), "signal of a wrong shape accepted");
    over(!proved([&] { system.vystup_systemu(Matrix<double>()); }), "empty signal accepted");
}

inline std::string text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// The writers of converted systems, into memory.
template <typename System>
void zapisStav(System& system) {
    std::ostringstream f;
    proved([&] { zapisDatDoSouboruStav(f, system); });
}
template <typename System>
void zapisVnejsi(System& system) {
    std::ostringstream f;
    proved([&] { zapisDatDoSouboruVnejsi(f, system); });
}

// ---------------------------------------------------------------- the reader targets

// External SISO file: read, build, analyse, realise in state space (analyse and write the
// realisation) and take it back to a transfer function.
inline void vnejsiSISO(const std::uint8_t* data, std::size_t size) {
    TichaKonzole ticho;
    std::istringstream vstup(text(data, size));
    Polynom A('x', false);
    Polynom B('x', false);
    if (!proved([&] { cteniDatZeSouboruVnejsiSISO(vstup, A, B); })) return;
    std::unique_ptr<CLDDS_Vnejsi_SISO> vnejsi;
    if (!proved([&] { vnejsi = std::make_unique<CLDDS_Vnejsi_SISO>(A, B); })) return;
    vsechnyAnalyzy(*vnejsi, true, 1);
    zapisVnejsi(*vnejsi);

    std::unique_ptr<CLDDS_Stav_SISO> stav;
    if (!proved([&] { stav = std::make_unique<CLDDS_Stav_SISO>(*vnejsi); })) return;
    if (stav->get_n() > MAX_RAD_REALIZACE) return;
    vsechnyAnalyzy(*stav, true, 1);
    zapisStav(*stav);
    proved([&] {
        CLDDS_Vnejsi_SISO zpet(*stav);
        vsechnyAnalyzy(zpet, true, 1);
    });
    over(ticho.naChyby() == 0, "standard error written");
}

// External MIMO file: the same road through the block observer form and back.
inline void vnejsiMIMO(const std::uint8_t* data, std::size_t size) {
    TichaKonzole ticho;
    std::istringstream vstup(text(data, size));
    Matrix<Polynom> A;
    Matrix<Polynom> B;
    if (!proved([&] { cteniDatZeSouboruVnejsiMIMO(vstup, A, B); })) return;
    std::unique_ptr<CLDDS_Vnejsi_MIMO> vnejsi;
    if (!proved([&] { vnejsi = std::make_unique<CLDDS_Vnejsi_MIMO>(A, B); })) return;
    vsechnyAnalyzy(*vnejsi, false, vnejsi->get_l());
    zapisVnejsi(*vnejsi);

    std::unique_ptr<CLDDS_Stav_MIMO> stav;
    if (!proved([&] { stav = std::make_unique<CLDDS_Stav_MIMO>(*vnejsi); })) return;
    if (stav->get_n() > MAX_RAD_REALIZACE) return;
    vsechnyAnalyzy(*stav, false, stav->get_m());
    zapisStav(*stav);
    proved([&] {
        CLDDS_Vnejsi_MIMO zpet(*stav);
        vsechnyAnalyzy(zpet, false, zpet.get_l());
    });
    over(ticho.naChyby() == 0, "standard error written");
}

// State-space file: read once, built as a SISO and as a MIMO system (whichever fits), each
// analysed, converted to the external description (analysed, written) and back.
inline void stav(const std::uint8_t* data, std::size_t size) {
    TichaKonzole ticho;
    std::istringstream vstup(text(data, size));
    Matrix<double> F, G, H, L, x0;
    if (!proved([&] { cteniDatZeSouboruStav(vstup, F, G, H, L, x0); })) return;
    const double T = 1.0;

    std::unique_ptr<CLDDS_Stav_SISO> siso;
    if (proved([&] { siso = std::make_unique<CLDDS_Stav_SISO>(F, G, H, L, x0, F.get_rows(), T); })) {
        vsechnyAnalyzy(*siso, true, 1);
        zapisStav(*siso);
        std::unique_ptr<CLDDS_Vnejsi_SISO> vnejsi;
        if (proved([&] { vnejsi = std::make_unique<CLDDS_Vnejsi_SISO>(*siso); })) {
            vsechnyAnalyzy(*vnejsi, true, 1);
            zapisVnejsi(*vnejsi);
            proved([&] {
                CLDDS_Stav_SISO zpet(*vnejsi);
                vsechnyAnalyzy(zpet, true, 1);
            });
        }
    }

    std::unique_ptr<CLDDS_Stav_MIMO> mimo;
    const bool postaven = proved([&] {
        mimo = std::make_unique<CLDDS_Stav_MIMO>(G.get_columns(), H.get_rows(), F, G, H, L, x0, F.get_rows(), T);
    });
    if (postaven) {
        vsechnyAnalyzy(*mimo, false, mimo->get_m());
        zapisStav(*mimo);
        std::unique_ptr<CLDDS_Vnejsi_MIMO> vnejsi;
        if (proved([&] { vnejsi = std::make_unique<CLDDS_Vnejsi_MIMO>(*mimo); })) {
            vsechnyAnalyzy(*vnejsi, false, vnejsi->get_l());
            zapisVnejsi(*vnejsi);
            proved([&] {
                CLDDS_Stav_MIMO zpet(*vnejsi);
                vsechnyAnalyzy(zpet, false, zpet.get_m());
            });
        }
    }
    over(ticho.naChyby() == 0, "standard error written");
}

// The sample systems of the signal target, built once.
struct VzoroveSystemy {
    std::unique_ptr<CLDDS_Vnejsi_SISO> vnejsiSISO;
    std::unique_ptr<CLDDS_Vnejsi_MIMO> vnejsiMIMO;
    std::unique_ptr<CLDDS_Stav_SISO> stavSISO;
    std::unique_ptr<CLDDS_Stav_MIMO> stavMIMO;

    VzoroveSystemy() {
        std::istringstream s1(VZOR_VNEJSI_SISO);
        Polynom A('x', false), B('x', false);
        cteniDatZeSouboruVnejsiSISO(s1, A, B);
        vnejsiSISO = std::make_unique<CLDDS_Vnejsi_SISO>(A, B);

        std::istringstream s2(VZOR_VNEJSI_MIMO);
        Matrix<Polynom> MA, MB;
        cteniDatZeSouboruVnejsiMIMO(s2, MA, MB);
        vnejsiMIMO = std::make_unique<CLDDS_Vnejsi_MIMO>(MA, MB);

        Matrix<double> F, G, H, L, x0;
        std::istringstream s3(VZOR_STAV_SISO);
        cteniDatZeSouboruStav(s3, F, G, H, L, x0);
        stavSISO = std::make_unique<CLDDS_Stav_SISO>(F, G, H, L, x0, F.get_rows(), 1.0);

        std::istringstream s4(VZOR_STAV_MIMO);
        cteniDatZeSouboruStav(s4, F, G, H, L, x0);
        stavMIMO = std::make_unique<CLDDS_Stav_MIMO>(G.get_columns(), H.get_rows(), F, G, H, L, x0,
                                                     F.get_rows(), 1.0);
    }

    static const VzoroveSystemy& instance() {
        static const VzoroveSystemy systemy;
        return systemy;
    }
};

// Output of a known system for the signal `u`: refused, or as many steps as the signal and a
// report with one line per step.
inline void odezvaNaSignal(const CLDDS& system, const Matrix<double>& u, bool siso, int vystupy) {
    Matrix<double> y;
    if (!proved([&] { y = system.vystup_systemu(u); })) return;
    const int kroky = siso ? u.get_rows() : u.get_columns();
    if (siso)
        over(y.get_rows() == kroky && y.get_columns() == 1, "SISO output of a wrong shape");
    else
        over(y.get_rows() == vystupy && y.get_columns() == kroky, "MIMO output of a wrong shape");
    bool stabilni = false;
    if (!proved([&] { stabilni = system.stabilni(); })) return;
    PametovyProud f;
    const bool zapsano = proved([&] { system.CSVexport(y, f.proud); });
    over(zapsano || f.text().empty(), "refused report left half written");
    if (zapsano) zkontrolujZpravu(f.text(), stabilni, kroky);
}

// Input signal file: read as a SISO and as a MIMO signal, each fed to the sample systems of
// that shape.
inline void vstup(const std::uint8_t* data, std::size_t size) {
    const VzoroveSystemy& vzory = VzoroveSystemy::instance();
    TichaKonzole ticho;
    const std::string obsah = text(data, size);

    std::istringstream proudSISO(obsah);
    Matrix<double> uSISO;
    if (proved([&] { cteniDatZeSouboruVstup(proudSISO, uSISO, true); })) {
        odezvaNaSignal(*vzory.vnejsiSISO, uSISO, true, 1);
        odezvaNaSignal(*vzory.stavSISO, uSISO, true, 1);
    }
    std::istringstream proudMIMO(obsah);
    Matrix<double> uMIMO;
    if (proved([&] { cteniDatZeSouboruVstup(proudMIMO, uMIMO, false); })) {
        odezvaNaSignal(*vzory.vnejsiMIMO, uMIMO, false, 2);
        odezvaNaSignal(*vzory.stavMIMO, uMIMO, false, 2);
    }
    over(ticho.naChyby() == 0, "standard error written");
}

// ---------------------------------------------------------------- the whole command line

// A private directory under TMPDIR for the files of the command-line target, removed with
// everything in it when the process ends normally.
class DocasnyAdresar {
    std::string cesta;

public:
    DocasnyAdresar() {
        std::error_code chyba;
        std::string vzor = (std::filesystem::temp_directory_path(chyba) / "cldds_fuzz_XXXXXX").string();
        if (chyba) vzor = "/tmp/cldds_fuzz_XXXXXX";
        std::vector<char> jmeno(vzor.begin(), vzor.end());
        jmeno.push_back('\0');
        if (::mkdtemp(jmeno.data()) == nullptr) throw std::runtime_error("fuzz: mkdtemp failed");
        cesta = jmeno.data();
    }
    ~DocasnyAdresar() {
        std::error_code chyba;
        std::filesystem::remove_all(cesta, chyba);
    }
    DocasnyAdresar(const DocasnyAdresar&) = delete;
    DocasnyAdresar& operator=(const DocasnyAdresar&) = delete;

    std::string soubor(const std::string& jmeno) const { return cesta + "/" + jmeno; }

    static const DocasnyAdresar& instance() {
        static const DocasnyAdresar adresar;
        return adresar;
    }
};

inline void zapisSoubor(const std::string& cesta, const std::string& obsah) {
    std::ofstream f(cesta, std::ios::binary | std::ios::trunc);
    f << obsah;
    over(static_cast<bool>(f), "cannot write " + cesta);
}

inline bool existuje(const std::string& cesta) {
    std::error_code chyba;
    return std::filesystem::exists(cesta, chyba);
}

inline std::size_t pocetSouboru(const std::string& adresar) {
    std::error_code chyba;
    std::size_t pocet = 0;
    for (auto it = std::filesystem::directory_iterator(adresar, chyba); !chyba && it != std::filesystem::directory_iterator();
         it.increment(chyba))
        ++pocet;
    return pocet;
}

// One in-process run of the tool with the given arguments (program name added).
inline int spust(const std::vector<std::string>& argumenty) {
    std::vector<std::string> kopie;
    kopie.push_back("cldds");
    kopie.insert(kopie.end(), argumenty.begin(), argumenty.end());
    std::vector<char*> argv;
    for (std::string& a : kopie) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    return ridiciProgram(static_cast<int>(kopie.size()), argv.data());
}

// The input as a system file of every kind with every operation (its signal for "Vystup"
// being the input itself and the sample signal), and as the signal of the sample systems.
// Each run must print something, end with status 0 or 1, write nothing to standard error,
// and leave a result file exactly when it promises one: always after success, never after a
// failure (a report appears whole or not at all), and never a temporary file beside it.
inline void prikazovaRadka(const std::uint8_t* data, std::size_t size) {
    const DocasnyAdresar& adresar = DocasnyAdresar::instance();
    const std::string system = adresar.soubor("system.txt");
    const std::string vysledek = adresar.soubor("vysledek.txt");
    zapisSoubor(system, text(data, size));

    struct Druh {
        const char* jmeno;
        const char* vzor;
        const char* signal;
    };
    const Druh druhy[] = {{"VnejsiSISO", VZOR_VNEJSI_SISO, VZOR_VSTUP_SISO},
                          {"VnejsiMIMO", VZOR_VNEJSI_MIMO, VZOR_VSTUP_MIMO},
                          {"StavSISO", VZOR_STAV_SISO, VZOR_VSTUP_SISO},
                          {"StavMIMO", VZOR_STAV_MIMO, VZOR_VSTUP_MIMO}};
    const std::string vzorSystem = adresar.soubor("vzor_system.txt");
    const std::string vzorSignal = adresar.soubor("vzor_signal.txt");

    TichaKonzole ticho;
    for (const Druh& druh : druhy) {
        zapisSoubor(vzorSystem, druh.vzor);
        zapisSoubor(vzorSignal, druh.signal);
        const std::vector<std::vector<std::string>> prikazy = {
            {druh.jmeno, system, "Stabilita"},
            {druh.jmeno, system, "Impulse", vysledek},
            {druh.jmeno, system, "Prechod", vysledek},
            {druh.jmeno, system, "Vystup", vysledek, system},
            {druh.jmeno, system, "Vystup", vysledek, vzorSignal},
            {druh.jmeno, vzorSystem, "Vystup", vysledek, system},
            {druh.jmeno, system, "PrevodNaStav", vysledek},
            {druh.jmeno, system, "PrevodNaVnejsi", vysledek},
            {druh.jmeno, system, "Poly", vysledek},
            {druh.jmeno, system, "Frekvence", vysledek},
        };
        for (const auto& prikaz : prikazy) {
            std::remove(vysledek.c_str());
            const std::size_t predtim = ticho.naVystup();
            const int status = spust(prikaz);
            const std::string popis = std::string(druh.jmeno) + " " + prikaz[2];
            over(status == 0 || status == 1, popis + ": exit status " + std::to_string(status));
            over(ticho.naVystup() > predtim, popis + ": nothing printed");
            over(ticho.naChyby() == 0, popis + ": standard error written");
            const bool soubor = existuje(vysledek);
            if (prikaz.size() == 3) over(!soubor, popis + ": result file without a result path");
            if (status == 0 && prikaz.size() > 3) over(soubor, popis + ": success without a result file");
            if (status == 1) over(!soubor, popis + ": failed run left a result file");
            // The system, the sample system and the sample signal, and the result if any.
            over(pocetSouboru(adresar.soubor("")) == (soubor ? 4u : 3u), popis + ": a temporary file was left behind");
        }
    }
    std::remove(vysledek.c_str());
    std::remove(system.c_str());
    std::remove(vzorSystem.c_str());
    std::remove(vzorSignal.c_str());
}

// ---------------------------------------------------------------- by name

using Cil = void (*)(const std::uint8_t*, std::size_t);

// The target of a corpus or regression directory name; nullptr for an unknown name.
inline Cil cil(const std::string& jmeno) {
    if (jmeno == "vnejsi_siso") return &vnejsiSISO;
    if (jmeno == "vnejsi_mimo") return &vnejsiMIMO;
    if (jmeno == "stav") return &stav;
    if (jmeno == "vstup") return &vstup;
    if (jmeno == "prikazova_radka") return &prikazovaRadka;
    return nullptr;
}

inline const std::vector<std::string>& jmenaCilu() {
    static const std::vector<std::string> jmena = {"vnejsi_siso", "vnejsi_mimo", "stav", "vstup", "prikazova_radka"};
    return jmena;
}

}  // namespace fuzz

#endif
