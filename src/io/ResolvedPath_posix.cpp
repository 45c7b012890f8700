// Names resolved through realpath.
#include "io/ResolvedPath.h"

#ifdef Q_OS_UNIX

#include <QFile>

#include <cstdlib>

std::optional<QString> ResolvedPath::ofPosix(const QString &path)
{
    char *resolved = ::realpath(QFile::encodeName(path).constData(), nullptr);
    if (!resolved)
        return std::nullopt;
    const QString name = QFile::decodeName(resolved);
    std::free(resolved);
    return name;
}

#endif
