// The batch's syncs through the POSIX calls: syncfs per file system, fsync per file after its
// failure (or where there is no syncfs).
#include "io/WriteBatch.h"

#ifdef Q_OS_UNIX

#include "io/FolderHandle.h"

#include <QFile>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

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

} // namespace

void WriteBatch::syncAllPosix(QList<Result> &results)
{
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
}

#endif
