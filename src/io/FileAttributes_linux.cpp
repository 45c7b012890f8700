// Extended attributes through the Linux system calls.
#include "io/FileAttributes.h"

#include "io/FolderHandle.h"

#ifdef Q_OS_LINUX

#include <QFile>

#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// The attributes a rewrite carries over; others ("trusted.", other "system." ones) belong to
// the system or its administrator. The integrity attributes describe the old content, which
// the new file does not have: the system computes its own.
bool carriedOver(QByteArrayView name)
{
    if (name == "security.ima" || name == "security.evm")
        return false;
    return name.startsWith("user.") || name.startsWith("security.")
        || name == FileAttributes::AccessAcl;
}

// Where the attributes are read from: a file's name (links followed) or an open handle.
struct Source {
    const char *name = nullptr;
    int fd = -1;

    ssize_t list(char *names, size_t size) const
    {
        return name ? ::listxattr(name, names, size) : ::flistxattr(fd, names, size);
    }
    ssize_t get(const char *attribute, void *value, size_t size) const
    {
        return name ? ::getxattr(name, attribute, value, size)
                    : ::fgetxattr(fd, attribute, value, size);
    }
};

QByteArray namesOf(const Source &source)
{
    QByteArray names;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = source.list(nullptr, 0);
        if (size <= 0)
            return {};
        names.resize(size);
        const ssize_t got = source.list(names.data(), size_t(size));
        if (got >= 0) {
            names.resize(got);
            return names;
        }
        if (errno != ERANGE) // grown meanwhile: ask again
            return {};
    }
    return {};
}

std::optional<QByteArray> valueOf(const Source &source, const char *name)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = source.get(name, nullptr, 0);
        if (size < 0)
            return std::nullopt;
        QByteArray value(size, Qt::Uninitialized);
        const ssize_t got = source.get(name, value.data(), size_t(size));
        if (got >= 0) {
            value.resize(got);
            return value;
        }
        if (errno != ERANGE)
            return std::nullopt;
    }
    return std::nullopt;
}

// The attributes of `source` a rewrite carries over.
FileAttributes read(const Source &source)
{
    FileAttributes attributes;
    const QByteArray names = namesOf(source);
    for (qsizetype start = 0; start < names.size();) {
        const qsizetype end = names.indexOf('\0', start);
        const QByteArray name = names.mid(start, (end < 0 ? names.size() : end) - start);
        start = end < 0 ? names.size() : end + 1;
        if (!carriedOver(name))
            continue;
        // One this process may not read is not ours to carry over.
        if (std::optional<QByteArray> value = valueOf(source, name.constData()))
            attributes.add(name, std::move(*value));
    }
    return attributes;
}

bool holds(int fd, const QByteArray &name, const QByteArray &value)
{
    QByteArray now(value.size() + 1, Qt::Uninitialized);
    const ssize_t size = ::fgetxattr(fd, name.constData(), now.data(), size_t(now.size()));
    return size == value.size() && QByteArrayView(now.constData(), size) == value;
}

} // namespace

FileAttributes FileAttributes::of(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.size() < PATH_MAX)
        return fromName(name);
    const FolderHandle place(path, FolderHandle::Open::WhenLong);
    return place.reached() ? at(place.dir(), place.leaf()) : FileAttributes();
}

FileAttributes FileAttributes::at(int dir, const char *name)
{
    // The attribute calls take no folder: they reach the file through its open handle's name.
    const int fd = ::openat(dir, name, O_PATH | O_CLOEXEC);
    if (fd < 0)
        return {};
    FileAttributes attributes = fromName("/proc/self/fd/" + QByteArray::number(fd));
    ::close(fd);
    return attributes;
}

FileAttributes FileAttributes::fromName(const QByteArray &file)
{
    return read(Source{file.constData(), -1});
}

FileAttributes FileAttributes::ofHandle(int fd)
{
    return read(Source{nullptr, fd});
}

QStringList FileAttributes::applyTo(int fd, quint32 mode, Setter set, bool folderGivesAcl) const
{
    if (!set)
        set = ::fsetxattr;
    QStringList lost;
    for (const auto &[name, value] : m_values) {
        // One the new file has already (a security label given by its folder) needs no
        // permission to set.
        if (name != AccessAcl && !holds(fd, name, value)
            && set(fd, name.constData(), value.constData(), size_t(value.size()), 0) != 0)
            lost.append(QString::fromUtf8(name));
    }
    const std::optional<QByteArray> acl = value(AccessAcl);
    if (!acl) {
        // A new file takes the folder's default ACL, which the replaced file did not have.
        if (folderGivesAcl)
            ::fremovexattr(fd, AccessAcl);
    } else if (set(fd, AccessAcl, acl->constData(), size_t(acl->size()), 0) != 0) {
        // Without its ACL the mode's group bits would give the owning group what the ACL's
        // mask allows any named user or group: the group keeps what it had.
        const quint32 group = groupBitsUnder(*acl).value_or(0);
        mode = (mode & ~quint32(070)) | (group << 3);
        lost.append(QString::fromLatin1(AccessAcl));
    }
    // An ACL set sets the permission bits from its entries (the same ones); the set-id and
    // sticky bits, and the narrowed group, come from here.
    ::fchmod(fd, mode_t(mode & 07777));
    return lost;
}

#endif
