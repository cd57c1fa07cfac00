#ifndef TEXT_H
#define TEXT_H

#include <string>
#include <vector>

// Small text helpers shared by the readers of both programs.

// The pieces of `text` between the separators. `sPrazdnymi` keeps empty pieces ("1;;2" gives
// three pieces, the middle one empty), so that a reader can refuse them; otherwise runs of
// separators count as one and empty pieces are dropped.
inline std::vector<std::string> rozdel(const std::string& text, char oddelovac, bool sPrazdnymi = false) {
    std::vector<std::string> kusy;
    std::string kus;
    for (const char znak : text) {
        if (znak != oddelovac) {
            kus.push_back(znak);
            continue;
        }
        if (sPrazdnymi || !kus.empty()) kusy.push_back(kus);
        kus.clear();
    }
    if (sPrazdnymi || !kus.empty()) kusy.push_back(kus);
    return kusy;
}

#endif
