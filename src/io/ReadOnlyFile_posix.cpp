// Opening for reading through a folder handle, without blocking, and stamping the open handle.
#include "io/ReadOnlyFile.h"

#ifdef Q_OS_UNIX

#include "io/FolderHandle.h"
#include "io/FolderHandleCache.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int OpenFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

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

// The type of the file `leaf` in `dir`, following links; `wasLink` learns whether it was one.
ReadOnlyFile::Status lookAt(int dir, const char *leaf, struct stat &st, bool *wasLink)
{
    if (wasLink) {
        if (::fstatat(dir, leaf, &st, AT_SYMLINK_NOFOLLOW) != 0)
            return statusOf(errno);
        *wasLink = S_ISLNK(st.st_mode);
    }
    if ((!wasLink || *wasLink) && ::fstatat(dir, leaf, &st, 0) != 0)
        return statusOf(errno);
    return S_ISREG(st.st_mode) ? ReadOnlyFile::Status::Open : ReadOnlyFile::Status::NotRegular;
}

} // namespace

void ReadOnlyFile::closePosix()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_nonBlocking = false;
}

ReadOnlyFile::Status ReadOnlyFile::typeOfPosix(const QString &path, int *links)
{
    const FolderHandle place(path, FolderHandle::Open::WhenLong);
    if (!place.reached())
        return statusOf(errno);
    struct stat st { };
    const Status status = lookAt(place.dir(), place.leaf(), st, nullptr);
    if (links && status == Status::Open)
        *links = int(st.st_nlink);
    return status;
}

ReadOnlyFile::Status ReadOnlyFile::openPosix(const QString &path, FolderHandleCache *folders,
                                             ListedAs listed)
{
    if (folders) {
        if (!folders->reach(path))
            return statusOf(errno);
        return openIn(folders->dir(), folders->leaf(), listed);
    }
    const FolderHandle place(path, FolderHandle::Open::WhenLong);
    if (!place.reached())
        return statusOf(errno);
    return openIn(place.dir(), place.leaf(), listed);
}

ReadOnlyFile::Status ReadOnlyFile::openIn(int dir, const char *leaf, ListedAs listed)
{
    if (listed == ListedAs::RegularFile) {
        if (const std::optional<Status> status = openListed(dir, leaf))
            return *status;
    }
    struct stat st { };
    const Status status = lookAt(dir, leaf, st, &m_wasLink);
    if (status != Status::Open)
        return status;
    m_links = int(st.st_nlink);
    m_fd = ::openat(dir, leaf, OpenFlags);
    if (m_fd < 0)
        return statusOf(errno);
    return stampOpened();
}

std::optional<ReadOnlyFile::Status> ReadOnlyFile::openListed(int dir, const char *leaf)
{
    // What may have come in its place since the scan is found out by the open itself, which
    // waits on nothing: a link (refused here, then looked at as any other name), a pipe or a
    // device (refused by the handle's type).
    m_fd = ::openat(dir, leaf, OpenFlags | O_NOFOLLOW);
    if (m_fd < 0)
        return errno == ELOOP || errno == EMLINK ? std::nullopt
                                                 : std::optional<Status>(statusOf(errno));
    const Status status = stampOpened();
    if (status == Status::Open)
        m_links = int(m_stamp.links);
    return status;
}

ReadOnlyFile::Status ReadOnlyFile::stampOpened()
{
    const std::optional<FileStamp> stamp = FileStamp::ofHandle(m_fd);
    if (!stamp || !S_ISREG(stamp->mode)) {
        closePosix();
        return stamp ? Status::NotRegular : Status::Unreadable;
    }
    m_stamp = *stamp;
    // A regular file's reads never wait, so the flag the open needed stays on: one call less
    // per file. A file system that answers "try again" all the same is read without it.
    m_nonBlocking = true;
    return Status::Open;
}

qint64 ReadOnlyFile::readPosix(char *data, qint64 size)
{
    for (;;) {
        const ssize_t n = ::read(m_fd, data, size_t(size));
        if (n >= 0)
            return qint64(n);
        if ((errno == EAGAIN || errno == EWOULDBLOCK) && m_nonBlocking) {
            blockingPosix();
            continue;
        }
        if (errno != EINTR)
            return -1;
    }
}

void ReadOnlyFile::blockingPosix()
{
    if (m_fd >= 0 && m_nonBlocking)
        ::fcntl(m_fd, F_SETFL, 0);
    m_nonBlocking = false;
}

#endif
