#include "io/TempFileWriter.h"

#include "io/IoLevel.h"

#include <QFile>

#include <cstring>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype BufferSize = 1 << 20;

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

// One buffer per thread serves every file it writes, one at a time.
TempFileWriter::TempFileWriter() : m_buffer(threadBuffer())
{
}

QByteArray &TempFileWriter::threadBuffer()
{
    thread_local QByteArray buffer(BufferSize, Qt::Uninitialized);
    return buffer;
}

TempFileWriter::~TempFileWriter()
{
    discard();
}

bool TempFileWriter::open(const QString &target, const std::optional<FileStamp> &current,
                          QString *error)
{
    discard();
    m_errno = 0;
    const int modelHandle = std::exchange(m_modelHandle, -1);
    if (current && !current->isRegular())
        return fail(error, u"Not a regular file: %1"_s.arg(target));
    m_modelHandle = current ? modelHandle : -1;
    const bool started = start(target, current, target, current.has_value(), error);
    m_modelHandle = -1;
    return started;
}

bool TempFileWriter::openCopyOf(const QString &target, const QString &model, QString *error)
{
    discard();
    m_errno = 0;
    m_modelHandle = -1;
    return start(target, FileStamp::of(model), model, false, error);
}

bool TempFileWriter::start(const QString &target, const std::optional<FileStamp> &model,
                           const QString &modelPath, bool replacing, QString *error)
{
    m_used = 0;
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return startPosix(target, model, modelPath, replacing, error);
#endif
    return startPortable(target, model, replacing, error);
}

bool TempFileWriter::isOpen() const
{
    return m_fd >= 0 || m_file;
}

bool TempFileWriter::flush()
{
    writeAll(m_buffer.constData(), m_used);
    m_used = 0;
    return m_errno == 0;
}

bool TempFileWriter::writeAll(const char *data, qsizetype size)
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0)
        return writeAllPosix(data, size);
#endif
    return writeAllPortable(data, size);
}

std::optional<PendingWrite> TempFileWriter::finish(bool sync, QString *error)
{
    if (!isOpen()) {
        fail(error, u"No file open"_s);
        return std::nullopt;
    }
    flush();
#ifdef Q_OS_UNIX
    if (m_fd >= 0)
        return finishPosix(sync, error);
#endif
    return finishPortable(error);
}

void TempFileWriter::discard()
{
    m_used = 0;
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return discardPosix();
#endif
    discardPortable();
}

bool TempFileWriter::append(QByteArrayView bytes)
{
    if (!isOpen() || m_errno != 0)
        return false;
    if (bytes.isEmpty())
        return true;
    m_bytes += bytes.size();
    if (m_used + bytes.size() > BufferSize && !flush())
        return false;
    // Large pieces go straight to the file rather than through the buffer.
    if (bytes.size() >= BufferSize)
        return writeAll(bytes.data(), bytes.size());
    // Many small pieces (the text between matches, the replacement): a plain copy each.
    std::memcpy(m_buffer.data() + m_used, bytes.data(), size_t(bytes.size()));
    m_used += bytes.size();
    return true;
}
