// The last part of a name looked at with lstat.
#include "io/ResolvedNames.h"

#ifdef Q_OS_UNIX

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

bool ResolvedNames::isLinkPosix(const QString &path)
{
    struct stat st { };
    if (::fstatat(AT_FDCWD, QFile::encodeName(path).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return true; // resolved whole, which says what is there to say
    return S_ISLNK(st.st_mode);
}

bool ResolvedNames::isPlainFolderPosix(const QString &path)
{
    struct stat st { };
    return ::fstatat(AT_FDCWD, QFile::encodeName(path).constData(), &st, AT_SYMLINK_NOFOLLOW) == 0
        && S_ISDIR(st.st_mode);
}

#endif
