#include "io/ReadOnlyFile.h"

#include "io/FolderHandle.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef Q_OS_UNIX

namespace {

ReadOnlyFile::Status statusOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ReadOnlyFile::Status::Missing;
    case ENXIO: // a socket, or a device without its driver
        return ReadOnlyFile::Status::NotRegular;
    default:
        return ReadOnlyFile::Status::Unreadable;
    }
}

// The type of the file `place` names, following links; `wasLink` learns whether it was one.
ReadOnlyFile::Status lookAt(const FolderHandle &place, struct stat &st, bool *wasLink)
{
    if (!place.reached())
        return statusOf(errno);
    if (wasLink) {
        if (::fstatat(place.dir(), place.leaf(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return statusOf(errno);
        *wasLink = S_ISLNK(st.st_mode);
    }
    if ((!wasLink || *wasLink) && ::fstatat(place.dir(), place.leaf(), &st, 0) != 0)
        return statusOf(errno);
    return S_ISREG(st.st_mode) ? ReadOnlyFile::Status::Open : ReadOnlyFile::Status::NotRegular;
}

} // namespace

ReadOnlyFile::~ReadOnlyFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

ReadOnlyFile::Status ReadOnlyFile::typeOf(const QString &path, int *links)
{
    const FolderHandle place(path, FolderHandle::Open::WhenLong);
    struct stat st { };
    const Status status = lookAt(place, st, nullptr);
    if (links && status == Status::Open)
        *links = int(st.st_nlink);
    return status;
}

ReadOnlyFile::Status ReadOnlyFile::open(const QString &path)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    const FolderHandle place(path, FolderHandle::Open::WhenLong);
    struct stat st { };
    const Status status = lookAt(place, st, &m_wasLink);
    if (status != Status::Open)
        return status;
    m_links = int(st.st_nlink);
    m_fd = ::openat(place.dir(), place.leaf(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (m_fd < 0)
        return statusOf(errno);
    const std::optional<FileStamp> stamp = FileStamp::ofHandle(m_fd);
    if (!stamp || !S_ISREG(stamp->mode)) {
        ::close(m_fd);
        m_fd = -1;
        return stamp ? Status::NotRegular : Status::Unreadable;
    }
    m_stamp = *stamp;
    ::fcntl(m_fd, F_SETFL, 0); // reads wait for data again
    return Status::Open;
}

int ReadOnlyFile::release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

#else

// Elsewhere the type is looked at, and the file opened through Qt.
ReadOnlyFile::~ReadOnlyFile() = default;

ReadOnlyFile::Status ReadOnlyFile::typeOf(const QString &path, int *links)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Status::Missing;
    if (links)
        *links = 1;
    return info.isFile() ? Status::Open : Status::NotRegular;
}

ReadOnlyFile::Status ReadOnlyFile::open(const QString &path)
{
    m_wasLink = QFileInfo(path).isSymLink();
    return typeOf(path, &m_links);
}

int ReadOnlyFile::release()
{
    return -1;
}

#endif
