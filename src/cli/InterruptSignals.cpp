#include "InterruptSignals.h"

#include <QtGlobal>

#include <csignal>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace {

volatile std::sig_atomic_t interrupts = 0;

extern "C" void onInterrupt(int signal)
{
    if (interrupts >= 1) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    interrupts = 1;
}

} // namespace

void InterruptSignals::install()
{
    interrupts = 0;
#ifdef Q_OS_UNIX
    struct sigaction action { };
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no restart: a read waiting for an answer returns at once
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
#else
    std::signal(SIGINT, onInterrupt);
#endif
}

bool InterruptSignals::stopRequested()
{
    return interrupts != 0;
}
