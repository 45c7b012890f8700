#include "document/AtomicFileWriter.h"

#include "document/TempFileWriter.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

using namespace Qt::StringLiterals;

QString AtomicFileWriter::resolveTarget(const QString &path)
{
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
    if (pending.expected) {
        // Moving or removing a file is a change like any other: it is not made again.
        const std::optional<FileStamp> now = FileStamp::of(pending.target);
        if (!now || !now->sameContent(*pending.expected)) {
            discard(pending);
            return WriteOutcome::ChangedOnDisk;
        }
    }
    const QByteArray temp = QFile::encodeName(pending.temp);
    if (std::rename(temp.constData(), QFile::encodeName(pending.target).constData()) != 0) {
        const int code = errno;
        if (error)
            *error = qt_error_string(code);
        if (errorCode)
            *errorCode = code;
        discard(pending);
        return WriteOutcome::Failed;
    }
    if (error)
        *error = pending.lostAttributes.join(u", "_s);
    return WriteOutcome::Ok;
}

void AtomicFileWriter::discard(const PendingWrite &pending)
{
    QFile::remove(pending.temp);
}
