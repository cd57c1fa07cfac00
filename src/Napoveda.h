#ifndef NAPOVEDA_H
#define NAPOVEDA_H

#include <string>

// What `cldds --help` (or `-h`) and `cldds --version` print, each given as the only argument:
// the usage in brief, or the name and version. Empty for any other argument.
std::string napoveda(const std::string& argument);

#endif
