#include "InterruptSignals.h"

#include <QtGlobal>

#include <csignal>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <poll.h>
#include <signal.h>
#include <unistd.h>
#else
#include <cstdio>
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
    action.sa_flags = 0;
    // A closed terminal and a polite kill stop the run as Ctrl-C does: the files in hand are
    // left as they were, the new files not yet in place are removed and the report is printed.
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
#else
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
#endif
}

bool InterruptSignals::stopRequested()
{
    return interrupts != 0;
}

bool InterruptSignals::waitForInput(int fd)
{
#ifdef Q_OS_UNIX
    // A short timeout: the signal may have been taken by a worker thread, and this one would
    // then not be woken.
    constexpr int checkEveryMs = 100;
    for (;;) {
        if (interrupts != 0)
            return false;
        pollfd input{fd, POLLIN, 0};
        const int ready = ::poll(&input, 1, checkEveryMs);
        if (ready > 0)
            return interrupts == 0;
        if (ready < 0 && errno != EINTR)
            return true; // the read itself will tell what is wrong
    }
#else
    Q_UNUSED(fd);
    return !stopRequested();
#endif
}

InterruptSignals::Read InterruptSignals::readLine(int fd, QByteArray &line)
{
    line.clear();
    for (;;) {
        if (!waitForInput(fd))
            return Read::Stopped;
        char c = 0;
#ifdef Q_OS_UNIX
        const auto got = ::read(fd, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
#else
        const int got = std::fread(&c, 1, 1, stdin);
#endif
        if (got <= 0)
            return line.isEmpty() ? Read::End : Read::Line;
        if (c == '\n')
            return Read::Line;
        line += c;
    }
}
