#include "run/OrderedCommitter.h"

#include "io/AtomicFileWriter.h"
#include "io/RunJournal.h"

void OrderedCommitter::settle(std::function<void()> action)
{
    if (m_waiting.empty() || m_settling)
        action();
    else
        m_waiting.push_back({std::move(action), {}});
}

void OrderedCommitter::place(const PendingWrite &pending, Placed placed)
{
    if (m_sync == SyncPolicy::Batch) {
        m_batch.add(pending);
        m_queuedFiles += 1;
        m_queuedBytes += pending.bytes;
        m_waiting.push_back({{}, std::move(placed)});
        if (m_batch.isFull())
            commit();
        return;
    }
    QString error;
    if (m_journal)
        m_journal->keep(pending);
    const WriteOutcome outcome = AtomicFileWriter::commit(pending, &error);
    if (m_journal)
        m_journal->settle(pending, outcome);
    release(1, pending.bytes);
    placed(outcome, error);
}

void OrderedCommitter::queued(qint64 bytes, Placed placed)
{
    m_budget.hold(bytes);
    m_queuedFiles += 1;
    m_queuedBytes += bytes;
    m_waiting.push_back({{}, std::move(placed)});
}

void OrderedCommitter::drop(const PendingWrite &pending)
{
    AtomicFileWriter::discard(pending);
    release(1, pending.bytes);
}

void OrderedCommitter::release(qsizetype files, qint64 bytes)
{
    if (files == 0)
        return;
    m_budget.release(files, bytes);
    if (m_released)
        m_released();
}

void OrderedCommitter::commit()
{
    if (m_waiting.empty() && m_batch.isEmpty())
        return;
    const QList<WriteBatch::Result> results = m_batch.commit();
    release(m_queuedFiles, m_queuedBytes);
    m_queuedFiles = 0;
    m_queuedBytes = 0;
    std::vector<Settlement> waiting;
    waiting.swap(m_waiting);
    m_settling = true;
    qsizetype next = 0;
    for (const Settlement &s : waiting) {
        if (s.placed) {
            const WriteBatch::Result result = results.value(next++, {WriteOutcome::Failed, {}});
            s.placed(result.outcome, result.error);
        } else {
            s.action();
        }
    }
    m_settling = false;
}
