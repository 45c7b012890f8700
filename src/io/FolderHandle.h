#pragma once

#include <QByteArray>
#include <QString>

// The folder that holds a file, for the *at system calls: a name longer than the system takes
// in one piece is reached one folder at a time. With `WhenLong`, a name short enough is looked
// up whole (relative to the working folder) and no folder is opened; with `Always` the folder
// is opened either way, so that the file can be made, renamed and removed beside its name.
// POSIX level only (FolderHandle_posix.cpp): the portable level (IoLevel) has no handles on
// folders and goes by whole names.
class FolderHandle {
public:
    enum class Open { WhenLong, Always };

    FolderHandle(const QString &path, Open when);
    FolderHandle(const FolderHandle &) = delete;
    FolderHandle &operator=(const FolderHandle &) = delete;
    ~FolderHandle();

    // False when a folder on the way could not be opened; errno then tells why.
    bool reached() const { return m_reached; }
    // The folder's descriptor, or AT_FDCWD for a name looked up whole.
    int dir() const { return m_dir; }
    // What to look up in `dir()`: the last part of the name, or the whole name.
    const char *leaf() const { return m_leaf.constData(); }
    // The folder's device and inode (Always only): false when they cannot be had.
    bool identify(quint64 *device, quint64 *inode) const;
    // The folder's descriptor, which the caller closes from now on.
    int take();

    // The last part of `path`.
    static QByteArray leafOf(const QString &path);

private:
    int m_dir = -1;
    bool m_reached = false;
    QByteArray m_leaf;
};
