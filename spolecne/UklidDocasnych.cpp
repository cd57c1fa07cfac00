#include "UklidDocasnych.h"

#include <unistd.h>

#include <climits>
#include <cstring>

namespace {

const int UKLIDOVE_SIGNALY[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGXFSZ};

// A few places are plenty: a run writes its files one after another.
const int MIST = 4;
char docasne[MIST][PATH_MAX];
volatile sig_atomic_t obsazeno[MIST];

sigset_t uklidoveSignaly() {
    sigset_t mnozina;
    ::sigemptyset(&mnozina);
    for (const int signal : UKLIDOVE_SIGNALY) ::sigaddset(&mnozina, signal);
    return mnozina;
}

// Only async-signal-safe calls: unlink, sigaction, raise. The signal stays blocked until the
// handler returns; it is then delivered again with its default action.
extern "C" void uklidAUkonci(int signal) {
    for (int i = 0; i < MIST; ++i)
        if (obsazeno[i]) ::unlink(docasne[i]);
    struct sigaction vychozi {};
    vychozi.sa_handler = SIG_DFL;
    ::sigemptyset(&vychozi.sa_mask);
    ::sigaction(signal, &vychozi, nullptr);
    ::raise(signal);
}

// Takes over each signal whose action is still the default one.
bool nainstalujObsluhu() {
    struct sigaction obsluha {};
    obsluha.sa_handler = uklidAUkonci;
    obsluha.sa_mask = uklidoveSignaly();
    for (const int signal : UKLIDOVE_SIGNALY) {
        struct sigaction stara {};
        if (::sigaction(signal, nullptr, &stara) == 0 && stara.sa_handler == SIG_DFL &&
            (stara.sa_flags & SA_SIGINFO) == 0)
            ::sigaction(signal, &obsluha, nullptr);
    }
    return true;
}

}  // namespace

BezUklidovychSignalu::BezUklidovychSignalu() {
    const sigset_t mnozina = uklidoveSignaly();
    ::pthread_sigmask(SIG_BLOCK, &mnozina, &puvodni_);
}

BezUklidovychSignalu::~BezUklidovychSignalu() { ::pthread_sigmask(SIG_SETMASK, &puvodni_, nullptr); }

int zapamatujDocasny(const std::string& cesta) {
    static const bool nainstalovano = nainstalujObsluhu();
    (void)nainstalovano;
    if (cesta.size() >= PATH_MAX) return -1;
    for (int i = 0; i < MIST; ++i) {
        if (obsazeno[i]) continue;
        std::memcpy(docasne[i], cesta.c_str(), cesta.size() + 1);
        obsazeno[i] = 1;
        return i;
    }
    return -1;
}

void zapomenDocasny(int misto) {
    if (misto >= 0 && misto < MIST) obsazeno[misto] = 0;
}
