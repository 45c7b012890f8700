#include "io/WriteBatch.h"

#include "io/AtomicFileWriter.h"
#include "io/FolderHandle.h"
#include "io/RunJournal.h"

#include <QFile>
#include <QSet>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// Runs `sync` on an open descriptor of `path`; the errno of the failure, or 0.
template <typename Sync>
int syncThrough(const QString &path, Sync sync)
{
    const FolderHandle place(path, FolderHandle::Open::WhenLong);
    const int fd = place.reached() ? ::openat(place.dir(), place.leaf(), O_RDONLY | O_CLOEXEC) : -1;
    if (fd < 0)
        return errno;
    const int result = sync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return result;
}
#endif

} // namespace

void WriteBatch::add(PendingWrite pending)
{
    m_bytes += pending.bytes;
    m_pending.append(std::move(pending));
}

void WriteBatch::syncAll(QList<Result> &results)
{
#ifdef Q_OS_UNIX
    QSet<quint64> failedDevices;
    QSet<quint64> doneDevices;
    for (const PendingWrite &p : std::as_const(m_pending)) {
        if (doneDevices.contains(p.device))
            continue;
        doneDevices.insert(p.device);
#ifdef Q_OS_LINUX
        if (syncThrough(p.temp, [](int fd) { return ::syncfs(fd); }) != 0)
            failedDevices.insert(p.device);
#else
        failedDevices.insert(p.device);
#endif
    }
    // Without a whole-system sync, or after its failure, each file on its own finds out which
    // of them cannot be made durable.
    for (qsizetype i = 0; i < m_pending.size(); ++i) {
        if (!failedDevices.contains(m_pending[i].device))
            continue;
        const int error = syncThrough(m_pending[i].temp, [](int fd) { return ::fsync(fd); });
        if (error != 0)
            results[i] = {WriteOutcome::Failed, qt_error_string(error)};
    }
#else
    Q_UNUSED(results);
#endif
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
            results[i].outcome = AtomicFileWriter::commit(m_pending[i], &results[i].error);
        }
        if (m_journal)
            m_journal->settle(m_pending[i], results[i].outcome);
    }
    m_pending.clear();
    m_bytes = 0;
    return results;
}

void WriteBatch::discard()
{
    for (const PendingWrite &p : std::as_const(m_pending))
        AtomicFileWriter::discard(p);
    m_pending.clear();
    m_bytes = 0;
}
