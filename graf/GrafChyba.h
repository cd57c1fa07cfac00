#ifndef GRAF_CHYBA_H
#define GRAF_CHYBA_H

#include <stdexcept>
#include <string>

// Every failure cldds-graf detects: the message is printed as it is and the program ends
// with status 1, leaving no output file.
class GrafChyba : public std::runtime_error {
public:
    explicit GrafChyba(const std::string& zprava) : std::runtime_error(zprava) {}
};

#endif
