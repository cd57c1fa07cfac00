#ifndef UKLIDDOCASNYCH_H
#define UKLIDDOCASNYCH_H

#include <signal.h>

#include <string>

// Temporary files that a signal must not leave behind. While a path is remembered, SIGINT,
// SIGTERM, SIGHUP, SIGQUIT, SIGPIPE and SIGXFSZ remove it (unlink only, which is
// async-signal-safe) and then end the process by the same signal, as if no handler had been
// there. A signal that the process ignores, or that has a handler of its own, is left alone.

// Blocks those signals for its lifetime, so that creating (or renaming) a temporary file and
// remembering (or forgetting) its path happen as one step.
class BezUklidovychSignalu {
public:
    BezUklidovychSignalu();
    ~BezUklidovychSignalu();
    BezUklidovychSignalu(const BezUklidovychSignalu&) = delete;
    BezUklidovychSignalu& operator=(const BezUklidovychSignalu&) = delete;

private:
    sigset_t puvodni_;
};

// Remembers the path and returns its place, or -1 when every place is taken or the path is too
// long (the file is then still written, but a signal would leave it behind).
int zapamatujDocasny(const std::string& cesta);

// Forgets the path remembered at `misto` (-1 does nothing).
void zapomenDocasny(int misto);

#endif
