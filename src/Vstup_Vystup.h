#ifndef VSTUP_VYSTUP_H
#define VSTUP_VYSTUP_H

#include <functional>
#include <istream>
#include <ostream>
#include <string>

#include "Matrix.h"
#include "Polynoms.h"
#include "PresnaMatice.h"

// The most values ("0 0 ... 0") a line of the longest length, 511 characters, can hold: no
// matrix or signal read from a file has more rows or columns.
constexpr int MAX_ROZMER = 256;

// The message of a file that cannot be read or written as a whole (with vyjm::FileError).
constexpr const char* ZPRAVA_CHYBA_SOUBORU = "Chyba pri zpracovani vystupu\n stavSISO";

// System description files. Lines hold at most 511 characters; values are separated by
// blanks only; a carriage return before the line feed is dropped. A file has at most 65536
// lines, and a block with more rows than the blocks before it allow is refused at its first
// surplus row, so no file is read further than a valid one could reach.
// Where `presne` is given, it receives the texts of the values, so that they keep the exact
// values written. A state-space file read for a MIMO system (SISO false) reports a block
// with too many rows in the words of the MIMO class's own shape checks.
void cteniDatZeSouboruVnejsiSISO(std::istream& fileIn, Polynom& A, Polynom& B, PresnyVnejsi* presne = nullptr);
void cteniDatZeSouboruVnejsiMIMO(std::istream& fileIn, Matrix<Polynom>& A, Matrix<Polynom>& B,
                                 PresnyVnejsi* presne = nullptr);
void cteniDatZeSouboruStav(std::istream& fileIn, Matrix<double>& F, Matrix<double>& G,
                           Matrix<double>& H, Matrix<double>& L, Matrix<double>& x0,
                           PresnyStav* presne = nullptr, bool SISO = true);

// Input signal: SISO one line (a column of steps), MIMO one line per input. Reading stops at
// the first non-empty line beyond one (SISO) or pocetVstupu (MIMO); that line is kept, so the
// signal has one line too many and the system's own shape check refuses it.
void cteniDatZeSouboruVstup(std::istream& fileIn, Matrix<double>& u, bool SISO, int pocetVstupu = MAX_ROZMER);

// A real in the result form: 6 significant digits, the first "." replaced by ","; an overflow
// is inf or -inf, a value that is no number nan.
std::string CSVCislo(const double& cislo);

// How a result matrix is laid out: SISO one value a line (row i = step i),
// MIMO one step a line (column i = step i) with the outputs joined by ";".
enum class RozlozeniVysledku { SISO, MIMO };

// A report's body: what follows the verdict and its empty line.
using TeloZpravy = std::function<void(std::ostream&)>;

// The report shared by every system class and operation: title, description of the system
// (written by popisSystemu), the verdict, an empty line and the body. The verdict is decided
// by the caller before the first byte is written, so a stability test that fails leaves no
// half report. Writes nothing when the stream is not good on entry; raises vyjm::FileError
// with zpravaChyby when the stream has failed by the end.
void zapisZpravy(std::ostream& f, bool stabilni, const std::string& titulek,
                 const std::function<void(std::ostream&)>& popisSystemu, const TeloZpravy& telo,
                 const std::string& zpravaChyby);

// The body of a response report: one line per time step in the result form.
TeloZpravy hodnotyVysledku(const Matrix<double>& vystup, RozlozeniVysledku rozlozeni);

// A response report: zapisZpravy with the body of hodnotyVysledku.
void zapisVysledku(std::ostream& f, bool stabilni, const std::string& titulek,
                   const std::function<void(std::ostream&)>& popisSystemu,
                   const Matrix<double>& vystup, RozlozeniVysledku rozlozeni,
                   const std::string& zpravaChyby);

#endif
