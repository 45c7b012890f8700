#include "io/WriteBatch.h"

#include "io/AtomicFileWriter.h"
#include "io/IoLevel.h"
#include "io/RunJournal.h"

void WriteBatch::add(PendingWrite pending)
{
    m_bytes += pending.bytes;
    m_pending.append(std::move(pending));
}

void WriteBatch::syncAll(QList<Result> &results)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return syncAllPosix(results);
#endif
    // The portable level has no call that forces data to the disk: the files stay as written
    // (IoLevel::Guarantees::syncBeforeRename).
    Q_UNUSED(results);
}

QList<WriteBatch::Result> WriteBatch::commit()
{
    QList<Result> results(m_pending.size());
    if (m_journal)
        m_journal->keepAll(m_pending);
    syncAll(results);
    for (qsizetype i = 0; i < m_pending.size(); ++i) {
        if (results[i].outcome != WriteOutcome::Ok) {
            AtomicFileWriter::discard(m_pending[i]);
        } else {
            results[i].outcome
                = AtomicFileWriter::commit(m_pending[i], &results[i].error, nullptr, &m_folders);
        }
        if (m_journal)
            m_journal->settle(m_pending[i], results[i].outcome);
    }
    m_pending.clear();
    m_bytes = 0;
    m_folders.release(); // no folder is held open between batches
    return results;
}

void WriteBatch::discard()
{
    for (const PendingWrite &p : std::as_const(m_pending))
        AtomicFileWriter::discard(p);
    m_pending.clear();
    m_bytes = 0;
}
