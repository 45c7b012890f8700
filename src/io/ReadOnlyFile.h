#pragma once

#include "io/FileStamp.h"

#include <QString>

// A file opened by name for reading that is never a pipe, a socket or a device: its type is
// looked at before it is opened, and the open itself cannot block (a FIFO put in its place
// meanwhile is opened without waiting and then refused by the open handle's type). The stamp
// comes from the open handle before any byte is read. Names longer than the system takes in
// one piece are opened folder by folder.
class ReadOnlyFile {
public:
    enum class Status { Open, Missing, NotRegular, Unreadable };

    ReadOnlyFile() = default;
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;
    ~ReadOnlyFile();

    Status open(const QString &path);
    // What open would say of `path` without opening it (Open: a regular file), and how many
    // names the file has.
    static Status typeOf(const QString &path, int *links = nullptr);

    int handle() const { return m_fd; }
    // The handle is the caller's from now on.
    int release();
    const FileStamp &stamp() const { return m_stamp; }
    // The name was a symbolic link (the file opened is its final target).
    bool wasLink() const { return m_wasLink; }
    int links() const { return m_links; }

private:
    int m_fd = -1;
    FileStamp m_stamp;
    bool m_wasLink = false;
    int m_links = 1;
};
