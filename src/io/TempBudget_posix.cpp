// Free space through statvfs.
#include "io/TempBudget.h"

#ifdef Q_OS_UNIX

#include <QFile>

#include <sys/statvfs.h>

std::optional<qint64> TempBudget::freeSpacePosix(const QString &path)
{
    struct statvfs st { };
    if (::statvfs(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return qint64(st.f_bavail) * qint64(st.f_frsize);
}

#endif
