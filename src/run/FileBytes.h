#pragma once

#include "io/FileStamp.h"
#include "io/MappedBytes.h"
#include "io/ReadOnlyFile.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

// One file's bytes, with the stamp of the file as it was before the first byte was read. Most
// files are read to their end into memory the thread keeps for the next file (one buffer per
// thread, shared by every job that reads bytes); the size a file reports is only a first guess
// there (files in /proc and on some FUSE file systems say 0 and have content). A large file is
// mapped instead (MappedBytes): no fresh memory to be cleared, no copy. Its pages that another
// program takes away by shortening it read as zeros; intact() then says the bytes are not the
// file's, and its job is dropped.
class FileBytes {
public:
    FileBytes() = default;
    FileBytes(const FileBytes &) = delete;
    FileBytes &operator=(const FileBytes &) = delete;
    ~FileBytes();

    // Opens and reads the file `path` names; `target` becomes the file itself, a link's final
    // target. `opened` runs between the open and the first read. Unreadable when a read fails.
    // Looked up in the folder `folders` holds, when given, knowing what the scan saw there
    // (ReadOnlyFile).
    ReadOnlyFile::Status open(const QString &path, QString &target,
                              const std::function<void(const QString &)> &opened = {},
                              FolderHandleCache *folders = nullptr,
                              ListedAs listed = ListedAs::Unknown);

    // Files from this size on are mapped where the system allows it.
    static constexpr qint64 MappedFrom = qint64(16) << 20;

    QByteArrayView bytes() const { return m_bytes; }
    // False once pages of a mapped file were lost to another program shortening it; call it
    // when every reader of bytes() is done.
    bool intact() const { return !m_mapped.lost(); }
    const FileStamp &stamp() const { return m_file.stamp(); }
    int links() const { return m_file.links(); }
    bool wasLink() const { return m_file.wasLink(); }
    // The file's open handle (POSIX level), -1 otherwise.
    int handle() const { return m_file.handle(); }

private:
    // Where the system has them, in huge pages: the pages of a fresh 100 MB buffer cost more
    // than reading into them when they come 4 KB at a time.
    struct Buffer {
        Buffer() = default;
        Buffer(const Buffer &) = delete;
        Buffer &operator=(const Buffer &) = delete;
        ~Buffer() { release(); }
        bool reserve(size_t size, size_t kept);
        void release();

        char *data = nullptr;
        size_t capacity = 0;
    };
    static Buffer &threadBuffer();
    bool readAll();
    // Whether a read that gave `got` of the `asked` bytes, `done` in all, ended the file of
    // `size` bytes without a read for its end.
    static bool endsAt(size_t size, size_t done, size_t got, size_t asked);

    ReadOnlyFile m_file;
    MappedBytes m_mapped;
    QByteArrayView m_bytes;
};
