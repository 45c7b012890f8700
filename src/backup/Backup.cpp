#include "backup/Backup.h"

#include "io/FileStamp.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool hasDriveLetter(const QString &path)
{
    return path.size() >= 2 && path[1] == u':' && path[0].isLetter() && path[0].unicode() < 128;
}

// Joins the parts of `path` with `separator`, dropping empty parts and "." and resolving
// "..", never above the first part.
QString relativeParts(QStringView path, const QList<QChar> &splitAt, QChar separator)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !splitAt.contains(path[i]))
            continue;
        const QStringView part = path.sliced(start, i - start);
        if (part == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (!part.isEmpty() && part != u".") {
            parts.append(part.toString());
        }
        start = i + 1;
    }
    return parts.join(separator);
}

// The folder of `path`: everything before its last "/", keeping "/" for a root.
QString folderOf(const QString &path)
{
    QString dir = path.left(std::max<qsizetype>(path.lastIndexOf(u'/'), 0));
    if (dir.isEmpty() || (dir.size() == 2 && dir[1] == u':'))
        dir += u'/';
    return dir;
}

// `path` with every symbolic link and "." and ".." resolved, also when its last levels do not
// exist yet.
QString resolvedPath(const QString &path)
{
    QString existing = QDir::cleanPath(QDir(path).absolutePath());
    QString rest;
    while (!QFileInfo::exists(existing)) {
        const QFileInfo info(existing);
        if (info.absolutePath() == existing)
            return path;
        rest = u'/' + info.fileName() + rest;
        existing = info.absolutePath();
    }
    return QFileInfo(existing).canonicalFilePath() + rest;
}

bool isAtOrBelow(const QString &path, const QString &folder)
{
    return path == folder || folder == u"/"
        || (path.startsWith(folder) && path.at(folder.size()) == u'/');
}

} // namespace

Backup::Backup(OptionState &options, const MessageCatalogue &messages, BackupHost &host)
    : Backup(options, messages, host, m_ownFileSystem)
{
}

Backup::Backup(OptionState &options, const MessageCatalogue &messages, BackupHost &host,
               BackupFileSystem &fileSystem)
    : m_options(options), m_messages(messages), m_host(host), m_fs(fileSystem)
{
}

void Backup::SetBackupFolder(const QString &folder)
{
    const QString path = resolveFolder(folder);
    if (path.isEmpty() || !m_fs.MakePath(path)) {
        // The default folder comes into being with the first copy.
        m_options.BackupFolder = defaultBackupFolder();
        return;
    }
    m_options.BackupFolder = path.endsWith(u'/') ? path : path + u'/';
}

bool Backup::MakeBackupCopy(const QString &path)
{
    return MakeBackupCopy(path, m_options);
}

bool Backup::MakeBackupCopy(const QString &path, const OptionState &options)
{
    if (!options.MakeBackups)
        return true;
    const QString file = QFileInfo(path).absoluteFilePath();
    if (!m_fs.FileExists(file))
        return true;
    const QString folder = folderInUse(options);
    const QString backup = backupPathFor(folder, file);
    std::optional<bool> result = ensureFreeSpace(folder, m_fs.FileSize(file));
    if (!result)
        result = ensureFolder(folderOf(backup));
    return result ? *result : copy(file, backup);
}

std::optional<QString> Backup::checkFolder(const QStringList &files,
                                           const OptionState &options) const
{
    if (!options.MakeBackups)
        return std::nullopt;
    const QString folder = folderInUse(options);
    QString resolved = resolvedPath(folder);
    if (resolved.size() > 1 && resolved.endsWith(u'/'))
        resolved.chop(1);
    for (const QString &path : files) {
        const QFileInfo info(path);
        const QString file = info.absoluteFilePath();
        const QString real = info.canonicalFilePath();
        if ((!real.isEmpty() && isAtOrBelow(real, resolved))
            || FileStamp::sameFileNamed(file, backupPathFor(folder, file)))
            return m_messages.message(MsgBackupFolderHoldsFile, QDir::toNativeSeparators(folder),
                                      QDir::toNativeSeparators(file));
    }
    return std::nullopt;
}

QString Backup::BackupPath(const QString &path) const
{
    return backupPathFor(folderInUse(m_options), path);
}

QString Backup::backupPathFor(const QString &backupFolder, const QString &path)
{
    if (!hasDriveLetter(path))
        return backupFolder + relativeParts(path, {u'/'}, u'/');
    // A drive path may use either separator; the copy keeps the one the path uses.
    const QStringView rest = QStringView(path).sliced(2);
    const QChar separator = rest.contains(u'\\') ? u'\\' : u'/';
    const QString parts = relativeParts(rest, {u'/', u'\\'}, separator);
    return backupFolder + path[0] + (parts.isEmpty() ? QString() : separator + parts);
}

QString Backup::resolveFolder(const QString &folder) const
{
    const QString path = QDir::fromNativeSeparators(folder);
    if (path.isEmpty())
        return path;
    return QDir::cleanPath(QDir(m_options.SettingsFolder()).absoluteFilePath(path));
}

QString Backup::defaultBackupFolder() const
{
    return m_options.SettingsFolder() + u"Backup/"_s;
}

QString Backup::folderInUse(const OptionState &options) const
{
    // Before the folder has been set up, copies go to the default rather than the current folder.
    return options.BackupFolder.isEmpty() ? defaultBackupFolder() : options.BackupFolder;
}

std::optional<bool> Backup::ensureFreeSpace(const QString &folder, qint64 size)
{
    if (m_fs.FreeSpace(folder) >= size)
        return std::nullopt;
    // Once asked, only room to spare counts as enough.
    return askUntil(m_messages.LoadMessage(MsgDiskFull),
                    [&] { return m_fs.FreeSpace(folder) > size; });
}

std::optional<bool> Backup::ensureFolder(const QString &dir)
{
    if (m_fs.MakePath(dir))
        return std::nullopt;
    return askUntil(m_messages.message(MsgCannotCreateFolder, QDir::toNativeSeparators(dir)),
                    [&] { return m_fs.MakePath(dir); });
}

bool Backup::copy(const QString &file, const QString &backup)
{
    QString reason;
    const QString where = QDir::toNativeSeparators(backup);
    // The question's text is fixed; the system's reason goes to the host beside it (the
    // command-line tool prints it), before each asking.
    const auto attempt = [&] {
        if (m_fs.CopyFile(file, backup, &reason))
            return true;
        m_host.WriteFailed(where, reason);
        return false;
    };
    if (attempt())
        return true;
    return askUntil(m_messages.message(MsgCannotCreateFile, where)
                        + m_messages.LoadMessage(MsgRetryQuestion),
                    attempt)
        .value_or(true);
}

// Puts `question` until `retry` succeeds (nullopt) or the user answers Abort (false) or
// Ignore (true).
std::optional<bool> Backup::askUntil(const QString &question, const std::function<bool()> &retry)
{
    for (;;) {
        switch (m_host.AskAbortRetryIgnore(question)) {
        case BackupHost::Answer::Abort:
            return false;
        case BackupHost::Answer::Ignore:
            return true;
        case BackupHost::Answer::Retry:
            if (retry())
                return std::nullopt;
            break;
        }
    }
}
