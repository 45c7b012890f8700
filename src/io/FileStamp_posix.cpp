// Stamps from stat: device, inode, change time, links, mode and owner.
#include "io/FileStamp.h"

#ifdef Q_OS_UNIX

#include "io/FolderHandle.h"

#include <sys/stat.h>

namespace {

FileStamp fromStat(const struct stat &st)
{
    FileStamp stamp;
    stamp.device = quint64(st.st_dev);
    stamp.inode = quint64(st.st_ino);
    stamp.size = qint64(st.st_size);
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    stamp.changedNs = qint64(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
    stamp.links = quint64(st.st_nlink);
    stamp.mode = quint32(st.st_mode);
    stamp.owner = quint32(st.st_uid);
    stamp.group = quint32(st.st_gid);
    stamp.identified = true;
    return stamp;
}

} // namespace

std::optional<FileStamp> FileStamp::ofPosix(const QString &path)
{
    const FolderHandle place(path, FolderHandle::Open::WhenLong);
    if (!place.reached())
        return std::nullopt;
    return at(place.dir(), place.leaf());
}

std::optional<FileStamp> FileStamp::ofHandle(int fd)
{
    struct stat st { };
    if (fd < 0 || ::fstat(fd, &st) != 0)
        return std::nullopt;
    return fromStat(st);
}

std::optional<FileStamp> FileStamp::at(int dir, const char *name)
{
    struct stat st { };
    if (::fstatat(dir, name, &st, 0) != 0)
        return std::nullopt;
    return fromStat(st);
}

#endif
