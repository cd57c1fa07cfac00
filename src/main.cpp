#include <sys/stat.h>

#include <csignal>
#include <exception>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CLDDS_Stav_MIMO.h"
#include "CLDDS_Vnejsi_MIMO.h"
#include "CLDDS_Vnejsi_SISO.h"
#include "CLLDS_Stav_SISO.h"
#include "CelySoubor.h"
#include "ConvertFunction.h"
#include "Matrix.h"
#include "NacitaniModulu.h"
#include "Napoveda.h"
#include "Polynoms.h"
#include "Ridici.h"
#include "System.h"
#include "Vstup_Vystup.h"
#include "ZapisSystemu.h"
#include "Volby.h"
#include "Vyjimky.h"
#include "ZpravaFrekvenci.h"
#include "ZpravaNul.h"
#include "ZpravaPolu.h"

namespace {

// Sampling period of every state-space system read from a file.
const double PERIODA = 1.0;
// The most inputs (and outputs) of a frequency report: every pair is a column of its own, so
// 16 give 256 pairs and lines of some 5000 characters.
const int MAX_VSTUPU_FREKVENCE = 16;

enum class Druh { VnejsiSISO, VnejsiMIMO, StavSISO, StavMIMO };

std::string nelzeOtevrit(const std::string& cesta) { return "Soubor :" + cesta + " se nepodarilo otervrit"; }

// Opens a file for reading. A path that opens but cannot be read from at all (a directory)
// counts as not opened.
void otevriProCteni(std::fstream& soubor, const std::string& cesta) {
    soubor.open(cesta, std::ios::in);
    if (soubor.is_open()) soubor.peek();
    if (!soubor.is_open() || soubor.bad()) throw vyjm::FileError(nelzeOtevrit(cesta));
    // peek on an empty file only reaches its end; the reader finds no line.
    soubor.clear();
}

// True when both paths name one existing file, however spelled and through whatever links.
bool stejnySoubor(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// Refuses a result path that names one of the run's input files, the tool itself or its
// module of exact arithmetic: replacing it would destroy the input or the next runs.
void kontrolaVysledku(const std::string& cesta, const std::vector<std::string>& vstupy) {
    for (const std::string& vstup : vstupy) {
        if (stejnySoubor(cesta, vstup)) {
            throw vyjm::FileError("Vysledny soubor :" + cesta + " je zaroven vstupnim souborem :" + vstup + "\n");
        }
    }
    for (const std::string& soubor : souboryProgramu()) {
        if (stejnySoubor(cesta, soubor))
            throw vyjm::FileError("Vysledny soubor :" + cesta + " je soucasti programu :" + soubor + "\n");
    }
}

// Writes the result file whole or not at all: `zapis` writes the text (and may compute it);
// only when it and the write succeed does the file replace the old one. Whatever fails, the
// old file stays as it was; a failing write is reported by the path.
void zapisVysledek(const std::string& cesta, const std::vector<std::string>& vstupy,
                   const std::function<void(std::fstream&)>& zapis) {
    kontrolaVysledku(cesta, vstupy);
    try {
        CelySoubor soubor(cesta);
        try {
            zapis(soubor.proud());
        } catch (const vyjm::FileError&) {
            // The report's own error for a stream that failed: the file could not take it.
            if (soubor.proud().fail()) throw ChybaSouboru(ChybaSouboru::Druh::Zapis, cesta);
            throw;
        }
        if (soubor.proud().fail()) throw ChybaSouboru(ChybaSouboru::Druh::Zapis, cesta);
        soubor.potvrd();
    } catch (const ChybaSouboru& e) {
        throw vyjm::FileError(e.what());
    }
}

bool jeSISO(Druh druh) { return druh == Druh::VnejsiSISO || druh == Druh::StavSISO; }

// The most lines a signal for the system may have: one per input (one for SISO).
int pocetVstupu(Druh druh, const CLDDS& system) {
    if (druh == Druh::VnejsiMIMO) return dynamic_cast<const CLDDS_Vnejsi_MIMO&>(system).get_l();
    if (druh == Druh::StavMIMO) return dynamic_cast<const CLDDS_Stav_MIMO&>(system).get_l();
    return 1;
}

// Reads the system file of the given kind and builds its system object.
std::unique_ptr<CLDDS> nactiSystem(Druh druh, const std::string& cesta, std::fstream& fileIn) {
    otevriProCteni(fileIn, cesta);
    std::unique_ptr<CLDDS> system;
    switch (druh) {
        case Druh::VnejsiSISO: {
            Polynom A('x', false);
            Polynom B('x', false);
            PresnyVnejsi presne;
            cteniDatZeSouboruVnejsiSISO(fileIn, A, B, &presne);
            fileIn.close();
            auto vnejsi = std::make_unique<CLDDS_Vnejsi_SISO>(A, B);
            vnejsi->nastavPresne(std::move(presne));
            system = std::move(vnejsi);
            break;
        }
        case Druh::VnejsiMIMO: {
            Matrix<Polynom> A;
            Matrix<Polynom> B;
            PresnyVnejsi presne;
            cteniDatZeSouboruVnejsiMIMO(fileIn, A, B, &presne);
            fileIn.close();
            auto vnejsi = std::make_unique<CLDDS_Vnejsi_MIMO>(A, B);
            vnejsi->nastavPresne(std::move(presne));
            system = std::move(vnejsi);
            break;
        }
        case Druh::StavSISO:
        case Druh::StavMIMO: {
            Matrix<double> F, G, H, L, x0;
            PresnyStav presne;
            cteniDatZeSouboruStav(fileIn, F, G, H, L, x0, &presne, druh == Druh::StavSISO);
            fileIn.close();
            const int n = F.get_rows();
            if (druh == Druh::StavSISO) {
                auto stav = std::make_unique<CLDDS_Stav_SISO>(F, G, H, L, x0, n, PERIODA);
                stav->nastavPresne(std::move(presne));
                system = std::move(stav);
            } else {
                const int l = G.get_columns();
                const int m = H.get_rows();
                auto stav = std::make_unique<CLDDS_Stav_MIMO>(l, m, F, G, H, L, x0, n, PERIODA);
                stav->nastavPresne(std::move(presne));
                system = std::move(stav);
            }
            break;
        }
    }
    return system;
}

// The input of an impulse (a unit pulse at step 0) or a step (ones) of `kroky` steps, into the
// input `vstup` alone (1-based) or into every input (0): one column for SISO, one row per input
// for MIMO, as vystup_systemu takes it.
Matrix<double> buzeni(bool impuls, bool siso, int vstupu, int kroky, int vstup) {
    Matrix<double> u = siso ? Matrix<double>(kroky, 1, Matrix<double>::ZEROS)
                            : Matrix<double>(vstupu, kroky, Matrix<double>::ZEROS);
    for (int j = 0; j < vstupu; ++j) {
        if (vstup != 0 && j != vstup - 1) continue;
        for (int k = 0; k < (impuls ? 1 : kroky); ++k) (siso ? u(k, 0) : u(j, k)) = 1.0;
    }
    return u;
}

// Impulse or step response into the result report. The temporary result file is created
// before the computation runs, so a result path that cannot be written is reported first;
// the system file is the only input that it must not name.
void odezva(const std::string& operace, Druh druh, const CLDDS& system, const Volby& volby,
            const std::string& vysledek, const std::string& soubor) {
    const bool impuls = operace == "Impulse";
    const int vstupu = pocetVstupu(druh, system);
    kontrolaVstupu(volby, vstupu);
    zapisVysledek(vysledek, {soubor}, [&](std::fstream& f) {
        if (volby.nejake()) {
            system.CSVexport(system.vystup_systemu(buzeni(impuls, jeSISO(druh), vstupu, volby.kroky, volby.vstup)), f);
        } else {
            system.CSVexport(impuls ? system.impulsni_funkce() : system.prechodova_funkce(), f);
        }
    });
}

// Output for the signal of argument 5 into the result report. The signal is read and the
// output computed, which checks the signal's shape against the system, before the result
// file is touched, so a signal that does not fit leaves every file as it was.
void vystup(int argc, char* argv[], Druh druh, const CLDDS& system, std::fstream& fileIn) {
    if (argc <= 5) {
        throw vyjm::ArgumentError("Spatny pocet parametru ->" + IntToString(argc) +
                                  " Chybi vstup do vystupu systemu\n");
    }
    Matrix<double> u;
    otevriProCteni(fileIn, argv[5]);
    cteniDatZeSouboruVstup(fileIn, u, jeSISO(druh), pocetVstupu(druh, system));
    fileIn.close();
    const Matrix<double> y = system.vystup_systemu(u);
    zapisVysledek(argv[4], {argv[2], argv[5]}, [&](std::fstream& f) { system.CSVexport(y, f); });
}

// The poles (Poly) or the frequency response (Frekvence) in a report, complete in memory
// before the result file is created.
void analyza(const std::string& operace, Druh druh, const CLDDS& system, const Volby& volby,
             const std::string& vysledek, const std::string& soubor) {
    if (operace == "Frekvence" && pocetVstupu(druh, system) > MAX_VSTUPU_FREKVENCE) {
        throw vyjm::ArgumentError("U frekvencni charakteristiky je max " + IntToString(MAX_VSTUPU_FREKVENCE) +
                                  " vstupu a vystupu, system jich ma " + IntToString(pocetVstupu(druh, system)) + "\n");
    }
    // The body is computed after the verdict, which refuses a system beyond its capacity first.
    std::ostringstream zprava;
    if (operace == "Poly") {
        kontrolaNulAZesileni(system, volby.nuly, volby.zesileni);
        system.zapisZpravu(zprava, [&system, &volby](std::ostream& f) {
            zapisPoly(f, system.poly());
            zapisNulyAZesileni(f, system, volby.nuly, volby.zesileni);
        });
    } else {
        const std::vector<double> w = frekvenceZpravy();
        system.zapisZpravu(zprava, [&system, &w, &volby](std::ostream& f) {
            const FrekvencniOdezva odezva = system.frekvencni_odezva(w);
            zapisFrekvence(f, odezva, w);
            if (volby.rezervy) zapisRezerv(f, odezva);
        });
    }
    zapisVysledek(vysledek, {soubor}, [&zprava](std::fstream& f) { f << zprava.str(); });
}

// Converts into the other description and writes the labelled system file. The converted
// system is complete before the result file is created, so a failing conversion leaves no
// file behind.
void prevod(const std::string& operace, Druh druh, CLDDS& system, const std::string& vysledek,
            const std::string& soubor) {
    if (operace == "PrevodNaStav" && druh == Druh::VnejsiSISO) {
        CLDDS_Stav_SISO stav(dynamic_cast<CLDDS_Vnejsi_SISO&>(system));
        zapisVysledek(vysledek, {soubor}, [&stav](std::fstream& f) { zapisDatDoSouboruStav(f, stav); });
    } else if (operace == "PrevodNaStav" && druh == Druh::VnejsiMIMO) {
        CLDDS_Stav_MIMO stav(dynamic_cast<CLDDS_Vnejsi_MIMO&>(system));
        zapisVysledek(vysledek, {soubor}, [&stav](std::fstream& f) { zapisDatDoSouboruStav(f, stav); });
    } else if (operace == "PrevodNaVnejsi" && druh == Druh::StavSISO) {
        CLDDS_Vnejsi_SISO vnejsi(dynamic_cast<CLDDS_Stav_SISO&>(system));
        zapisVysledek(vysledek, {soubor}, [&vnejsi](std::fstream& f) { zapisDatDoSouboruVnejsi(f, vnejsi); });
    } else if (operace == "PrevodNaVnejsi" && druh == Druh::StavMIMO) {
        CLDDS_Vnejsi_MIMO vnejsi(dynamic_cast<CLDDS_Stav_MIMO&>(system));
        zapisVysledek(vysledek, {soubor}, [&vnejsi](std::fstream& f) { zapisDatDoSouboruVnejsi(f, vnejsi); });
    } else {
        throw vyjm::ArgumentError("Spatny parametr " + operace);
    }
}

Druh druhZeJmena(const std::string& druhText) {
    if (druhText == "VnejsiSISO") return Druh::VnejsiSISO;
    if (druhText == "VnejsiMIMO") return Druh::VnejsiMIMO;
    if (druhText == "StavSISO") return Druh::StavSISO;
    if (druhText == "StavMIMO") return Druh::StavMIMO;
    throw vyjm::ArgumentError("Spatne Zadany prvni parametr ->" + druhText);
}

// The run without its handlers; every failure leaves as an exception.
// argv holds no options: their counts in the messages are those of the plain command line.
int beh(int argc, char* argv[], const Volby& volby, std::fstream& fileIn) {
    if (argc <= 3) {
        throw vyjm::ArgumentError("Spatny pocet parametru ->" + IntToString(argc) +
                                  " Musi byt presne 5 parametru nebo 7");
    }
    const Druh druh = druhZeJmena(argv[1]);
    kontrolaVoleb(volby, argv[3], jeSISO(druh));
    const std::unique_ptr<CLDDS> rozhrani = nactiSystem(druh, argv[2], fileIn);
    std::cout << argv[2] << " Soubor Nacten!\n" << std::endl;

    const std::string operace = argv[3];
    if (argc == 4) {
        if (operace != "Stabilita") throw vyjm::ArgumentError("Spatny parametr " + operace);
        std::cout << (rozhrani->stabilni() ? "Je stabilni\n" : "Neni stabilni\n");
        return 0;
    }

    const std::string vysledek = argv[4];
    if (operace == "Impulse" || operace == "Prechod") {
        odezva(operace, druh, *rozhrani, volby, vysledek, argv[2]);
    } else if (operace == "Vystup") {
        vystup(argc, argv, druh, *rozhrani, fileIn);
    } else if (operace == "Poly" || operace == "Frekvence") {
        analyza(operace, druh, *rozhrani, volby, vysledek, argv[2]);
    } else if (operace == "PrevodNaStav" || operace == "PrevodNaVnejsi") {
        prevod(operace, druh, *rozhrani, vysledek, argv[2]);
    } else {
        throw vyjm::ArgumentError("Spatne Zadany 3 parametr ->" + operace);
    }
    std::cout << vysledek << " Soubor Vytvoren  i s vysledkem \n" << std::endl;
    return 0;
}

}  // namespace

int ridiciProgram(int argc, char* argv[]) {
    // A closed standard output or a file size limit are failures of a write, reported as such
    // (status 1), not signals that end the run halfway.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    // The input stream outlives the handlers' output; leaving this function closes it.
    std::fstream fileIn;
    try {
        int status = 0;
        const std::string text = argc == 2 ? napoveda(argv[1]) : "";
        if (!text.empty()) {
            std::cout << text;
        } else {
            std::vector<char*> bezVoleb;
            const Volby volby = oddelVolby(argc, argv, bezVoleb);
            status = beh(static_cast<int>(bezVoleb.size()) - 1, bezVoleb.data(), volby, fileIn);
        }
        // The console lines, and for Stabilita the verdict, are results too: a standard output
        // that cannot take them (closed, a full disk) fails the run.
        std::cout.flush();
        return std::cout ? status : 1;
    } catch (const vyjm::Bad_index& e) {
        std::cout << e.what() << e.chybny_index();
    } catch (const vyjm::Max_sizePolynom& e) {
        std::cout << e.what() << "Dana velikost je " << e.get_velikost() << std::endl;
    } catch (const vyjm::Chyba& e) {
        std::cout << e.what();
    } catch (const std::exception& e) {
        // Failures of the standard library itself, such as an exhausted allocation.
        std::cout << e.what() << std::endl;
    } catch (...) {
        std::cout << "Neocekavana chyba programu\n";
    }
    std::cout.flush();
    return 1;
}

#ifndef CLDDS_BEZ_MAIN
int main(int argc, char* argv[]) { return ridiciProgram(argc, argv); }
#endif
