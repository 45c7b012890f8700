#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <optional>
#include <utility>

// The extended attributes a rewritten file carries over from the file it replaces: its POSIX
// access ACL (kept by the system as the attribute "system.posix_acl_access") and the "user."
// and "security." attributes this process can read. Where the system has no such attributes
// (or none was readable), only the mode is carried over.
class FileAttributes {
public:
    // Sets one attribute on an open file, as fsetxattr does: 0, or -1 with errno set.
    using Setter
        = int (*)(int fd, const char *name, const void *value, std::size_t size, int flags);

    static constexpr char AccessAcl[] = "system.posix_acl_access";

    // The attributes of the file `path` names (symbolic links followed) that can be read.
    static FileAttributes of(const QString &path);
    // The same for the file `name` in the folder `dir` (as the *at system calls take them),
    // whatever the length of its whole name.
    static FileAttributes at(int dir, const char *name);
    // The same for an open file (not one opened for its name only).
    static FileAttributes ofHandle(int fd);

    // Gives the open file `fd` these attributes and then the permission bits `mode` (07777),
    // as the replaced file had them. When the ACL cannot be set, the group is given no more
    // than the owning group had under it, never the wider mask the mode shows. The names of
    // the attributes that could not be set; empty when all were. `set` stands in for the
    // system call in tests. An ACL the new file took from its folder is removed when the
    // replaced file had none; `folderGivesAcl` false says there is none to remove.
    QStringList applyTo(int fd, quint32 mode, Setter set = nullptr,
                        bool folderGivesAcl = true) const;

    // The permissions (0 to 7) of the owning group under the ACL value `acl`: its own entry
    // limited by the mask. Nothing when the value cannot be read.
    static std::optional<quint32> groupBitsUnder(QByteArrayView acl);

    void add(QByteArray name, QByteArray value);
    bool isEmpty() const { return m_values.isEmpty(); }
    std::optional<QByteArray> value(QByteArrayView name) const;

private:
    static FileAttributes fromName(const QByteArray &file);

    QList<std::pair<QByteArray, QByteArray>> m_values;
};
