#include "document/TempFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFile>
#endif

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype BufferSize = 1 << 20;

QString reason(int error)
{
    return qt_error_string(error);
}

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// A name beside the target that no folder scan takes for a document (the extension differs).
QString tempNameFor(const QString &target)
{
    return target + u".qvx"_s + QString::number(QRandomGenerator::global()->generate(), 36);
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

#ifdef Q_OS_UNIX

bool TempFileWriter::open(const QString &target, const std::optional<FileStamp> &current,
                          QString *error)
{
    discard();
    m_errno = 0;
    if (current && !S_ISREG(current->mode))
        return fail(error, u"Not a regular file: %1"_s.arg(target));
    // A read-only file is not replaced behind its back (the owner's privilege aside).
    if (current && ::geteuid() != 0 && ::access(QFile::encodeName(target).constData(), W_OK) != 0)
        return fail(error, reason(m_errno = errno));
    for (int attempt = 0; attempt < 16 && m_fd < 0; ++attempt) {
        m_temp = tempNameFor(target);
        m_fd = ::open(QFile::encodeName(m_temp).constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0)
        return fail(error, reason(m_errno = errno));
    m_target = target;
    m_errno = 0;
    m_bytes = 0;
    const std::optional<FileStamp> mine = FileStamp::ofHandle(m_fd);
    m_device = mine ? mine->device : 0;
    m_inode = mine ? mine->inode : 0;
    if (current && mine) {
        // Without privilege the owner cannot be kept; the group still can be when the writer
        // belongs to it, so that the copied mode does not open the file to the writer's group.
        if ((mine->owner != current->owner || mine->group != current->group)
            && ::fchown(m_fd, current->owner, current->group) != 0
            && ::fchown(m_fd, uid_t(-1), current->group) != 0) {
            // The file becomes the writer's, as any rewrite by this user would make it.
        }
        if ((mine->mode & 07777) != (current->mode & 07777))
            ::fchmod(m_fd, current->mode & 07777);
    }
    m_used = 0;
    return true;
}

bool TempFileWriter::flush()
{
    writeAll(m_buffer.constData(), m_used);
    m_used = 0;
    return m_errno == 0;
}

bool TempFileWriter::writeAll(const char *data, qsizetype left)
{
    while (left > 0 && m_errno == 0) {
        const ssize_t n = ::write(m_fd, data, size_t(left));
        if (n < 0) {
            if (errno != EINTR)
                m_errno = errno;
            continue;
        }
        data += n;
        left -= n;
    }
    return m_errno == 0;
}

std::optional<PendingWrite> TempFileWriter::finish(bool sync, QString *error)
{
    if (m_fd < 0) {
        fail(error, u"No file open"_s);
        return std::nullopt;
    }
    flush();
    if (m_errno == 0 && sync && ::fsync(m_fd) != 0)
        m_errno = errno;
    if (::close(m_fd) != 0 && m_errno == 0)
        m_errno = errno;
    m_fd = -1;
    if (m_errno != 0) {
        fail(error, reason(m_errno));
        ::unlink(QFile::encodeName(m_temp).constData());
        m_temp.clear();
        return std::nullopt;
    }
    PendingWrite pending{m_temp, m_target, std::nullopt, m_device, m_inode, m_bytes};
    m_temp.clear();
    return pending;
}

void TempFileWriter::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.isEmpty())
        ::unlink(QFile::encodeName(m_temp).constData());
    m_temp.clear();
    m_used = 0;
}

#else

// Elsewhere through QFile: the same steps, without owner and a sync of its own.
bool TempFileWriter::open(const QString &target, const std::optional<FileStamp> &, QString *error)
{
    discard();
    m_temp = tempNameFor(target);
    QFile file(m_temp);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fail(error, file.errorString());
    file.close();
    QFile::setPermissions(m_temp, QFile::permissions(target));
    m_target = target;
    m_fd = 0;
    m_errno = 0;
    m_bytes = 0;
    return true;
}

bool TempFileWriter::flush()
{
    writeAll(m_buffer.constData(), m_used);
    m_used = 0;
    return m_errno == 0;
}

bool TempFileWriter::writeAll(const char *data, qsizetype size)
{
    QFile file(m_temp);
    if (!file.open(QIODevice::Append) || file.write(data, size) != size)
        m_errno = EIO;
    return m_errno == 0;
}

std::optional<PendingWrite> TempFileWriter::finish(bool, QString *error)
{
    flush();
    m_fd = -1;
    if (m_errno != 0) {
        fail(error, reason(m_errno));
        QFile::remove(m_temp);
        m_temp.clear();
        return std::nullopt;
    }
    PendingWrite pending{m_temp, m_target, std::nullopt, 0, 0, m_bytes};
    m_temp.clear();
    return pending;
}

void TempFileWriter::discard()
{
    m_fd = -1;
    if (!m_temp.isEmpty())
        QFile::remove(m_temp);
    m_temp.clear();
    m_used = 0;
}

#endif

bool TempFileWriter::append(QByteArrayView bytes)
{
    if (m_fd < 0 || m_errno != 0)
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
