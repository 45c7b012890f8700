#pragma once

#include <QString>
#include <QStringList>

// Collects the files of a folder whose extension is enabled: first the folder's own files,
// then, when recursing, its sub-folders depth first. Hidden files are taken; hidden
// sub-folders are not entered. A folder that cannot be read adds nothing.
class FolderScan {
public:
    // extensions: upper case with the leading dot (".HTM"), or ".*" for every file; compared
    // with each file's extension upper-cased in its ASCII letters only. Files (and, when
    // recursing, folders) whose names are not valid in the file-name encoding cannot be opened
    // by a name in text: when `undecodable` is given, they are listed there (named with
    // U+FFFD for the bytes that could not be read).
    static void ScanFolder(const QString &folder, bool recurse, const QStringList &extensions,
                           QStringList &fileList, QStringList *undecodable = nullptr);
    // The part of a name from its last "." on, or empty.
    static QString ExtensionOf(const QString &fileName);
    static QString UpperAscii(QString text);
};
