// Stamps through std::filesystem: size, modification time, links, type and permission bits;
// no identity, change time or owner.
#include "io/FileStamp.h"

#include "io/NativePath.h"

#include <chrono>

namespace fs = std::filesystem;

namespace {

quint32 typeOf(fs::file_type type)
{
    switch (type) {
    case fs::file_type::regular:
        return FileStamp::RegularType;
    case fs::file_type::directory:
        return FileStamp::FolderType;
    default:
        return FileStamp::OtherType;
    }
}

} // namespace

std::optional<FileStamp> FileStamp::ofPortable(const QString &path)
{
    std::error_code error;
    const fs::path name = NativePath::of(path);
    const fs::file_status status = fs::status(name, error);
    if (error || !fs::exists(status))
        return std::nullopt;
    FileStamp stamp;
    stamp.mode = typeOf(status.type()) | (quint32(status.permissions()) & 07777);
    if (status.type() == fs::file_type::regular) {
        const std::uintmax_t size = fs::file_size(name, error);
        if (error)
            return std::nullopt;
        stamp.size = qint64(size);
    }
    const fs::file_time_type modified = fs::last_write_time(name, error);
    if (error)
        return std::nullopt;
    stamp.modifiedNs
        = std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count();
    const std::uintmax_t links = fs::hard_link_count(name, error);
    stamp.links = error ? 1 : quint64(links);
    return stamp;
}

bool FileStamp::sameFileNamedPortable(const QString &a, const QString &b)
{
    std::error_code error;
    return fs::equivalent(NativePath::of(a), NativePath::of(b), error) && !error;
}
