#include "document/AtomicFileWriter.h"

#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
#endif

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

// Gives the new file the mode, owner and group of the one it replaces.
void keepAttributes(QSaveFile &file, const QString &target)
{
#ifdef Q_OS_UNIX
    struct stat old { };
    if (::stat(QFile::encodeName(target).constData(), &old) != 0)
        return;
    const int fd = file.handle();
    // Without privilege the owner cannot be kept; the group still can be when the writer
    // belongs to it, so that the copied mode does not open the file to the writer's group.
    const uid_t unchangedOwner = static_cast<uid_t>(-1);
    if (::fchown(fd, old.st_uid, old.st_gid) != 0
        && ::fchown(fd, unchangedOwner, old.st_gid) != 0) {
        // The file becomes the writer's, as any rewrite by this user would make it.
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0)
        file.setPermissions(QFile::permissions(target));
#else
    file.setPermissions(QFile::permissions(target));
#endif
}

} // namespace

QString AtomicFileWriter::resolveTarget(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    // A dangling link has no canonical path; writing creates the file it names.
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// The reasons given here are for diagnostics; the user is told of a failed save by the caller.
bool AtomicFileWriter::write(const QString &path, QByteArrayView bytes, QString *error)
{
    const QString target = resolveTarget(path);
    const QFileInfo info(target);
    if (info.exists() && !info.isFile())
        return fail(error, u"Not a regular file: %1"_s.arg(target));
    if (info.exists() && !info.isWritable())
        return fail(error, u"File is read-only: %1"_s.arg(target));

    QSaveFile file(target);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, file.errorString());
    if (info.exists())
        keepAttributes(file, target);
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, reason);
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}
