#pragma once

// Keyboard interrupts and a closed output pipe, for the command-line tool. The first Ctrl-C
// asks the run to stop, as an abort does (it is checked before each file and each occurrence,
// and a question waiting for input returns at once); a second one ends the process. A closed
// pipe is ignored, so that a reader that quits (`| head`) does not kill a run half way.
//
// A signal handler can only set a flag the process shares; this is the one such value, and
// nothing but the handler writes it.
class InterruptSignals {
public:
    static void install();
    // Whether Ctrl-C was pressed since install().
    static bool stopRequested();
};
