#pragma once

// Keyboard interrupts, termination requests and a closed output pipe, for the command-line
// tool. The first Ctrl-C (or SIGTERM, or SIGHUP: a closed terminal) asks the run to stop, as an
// abort does: it is checked before each file and each occurrence, and a question waiting for
// input returns at once; a second one ends the process. A closed pipe is ignored, so that a
// reader that quits (`| head`) does not kill a run half way.
//
// A signal handler can only set a flag the process shares; this is the one such value, and
// nothing but the handler writes it.
#include <QByteArray>

class InterruptSignals {
public:
    enum class Read { Line, End, Stopped };

    static void install();
    // Whether a stop was asked for since install().
    static bool stopRequested();
    // Waits until `fd` has input (or is at its end): true. False when a stop is asked for
    // first, which a read blocked in the system would not notice (reads are resumed after a
    // signal, and a signal may be taken by another thread).
    static bool waitForInput(int fd);
    // Reads one line from `fd` (without its line break), a byte at a time so that nothing
    // after it is taken: Stopped when a stop is asked for first, End at the end of input.
    static Read readLine(int fd, QByteArray &line);
};
