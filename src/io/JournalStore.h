#pragma once

#include "io/FileStamp.h"
#include "io/PendingWrite.h"

#include <QHash>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>

// Where a run's journal keeps the originals of the files it replaces, and how. A file on the
// file system of the run folder is kept as a hard link to its old inode, which costs no copy:
// the rename that replaces it leaves that inode to the journal alone. A file elsewhere is kept,
// in the same way, in a folder of that file system's own (".quorvex-journal-UID" at its top,
// made by this user only, as desktops keep a trash folder on each mounted disk); where none
// can be made, it is copied into the run folder. A file of several names is always copied: its
// old inode stays in use under its other names, which may change it later.
//
// Where the file system can swap two names in one step (RENAME_EXCHANGE), a worker makes the
// new file in the store folder of its file system instead (exchangePlace): the swap then puts
// it in place and leaves the original in the store under its name, with no link made and no
// moment at which the target is missing.
//
// The worker that wrote a new file links the original ahead (linkAhead), so that the run's own
// thread, which puts the files in place one after another, only records it (takeAhead). A link
// made ahead whose file is not written after all is removed by dropAhead(): nothing in the
// index names it, so an undo never acts on it. linkAhead may be called from any thread; every
// other call comes from the run's thread.
class JournalStore {
public:
    enum class Result {
        Kept,
        Changed, // the file is no longer the one that was read (its rename will be refused)
        Failed, // the reason is in `error`
    };

    // `runFolder` holds the copies made there in "files/"; `runId` names the folders made on
    // other file systems.
    JournalStore(const QString &runFolder, const QString &runId);
    JournalStore(const JournalStore &) = delete;
    JournalStore &operator=(const JournalStore &) = delete;
    ~JournalStore();

    // Keeps the file `path`, as `expected` describes it, as number `number`; `copy` learns
    // where.
    Result keep(const QString &path, const FileStamp &expected, int number, QString *copy,
                QString *error);
    // Links the file `pending` replaces into the journal, where that costs no copy; does
    // nothing otherwise (keep() then keeps it when its rename comes).
    void linkAhead(const PendingWrite &pending);
    // Where the original of `pending` was linked ahead, which now counts as kept; nothing
    // when it was not.
    std::optional<QString> takeAhead(const PendingWrite &pending);
    // Removes the links made ahead that were never taken; no more are made.
    void dropAhead();

    // A store folder in which a new file for a target in the folder open as `folder` (of
    // `device`, inode `folderInode`) may be made to be swapped with it.
    struct ExchangePlace {
        int dir = -1; // open
        QString folder;
        quint32 groupOfNewFiles = 0; // the group a file made in it gets
        bool givesAcl = true; // whether it hands a default ACL down
    };
    // Nothing where the swap cannot be made there (no such call, another mount, no store on
    // that file system). Any thread.
    std::optional<ExchangePlace> exchangePlace(quint64 device, int folder, quint64 folderInode,
                                               const QString &target);
    // A name for a new file made in an exchange place, of this store alone. Any thread.
    QByteArray nextExchangeName();
    // Where exchange places are given. On a disk, new files made in the store would all take
    // their inodes near it, and the workers would wait on one another there: on ext4 a tree
    // replace ran 1.5 to 2 times slower than keeping the originals by links. Memory file
    // systems have no such place. Before the first file is kept.
    enum class Exchange { InMemory, Anywhere, Never };
    void setExchange(Exchange where) { m_exchange = where; }
    // The folders made for kept files since the last call (the run folder's "files" among
    // them), in the order they were made.
    QStringList takeNewStores();
    // Copies are synced to disk before they count as kept (a link needs no sync of its own).
    void setDurableCopies(bool durable) { m_durableCopies = durable; }
    // Every folder that holds kept files.
    QStringList folders() const;
    // Syncs the entries of every folder that holds kept files, through the handles open.
    void syncFolders();
    // The file system of the run folder.
    quint64 runDevice() const { return m_runDevice; }
    // Whether the file system `device` (on which `path` lives) forgets everything on a restart
    // (tmpfs): its files need no journal on disk to be undone after a crash.
    bool isVolatile(quint64 device, const QString &path);
    // The name of the folder at the top of other file systems.
    static QString sharedFolderName();

private:
    struct Place {
        QString folder;
        bool link = false;
        // The folder, open (files are linked into it by name in it: one walk of their path
        // less each); -1 when it could not be opened.
        int fd = -1;
        // Swaps are possible in it (probed once); its mount, and what new files get in it.
        bool exchange = false;
        quint64 mount = 0;
        quint32 groupOfNewFiles = 0;
        bool givesAcl = true;
    };
    void probeExchange(Place &place) const;
    // A link made ahead, not yet taken.
    struct Ahead {
        QString copy;
        QString target;
        quint64 oldInode = 0;
        quint64 newInode = 0;
        int folder = -1;
        QByteArray name;
    };
    // The folder for files on `device` (the file `path` lives there), and whether files may
    // be linked into it; made when first needed.
    Place folderFor(quint64 device, const QString &path);
    QString runFiles();
    // Links `path` as `name` into the folder open as `folder`.
    static Result linkInto(const QString &path, const FileStamp &expected, int folder,
                           const QByteArray &name, QString *error);
    Result copyInto(const QString &path, const FileStamp &expected, const QString &copy,
                    QString *error);

    QString m_runFolder;
    QString m_runId;
    quint64 m_runDevice = 0;
    bool m_runFilesMade = false;
    bool m_durableCopies = false;
    Exchange m_exchange = Exchange::InMemory;
    std::atomic<int> m_exchangeCount = 0;
    QHash<QPair<quint64, quint64>, bool> m_sameMount; // by folder: the store's mount
    QHash<quint64, Place> m_places;
    QHash<quint64, bool> m_volatile;
    QStringList m_newStores;
    // Guards the members above and the two below: workers link ahead while the run keeps.
    mutable QMutex m_mutex;
    QHash<QString, Ahead> m_ahead; // by the new file's name
    bool m_aheadClosed = false;
    std::atomic<int> m_aheadCount = 0;
};
