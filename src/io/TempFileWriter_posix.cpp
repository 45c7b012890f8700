// The new file through the POSIX calls: made without a name where the file system can (then
// named through /proc), beside the target through the folder's handle, synced with fsync.
#include "io/TempFileWriter.h"

#ifdef Q_OS_UNIX

#include "io/FileAttributes.h"
#include "io/FolderHandleCache.h"
#include "io/JournalStore.h"
#include "io/TempFileName.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QString reason(int error)
{
    return qt_error_string(error);
}

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// Names left by a killed run of a former process with the same id are passed over.
constexpr int MaxNameAttempts = 1 << 16;

#ifdef O_TMPFILE
// Whether a file's open handle can be named through /proc: asked once, not for every file.
bool procHasHandles()
{
    static const bool has = ::access("/proc/self/fd", X_OK) == 0;
    return has;
}
#endif

} // namespace

bool TempFileWriter::placePosix(const QString &target)
{
    m_inFolders = false;
    if (m_folders) {
        if (!m_folders->reach(target))
            return false;
        m_inFolders = true;
        m_folderDevice = m_folders->device();
        m_folderInode = m_folders->inode();
        return true;
    }
    m_place.emplace(target, FolderHandle::Open::Always);
    return m_place->reached() && m_place->identify(&m_folderDevice, &m_folderInode);
}

int TempFileWriter::placeDir() const
{
    if (m_inFolders)
        return m_folders->dir();
    return m_place ? m_place->dir() : -1;
}

bool TempFileWriter::startPosix(const QString &target, const std::optional<FileStamp> &model,
                                const QString &modelPath, bool replacing, QString *error)
{
    // A step that failed leaves errno to tell why; no folder is kept open then.
    const auto refused = [&] {
        m_errno = errno;
        m_place.reset();
        m_inFolders = false;
        return fail(error, reason(m_errno));
    };
    m_folder = QFileInfo(target).path();
    if (!placePosix(target))
        return refused();
    const quint32 euid = m_folders ? m_folders->euid() : quint32(::geteuid());
    // A read-only file is not replaced behind its back (the owner's privilege aside). The
    // owner's own right is in the mode, also under an ACL.
    if (replacing && euid != 0) {
        const bool ownerMayNot = model && model->owner == euid && !(model->mode & S_IWUSR);
        const QByteArray leaf = FolderHandle::leafOf(target);
        if (ownerMayNot)
            errno = EACCES;
        if (ownerMayNot
            || ((!model || model->owner != euid)
                && ::faccessat(placeDir(), leaf.constData(), W_OK, 0) != 0))
            return refused();
    }
    FileAttributes attributes;
    if (model) {
        attributes = m_modelHandle >= 0 ? FileAttributes::ofHandle(m_modelHandle)
                                        : FileAttributes::of(modelPath);
    }
    chooseStorePosix(model, replacing, target);
    // A file made in the likeness of another is open to nobody else until it has its attributes.
    const int mode = model ? createModePosix(*model, attributes) : 0666;
    if (!createPosix(mode))
        return refused();
    m_target = target;
    m_errno = 0;
    m_bytes = 0;
    m_lost.clear();
    std::optional<FileStamp> mine = FileStamp::ofHandle(m_fd);
    if (model && mine && mode != 0600
        && (mine->owner != model->owner || mine->group != model->group)) {
        // Not the owner or group foreseen: made again closed to all but its owner.
        discardPosix();
        if (!placePosix(target) || !createPosix(0600))
            return refused();
        mine = FileStamp::ofHandle(m_fd);
    }
    m_device = mine ? mine->device : 0;
    m_inode = mine ? mine->inode : 0;
    if (model && mine)
        takeAttributesPosix(*model, *mine, attributes);
    m_used = 0;
    return true;
}

void TempFileWriter::chooseStorePosix(const std::optional<FileStamp> &model, bool replacing,
                                      const QString &target)
{
    m_inStore = false;
    // A file of several names keeps its inode under the others: it is copied, not swapped.
    if (!m_store || !replacing || !model || model->links != 1 || !m_inFolders)
        return;
    const std::optional<JournalStore::ExchangePlace> place
        = m_store->exchangePlace(model->device, placeDir(), m_folderInode, target);
    if (!place)
        return;
    m_inStore = true;
    m_storeDir = place->dir;
    m_storeFolder = place->folder;
    m_storeGroup = place->groupOfNewFiles;
    m_storeGivesAcl = place->givesAcl;
}

int TempFileWriter::createModePosix(const FileStamp &model, const FileAttributes &attributes)
{
    if (!m_inFolders)
        return 0600;
    const bool givesAcl = m_inStore ? m_storeGivesAcl : m_folders->givesAcl();
    const quint32 group = m_inStore ? m_storeGroup : m_folders->groupOfNewFiles();
    // Attributes (an ACL, a security label) may keep out some the mode lets in.
    if (!attributes.isEmpty() || givesAcl || model.owner != m_folders->euid()
        || model.group != group)
        return 0600;
    return int(model.mode & 0777);
}

void TempFileWriter::takeAttributesPosix(const FileStamp &model, const FileStamp &mine,
                                         const FileAttributes &attributes)
{
    // Without privilege the owner cannot be kept; the group still can be when the writer
    // belongs to it, so that the copied mode does not open the file to the writer's group.
    const bool owned = mine.owner == model.owner && mine.group == model.group;
    if (!owned && ::fchown(m_fd, model.owner, model.group) != 0
        && ::fchown(m_fd, uid_t(-1), model.group) != 0) {
        // The file becomes the writer's, as any rewrite by this user would make it.
    }
    const bool folderGivesAcl
        = m_inStore ? m_storeGivesAcl : (!m_inFolders || m_folders->givesAcl());
    // Made with its mode already, and nothing else to take: no call more.
    if (owned && attributes.isEmpty() && !folderGivesAcl
        && (mine.mode & 07777) == (model.mode & 07777))
        return;
    m_lost = attributes.applyTo(m_fd, model.mode & 07777, nullptr, folderGivesAcl);
}

bool TempFileWriter::createPosix(int mode)
{
    const int dir = tempDir();
#ifdef O_TMPFILE
    // Where the file system can, the file has no name until it is finished: a run killed
    // while writing leaves nothing behind. Naming it later goes through /proc.
    if (!m_namedAtOnce && procHasHandles()) {
        m_fd = ::openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode_t(mode));
        if (m_fd >= 0)
            return true;
    }
#endif
    for (int attempt = 0; attempt < MaxNameAttempts; ++attempt) {
        m_temp = nextName();
        m_tempLeaf = FolderHandle::leafOf(m_temp);
        m_fd = ::openat(dir, m_tempLeaf.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                        mode_t(mode));
        if (m_fd >= 0)
            return true;
        // A name taken by a run of a former process with this id: the next serial.
        if (errno != EEXIST)
            break;
    }
    const int error = errno;
    m_temp.clear();
    errno = error;
    return false;
}

QString TempFileWriter::nextName() const
{
    if (m_inStore)
        return m_storeFolder + u'/' + QLatin1StringView(m_store->nextExchangeName());
    return m_folders ? TempFileName::next(m_folder, m_folders->pid())
                     : TempFileName::next(m_folder);
}

// Gives a file made without a name its name beside the target.
bool TempFileWriter::namePosix()
{
    if (!m_temp.isEmpty())
        return true;
    const QByteArray handle = "/proc/self/fd/" + QByteArray::number(m_fd);
    for (int attempt = 0; attempt < MaxNameAttempts; ++attempt) {
        const QString temp = nextName();
        const QByteArray leaf = FolderHandle::leafOf(temp);
        if (::linkat(AT_FDCWD, handle.constData(), tempDir(), leaf.constData(), AT_SYMLINK_FOLLOW)
            == 0) {
            m_temp = temp;
            m_tempLeaf = leaf;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    return false;
}

bool TempFileWriter::writeAllPosix(const char *data, qsizetype left)
{
    while (left > 0 && m_errno == 0) {
        const ssize_t n = ::write(m_fd, data, size_t(left));
        if (n < 0) {
            if (errno != EINTR)
                m_errno = errno;
            continue;
        }
        data += n;
        left -= n;
    }
    return m_errno == 0;
}

std::optional<PendingWrite> TempFileWriter::finishPosix(bool sync, QString *error)
{
    if (m_errno == 0 && sync && ::fsync(m_fd) != 0)
        m_errno = errno;
    if (m_errno == 0 && !namePosix())
        m_errno = errno;
    // Some file systems report a failed write only here.
    if (::close(m_fd) != 0 && m_errno == 0)
        m_errno = errno;
    m_fd = -1;
    if (m_errno != 0) {
        fail(error, reason(m_errno));
        discardPosix();
        return std::nullopt;
    }
    PendingWrite pending{m_temp,  m_target, std::nullopt,   m_device,      m_inode,
                         m_bytes, m_lost,   m_folderDevice, m_folderInode, m_inStore};
    m_temp.clear();
    m_place.reset(); // a batch of pending files keeps no folder open
    m_inFolders = false;
    m_inStore = false;
    return pending;
}

void TempFileWriter::discardPosix()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.isEmpty() && tempDir() >= 0)
        ::unlinkat(tempDir(), m_tempLeaf.constData(), 0);
    m_temp.clear();
    m_place.reset();
    m_inFolders = false;
    m_inStore = false;
    m_used = 0;
}

#endif
