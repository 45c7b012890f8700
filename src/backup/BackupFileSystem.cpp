#include "backup/BackupFileSystem.h"

#include "io/AtomicFileWriter.h"
#include "io/FileStamp.h"
#include "io/ModificationTime.h"
#include "io/TempFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>

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

bool fail(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
    return false;
}

// False, with the reason, when the source could not be read. A write that fails stops the
// copy; the writer's finish() tells it.
bool streamInto(QFile &source, TempFileWriter &target, QString *reason)
{
    for (;;) {
        const QByteArray chunk = source.read(CopyChunkSize);
        if (chunk.isEmpty())
            return source.error() == QFileDevice::NoError || fail(reason, source.errorString());
        if (!target.append(chunk))
            return true;
    }
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

bool BackupFileSystem::CopyFile(const QString &from, const QString &to, QString *reason)
{
    // Copying a file onto itself would replace it by a new file: it is not a backup.
    if (FileStamp::sameFileNamed(from, to))
        return fail(reason, qt_error_string(EINVAL));
    const std::optional<FileStamp> original = FileStamp::of(from);
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return fail(reason, source.errorString());
    TempFileWriter target;
    if (!target.openCopyOf(AtomicFileWriter::resolveTarget(to), from, reason))
        return false;
    if (!streamInto(source, target, reason))
        return false;
    // Every write, the sync and the close are checked: a disk that fills on the way fails the
    // copy, whichever step finds out. The previous copy is replaced only by a complete one.
    const std::optional<PendingWrite> pending = target.finish(true, reason);
    if (!pending || AtomicFileWriter::commit(*pending, reason) != WriteOutcome::Ok)
        return false;
    // A backup should look like the file it keeps: its modification time too.
    if (original)
        ModificationTime::set(to, original->modifiedNs);
    return true;
}
