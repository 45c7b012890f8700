#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// What identifies one state of a file on disk: the file itself (device and inode), its size,
// its modification time and its change time, with the mode and owner a rewrite must keep. A
// file whose stamp changed between reading and writing was changed by someone else meanwhile.
// The change time is set by the system on every write and attribute change, and no program
// can set it back: it catches a rewrite in place that restored the modification time.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    quint64 links = 0;
    quint32 mode = 0;
    quint32 owner = 0;
    quint32 group = 0;

    // The stamp of the file `path` names, following symbolic links; nothing when it has none.
    static std::optional<FileStamp> of(const QString &path);
    // The same, for an open file.
    static std::optional<FileStamp> ofHandle(int fd);
    // The same, for the file `name` in the folder `dir` (as fstatat takes them; Unix only).
    static std::optional<FileStamp> at(int dir, const char *name);

    // The same file, unchanged. Mode and owner are not compared themselves; a change of them
    // (or of an ACL) changes the change time. So does a name of the file made or replaced
    // elsewhere (a hard link: the run itself replaces each name it writes), which changes
    // nothing in it: with another count of links the change time is not compared.
    bool sameContent(const FileStamp &other) const
    {
        return device == other.device && inode == other.inode && size == other.size
            && modifiedNs == other.modifiedNs
            && (changedNs == other.changedNs || links != other.links);
    }
    // The same file, whatever its content.
    bool sameFile(const FileStamp &other) const
    {
        return device == other.device && inode == other.inode;
    }
};
