// The folder held through an O_PATH handle, its identity and default ACL from the system.
#include "io/FolderHandleCache.h"

#ifdef Q_OS_UNIX

#include "io/FolderHandle.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/xattr.h>
#endif

FolderHandleCache::FolderHandleCache()
    : m_pid(qint64(::getpid())), m_euid(quint32(::geteuid())), m_egid(quint32(::getegid()))
{
}

FolderHandleCache::~FolderHandleCache()
{
    release();
}

void FolderHandleCache::release()
{
    if (m_dir >= 0)
        ::close(m_dir);
    m_dir = -1;
    m_folder.clear();
    m_folderName.clear();
    m_givesAcl.reset();
}

bool FolderHandleCache::reach(const QString &path)
{
    QByteArray folder;
    return holds(path, folder) || open(path, folder);
}

bool FolderHandleCache::reachChecked(const QString &path)
{
    QByteArray folder;
    if (holds(path, folder) && folder.size() < PATH_MAX) {
        // One lookup of the name instead of an open, a stat and a close.
        struct stat st { };
        if (::stat(folder.constData(), &st) == 0 && quint64(st.st_dev) == m_device
            && quint64(st.st_ino) == m_inode)
            return true;
    }
    return open(path, folder);
}

bool FolderHandleCache::open(const QString &path, const QByteArray &folder)
{
    release();
    FolderHandle place(path, FolderHandle::Open::Always);
    if (!place.reached())
        return false;
    struct stat st { };
    if (::fstat(place.dir(), &st) != 0)
        return false;
    m_dir = place.take();
    m_folder = folder;
    const qsizetype slash = path.lastIndexOf(u'/');
    m_folderName = slash > 0 ? path.left(slash) : QString();
    m_device = quint64(st.st_dev);
    m_inode = quint64(st.st_ino);
    m_mode = quint32(st.st_mode);
    m_group = quint32(st.st_gid);
    return true;
}

bool FolderHandleCache::givesAcl()
{
    if (!m_givesAcl) {
#ifdef Q_OS_LINUX
        // The attribute calls take no folder handle opened for a path: its name under /proc.
        const QByteArray name = "/proc/self/fd/" + QByteArray::number(m_dir);
        const ssize_t size = ::getxattr(name.constData(), "system.posix_acl_default", nullptr, 0);
        // Not known (no /proc, or the call failed otherwise): taken as given, as before.
        m_givesAcl = size > 0 || (size < 0 && errno != ENODATA && errno != ENOTSUP);
#else
        m_givesAcl = false;
#endif
    }
    return *m_givesAcl;
}

quint32 FolderHandleCache::groupOfNewFiles() const
{
    return (m_mode & S_ISGID) ? m_group : m_egid;
}

#endif
