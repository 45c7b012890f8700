// Set by name through utimensat, so that a read-only file takes it too.
#include "io/ModificationTime.h"

#ifdef Q_OS_UNIX

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

void ModificationTime::setPosix(const QString &path, qint64 modifiedNs)
{
    const struct timespec times[2]
        = {{0, UTIME_OMIT}, {time_t(modifiedNs / 1'000'000'000), long(modifiedNs % 1'000'000'000)}};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

#endif
