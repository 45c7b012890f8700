#pragma once

#include "io/PendingWrite.h"
#include "io/SyncPolicy.h"
#include "io/TempBudget.h"
#include "io/WriteBatch.h"

#include <QString>

#include <functional>

class RunJournal;
#include <vector>

// The last stage of a run: settles the files in list order. A new file is put in place at
// once (its own sync, the stamp check, the rename) or, under SyncPolicy::Batch, waits in a
// WriteBatch until the batch is committed (when it is full, before a file that must see the
// writes, and at the end of the run, an aborted one included). Until then every report line and
// outcome that comes after it waits too, so the report keeps the list's order and never says a
// file was written before it is in place.
//
// It also keeps the budget of new files held at once (TempBudget): those written ahead on
// worker threads and those waiting in the batch.
class OrderedCommitter {
public:
    // How putting a new file in place ended (AtomicFileWriter::commit's outcome and error).
    using Placed = std::function<void(WriteOutcome, const QString &error)>;

    void setSync(SyncPolicy sync) { m_sync = sync; }
    SyncPolicy sync() const { return m_sync; }
    TempBudget &budget() { return m_budget; }
    // Called whenever budget was released, so that workers waiting for room look again.
    void onReleased(std::function<void()> released) { m_released = std::move(released); }

    // The journal that keeps each replaced file before its rename (for an undo); none by
    // default. Not owned.
    void setJournal(RunJournal *journal)
    {
        m_journal = journal;
        m_batch.setJournal(journal);
    }
    // The batch a document's save adds its new file to (SaveOptions), under SyncPolicy::Batch.
    WriteBatch *batch() { return &m_batch; }
    bool isFull() const { return m_batch.isFull(); }

    // Runs `action` now, or after the writes still waiting when there are any.
    void settle(std::function<void()> action);
    // Puts a new file written ahead in place now, or adds it to the batch; `placed` learns how
    // that ended once it is known. The file is held in the budget until then.
    void place(const PendingWrite &pending, Placed placed);
    // A document's save added a new file of about `bytes` to the batch: `placed` waits for it.
    void queued(qint64 bytes, Placed placed);
    // Removes a new file that will not be put in place, and releases its room.
    void drop(const PendingWrite &pending);
    // Whether a new file of about `bytes` for `path` may be written now; if not, the caller
    // commits first.
    bool admits(qint64 bytes, const QString &path) const { return m_budget.admits(bytes, path); }
    // Syncs and renames the files waiting, then settles what waited for them.
    void commit();

private:
    struct Settlement {
        std::function<void()> action; // or, for a file in the batch:
        Placed placed;
    };
    void release(qsizetype files, qint64 bytes);

    SyncPolicy m_sync = SyncPolicy::File;
    WriteBatch m_batch;
    TempBudget m_budget;
    std::function<void()> m_released;
    RunJournal *m_journal = nullptr;
    qsizetype m_queuedFiles = 0; // in the batch, held in the budget
    qint64 m_queuedBytes = 0;
    std::vector<Settlement> m_waiting;
    bool m_settling = false;
};
