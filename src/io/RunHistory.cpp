#include "io/RunHistory.h"

#include "io/JournalStore.h"
#include "io/RunFolderLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

#ifdef Q_OS_UNIX
// Removes the folder open as `dir` (which it closes) and everything in it, one system call per
// file: a run keeps as many files as it changed, and QDir's removal asks about each one first.
// False when `stop` was raised first: the rest stays for the next prune.
bool removeContents(int dir, const RunHistory::Stop *stop)
{
    DIR *stream = ::fdopendir(dir);
    if (!stream) {
        ::close(dir);
        return true;
    }
    bool whole = true;
    while (const dirent *entry = ::readdir(stream)) {
        if (stop && stop->load(std::memory_order_relaxed)) {
            whole = false;
            break;
        }
        const char *name = entry->d_name;
        if (qstrcmp(name, ".") == 0 || qstrcmp(name, "..") == 0)
            continue;
        if (::unlinkat(dir, name, 0) == 0 || (errno != EISDIR && errno != EPERM))
            continue;
        const int sub = ::openat(dir, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (sub >= 0 && !removeContents(sub, stop)) {
            whole = false;
            break;
        }
        ::unlinkat(dir, name, AT_REMOVEDIR);
    }
    ::closedir(stream);
    return whole;
}
#endif

// A run being removed, out of the list (hidden names are not listed), ends so.
QString removedSuffix()
{
    return u".removed"_s;
}

bool removeFolder(const QString &folder, const RunHistory::Stop *stop)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(folder);
    const int dir = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir >= 0) {
        if (!removeContents(dir, stop))
            return false;
        ::rmdir(name.constData());
    }
    return true;
#else
    Q_UNUSED(stop);
    return QDir(folder).removeRecursively();
#endif
}

} // namespace

QStringList RunHistory::ids() const
{
    QStringList names = QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    // Names are the runs' times in UTC: their order is the runs' order.
    std::reverse(names.begin(), names.end());
    return names;
}

std::optional<JournalIndex> RunHistory::find(const QString &id) const
{
    if (!id.isEmpty())
        return JournalIndex::read(QDir(m_folder).filePath(id));
    for (const QString &name : ids()) {
        if (std::optional<JournalIndex> index = JournalIndex::read(QDir(m_folder).filePath(name)))
            return index;
    }
    return std::nullopt;
}

qint64 RunHistory::spaceUsed() const
{
    qint64 bytes = 0;
    for (const QString &name : ids())
        bytes += JournalIndex::summaryOf(QDir(m_folder).filePath(name)).bytes;
    return bytes;
}

void RunHistory::prune(int maxRuns, qint64 maxBytes, const Stop *stop) const
{
    // What earlier processes left is finished whatever `stop` says: so at most one prune's
    // share waits for the next, and the space the limits allow is kept to.
    sweep();
    const QStringList names = ids();
    qint64 bytes = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (stop && stop->load(std::memory_order_relaxed))
            return;
        const QString folder = QDir(m_folder).filePath(names[i]);
        bytes += JournalIndex::summaryOf(folder).bytes;
        if (i > 0 && (i >= maxRuns || bytes > maxBytes))
            removeHeld(names[i], stop);
    }
}

void RunHistory::removeHeld(const QString &id, const Stop *stop) const
{
    QDir runs(m_folder);
    RunFolderLock lock;
    if (!lock.take(runs.filePath(id)))
        return;
    // Renamed first: a process ended half way through leaves no run with some of its
    // originals gone, which an undo would half do.
    const QString hidden = u'.' + id + removedSuffix();
    if (!runs.rename(id, hidden))
        return;
    remove(runs.filePath(hidden), stop);
}

void RunHistory::sweep() const
{
    const QDir runs(m_folder);
    const QStringList left = runs.entryList({u".*"_s + removedSuffix()},
                                            QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : left) {
        RunFolderLock lock;
        if (lock.take(runs.filePath(name)))
            remove(runs.filePath(name));
    }
}

void RunHistory::remove(const QString &runFolder, const Stop *stop)
{
    QString id = QFileInfo(runFolder).fileName();
    if (id.startsWith(u'.') && id.endsWith(removedSuffix()))
        id = id.mid(1, id.size() - 1 - removedSuffix().size());
    for (const QString &store : JournalIndex::storesOf(runFolder)) {
        // Only a folder this program made: the run's own, in the shared folder.
        const QFileInfo info(store);
        if (info.fileName() == id
            && QFileInfo(info.absolutePath()).fileName() == JournalStore::sharedFolderName()
            && !removeFolder(store, stop))
            return; // the index stays: the next sweep finds the rest by it
    }
    removeFolder(runFolder, stop);
}
