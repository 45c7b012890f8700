// Opening for reading through QFile: the type and stamp are looked at by name just before the
// open, which then cannot tell a pipe put in the file's place meanwhile.
#include "io/ReadOnlyFile.h"

#include "io/NativePath.h"

namespace fs = std::filesystem;

namespace {

ReadOnlyFile::Status statusOf(const fs::file_status &status)
{
    if (!fs::exists(status))
        return ReadOnlyFile::Status::Missing;
    return status.type() == fs::file_type::regular ? ReadOnlyFile::Status::Open
                                                   : ReadOnlyFile::Status::NotRegular;
}

} // namespace

ReadOnlyFile::Status ReadOnlyFile::typeOfPortable(const QString &path, int *links)
{
    std::error_code error;
    const fs::path name = NativePath::of(path);
    const fs::file_status status = fs::status(name, error);
    if (error && error != std::errc::no_such_file_or_directory
        && error != std::errc::not_a_directory)
        return Status::Unreadable;
    const Status type = statusOf(status);
    if (links && type == Status::Open) {
        const std::uintmax_t count = fs::hard_link_count(name, error);
        *links = error ? 1 : int(count);
    }
    return type;
}

ReadOnlyFile::Status ReadOnlyFile::openPortable(const QString &path)
{
    const Status type = typeOfPortable(path, &m_links);
    if (type != Status::Open)
        return type;
    std::error_code error;
    m_wasLink = fs::is_symlink(fs::symlink_status(NativePath::of(path), error));
    // Stamped before the open: a change after the stamp shows when the file is written.
    const std::optional<FileStamp> stamp = FileStamp::ofPortable(path);
    if (!stamp)
        return Status::Missing;
    if (!stamp->isRegular())
        return Status::NotRegular;
    m_stamp = *stamp;
    m_file = std::make_unique<QFile>(path);
    if (m_file->open(QIODevice::ReadOnly))
        return Status::Open;
    m_file.reset();
    return Status::Unreadable;
}
