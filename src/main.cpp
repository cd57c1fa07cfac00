#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "CLDDS_Stav_MIMO.h"
#include "CLDDS_Vnejsi_MIMO.h"
#include "CLDDS_Vnejsi_SISO.h"
#include "CLLDS_Stav_SISO.h"
#include "ConvertFunction.h"
#include "Matrix.h"
#include "Polynoms.h"
#include "Ridici.h"
#include "System.h"
#include "Vstup_Vystup.h"
#include "Vyjimky.h"

namespace {

// Sampling period of every state-space system read from a file.
const double PERIODA = 1.0;

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

// Opens (creates or empties) the result file.
void otevriProZapis(std::fstream& soubor, const std::string& cesta) {
    soubor.open(cesta, std::ios::out | std::ios::trunc);
    if (!soubor.is_open()) throw vyjm::FileError(nelzeOtevrit(cesta));
}

// Reads the system file of the given kind and builds its system object.
std::unique_ptr<CLDDS> nactiSystem(Druh druh, const std::string& cesta, std::fstream& fileIn) {
    otevriProCteni(fileIn, cesta);
    std::unique_ptr<CLDDS> system;
    switch (druh) {
        case Druh::VnejsiSISO: {
            Polynom A('x', false);
            Polynom B('x', false);
            PresnaMatice presneA;
            cteniDatZeSouboruVnejsiSISO(fileIn, A, B, &presneA);
            fileIn.close();
            auto vnejsi = std::make_unique<CLDDS_Vnejsi_SISO>(A, B);
            vnejsi->nastavPresneA(presneA);
            system = std::move(vnejsi);
            break;
        }
        case Druh::VnejsiMIMO: {
            Matrix<Polynom> A;
            Matrix<Polynom> B;
            PresnaMatice presneA;
            cteniDatZeSouboruVnejsiMIMO(fileIn, A, B, &presneA);
            fileIn.close();
            auto vnejsi = std::make_unique<CLDDS_Vnejsi_MIMO>(A, B);
            vnejsi->nastavPresneA(presneA);
            system = std::move(vnejsi);
            break;
        }
        case Druh::StavSISO:
        case Druh::StavMIMO: {
            Matrix<double> F, G, H, L, x0;
            PresnaMatice presneF;
            cteniDatZeSouboruStav(fileIn, F, G, H, L, x0, &presneF);
            fileIn.close();
            const int n = F.get_rows();
            if (druh == Druh::StavSISO) {
                auto stav = std::make_unique<CLDDS_Stav_SISO>(F, G, H, L, x0, n, PERIODA);
                stav->nastavPresneF(presneF);
                system = std::move(stav);
            } else {
                const int l = G.get_columns();
                const int m = H.get_rows();
                auto stav = std::make_unique<CLDDS_Stav_MIMO>(l, m, F, G, H, L, x0, n, PERIODA);
                stav->nastavPresneF(presneF);
                system = std::move(stav);
            }
            break;
        }
    }
    return system;
}

// The run without its handlers; every failure leaves as an exception.
int beh(int argc, char* argv[], std::fstream& fileIn, std::fstream& fileOut) {
    if (argc <= 3) {
        throw vyjm::ArgumentError("Spatny pocet parametru ->" + IntToString(argc) +
                                  " Musi byt presne 5 parametru nebo 7");
    }
    const std::string druhText = argv[1];
    Druh druh;
    if (druhText == "VnejsiSISO") {
        druh = Druh::VnejsiSISO;
    } else if (druhText == "VnejsiMIMO") {
        druh = Druh::VnejsiMIMO;
    } else if (druhText == "StavSISO") {
        druh = Druh::StavSISO;
    } else if (druhText == "StavMIMO") {
        druh = Druh::StavMIMO;
    } else {
        throw vyjm::ArgumentError("Spatne Zadany prvni parametr ->" + druhText);
    }
    const bool SISO = druh == Druh::VnejsiSISO || druh == Druh::StavSISO;

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
        otevriProZapis(fileOut, vysledek);
        const Matrix<double> odezva =
            operace == "Impulse" ? rozhrani->impulsni_funkce() : rozhrani->prechodova_funkce();
        rozhrani->CSVexport(odezva, fileOut);
        fileOut.close();
    } else if (operace == "Vystup") {
        Matrix<double> u;
        if (argc <= 5) {
            throw vyjm::ArgumentError("Spatny pocet parametru ->" + IntToString(argc) +
                                      " Chybi vstup do vystupu systemu\n");
        }
        otevriProCteni(fileIn, argv[5]);
        cteniDatZeSouboruVstup(fileIn, u, SISO);
        fileIn.close();
        otevriProZapis(fileOut, vysledek);
        rozhrani->CSVexport(rozhrani->vystup_systemu(u), fileOut);
        fileOut.close();
    } else if (operace == "PrevodNaStav") {
        // The converted system is complete before the result file is created, so a failing
        // conversion leaves no file behind.
        if (druh == Druh::VnejsiSISO) {
            CLDDS_Stav_SISO stav(dynamic_cast<CLDDS_Vnejsi_SISO&>(*rozhrani));
            otevriProZapis(fileOut, vysledek);
            zapisDatDoSouboruStav(fileOut, stav);
        } else if (druh == Druh::VnejsiMIMO) {
            CLDDS_Stav_MIMO stav(dynamic_cast<CLDDS_Vnejsi_MIMO&>(*rozhrani));
            otevriProZapis(fileOut, vysledek);
            zapisDatDoSouboruStav(fileOut, stav);
        } else {
            throw vyjm::ArgumentError("Spatny parametr " + operace);
        }
        fileOut.close();
    } else if (operace == "PrevodNaVnejsi") {
        if (druh == Druh::StavSISO) {
            CLDDS_Vnejsi_SISO vnejsi(dynamic_cast<CLDDS_Stav_SISO&>(*rozhrani));
            otevriProZapis(fileOut, vysledek);
            zapisDatDoSouboruVnejsi(fileOut, vnejsi);
        } else if (druh == Druh::StavMIMO) {
            CLDDS_Vnejsi_MIMO vnejsi(dynamic_cast<CLDDS_Stav_MIMO&>(*rozhrani));
            otevriProZapis(fileOut, vysledek);
            zapisDatDoSouboruVnejsi(fileOut, vnejsi);
        } else {
            throw vyjm::ArgumentError("Spatny parametr " + operace);
        }
        fileOut.close();
    } else {
        throw vyjm::ArgumentError("Spatne Zadany 3 parametr ->" + operace);
    }
    std::cout << vysledek << " Soubor Vytvoren  i s vysledkem \n" << std::endl;
    return 0;
}

}  // namespace

int ridiciProgram(int argc, char* argv[]) {
    // Both streams outlive the handlers' output; leaving this function closes whatever is open.
    std::fstream fileIn;
    std::fstream fileOut;
    try {
        return beh(argc, argv, fileIn, fileOut);
    } catch (const vyjm::Bad_index& e) {
        std::cout << e.what() << e.chybny_index();
    } catch (const vyjm::Null_det& e) {
        std::cout << e.what();
    } catch (const vyjm::Max_sizePolynom& e) {
        std::cout << e.what() << "Dana velikost je " << e.get_velikost() << std::endl;
    } catch (const vyjm::ArgumentError& e) {
        std::cout << e.what();
    } catch (const vyjm::FileError& e) {
        std::cout << e.what();
    } catch (const vyjm::ConvertError& e) {
        std::cout << e.what();
    } catch (const vyjm::CLDDS_Vnejsi_MIMO& e) {
        std::cout << e.what();
    } catch (const vyjm::CLDDS_MIMO& e) {
        std::cout << e.what();
    } catch (const vyjm::CLDDS_Stav_MIMO& e) {
        std::cout << e.what();
    } catch (const vyjm::CLDDS_Stav_SISO& e) {
        std::cout << e.what();
    } catch (const vyjm::CLDDS_Vnejsi_SISO& e) {
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
