#pragma once

#include <QByteArrayView>
#include <QString>

// Replaces a file's contents so that a failure at any point leaves the old file as it was:
// the bytes go to a temporary file in the same folder, which is flushed and then renamed
// over the file. A symbolic link stays a link (the file it points to is written), and the
// file keeps its permissions and, where the process may set them, its owner and group.
class AtomicFileWriter {
public:
    // False with a reason in `error` when the file could not be written.
    static bool write(const QString &path, QByteArrayView bytes, QString *error = nullptr);
    // The file a write to `path` lands in: the final target of a symbolic link, else `path`.
    static QString resolveTarget(const QString &path);
};
