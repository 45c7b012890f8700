#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// Saved file lists (".lst"): one path per line, every line ending in CR LF.
class FileListFile {
public:
    // Reads a list. CR LF, CR, LF and NUL (as `find -print0` writes) each end an entry; a
    // final one adds no entry. UTF-8 when the bytes are valid UTF-8, else code page 1251.
    // False when the file cannot be read.
    static bool Read(const QString &path, QStringList &entries);
    // Writes a list: code page 1251 when every path fits in it, otherwise UTF-8. The file is
    // replaced only once the whole list is written. False when it cannot be written.
    static bool Write(const QString &path, const QStringList &entries);
    // The name with its extension replaced by ".lst" (added when it has none).
    static QString WithListExtension(const QString &path);

    static QStringList Parse(const QByteArray &bytes);
    // Names as `find`, `xargs` and `tar` exchange them, each as its bytes stand: ended by NUL
    // when `nulSeparated` (a name may then hold any other byte), else by LF or CR LF. A final
    // separator adds no name.
    static QList<QByteArray> SplitNames(QByteArrayView bytes, bool nulSeparated);
};
