#include "run/FileBytes.h"

#include "io/AtomicFileWriter.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// A buffer larger than this is given back after its file, not kept for the next one.
constexpr size_t KeptBuffer = size_t(64) << 20;
// Room added when a file turns out longer than its size said.
constexpr size_t Growth = size_t(64) << 10;

} // namespace

FileBytes::~FileBytes()
{
    Buffer &buffer = threadBuffer();
    if (buffer.capacity > KeptBuffer) {
        buffer.data.reset();
        buffer.capacity = 0;
    }
}

FileBytes::Buffer &FileBytes::threadBuffer()
{
    thread_local Buffer buffer;
    return buffer;
}

ReadOnlyFile::Status FileBytes::open(const QString &path, QString &target)
{
    const ReadOnlyFile::Status status = m_file.open(path);
    if (status != ReadOnlyFile::Status::Open)
        return status;
    target = m_file.wasLink() ? AtomicFileWriter::resolveTarget(path) : path;
    return readAll() ? status : ReadOnlyFile::Status::Unreadable;
}

bool FileBytes::readAll()
{
    Buffer &buffer = threadBuffer();
    auto reserve = [&](size_t size, size_t kept) {
        if (size <= buffer.capacity)
            return true;
        std::unique_ptr<char[]> data(new (std::nothrow) char[size]);
        if (!data)
            return false;
        if (kept > 0)
            std::memcpy(data.get(), buffer.data.get(), kept);
        buffer.data = std::move(data);
        buffer.capacity = size;
        return true;
    };
    // One byte more than the size, so that the end is seen without growing the buffer.
    if (!reserve(size_t(std::max<qint64>(m_file.stamp().size, 0)) + 1, 0))
        return false;
    size_t done = 0;
    for (;;) {
        if (done == buffer.capacity && !reserve(done + std::max(Growth, done / 2), done))
            return false;
        const qint64 n = m_file.read(buffer.data.get() + done, qint64(buffer.capacity - done));
        if (n < 0)
            return false;
        if (n == 0)
            break;
        done += size_t(n);
    }
    m_bytes = QByteArrayView(buffer.data.get(), qsizetype(done));
    return true;
}
