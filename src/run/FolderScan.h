#pragma once

#include "io/ListedAs.h"
#include "run/ExcludeMasks.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Collects the files of a folder whose extension is enabled: first the folder's own files,
// then, when recursing, its sub-folders depth first, each in name order. Only regular files
// (or links to them) are taken: never a pipe, a socket or a device, nor the new files a run
// writes beside the files it replaces (TempFileName); those a run left behind when it was
// killed are removed. Hidden files are taken; hidden sub-folders and links to folders are not
// entered. The walk goes from folder to folder by handle, so no depth of the tree is too deep.
class FolderScan {
public:
    // A folder (or a file) the scan could not read, with the system's reason.
    struct Unreadable {
        QString path;
        QString reason;
    };

    // extensions: upper case with the leading dot (".HTM"), or ".*" for every file; compared
    // with each file's extension upper-cased in its ASCII letters only. Files (and, when
    // recursing, folders) whose names are not valid in the file-name encoding cannot be opened
    // by a name in text: when `undecodable` is given, they are listed there (named with
    // U+FFFD for the bytes that could not be read). Folders that cannot be read are listed in
    // `unreadable` when it is given.
    static void ScanFolder(const QString &folder, bool recurse, const QStringList &extensions,
                           QStringList &fileList, QStringList *undecodable = nullptr,
                           QList<Unreadable> *unreadable = nullptr);
    // The same, leaving out what `excludes` names: such files are not taken and such folders
    // not entered. `listed` is called after each folder's files were added to `fileList`: the
    // caller may hand them on (and take them out) while the scan goes on. When `kinds` is
    // given, it says what the scan saw of each file added (a regular file, no link), entry for
    // entry beside `fileList` (those before the scan's and unknown ones count as Unknown; it
    // may end before `fileList` does). The environment variable QUORVEX_SCAN_UNTYPED makes
    // the scan act as on a file system whose folders do not say their entries' types.
    static void ScanFolder(const QString &folder, bool recurse, const QStringList &extensions,
                           const ExcludeMasks &excludes, QStringList &fileList,
                           QStringList *undecodable = nullptr,
                           QList<Unreadable> *unreadable = nullptr,
                           const std::function<void()> &listed = {},
                           QList<ListedAs> *kinds = nullptr);
    // The part of a name from its last "." on, or empty.
    static QString ExtensionOf(const QString &fileName);
    static QString UpperAscii(QString text);

    // What one scan looks for and where it puts what it finds.
    struct Walk {
        bool recurse;
        QStringList extensions;
        bool everyFile;
        QStringList &files;
        QStringList *undecodable;
        QList<Unreadable> *unreadable;
        const ExcludeMasks &excludes;
        QString root; // the scanned folder, as the walk names it
        const std::function<void()> &listed;
        QList<ListedAs> *kinds;
        bool untyped; // entry types are not taken from the folder

        bool wants(const QString &fileName) const;
        // Whether the entry `name` of the folder at `folderPath` is left out.
        bool leavesOut(const QString &folderPath, const QString &name, bool isFolder) const;
        void cannotRead(const QString &path, const QString &reason) const;
        // Adds the file `path`, and what was seen of it.
        void add(const QString &path, ListedAs kind) const;
        // A folder's files were added.
        void folderListed() const
        {
            if (listed)
                listed();
        }
    };

private: // The walk itself: over folder handles at the POSIX level (FolderScan_posix.cpp), else
    // through Qt (FolderScan_portable.cpp): see IoLevel.
    static void walkTree(const QString &folder, const Walk &walk);
    static void walkTreePosix(const QString &folder, const Walk &walk);
    static void walkTreePortable(const QString &folder, const Walk &walk);
};
