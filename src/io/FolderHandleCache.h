#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// The folder of the files one thread works through, kept open while files of that folder follow
// each other: the type check, the open, the new file and the stamp check then look up the last
// part of each name in it, and the folder is opened and stat'ed once rather than per file. The
// process's ids a writer asks for are read once, when the cache is made. The folder held is the
// one found when it was opened: `reach` trusts it (a folder moved or replaced meanwhile is caught
// where the new file is put in place, by its identity), `reachChecked` first compares it with
// what the name leads to now. POSIX level only: elsewhere nothing is ever reached.
class FolderHandleCache {
public:
    FolderHandleCache();
    FolderHandleCache(const FolderHandleCache &) = delete;
    FolderHandleCache &operator=(const FolderHandleCache &) = delete;
    ~FolderHandleCache();

    // Holds the folder of the file `path` (opened anew unless it is the one held). False when
    // it cannot be opened; errno then tells why.
    bool reach(const QString &path);
    // The same, but a folder held is kept only while its name still leads to it.
    bool reachChecked(const QString &path);
    // Closes the folder held.
    void release();
    // Whether the folder of `path` is the one held (by its name).
    bool holdsFolderOf(QStringView path) const;

    int dir() const { return m_dir; }
    // The last part of the name last reached.
    const char *leaf() const { return m_leaf.constData(); }
    quint64 device() const { return m_device; }
    quint64 inode() const { return m_inode; }
    // Whether the folder gives the files made in it an ACL of its own (a default ACL): asked
    // once per folder.
    bool givesAcl();
    // The group a file made in the folder gets: the folder's own where it hands it down.
    quint32 groupOfNewFiles() const;

    qint64 pid() const { return m_pid; }
    quint32 euid() const { return m_euid; }

private:
    bool open(const QString &path, const QByteArray &folder);
    // Whether `path` is in the folder held; `folder` and the leaf get its parts.
    bool holds(const QString &path, QByteArray &folder);

    int m_dir = -1;
    QByteArray m_folder; // the name the folder was opened by, as the system takes it
    QString m_folderName; // the same, as given
    QByteArray m_leaf;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    quint32 m_mode = 0;
    quint32 m_group = 0;
    std::optional<bool> m_givesAcl;
    qint64 m_pid = 0;
    quint32 m_euid = 0;
    quint32 m_egid = 0;
};
