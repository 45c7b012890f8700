#pragma once

#include "io/FileStamp.h"
#include "io/ListedAs.h"

#include <QFile>
#include <QString>

#include <memory>

class FolderHandleCache;

// A file opened by name for reading that is never a pipe, a socket or a device: its type is
// looked at before it is opened (unless the folder scan has just seen a regular file there). At the
// POSIX level (IoLevel) the open itself cannot block (a FIFO put in its place meanwhile is opened
// without waiting and then refused by the open handle's type), the stamp comes from the open handle
// before any byte is read, and names longer than the system takes in one piece are opened folder by
// folder. At the portable level the file is opened through QFile and stamped by its name just
// before the open.
class ReadOnlyFile {
public:
    enum class Status { Open, Missing, NotRegular, Unreadable };

    ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;
    ~ReadOnlyFile();

    Status open(const QString &path);
    // The same, looking the file up in the folder `folders` holds (reached for `path` first) at
    // the POSIX level; what the scan that listed it saw there (ListedAs).
    Status open(const QString &path, FolderHandleCache *folders,
                ListedAs listed = ListedAs::Unknown);
    // What open would say of `path` without opening it (Open: a regular file), and how many
    // names the file has.
    static Status typeOf(const QString &path, int *links = nullptr);

    // Reads up to `size` bytes: how many, 0 at the end, -1 on a failure.
    qint64 read(char *data, qint64 size);
    // Opens `file` on the file open here (read-only, at its start); this object lets go of it.
    bool handOver(QFile &file);
    // The POSIX handle, -1 at the portable level.
    int handle() const { return m_fd; }
    const FileStamp &stamp() const { return m_stamp; }
    // The name was a symbolic link (the file opened is its final target).
    bool wasLink() const { return m_wasLink; }
    int links() const { return m_links; }

private:
    // Each level's own way (ReadOnlyFile_posix.cpp, ReadOnlyFile_portable.cpp).
    Status openPosix(const QString &path, FolderHandleCache *folders, ListedAs listed);
    Status openIn(int dir, const char *leaf, ListedAs listed);
    // Opens `leaf`, a regular file when listed, without a look at it first; nullopt when it
    // has become a link since.
    std::optional<Status> openListed(int dir, const char *leaf);
    // Stamps the handle just opened and refuses it unless it is a regular file.
    Status stampOpened();
    Status openPortable(const QString &path);
    static Status typeOfPosix(const QString &path, int *links);
    static Status typeOfPortable(const QString &path, int *links);
    qint64 readPosix(char *data, qint64 size);
    void closePosix();
    // Takes the open's O_NONBLOCK off the handle.
    void blockingPosix();

    int m_fd = -1;
    std::unique_ptr<QFile> m_file; // the portable level's
    FileStamp m_stamp;
    bool m_nonBlocking = false; // the handle still has the open's O_NONBLOCK
    bool m_wasLink = false;
    int m_links = 1;
};
