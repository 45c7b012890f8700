// Folder handles through open/openat.
#include "io/FolderHandle.h"

#include <QFile>

#ifdef Q_OS_UNIX

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

#ifdef O_PATH
constexpr int FolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int FolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

// Opens `folder` one part at a time, so that no single lookup is longer than the system takes.
int walk(const QByteArray &folder)
{
    int dir = ::open(folder.startsWith('/') ? "/" : ".", FolderFlags);
    for (const QByteArray &part : folder.split('/')) {
        if (part.isEmpty() || dir < 0)
            continue;
        const int next = ::openat(dir, part.constData(), FolderFlags);
        const int error = errno;
        ::close(dir);
        errno = error;
        dir = next;
    }
    return dir;
}

} // namespace

FolderHandle::FolderHandle(const QString &path, Open when)
{
    const QByteArray name = QFile::encodeName(path);
    if (when == Open::WhenLong && name.size() < PATH_MAX) {
        m_dir = AT_FDCWD;
        m_leaf = name;
        m_reached = true;
        return;
    }
    const qsizetype slash = name.lastIndexOf('/');
    m_leaf = name.mid(slash + 1);
    if (slash < 0)
        m_dir = ::open(".", FolderFlags);
    else if (slash == 0)
        m_dir = ::open("/", FolderFlags);
    else if (slash < PATH_MAX)
        m_dir = ::open(name.left(slash).constData(), FolderFlags);
    else
        m_dir = walk(name.left(slash));
    m_reached = m_dir >= 0;
}

FolderHandle::~FolderHandle()
{
    if (m_dir >= 0)
        ::close(m_dir);
}

int FolderHandle::take()
{
    const int dir = m_dir;
    m_dir = -1;
    m_reached = false;
    return dir;
}

bool FolderHandle::identify(quint64 *device, quint64 *inode) const
{
    struct stat st { };
    if (m_dir < 0 || ::fstat(m_dir, &st) != 0)
        return false;
    *device = quint64(st.st_dev);
    *inode = quint64(st.st_ino);
    return true;
}

#endif
