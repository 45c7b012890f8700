#pragma once

#include "io/PendingWrite.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

class FolderHandleCache;

// Replaces a file's contents so that a failure at any point leaves the old file as it was:
// the bytes go to a new file in the same folder (TempFileWriter), which is synced as the
// policy asks and then renamed over the file. A symbolic link stays a link (the file it points
// to is written), and the file keeps its permissions, ACL and extended attributes and, where
// the process may set them, its owner and group. Just before the rename the file on disk is
// compared with the stamp it had when it was read: a file that another program changed, moved
// or removed meanwhile is left as that program left it (a removed one is not made again). At the
// portable level (IoLevel) the stamp is only the size and modification time, the folder's
// identity is not checked, and the new file is not synced.
class AtomicFileWriter {
public:
    // Writes and syncs `bytes`, then puts them in place. False with a reason in `error` when
    // the file could not be written.
    static bool write(const QString &path, QByteArrayView bytes, QString *error = nullptr);

    // The new file for `path` holding `bytes`, synced when `sync`, not yet in place. On failure
    // `errorCode`, when given, gets the system's error number (0 when not known).
    static std::optional<PendingWrite> prepare(const QString &path, QByteArrayView bytes, bool sync,
                                               QString *error, int *errorCode = nullptr);
    // Renames the new file over its target, unless the target is no longer the file that was
    // read (`pending.expected`). On any outcome but Ok the new file is removed, and `errorCode`,
    // when given, gets the system's error number of a failure. On Ok, `error` names the
    // attributes of the old file that the new one could not take (for the report), and is empty
    // when it took them all.
    static WriteOutcome commit(const PendingWrite &pending, QString *error,
                               int *errorCode = nullptr);
    // The same, through the folder `folders` holds when it is still the target's (POSIX level):
    // a run that puts many files of one folder in place one after another opens it once.
    static WriteOutcome commit(const PendingWrite &pending, QString *error, int *errorCode,
                               FolderHandleCache *folders);
    // Removes the new file.
    static void discard(const PendingWrite &pending);

    // The file a write to `path` lands in: the final target of a symbolic link, else `path`.
    static QString resolveTarget(const QString &path);

private:
    // Each level's own way (AtomicFileWriter_posix.cpp, AtomicFileWriter_portable.cpp).
    static std::optional<QString> resolveLongPosix(const QString &path);
    static WriteOutcome commitPosix(const PendingWrite &pending, QString *error, int *errorCode,
                                    FolderHandleCache *folders);
    static void discardPosix(const PendingWrite &pending);
    static WriteOutcome commitPortable(const PendingWrite &pending, QString *error, int *errorCode);
    static void discardPortable(const PendingWrite &pending);
};
