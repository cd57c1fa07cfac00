#ifndef KONTROLAKNIHOVNY_H
#define KONTROLAKNIHOVNY_H

#include <string>

// True when the file is a whole shared library of this machine's kind: an ELF file of the
// program's own class, byte order and architecture, whose program headers, loaded segments and
// section headers all lie within the file. dlopen maps the segments, and touching a page past
// the end of a truncated file ends the process with SIGBUS; the check reads the file with plain
// reads, which cannot fault. A library damaged inside its segments passes.
bool celaKnihovna(const std::string& cesta);

#endif
