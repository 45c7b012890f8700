#pragma once

#include <QString>
#include <QTextStream>

class MessageCatalogue;
class OptionState;

// quorvex-batch --runs and --undo [RUN]: the runs kept in the journal, and the undo of one.
class JournalCommands {
public:
    // Prints one line per run, newest first: its id (date and time, UTC), pattern and
    // replacement, and the number of files it changed. Returns the exit status.
    static int listRuns(const OptionState &options, const MessageCatalogue &messages,
                        QTextStream &out);
    // Undoes the run `id` (empty: the last) and prints the undo's report. Returns 0 when every
    // file was put back, 1 when some were changed since and left alone, 2 when there is no
    // such run or a file could not be written.
    static int undo(const OptionState &options, const MessageCatalogue &messages, const QString &id,
                    QTextStream &out);
    // The journal's folder for a tool run from `programFolder`.
    static QString journalFolder(const QString &programFolder);
};
