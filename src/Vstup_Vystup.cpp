#include "Vstup_Vystup.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "ConvertFunction.h"
#include "Vyjimky.h"
#include "ZpravyStavuMIMO.h"

namespace {

// Longest line a file may hold, not counting its line end.
const std::size_t MAX_DELKA_RADKU = 511;

// Most values ("0 0 ... 0") or cells ("0;0;...;0") one line can hold, so the most rows or
// columns any matrix of a valid file can have. Every reader refuses a block, or a signal, with
// more rows than a valid file could hold as soon as it reaches the surplus line, so no file
// however large is read whole before it is refused.
const int MAX_BUNEK_RADKU = static_cast<int>(MAX_DELKA_RADKU + 1) / 2;
static_assert(MAX_BUNEK_RADKU == MAX_ROZMER, "a line of MAX_DELKA_RADKU holds MAX_ROZMER values");

// Most lines a file may have. The blocks of the largest valid file take about 1300 lines;
// the rest of this allowance is for empty lines, which would otherwise let a file of nothing
// but line ends be read for as long as it lasts.
const int MAX_RADKU_SOUBORU = 65536;

// Reads a text file line by line with the rules shared by every input format.
class CteckaRadku {
    std::istream& vstup;
    int cislo = 0;

public:
    explicit CteckaRadku(std::istream& vstup) : vstup(vstup) {}

    // Next line without its line end and without a carriage return before it; false when
    // the stream holds no further line. A line longer than MAX_DELKA_RADKU raises
    // FileError; a control character (a tab included) raises ConvertError, since only the
    // blank separates values and a tab or a NUL would otherwise pass for one.
    bool dalsi(std::string& radek) {
        radek.clear();
        if (!vstup.good()) return false;
        int znak = vstup.get();
        if (znak == std::char_traits<char>::eof()) return false;
        ++cislo;
        if (cislo > MAX_RADKU_SOUBORU) {
            throw vyjm::ConvertError("Soubor ma vice nez " + IntToString(MAX_RADKU_SOUBORU) + " radku (" +
                                     mistoText() + ")\n");
        }
        // One character more than the limit may still be the dropped carriage return.
        while (znak != std::char_traits<char>::eof() && znak != '\n') {
            radek.push_back(static_cast<char>(znak));
            if (radek.size() > MAX_DELKA_RADKU + 1) throw vyjm::FileError(ZPRAVA_CHYBA_SOUBORU);
            znak = vstup.get();
        }
        if (!radek.empty() && radek.back() == '\r') radek.pop_back();
        if (radek.size() > MAX_DELKA_RADKU) throw vyjm::FileError(ZPRAVA_CHYBA_SOUBORU);
        for (char c : radek) {
            const unsigned char u = static_cast<unsigned char>(c);
            if (u < 32 || u == 127) {
                throw vyjm::ConvertError("Nepovoleny znak s kodem " + IntToString(u) + " (" + mistoText() +
                                         "); hodnoty se oddeluji jen mezerou\n");
            }
        }
        return true;
    }

    // After the last line: a normal end of file leaves the stream cleared, anything else
    // (a read error, a stream that had failed before) raises FileError.
    void zaver() {
        const bool chybaCteni = vstup.bad();
        if (vstup.eof()) vstup.clear();
        if (chybaCteni || vstup.fail()) throw vyjm::FileError(ZPRAVA_CHYBA_SOUBORU);
    }

    std::string mistoText() const { return "radek " + IntToString(cislo) + " souboru"; }
};

std::vector<double> hodnoty(const std::string& text) {
    std::vector<double> cisla;
    for (const std::string& kus : split(text, ' ')) cisla.push_back(StringToDouble(kus));
    return cisla;
}

// Gives an empty polynomial the coefficients of one line or cell, from power 0 up. Its length
// is the number of coefficients written, so a constant has length 1 and a trailing 0 keeps
// the degree it spells (1 0.5 0 is of degree 2); a cell without values stays empty.
void nastavKoeficienty(Polynom& p, const std::vector<double>& koeficienty) {
    if (koeficienty.empty()) return;
    p = Polynom(koeficienty.data(), static_cast<int>(koeficienty.size()), p.get_promena(), p.get_znamenko());
}

// Refuses row i of a block when its count of values (or cells) differs from the block's first row.
void kontrolaSirky(int i, std::size_t pocet, std::size_t& sirkaBloku, const std::string& jmeno,
                   const char* coPocita, const CteckaRadku& ctecka) {
    if (i == 0) {
        sirkaBloku = pocet;
    } else if (pocet != sirkaBloku) {
        throw vyjm::ConvertError("Radky matice " + jmeno + " nemaji stejny pocet " + coPocita + " (" +
                                 ctecka.mistoText() + ")\n");
    }
}

// Stores row i of a block (the rows before it are kept).
void pridejRadek(Matrix<double>& M, int i, const std::vector<double>& radek) {
    const int sloupce = static_cast<int>(radek.size());
    M._resize(i + 1, sloupce);
    for (int j = 0; j < sloupce; ++j) M[i][j] = radek[static_cast<std::size_t>(j)];
}

// Refuses row i of state-space block k of a MIMO system in the words of the MIMO class's own
// checks, for the four blocks whose surplus row those checks name: F has more rows than
// columns, G more rows than F, H more rows than G has columns (more outputs than inputs), L
// more rows than H.
void odmitniRadekStavuMIMO(int k, int i, const Matrix<double>* const bloky[]) {
    switch (k) {
        case 0: throw vyjm::CLDDS_Stav_MIMO(i + 1, zpravyStavuMIMO::F_NENI_CTVERCOVA);
        case 1: throw vyjm::CLDDS_Stav_MIMO(bloky[0]->get_rows(), zpravyStavuMIMO::RADKY_F_A_G);
        case 2: throw vyjm::CLDDS_MIMO(bloky[1]->get_columns(), i + 1, zpravyStavuMIMO::VSTUPY_A_VYSTUPY);
        case 3: throw vyjm::CLDDS_Stav_MIMO(bloky[2]->get_columns(), zpravyStavuMIMO::RADKY_L_A_H);
        default: return;
    }
}

// Refuses row i of state-space block k when the blocks before it already rule it out: F is
// square, G and x0 have as many rows as F, H as many as G has columns (outputs equal inputs)
// and L as many as H. While the deciding size is unknown (F's first row, an empty block) the
// line length bounds the rows.
void kontrolaRadkuStavu(int k, int i, const Matrix<double>* const bloky[], const std::string& jmeno, bool SISO,
                        const CteckaRadku& ctecka) {
    const Matrix<double>& F = *bloky[0];
    const int velikosti[] = {F.get_columns(), F.get_rows(), bloky[1]->get_columns(), bloky[2]->get_rows(),
                             F.get_rows()};
    const char* const duvody[] = {", kolik ma sloupcu, a neni ctvercova", ", kolik jich ma matice F",
                                  ", kolik ma matice G sloupcu", ", kolik jich ma matice H", ", kolik jich ma matice F"};
    const int velikost = velikosti[k];
    const std::string misto = " (" + ctecka.mistoText() + ")\n";
    if (velikost > 0 && i >= velikost) {
        if (!SISO) odmitniRadekStavuMIMO(k, i, bloky);
        throw vyjm::ConvertError(jmeno + " ma vice nez " + IntToString(velikost) + " radku" + duvody[k] + misto);
    }
    if (i >= MAX_BUNEK_RADKU) {
        throw vyjm::ConvertError(jmeno + " ma vice nez " + IntToString(MAX_BUNEK_RADKU) + " radku, radek pojme jen " +
                                 IntToString(MAX_BUNEK_RADKU) + " hodnot" + misto);
    }
}

// Adds row i of exact values, of as many elements as the row has cells or values.
void zapamatujRadek(PresnaMatice* presne, int i, int prvkuRadku) {
    if (presne == nullptr) return;
    if (i == 0) presne->novyTvar(0, prvkuRadku);
    presne->nastavTvar(i + 1, prvkuRadku);
}

// The blocks of a state-space file, in their order.
enum BlokStavu { eF = 0, eG = 1, eH = 2, eL = 3, ex0 = 4 };
const char* const JMENA_BLOKU[] = {"F", "G", "H", "L", "x0"};

// Row i of state-space block k of `pocet` values: the row's own shape first, then whether the
// block may have that many rows.
void kontrolaRadkuBloku(int k, int i, std::size_t pocet, std::size_t& sirkaBloku, const Matrix<double>* const bloky[],
                        bool SISO, const CteckaRadku& ctecka) {
    if (k == ex0 && pocet > 1) {
        throw vyjm::ConvertError("Pocatecni stav x0 ma na kazdem radku jen jednu hodnotu (" + ctecka.mistoText() +
                                 ")\n");
    }
    if (k != ex0) kontrolaSirky(i, pocet, sirkaBloku, JMENA_BLOKU[k], "hodnot", ctecka);
    kontrolaRadkuStavu(k, i, bloky, k == ex0 ? "Pocatecni stav x0" : std::string("Matice ") + JMENA_BLOKU[k], SISO,
                       ctecka);
}

// Keeps row i of block k; a matrix keeps the row's texts too, for the exact values.
void ulozRadekStavu(int k, int i, const std::string& radek, const std::vector<double>& radekHodnot,
                    Matrix<double>* const bloky[], PresnyStav* presne) {
    if (k == ex0) {
        // The initial state is a column: one value a line (a line of blanks stands for 0).
        bloky[ex0]->_resize(i + 1, 1);
        (*bloky[ex0])[i][0] = radekHodnot.empty() ? 0.0 : radekHodnot.front();
        return;
    }
    pridejRadek(*bloky[k], i, radekHodnot);
    if (presne != nullptr) {
        PresnaMatice* const texty[] = {&presne->F, &presne->G, &presne->H, &presne->L};
        const std::vector<std::string> hodnotyRadku = split(radek, ' ');
        zapamatujRadek(texty[k], i, static_cast<int>(hodnotyRadku.size()));
        texty[k]->pridejRadek(hodnotyRadku);
    }
}

}  // namespace

void cteniDatZeSouboruVnejsiSISO(std::istream& fileIn, Polynom& A, Polynom& B, PresnyVnejsi* presne) {
    CteckaRadku ctecka(fileIn);
    std::string radek;
    int i = 0;
    // Only the first two non-empty lines belong to the system: B, then A.
    while (i < 2 && ctecka.dalsi(radek)) {
        if (radek.empty()) continue;
        nastavKoeficienty((i == 0) ? B : A, hodnoty(radek));
        if (presne != nullptr) {
            PresnaMatice& cil = (i == 0) ? presne->B : presne->A;
            zapamatujRadek(&cil, 0, 1);
            cil.pridejPrvek(split(radek, ' '));
        }
        ++i;
    }
    ctecka.zaver();
}

void cteniDatZeSouboruVnejsiMIMO(std::istream& fileIn, Matrix<Polynom>& A, Matrix<Polynom>& B,
                                 PresnyVnejsi* presne) {
    CteckaRadku ctecka(fileIn);
    std::string radek;
    int blok = 0;  // 0: rows of B, 1: rows of A
    int i = 0;
    bool bylRadek = false;    // a non-empty line has been read
    bool cekaOddel = false;   // an empty line followed the last non-empty line
    std::size_t sirkaBloku = 0;
    while (ctecka.dalsi(radek)) {
        if (radek.empty()) {
            if (bylRadek) cekaOddel = true;
            continue;
        }
        if (cekaOddel) {
            ++blok;
            i = 0;
            cekaOddel = false;
            if (blok > 1) {
                throw vyjm::ConvertError("Soubor vnejsiho popisu MIMO ma vice nez dva bloky, B a A (" +
                                         ctecka.mistoText() + ")\n");
            }
        }
        bylRadek = true;
        Matrix<Polynom>& cil = (blok == 0) ? B : A;
        const std::string jmeno = (blok == 0) ? "B" : "A";
        if (i >= MAX_BUNEK_RADKU) {
            throw vyjm::ConvertError("Matice " + jmeno + " ma vice nez " + IntToString(MAX_BUNEK_RADKU) +
                                     " radku, radek pojme jen " + IntToString(MAX_BUNEK_RADKU) +
                                     " bunek a matice neni ctvercova (" + ctecka.mistoText() + ")\n");
        }
        const std::vector<std::string> bunky = split(radek, ';');
        kontrolaSirky(i, bunky.size(), sirkaBloku, jmeno, "bunek", ctecka);
        const int sloupce = static_cast<int>(bunky.size());
        cil._resize(i + 1, sloupce);
        for (int j = 0; j < sloupce; ++j) nastavKoeficienty(cil[i][j], hodnoty(bunky[static_cast<std::size_t>(j)]));
        if (presne != nullptr) {
            PresnaMatice& texty = (blok == 0) ? presne->B : presne->A;
            zapamatujRadek(&texty, i, sloupce);
            for (const std::string& bunka : bunky) texty.pridejPrvek(split(bunka, ' '));
        }
        ++i;
    }
    ctecka.zaver();
}

void cteniDatZeSouboruStav(std::istream& fileIn, Matrix<double>& F, Matrix<double>& G, Matrix<double>& H,
                           Matrix<double>& L, Matrix<double>& x0, PresnyStav* presne, bool SISO) {
    Matrix<double>* const bloky[] = {&F, &G, &H, &L, &x0};
    CteckaRadku ctecka(fileIn);
    std::string radek;
    int k = eF;
    int i = 0;
    bool opakovani = true;  // at the start or right after an empty line
    std::size_t sirkaBloku = 0;
    while (ctecka.dalsi(radek)) {
        if (radek.empty()) {
            // A run of empty lines ends the block once; empty lines before F end nothing.
            if (!opakovani) ++k;
            opakovani = true;
            i = 0;
            continue;
        }
        if (k > ex0) {
            throw vyjm::ConvertError("Soubor stavoveho popisu ma vice nez pet bloku F, G, H, L, x0 (" +
                                     ctecka.mistoText() + ")\n");
        }
        opakovani = false;
        const std::vector<double> radekHodnot = hodnoty(radek);
        kontrolaRadkuBloku(k, i, radekHodnot.size(), sirkaBloku, bloky, SISO, ctecka);
        ulozRadekStavu(k, i, radek, radekHodnot, bloky, presne);
        ++i;
    }
    ctecka.zaver();
}

void cteniDatZeSouboruVstup(std::istream& fileIn, Matrix<double>& u, bool SISO, int pocetVstupu) {
    CteckaRadku ctecka(fileIn);
    std::string radek;
    std::vector<std::vector<double>> radky;
    const int platnychRadku = SISO ? 1 : std::min(std::max(pocetVstupu, 0), MAX_ROZMER);
    const std::size_t mezRadku = static_cast<std::size_t>(platnychRadku) + 1;
    while (radky.size() < mezRadku && ctecka.dalsi(radek)) {
        if (radek.empty()) continue;
        std::vector<double> radekHodnot = hodnoty(radek);
        if (!radky.empty() && radekHodnot.size() != radky.front().size()) {
            throw vyjm::ConvertError("Radky vstupniho signalu nemaji stejny pocet hodnot (" +
                                     ctecka.mistoText() + ")\n");
        }
        radky.push_back(std::move(radekHodnot));
    }
    ctecka.zaver();
    if (radky.empty() || radky.front().empty()) return;

    // A SISO line is a column of time steps; a MIMO line is the row of one input.
    const int pocetRadku = static_cast<int>(radky.size());
    const int pocetHodnot = static_cast<int>(radky.front().size());
    if (SISO) {
        u._resize(pocetHodnot, pocetRadku);
    } else {
        u._resize(pocetRadku, pocetHodnot);
    }
    for (int r = 0; r < pocetRadku; ++r) {
        for (int j = 0; j < pocetHodnot; ++j) {
            const double hodnota = radky[static_cast<std::size_t>(r)][static_cast<std::size_t>(j)];
            if (SISO) {
                u[j][r] = hodnota;
            } else {
                u[r][j] = hodnota;
            }
        }
    }
}

std::string CSVCislo(const double& cislo) {
    // A value that overflowed is written inf or -inf; one that is no number at all (inf - inf)
    // is nan, whatever the sign bit the arithmetic left on it.
    if (std::isnan(cislo)) return "nan";
    std::string text = DoubleToString(cislo);
    replace(text, ".", ",");
    return text;
}

void zapisZpravy(std::ostream& f, bool stabilni, const std::string& titulek,
                 const std::function<void(std::ostream&)>& popisSystemu, const TeloZpravy& telo,
                 const std::string& zpravaChyby) {
    if (!f.good()) return;
    f << titulek;
    popisSystemu(f);
    f << (stabilni ? " System je stabilni " : " System neni stabilni") << "\n\n";
    telo(f);
    if (f.fail()) throw vyjm::FileError(zpravaChyby);
}

TeloZpravy hodnotyVysledku(const Matrix<double>& vystup, RozlozeniVysledku rozlozeni) {
    return [&vystup, rozlozeni](std::ostream& f) {
        if (rozlozeni == RozlozeniVysledku::SISO) {
            if (vystup.get_columns() > 0) {
                for (int i = 0; i < vystup.get_rows(); ++i) f << CSVCislo(vystup(i, 0)) << '\n';
            }
            return;
        }
        const int posledni = vystup.get_rows() - 1;
        for (int i = 0; i < vystup.get_columns(); ++i) {
            for (int j = 0; j <= posledni; ++j) {
                // Once the stream has failed the rest of the values are not formatted at all.
                if (f.good()) {
                    f << CSVCislo(vystup(j, i));
                    if (j != posledni) f << ";";
                }
            }
            f << '\n';
        }
    };
}

void zapisVysledku(std::ostream& f, bool stabilni, const std::string& titulek,
                   const std::function<void(std::ostream&)>& popisSystemu, const Matrix<double>& vystup,
                   RozlozeniVysledku rozlozeni, const std::string& zpravaChyby) {
    zapisZpravy(f, stabilni, titulek, popisSystemu, hodnotyVysledku(vystup, rozlozeni), zpravaChyby);
}
