#include "io/FileStamp.h"

#include "io/IoLevel.h"

#include <QFile>

std::optional<FileStamp> FileStamp::of(const QString &path)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return ofPosix(path);
#endif
    return ofPortable(path);
}

std::optional<FileStamp> FileStamp::ofOpen(const QFile &file, const QString &path)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return ofHandle(file.handle());
#endif
    return ofPortable(path);
}

bool FileStamp::sameFileNamed(const QString &a, const QString &b)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable()) {
        const std::optional<FileStamp> first = ofPosix(a);
        const std::optional<FileStamp> second = ofPosix(b);
        return first && second && first->sameFile(*second);
    }
#endif
    return sameFileNamedPortable(a, b);
}
