#pragma once

#include <QtGlobal>

// A full disk, made to order: while one of these lives, every write of this process that
// would make a file larger than `bytes` fails (EFBIG), as a write to a full disk fails. The
// signal such a write raises (SIGXFSZ) is ignored meanwhile, so the write returns its error.
// Where the system has no file size limit, `active()` is false and nothing changes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    ~FileSizeLimit();

    bool active() const { return m_active; }

private:
    bool m_active = false;
    quint64 m_oldLimit = 0;
    void (*m_oldHandler)(int) = nullptr;
};
