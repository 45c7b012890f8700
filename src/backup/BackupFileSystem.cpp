#include "backup/BackupFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace {

constexpr qint64 CopyChunkSize = 1 << 20;

QString nearestExistingFolder(const QString &folder)
{
    QString path = QDir(folder).absolutePath();
    while (!QFileInfo::exists(path)) {
        const QString parent = QFileInfo(path).absolutePath();
        if (parent == path)
            return QString();
        path = parent;
    }
    return path;
}

bool streamInto(QFile &source, QSaveFile &target)
{
    for (;;) {
        const QByteArray chunk = source.read(CopyChunkSize);
        if (chunk.isEmpty())
            return source.error() == QFileDevice::NoError;
        if (target.write(chunk) != chunk.size())
            return false;
    }
}

// A backup should look like the file it keeps: same modification time and permissions.
// Best effort; the copy itself is already safe on disk.
void copyAttributes(const QFile &source, const QString &to)
{
    QFile copy(to);
    if (copy.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        copy.setFileTime(source.fileTime(QFileDevice::FileModificationTime),
                         QFileDevice::FileModificationTime);
    copy.close();
    QFile::setPermissions(to, source.permissions());
}

} // namespace

bool BackupFileSystem::FileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

qint64 BackupFileSystem::FileSize(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() ? info.size() : -1;
}

qint64 BackupFileSystem::FreeSpace(const QString &folder)
{
    const QString existing = nearestExistingFolder(folder);
    if (existing.isEmpty())
        return -1;
    const QStorageInfo storage(existing);
    return storage.isValid() && storage.isReady() ? storage.bytesAvailable() : -1;
}

bool BackupFileSystem::MakePath(const QString &folder)
{
    return QDir().mkpath(folder) && QFileInfo(folder).isDir();
}

bool BackupFileSystem::CopyFile(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    if (!streamInto(source, target)) {
        target.cancelWriting();
        return false;
    }
    if (!target.commit())
        return false;
    copyAttributes(source, to);
    return true;
}
