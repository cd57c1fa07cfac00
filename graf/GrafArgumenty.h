#ifndef GRAF_ARGUMENTY_H
#define GRAF_ARGUMENTY_H

#include <string>
#include <vector>

// The command line of cldds-graf: [--ukazatele FIGURES.csv] REPORT OUTPUT, or one of -h,
// --help and --version in the first place (whatever follows it is not read).
struct ArgumentyGrafu {
    enum class Akce { Kresli, Napoveda, Verze };
    Akce akce = Akce::Kresli;
    std::string ukazatele;  // the figures' CSV; empty when not asked for
    std::string zprava;
    std::string vystup;
};

// The arguments after the program's name. Raises GrafChyba with the message for an unknown
// option, an option without its value or given twice, one after the report, or a wrong count
// of the other arguments (counted with the program's name, as cldds counts).
ArgumentyGrafu argumentyGrafu(const std::vector<std::string>& argumenty);

// The usage text of --help.
std::string napovedaGrafu();

#endif
