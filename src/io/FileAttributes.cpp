#include "io/FileAttributes.h"

#include <QtEndian>

namespace {

// The kernel's form of a POSIX ACL: a version word, then entries of tag, permissions and id.
constexpr quint32 AclVersion = 2;
constexpr qsizetype AclHeaderSize = 4;
constexpr qsizetype AclEntrySize = 8;
constexpr quint16 AclGroupObj = 0x04;
constexpr quint16 AclMask = 0x10;

} // namespace

void FileAttributes::add(QByteArray name, QByteArray value)
{
    m_values.append({std::move(name), std::move(value)});
}

std::optional<QByteArray> FileAttributes::value(QByteArrayView name) const
{
    for (const auto &[key, value] : m_values) {
        if (key == name)
            return value;
    }
    return std::nullopt;
}

std::optional<quint32> FileAttributes::groupBitsUnder(QByteArrayView acl)
{
    if (acl.size() < AclHeaderSize || (acl.size() - AclHeaderSize) % AclEntrySize != 0
        || qFromLittleEndian<quint32>(acl.data()) != AclVersion)
        return std::nullopt;
    std::optional<quint32> group;
    quint32 mask = 7;
    for (qsizetype at = AclHeaderSize; at < acl.size(); at += AclEntrySize) {
        const quint16 tag = qFromLittleEndian<quint16>(acl.data() + at);
        const quint32 permissions = qFromLittleEndian<quint16>(acl.data() + at + 2) & 7;
        if (tag == AclGroupObj)
            group = permissions;
        else if (tag == AclMask)
            mask = permissions;
    }
    if (!group)
        return std::nullopt;
    return *group & mask;
}
