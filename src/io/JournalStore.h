#pragma once

#include "io/FileStamp.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// Where a run's journal keeps the originals of the files it replaces, and how. A file on the
// file system of the run folder is kept as a hard link to its old inode, which costs no copy:
// the rename that replaces it leaves that inode to the journal alone. A file elsewhere is kept,
// in the same way, in a folder of that file system's own (".quorvex-journal-UID" at its top,
// made by this user only, as desktops keep a trash folder on each mounted disk); where none
// can be made, it is copied into the run folder. A file of several names is always copied: its
// old inode stays in use under its other names, which may change it later.
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
    // where. `newStore` learns a folder made outside the run folder for it, if any.
    Result keep(const QString &path, const FileStamp &expected, int number, QString *copy,
                QString *error, QString *newStore);
    // Copies are synced to disk before they count as kept (a link needs no sync of its own).
    void setDurableCopies(bool durable) { m_durableCopies = durable; }
    // Every folder that holds kept files, for a sync.
    QStringList folders() const;
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
    };
    // The folder for files on `device` (the file `path` lives there), and whether files may
    // be linked into it; made when first needed.
    const Place &folderFor(quint64 device, const QString &path, QString *newStore);
    QString runFiles(QString *newStore);
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
    QHash<quint64, Place> m_places;
    QHash<quint64, bool> m_volatile;
};
