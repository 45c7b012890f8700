#pragma once

#include <QString>
#include <QtGlobal>

// Gives a file the modification time another file had (FileStamp::modifiedNs, of the same
// level: IoLevel), e.g. a backup copy the time of the file it keeps. Best effort: the file's
// content is what matters.
class ModificationTime {
public:
    static void set(const QString &path, qint64 modifiedNs);

private:
    // Each level's own way (ModificationTime_posix.cpp, ModificationTime_portable.cpp).
    static void setPosix(const QString &path, qint64 modifiedNs);
    static void setPortable(const QString &path, qint64 modifiedNs);
};
