#include "io/ResolvedPath.h"

#include "io/IoLevel.h"

#include <QDir>
#include <QFileInfo>

QString ResolvedPath::of(const QString &path)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable()) {
        if (std::optional<QString> resolved = ofPosix(path))
            return *resolved;
        return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    }
#endif
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}
