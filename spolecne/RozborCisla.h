#ifndef ROZBORCISLA_H
#define ROZBORCISLA_H

#include <string>

// The grammar of a number text, one scanner for the reader of doubles and the exact reader:
// optional leading white space, an optional sign, digits with at most one '.' (at least one
// digit in all), an optional exponent ('e' or 'E', an optional sign, at least one digit). The
// exact reader also takes the hexadecimal form that presnyText writes ("-0x1.8p+1": "0x",
// hexadecimal digits with an optional '.', an optional binary exponent 'p' or 'P').
struct RozlozeneCislo {
    bool zaporne = false;
    bool sestnactkove = false;
    std::string cislice;       // every digit, the point left out
    long zaTeckou = 0;         // how many of them follow the point
    long exponent = 0;         // of 10, or of 2 in the hexadecimal form; beyond +-10^9 held at that
    std::size_t zacatek = 0;   // where the number begins (past the white space)
};

// The parts of `text`; false when the whole text is not one number of the grammar.
bool rozlozCislo(const std::string& text, RozlozeneCislo& cislo, bool sestnactkove = false);

#endif
