// Putting a new file in place through the folder's handle: the folder's identity and the
// target's stamp are checked, then renameat.
#include "io/AtomicFileWriter.h"

#ifdef Q_OS_UNIX

#include "io/FolderHandle.h"
#include "io/FolderHandleCache.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A link under a name too long for the system to take whole, followed one link at a time to
// the file it leads to (or the name a dangling one gives).
QString resolveLong(QString path)
{
    constexpr int MostLinks = 40; // as the system follows them
    for (int step = 0; step < MostLinks; ++step) {
        const FolderHandle place(path, FolderHandle::Open::WhenLong);
        struct stat st { };
        if (!place.reached() || ::fstatat(place.dir(), place.leaf(), &st, AT_SYMLINK_NOFOLLOW) != 0
            || !S_ISLNK(st.st_mode))
            return path;
        QByteArray to(PATH_MAX, Qt::Uninitialized);
        const ssize_t size = ::readlinkat(place.dir(), place.leaf(), to.data(), size_t(to.size()));
        if (size <= 0 || size >= to.size())
            return path;
        const QString next = QFile::decodeName(to.left(size));
        path = next.startsWith(u'/') ? next : QFileInfo(path).path() + u'/' + next;
    }
    return path;
}

} // namespace

std::optional<QString> AtomicFileWriter::resolveLongPosix(const QString &path)
{
    if (QFile::encodeName(path).size() < PATH_MAX)
        return std::nullopt;
    return resolveLong(path);
}

namespace {

// Removes the new file from the folder `dir`, if the name there is still the new file.
void removeIn(int dir, const PendingWrite &pending)
{
    const QByteArray leaf = FolderHandle::leafOf(pending.temp);
    struct stat st { };
    if (dir < 0 || ::fstatat(dir, leaf.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    if (pending.inode == 0
        || (quint64(st.st_dev) == pending.device && quint64(st.st_ino) == pending.inode))
        ::unlinkat(dir, leaf.constData(), 0);
}

// Removes the new file, wherever it was made: beside the target (in `dir`) or in the journal's
// store.
void removeNew(int dir, const PendingWrite &pending)
{
    if (!pending.inStore)
        return removeIn(dir, pending);
    const FolderHandle store(pending.temp, FolderHandle::Open::Always);
    removeIn(store.reached() ? store.dir() : -1, pending);
}

WriteOutcome failed(int code, QString *error, int *errorCode);

#ifdef RENAME_EXCHANGE
// Whether the file `name` is `expected` itself, unchanged in size and time; its change time is
// the swap's.
bool isFileRead(const QByteArray &name, const FileStamp &expected)
{
    struct stat st { };
    return ::fstatat(AT_FDCWD, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0
        && S_ISREG(st.st_mode) && quint64(st.st_dev) == expected.device
        && quint64(st.st_ino) == expected.inode && qint64(st.st_size) == expected.size
        && qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec == expected.modifiedNs;
}
#endif

// Swaps the new file, made in the journal's store, with the target `target` in `dir`: the
// target is never missing, and the store keeps the original under the new file's name. A file
// put under the target's name since the check before is swapped back and left alone.
WriteOutcome exchange(int dir, const QByteArray &target, const PendingWrite &pending,
                      QString *error, int *errorCode)
{
#ifdef RENAME_EXCHANGE
    const QByteArray temp = QFile::encodeName(pending.temp);
    if (::renameat2(AT_FDCWD, temp.constData(), dir, target.constData(), RENAME_EXCHANGE) != 0) {
        const int code = errno;
        removeNew(dir, pending);
        // Removed since the check: it is not made again.
        if (code == ENOENT && pending.expected)
            return WriteOutcome::ChangedOnDisk;
        return failed(code, error, errorCode);
    }
    if (!pending.expected || isFileRead(temp, *pending.expected))
        return WriteOutcome::Ok;
    if (::renameat2(AT_FDCWD, temp.constData(), dir, target.constData(), RENAME_EXCHANGE) != 0) {
        // The other file stays in the store, where the report's error leads.
        const int code = errno;
        if (error)
            *error = qt_error_string(code) + u": "_s + pending.temp;
        if (errorCode)
            *errorCode = code;
        return WriteOutcome::Failed;
    }
    removeNew(dir, pending);
    return WriteOutcome::ChangedOnDisk;
#else
    Q_UNUSED(target);
    removeNew(dir, pending);
    return failed(ENOSYS, error, errorCode);
#endif
}

// The folder a commit goes through: the shared one when given, else one of its own.
class CommitPlace {
public:
    CommitPlace(const QString &temp, FolderHandleCache *folders) : m_folders(folders)
    {
        if (folders)
            m_reached = folders->reachChecked(temp);
        else
            m_own.emplace(temp, FolderHandle::Open::Always);
    }
    bool reached() const { return m_folders ? m_reached : m_own->reached(); }
    int dir() const { return m_folders ? (m_reached ? m_folders->dir() : -1) : m_own->dir(); }
    bool identify(quint64 *device, quint64 *inode) const
    {
        if (!m_folders)
            return m_own->identify(device, inode);
        *device = m_folders->device();
        *inode = m_folders->inode();
        return m_reached;
    }

private:
    FolderHandleCache *m_folders;
    bool m_reached = false;
    std::optional<FolderHandle> m_own;
};

WriteOutcome failed(int code, QString *error, int *errorCode)
{
    if (error)
        *error = qt_error_string(code);
    if (errorCode)
        *errorCode = code;
    return WriteOutcome::Failed;
}

} // namespace

// Every step goes through the folder's handle, so the depth of the folder does not matter.
WriteOutcome AtomicFileWriter::commitPosix(const PendingWrite &pending, QString *error,
                                           int *errorCode, FolderHandleCache *folders)
{
    // The target's folder: the new file's too, unless it was made in the journal's store.
    const CommitPlace place(pending.inStore ? pending.target : pending.temp, folders);
    quint64 device = 0;
    quint64 inode = 0;
    if (!place.reached()) {
        const int code = errno;
        // One made in the store would stay there: the folder beside it is gone with its own.
        if (pending.inStore)
            removeNew(-1, pending);
        // The folder is gone: moved or removed by another program.
        if (pending.expected && (code == ENOENT || code == ENOTDIR))
            return WriteOutcome::ChangedOnDisk;
        return failed(code, error, errorCode);
    }
    if (!place.identify(&device, &inode)) {
        const int code = errno;
        removeNew(place.dir(), pending);
        return failed(code, error, errorCode);
    }
    // Another folder under the old name: the new file stayed in the old one, and the target
    // named here is not the file that was read.
    if (device != pending.folderDevice || inode != pending.folderInode) {
        removeNew(place.dir(), pending);
        return WriteOutcome::ChangedOnDisk;
    }
    const QByteArray target = FolderHandle::leafOf(pending.target);
    if (pending.expected) {
        // Moving or removing a file is a change like any other: it is not made again.
        const std::optional<FileStamp> now = FileStamp::at(place.dir(), target.constData());
        if (!now || !now->sameContent(*pending.expected)) {
            removeNew(place.dir(), pending);
            return WriteOutcome::ChangedOnDisk;
        }
    }
    if (pending.inStore) {
        const WriteOutcome outcome = exchange(place.dir(), target, pending, error, errorCode);
        if (outcome == WriteOutcome::Ok && error)
            *error = pending.lostAttributes.join(u", "_s);
        return outcome;
    }
    const QByteArray temp = FolderHandle::leafOf(pending.temp);
    if (::renameat(place.dir(), temp.constData(), place.dir(), target.constData()) != 0) {
        const int code = errno;
        removeNew(place.dir(), pending);
        return failed(code, error, errorCode);
    }
    if (error)
        *error = pending.lostAttributes.join(u", "_s);
    return WriteOutcome::Ok;
}

void AtomicFileWriter::discardPosix(const PendingWrite &pending)
{
    const FolderHandle place(pending.temp, FolderHandle::Open::Always);
    removeIn(place.reached() ? place.dir() : -1, pending);
}

#endif
