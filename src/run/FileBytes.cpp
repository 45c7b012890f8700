#include "run/FileBytes.h"

#include "io/AtomicFileWriter.h"

#include <algorithm>
#include <cstring>
#include <new>

#ifdef Q_OS_UNIX
#include <sys/mman.h>
#endif

namespace {

// A buffer larger than this is given back after its file, not kept for the next one.
constexpr size_t KeptBuffer = size_t(64) << 20;
// Room added when a file turns out longer than its size said.
constexpr size_t Growth = size_t(64) << 10;
#ifdef Q_OS_UNIX
constexpr size_t HugePage = size_t(2) << 20;
#endif

} // namespace

FileBytes::~FileBytes()
{
    Buffer &buffer = threadBuffer();
    if (buffer.capacity > KeptBuffer)
        buffer.release();
}

bool FileBytes::Buffer::reserve(size_t size, size_t kept)
{
    if (size <= capacity)
        return true;
#ifdef Q_OS_UNIX
    const size_t rounded = (size + HugePage - 1) / HugePage * HugePage;
    void *mapped
        = ::mmap(nullptr, rounded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return false;
#ifdef MADV_HUGEPAGE
    ::madvise(mapped, rounded, MADV_HUGEPAGE);
#endif
    char *fresh = static_cast<char *>(mapped);
#else
    const size_t rounded = size;
    char *fresh = new (std::nothrow) char[rounded];
    if (!fresh)
        return false;
#endif
    if (kept > 0)
        std::memcpy(fresh, data, kept);
    release();
    data = fresh;
    capacity = rounded;
    return true;
}

void FileBytes::Buffer::release()
{
#ifdef Q_OS_UNIX
    if (data)
        ::munmap(data, capacity);
#else
    delete[] data;
#endif
    data = nullptr;
    capacity = 0;
}

FileBytes::Buffer &FileBytes::threadBuffer()
{
    thread_local Buffer buffer;
    return buffer;
}

ReadOnlyFile::Status FileBytes::open(const QString &path, QString &target,
                                     const std::function<void(const QString &)> &opened,
                                     FolderHandleCache *folders, ListedAs listed)
{
    const ReadOnlyFile::Status status = m_file.open(path, folders, listed);
    if (status != ReadOnlyFile::Status::Open)
        return status;
    target = m_file.wasLink() ? AtomicFileWriter::resolveTarget(path) : path;
    if (opened)
        opened(path);
    return readAll() ? status : ReadOnlyFile::Status::Unreadable;
}

bool FileBytes::endsAt(size_t size, size_t done, size_t got, size_t asked)
{
    // A read that stopped short of the room it was given, exactly at the size the open file
    // had, met the end: a file that grew since gives more than that size in the same read,
    // and one that grows after it would not be seen by a read for the end either. A size of 0
    // proves nothing (files in /proc have content).
    return size > 0 && done == size && got < asked;
}

bool FileBytes::readAll()
{
    const qint64 reported = m_file.stamp().size;
    if (reported >= MappedFrom && m_mapped.map(m_file.handle(), reported)) {
        m_bytes = m_mapped.bytes();
        return true;
    }
    Buffer &buffer = threadBuffer();
    const size_t size = size_t(std::max<qint64>(reported, 0));
    // One byte more than the size, so that the end is seen without growing the buffer.
    if (!buffer.reserve(size + 1, 0))
        return false;
    size_t done = 0;
    for (;;) {
        if (done == buffer.capacity && !buffer.reserve(done + std::max(Growth, done / 2), done))
            return false;
        const size_t room = buffer.capacity - done;
        const qint64 n = m_file.read(buffer.data + done, qint64(room));
        if (n < 0)
            return false;
        if (n == 0)
            break;
        done += size_t(n);
        if (endsAt(size, done, size_t(n), room))
            break;
    }
    m_bytes = QByteArrayView(buffer.data, qsizetype(done));
    return true;
}
