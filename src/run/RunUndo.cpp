#include "run/RunUndo.h"

#include "io/AtomicFileWriter.h"
#include "io/RunHistory.h"
#include "io/RunJournal.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

// Whether the file is as the run left it. A run killed half way wrote no stamp for its last
// files: its new file, known by inode and size, stands for it.
bool asLeft(const JournalIndex::Entry &entry, const std::optional<FileStamp> &now)
{
    if (!now)
        return false;
    if (entry.written)
        return now->sameContent(*entry.written);
    return now->device == entry.newDevice && now->inode == entry.newInode
        && now->size == entry.newSize;
}

} // namespace

RunUndo::Totals RunUndo::undo(const QString &id, QStringList &lines)
{
    Totals totals;
    const RunHistory history(m_options.JournalFolder);
    const std::optional<JournalIndex> run
        = m_options.JournalFolder.isEmpty() ? std::nullopt : history.find(id);
    if (!run) {
        lines << m_messages.LoadMessage(MsgUndoNoRun);
        return totals;
    }
    totals.found = true;
    lines << m_messages.message(MsgUndoHead, run->id);
    RunJournal journal(m_options.JournalFolder, SyncPolicy::File,
                       {u"undo"_s, run->search, run->replacement, run->id});
    for (const JournalIndex::Entry &entry : run->entries) {
        QString error;
        switch (restore(entry, journal, &error)) {
        case Step::Restored:
            ++totals.restored;
            lines << m_messages.message(MsgUndoRestored, entry.path);
            break;
        case Step::ChangedSince:
            ++totals.changedSince;
            lines << m_messages.message(MsgUndoChangedSince, entry.path);
            break;
        case Step::Failed:
            ++totals.failed;
            lines << m_messages.message(MsgCliWriteFailed, entry.path, error);
            break;
        case Step::Nothing:
            break;
        }
    }
    journal.close();
    for (const QString &path : journal.unkept())
        lines << m_messages.message(MsgJournalNotKept, path);
    lines << m_messages.message(MsgUndoTotals, totals.restored,
                                totals.changedSince + totals.failed);
    if (!journal.runFolder().isEmpty())
        history.prune(m_options.JournalRuns, m_options.JournalBytes);
    return totals;
}

RunUndo::Step RunUndo::restore(const JournalIndex::Entry &entry, RunJournal &journal,
                               QString *error)
{
    if (entry.dropped || entry.copy.isEmpty() || !entry.old)
        return Step::Nothing;
    const std::optional<FileStamp> now = FileStamp::of(entry.path);
    if (!asLeft(entry, now)) {
        // Killed before this file's rename: it is still the original.
        if (!entry.written && now && now->sameContent(*entry.old))
            return Step::Nothing;
        return Step::ChangedSince;
    }
    QFile kept(entry.copy);
    if (!kept.open(QIODevice::ReadOnly)) {
        *error = kept.errorString();
        return Step::Failed;
    }
    const QByteArray bytes = kept.readAll();
    // A kept link shares its inode with nothing else; should it have changed all the same, it
    // no longer holds the original.
    const std::optional<FileStamp> keptNow = FileStamp::ofHandle(int(kept.handle()));
    if (kept.error() != QFileDevice::NoError || !keptNow || keptNow->size != entry.old->size
        || keptNow->modifiedNs != entry.old->modifiedNs || bytes.size() != entry.old->size) {
        *error = kept.error() != QFileDevice::NoError ? kept.errorString() : entry.copy;
        return Step::Failed;
    }
    std::optional<PendingWrite> pending = AtomicFileWriter::prepare(entry.path, bytes, true, error);
    if (!pending)
        return Step::Failed;
    pending->expected = now;
    journal.keep(*pending);
    const WriteOutcome outcome = AtomicFileWriter::commit(*pending, error);
    journal.settle(*pending, outcome);
    if (outcome == WriteOutcome::ChangedOnDisk)
        return Step::ChangedSince;
    return outcome == WriteOutcome::Ok ? Step::Restored : Step::Failed;
}
