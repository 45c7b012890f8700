#pragma once

#include <QHash>
#include <QString>

#include <mutex>
#include <optional>
#include <shared_mutex>

// ResolvedPath::of for the many files of a run, without resolving every part of every name:
// the folder part is resolved once and kept, and the last part is taken as written when it is
// no link (nor "." or ".."), as it is then what a full resolution would end with. Safe to use
// from several threads at once.
class ResolvedNames {
public:
    // `leafIsLink`: what opening the file found its last part to be, when it was opened.
    QString of(const QString &path, std::optional<bool> leafIsLink = std::nullopt);
    // Forgets the folders: a new run resolves them again, as they may have moved meanwhile.
    void clear();

private:
    // The last part of `path` is a symbolic link, or cannot be looked at (ResolvedNames_posix.cpp;
    // the portable level asks Qt).
    static bool isLink(const QString &path);
    static bool isLinkPosix(const QString &path);
    // A folder that is no link (ResolvedNames_posix.cpp; the portable level asks Qt).
    static bool isPlainFolder(const QString &path);
    static bool isPlainFolderPosix(const QString &path);
    QString folder(const QString &name);
    QString fromParent(const QString &name);

    // Looked up by every worker for every file, added to once a folder: readers share it.
    std::shared_mutex m_mutex;
    // The folders resolved so far, by name as written; dropped as a whole when many.
    QHash<QString, QString> m_folders;
};
