#pragma once

#include <QByteArrayView>

// The first bytes of an open file, mapped rather than read: the view takes no memory of its
// own, so a large file costs no fresh pages for the system to clear (on some machines that
// clearing costs more than the whole search). A mapped file that another program shortens
// would kill the process when the lost pages are touched: here those pages read as zeros
// instead, and lost() says so. A file changed while mapped is also changed on disk, which the
// stamp check before a new file is put in place refuses, as for a file changed while read.
class MappedBytes {
public:
    MappedBytes() = default;
    MappedBytes(const MappedBytes &) = delete;
    MappedBytes &operator=(const MappedBytes &) = delete;
    ~MappedBytes() { unmap(); }

    // Maps the first `size` bytes of the open file `handle` (POSIX level); false where that
    // cannot be done, and the caller reads the file instead.
    bool map(int handle, qint64 size);
    void unmap();

    QByteArrayView bytes() const { return {m_data, m_size}; }
    // Whether pages of the view were taken away since the map and read as zeros.
    bool lost() const;

private:
    const char *m_data = nullptr;
    qsizetype m_size = 0;
    int m_slot = -1; // in the list the bus error handler looks at
};
