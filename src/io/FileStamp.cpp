#include "io/FileStamp.h"

#include "io/FolderHandle.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

#ifdef Q_OS_UNIX
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
    return stamp;
}
#endif

} // namespace

std::optional<FileStamp> FileStamp::of(const QString &path)
{
#ifdef Q_OS_UNIX
    const FolderHandle place(path, FolderHandle::Open::WhenLong);
    if (!place.reached())
        return std::nullopt;
    return at(place.dir(), place.leaf());
#else
    Q_UNUSED(path);
    return std::nullopt;
#endif
}

std::optional<FileStamp> FileStamp::ofHandle(int fd)
{
#ifdef Q_OS_UNIX
    struct stat st { };
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    return fromStat(st);
#else
    Q_UNUSED(fd);
    return std::nullopt;
#endif
}

std::optional<FileStamp> FileStamp::at(int dir, const char *name)
{
#ifdef Q_OS_UNIX
    struct stat st { };
    if (::fstatat(dir, name, &st, 0) != 0)
        return std::nullopt;
    return fromStat(st);
#else
    Q_UNUSED(dir);
    Q_UNUSED(name);
    return std::nullopt;
#endif
}
