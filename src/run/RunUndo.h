#pragma once

#include "io/JournalIndex.h"

#include <QString>
#include <QStringList>

class MessageCatalogue;
class OptionState;
class RunJournal;

// Puts back the files a run changed, from its journal: each file byte for byte and atomically,
// and only when it is still exactly as the run left it; a file changed since is left alone and
// named in the report. The undo is a run of its own with a journal of its own, so that undoing
// it puts the run's files back again.
class RunUndo {
public:
    struct Totals {
        bool found = false; // there was such a run
        int restored = 0;
        int changedSince = 0;
        int failed = 0;
    };

    RunUndo(const OptionState &options, const MessageCatalogue &messages)
        : m_options(options), m_messages(messages)
    {
    }

    // Undoes the run `id` (empty: the newest), appending the undo's report to `lines`.
    Totals undo(const QString &id, QStringList &lines);

private:
    enum class Step { Restored, ChangedSince, Failed, Nothing };
    Step restore(const JournalIndex::Entry &entry, RunJournal &journal, QString *error);

    const OptionState &m_options;
    const MessageCatalogue &m_messages;
};
