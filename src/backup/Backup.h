#pragma once

#include "backup/BackupFileSystem.h"
#include "backup/BackupHost.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class MessageCatalogue;
class OptionState;

// Copies a file into the backup folder before its first change, mirroring the file's path
// below that folder, and sets up the backup folder itself. Holds no state of its own: the
// folder lives in OptionState::BackupFolder.
class Backup {
public:
    Backup(OptionState &options, const MessageCatalogue &messages, BackupHost &host);
    // `fileSystem` is not owned and must outlive this object.
    Backup(OptionState &options, const MessageCatalogue &messages, BackupHost &host,
           BackupFileSystem &fileSystem);
    Backup(const Backup &) = delete;
    Backup &operator=(const Backup &) = delete;

    // Makes `folder` the backup folder when it exists or can be created; otherwise, and when
    // it is empty, the default folder. Relative names are taken from the settings file's
    // folder (see resolveFolder).
    void SetBackupFolder(const QString &folder);
    // `folder` as the absolute path the backups use ("/" separators, no trailing "/"): a
    // relative name is taken from the folder of the settings file, which holds the default
    // folder too. Empty for an empty name.
    QString resolveFolder(const QString &folder) const;

    // True to go on with the change: copied, nothing to copy, or the user chose to go on
    // without a copy. False when the user chose to abort.
    bool MakeBackupCopy(const QString &path);
    // The same by the options a run took when it started (whether to copy, and where).
    bool MakeBackupCopy(const QString &path, const OptionState &options);

    // Whether a run that changes `files` may keep its copies in the backup folder in use. Not
    // when the folder holds one of the files, or a copy would land on the file itself (a
    // folder of "/" mirrors every file onto itself): the copy would replace the file, and
    // copies would be made of copies. The message to show then; nothing when the folder will
    // do, or backups are off. By the options a run took when it started.
    std::optional<QString> checkFolder(const QStringList &files, const OptionState &options) const;

    // Where the copy of `path` goes below the backup folder in use.
    QString BackupPath(const QString &path) const;
    // The mirrored path of `path` below `backupFolder` (which ends in a separator). A drive
    // letter loses its colon ("C:\Docs\a.htm" -> backupFolder + "C\Docs\a.htm"); a rooted
    // path loses its leading "/". "." and ".." are resolved so the result stays inside.
    static QString backupPathFor(const QString &backupFolder, const QString &path);

    // "Backup/" in the settings file's folder (ProgramFolder for a portable copy).
    QString defaultBackupFolder() const;

private:
    QString folderInUse(const OptionState &options) const;
    std::optional<bool> ensureFreeSpace(const QString &folder, qint64 size);
    std::optional<bool> ensureFolder(const QString &dir);
    bool copy(const QString &file, const QString &backup);
    std::optional<bool> askUntil(const QString &question, const std::function<bool()> &retry);

    OptionState &m_options;
    const MessageCatalogue &m_messages;
    BackupHost &m_host;
    BackupFileSystem m_ownFileSystem;
    BackupFileSystem &m_fs;
};
