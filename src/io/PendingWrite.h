#pragma once

#include "io/FileStamp.h"

#include <QString>
#include <QStringList>

#include <optional>

// A new file written beside the file it is to replace, not yet renamed over it.
struct PendingWrite {
    QString temp; // the new file
    QString target; // the file it replaces (a symbolic link's final target)
    std::optional<FileStamp> expected; // the target as it was read; nothing: not checked
    quint64 device = 0; // the file system both live on
    quint64 inode = 0; // the new file's
    qint64 bytes = 0;
    QStringList lostAttributes; // the target's attributes the new file could not take
    // The folder both are in, as it was when the new file was made: one put in its place
    // meanwhile (the old one moved or removed) is a change by another program.
    quint64 folderDevice = 0;
    quint64 folderInode = 0;
    // The new file was made in a store folder of the journal on the target's file system, not
    // beside it: putting it in place swaps the two (RENAME_EXCHANGE), and the original is kept
    // in the store under the new file's name.
    bool inStore = false;
};

// How putting a new file in place ended.
enum class WriteOutcome {
    Ok,
    Failed, // the old file is untouched; the reason is given with it
    ChangedOnDisk, // the old file is no longer the one that was read: it is left alone
};
