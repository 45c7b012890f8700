#pragma once

#include <QString>
#include <QStringList>

// Saved file lists (".lst"): one path per line, every line ending in CR LF.
class FileListFile {
public:
    // Reads a list. Text ends at the first NUL byte; CR LF, CR and LF each end a line; a
    // final line break adds no entry. UTF-8 when the bytes are valid UTF-8, else code page
    // 1251. False when the file cannot be read.
    static bool Read(const QString &path, QStringList &entries);
    // Writes a list: code page 1251 when every path fits in it, otherwise UTF-8. The file is
    // replaced only once the whole list is written. False when it cannot be written.
    static bool Write(const QString &path, const QStringList &entries);
    // The name with its extension replaced by ".lst" (added when it has none).
    static QString WithListExtension(const QString &path);

    static QStringList Parse(const QByteArray &bytes);
};
