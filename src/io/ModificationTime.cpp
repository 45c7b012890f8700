#include "io/ModificationTime.h"

#include "io/IoLevel.h"

void ModificationTime::set(const QString &path, qint64 modifiedNs)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return setPosix(path, modifiedNs);
#endif
    setPortable(path, modifiedNs);
}
