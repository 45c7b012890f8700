#include "io/AtomicFileWriter.h"

#include "io/IoLevel.h"
#include "io/TempFileWriter.h"

#include <QFileInfo>

QString AtomicFileWriter::resolveTarget(const QString &path)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable()) {
        if (std::optional<QString> resolved = resolveLongPosix(path))
            return *resolved;
    }
#endif
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    // A dangling link has no canonical path; writing creates the file it names.
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

bool AtomicFileWriter::write(const QString &path, QByteArrayView bytes, QString *error)
{
    const std::optional<PendingWrite> pending = prepare(path, bytes, true, error);
    if (!pending)
        return false;
    QString reason;
    if (commit(*pending, &reason) == WriteOutcome::Ok)
        return true;
    if (error)
        *error = reason;
    return false;
}

std::optional<PendingWrite> AtomicFileWriter::prepare(const QString &path, QByteArrayView bytes,
                                                      bool sync, QString *error, int *errorCode)
{
    const QString target = resolveTarget(path);
    TempFileWriter writer;
    std::optional<PendingWrite> pending;
    if (writer.open(target, FileStamp::of(target), error)) {
        writer.append(bytes);
        pending = writer.finish(sync, error);
    }
    if (!pending && errorCode)
        *errorCode = writer.errorCode();
    return pending;
}

WriteOutcome AtomicFileWriter::commit(const PendingWrite &pending, QString *error, int *errorCode)
{
    return commit(pending, error, errorCode, nullptr);
}

WriteOutcome AtomicFileWriter::commit(const PendingWrite &pending, QString *error, int *errorCode,
                                      FolderHandleCache *folders)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return commitPosix(pending, error, errorCode, folders);
#else
    Q_UNUSED(folders);
#endif
    return commitPortable(pending, error, errorCode);
}

void AtomicFileWriter::discard(const PendingWrite &pending)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return discardPosix(pending);
#endif
    discardPortable(pending);
}
