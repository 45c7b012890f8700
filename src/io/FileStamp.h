#pragma once

#include <QString>
#include <QtGlobal>

class QFile;

#include <optional>

// What identifies one state of a file on disk: the file itself (device and inode), its size,
// its modification time and its change time, with the mode and owner a rewrite must keep. A
// file whose stamp changed between reading and writing was changed by someone else meanwhile.
// The change time is set by the system on every write and attribute change, and no program
// can set it back: it catches a rewrite in place that restored the modification time. At the
// portable level (IoLevel) neither identity nor change time is known: a stamp is then only the
// size and modification time, and `identified` is false.
struct FileStamp {
    // The type bits of `mode`, as POSIX numbers them (the portable level fills them in too).
    static constexpr quint32 TypeMask = 0170000;
    static constexpr quint32 RegularType = 0100000;
    static constexpr quint32 FolderType = 0040000;
    static constexpr quint32 OtherType = 0010000; // a pipe, a socket, a device

    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    quint64 links = 0;
    quint32 mode = 0;
    quint32 owner = 0;
    quint32 group = 0;
    bool identified = false; // device, inode and change time are known

    // The stamp of the file `path` names, following symbolic links; nothing when it has none.
    static std::optional<FileStamp> of(const QString &path);
    // The same, for `file`, open and named `path`, before anything is read from it: from its
    // handle at the POSIX level, by its name at the portable one.
    static std::optional<FileStamp> ofOpen(const QFile &file, const QString &path);
    // The same, for an open file (POSIX level only).
    static std::optional<FileStamp> ofHandle(int fd);
    // The same, for the file `name` in the folder `dir` (as fstatat takes them; POSIX only).
    static std::optional<FileStamp> at(int dir, const char *name);
    // Whether the names `a` and `b` lead to one and the same file (false when either has none).
    static bool sameFileNamed(const QString &a, const QString &b);

    // Each level's own way (FileStamp_posix.cpp, FileStamp_portable.cpp); of() picks one.
    static std::optional<FileStamp> ofPosix(const QString &path);
    static std::optional<FileStamp> ofPortable(const QString &path);
    static bool sameFileNamedPortable(const QString &a, const QString &b);

    bool isRegular() const { return (mode & TypeMask) == RegularType; }

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
    // The same file, whatever its content; never so for stamps without identity.
    bool sameFile(const FileStamp &other) const
    {
        return identified && other.identified && device == other.device && inode == other.inode;
    }
};
