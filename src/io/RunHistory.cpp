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
void removeContents(int dir)
{
    DIR *stream = ::fdopendir(dir);
    if (!stream) {
        ::close(dir);
        return;
    }
    while (const dirent *entry = ::readdir(stream)) {
        const char *name = entry->d_name;
        if (qstrcmp(name, ".") == 0 || qstrcmp(name, "..") == 0)
            continue;
        if (::unlinkat(dir, name, 0) == 0 || (errno != EISDIR && errno != EPERM))
            continue;
        const int sub = ::openat(dir, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (sub >= 0)
            removeContents(sub);
        ::unlinkat(dir, name, AT_REMOVEDIR);
    }
    ::closedir(stream);
}
#endif

// A run being removed, out of the list (hidden names are not listed), ends so.
QString removedSuffix()
{
    return u".removed"_s;
}

void removeFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(folder);
    const int dir = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir >= 0) {
        removeContents(dir);
        ::rmdir(name.constData());
    }
#else
    QDir(folder).removeRecursively();
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

void RunHistory::prune(int maxRuns, qint64 maxBytes) const
{
    sweep();
    const QStringList names = ids();
    qint64 bytes = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString folder = QDir(m_folder).filePath(names[i]);
        bytes += JournalIndex::summaryOf(folder).bytes;
        if (i > 0 && (i >= maxRuns || bytes > maxBytes))
            removeHeld(names[i]);
    }
}

void RunHistory::removeHeld(const QString &id) const
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
    remove(runs.filePath(hidden));
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

void RunHistory::remove(const QString &runFolder)
{
    QString id = QFileInfo(runFolder).fileName();
    if (id.startsWith(u'.') && id.endsWith(removedSuffix()))
        id = id.mid(1, id.size() - 1 - removedSuffix().size());
    if (const std::optional<JournalIndex> index = JournalIndex::read(runFolder)) {
        for (const QString &store : index->stores) {
            // Only a folder this program made: the run's own, in the shared folder.
            const QFileInfo info(store);
            if (info.fileName() == id
                && QFileInfo(info.absolutePath()).fileName() == JournalStore::sharedFolderName())
                removeFolder(store);
        }
    }
    removeFolder(runFolder);
}
