#include "io/ResolvedPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cstdlib>
#endif

QString ResolvedPath::of(const QString &path)
{
#ifdef Q_OS_UNIX
    if (char *resolved = ::realpath(QFile::encodeName(path).constData(), nullptr)) {
        const QString name = QFile::decodeName(resolved);
        std::free(resolved);
        return name;
    }
#else
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
#endif
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}
