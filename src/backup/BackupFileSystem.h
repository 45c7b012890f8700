#pragma once

#include <QString>

// The file-system operations a backup copy needs. The methods are virtual so that tests can
// stand in for conditions that are hard to bring about for real (a full disk, a failing copy).
class BackupFileSystem {
public:
    virtual ~BackupFileSystem() = default;

    // True for an existing regular file; a folder is not a file to copy.
    virtual bool FileExists(const QString &path);
    // Size in bytes, -1 when `path` is not an existing file.
    virtual qint64 FileSize(const QString &path);
    // Bytes available on the file system that holds `folder`, or its nearest existing
    // ancestor when `folder` does not exist yet; -1 when it can't be determined.
    virtual qint64 FreeSpace(const QString &folder);
    // Creates `folder` with every missing level; true when it is a folder afterwards.
    virtual bool MakePath(const QString &folder);
    // Copies `from` to `to` with its permissions, attributes and modification time. An existing
    // `to` is replaced only by a complete copy, so a failed copy never costs the previous one.
    // False, with the system's reason in `reason` when there is one, when no copy was made.
    virtual bool CopyFile(const QString &from, const QString &to, QString *reason);
};
