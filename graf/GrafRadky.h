#ifndef GRAF_RADKY_H
#define GRAF_RADKY_H

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

// The lines of a report, read with the bounds of the largest report cldds can write, so that
// any other input (an endless device, a huge file, a line without end) is refused after
// reading at most that much, in memory of one line and one buffer.
//
// The largest valid report is a response of 100000 steps of 256 outputs: 100000 lines of 256
// values of at most 13 characters ("-1,23457e+300") joined by ";", 358.4 MB, after a
// description of the system of at most 1285 lines (five blocks of up to 256 rows and their
// labels) of at most 27 KB each (85 values of 1e308 written with their 309 digits), 35 MB.
// Its 101300 lines are also the most any report holds; the bound on lines keeps a file of
// nothing but line ends as quick to refuse as any other.
class RadkyZpravy {
public:
    static constexpr std::size_t MAX_DELKA_RADKU = 65536;
    static constexpr std::uint64_t MAX_VELIKOST = 400000000;
    static constexpr int MAX_RADKU = 110000;

    RadkyZpravy(std::istream& vstup, std::string cesta);

    // The next line (without its line feed and a carriage return before it); false at the end.
    bool dalsi();
    const std::string& radek() const { return aktualni; }
    int cislo() const { return cisloRadku; }
    // Raises GrafChyba "Chybna zprava :PATH -> REASON", with the current line when sRadkem.
    [[noreturn]] void chyba(const std::string& duvod, bool sRadkem = true) const;
    [[noreturn]] void chybaNaRadku(const std::string& duvod, int radek) const;

private:
    bool doplnit();

    std::istream& vstup;
    std::string cesta;
    std::vector<char> buffer;
    std::size_t pozice = 0;
    std::size_t konec = 0;
    std::uint64_t precteno = 0;
    std::string aktualni;
    int cisloRadku = 0;
};

#endif
