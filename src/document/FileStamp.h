#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// What identifies one state of a file on disk: the file itself (device and inode) and its
// size and modification time, with the mode and owner a rewrite must keep. A file whose stamp
// changed between reading and writing was changed by someone else meanwhile.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    quint32 mode = 0;
    quint32 owner = 0;
    quint32 group = 0;

    // The stamp of the file `path` names, following symbolic links; nothing when it has none.
    static std::optional<FileStamp> of(const QString &path);
    // The same, for an open file.
    static std::optional<FileStamp> ofHandle(int fd);

    // The same file, unchanged: mode and owner are not compared.
    bool sameContent(const FileStamp &other) const
    {
        return device == other.device && inode == other.inode && size == other.size
            && modifiedNs == other.modifiedNs;
    }
    // The same file, whatever its content.
    bool sameFile(const FileStamp &other) const
    {
        return device == other.device && inode == other.inode;
    }
};
