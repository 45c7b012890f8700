// Systems without Linux's extended-attribute calls: only the mode is carried over.
#include "io/FileAttributes.h"

#ifndef Q_OS_LINUX

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

FileAttributes FileAttributes::of(const QString &)
{
    return {};
}

FileAttributes FileAttributes::at(int, const char *)
{
    return {};
}

FileAttributes FileAttributes::fromName(const QByteArray &)
{
    return {};
}

FileAttributes FileAttributes::ofHandle(int)
{
    return {};
}

QStringList FileAttributes::applyTo(int fd, quint32 mode, Setter, bool) const
{
#ifdef Q_OS_UNIX
    ::fchmod(fd, mode_t(mode & 07777));
#else
    Q_UNUSED(fd);
    Q_UNUSED(mode);
#endif
    return {};
}

#endif
