#ifndef PROTOKOLMODULU_H
#define PROTOKOLMODULU_H

// The version of the interface between the tool and its module of exact arithmetic: the entry
// points, their C signatures and the text of tasks and answers (ZadaniPresnosti.h). Whoever
// changes any of these raises the number; the tool refuses a module of another number, so a
// stale installed module is never used by a newer tool or the other way round.
namespace protokol {

const int VERZE_MODULU = 3;

// The entry point that gives the module's number: int (void).
const char* const VSTUP_VERZE = "cldds_verze_protokolu";

}  // namespace protokol

#endif
