#include "run/ByteFileJob.h"

#include "document/AtomicFileWriter.h"
#include "document/ByteSpanWriter.h"
#include "document/ByteText.h"
#include "document/TempFileWriter.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <thread>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Occurrences looked for at once before they are used.
constexpr size_t StartsAtOnce = 1024;

// Small files are read; large ones mapped, so that memory holds the file once.
constexpr qint64 MapThreshold = qint64(1) << 20;

// One file's bytes, read or mapped, with the stamp of what was read.
class ReadFile {
public:
    ReadFile() = default;
    ReadFile(const ReadFile &) = delete;
    ReadFile &operator=(const ReadFile &) = delete;
    ~ReadFile()
    {
#ifdef Q_OS_UNIX
        if (m_mapped)
            ::munmap(m_mapped, size_t(m_stamp.size));
        if (m_fd >= 0)
            ::close(m_fd);
#endif
    }

    // Opens the file `path` names; `target` becomes the file itself, a link's final target.
    bool open(const QString &path, QString &target)
    {
        target = path;
#ifdef Q_OS_UNIX
        // Most names are no link: one lookup then finds the file and says so.
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (m_fd < 0 && errno == ELOOP) {
            target = AtomicFileWriter::resolveTarget(path);
            m_fd = ::open(QFile::encodeName(target).constData(), O_RDONLY | O_CLOEXEC);
        }
        if (m_fd < 0)
            return false;
        const std::optional<FileStamp> stamp = FileStamp::ofHandle(m_fd);
        if (!stamp || !S_ISREG(stamp->mode))
            return false;
        m_stamp = *stamp;
        if (m_stamp.size == 0)
            return true;
        if (m_stamp.size >= MapThreshold) {
            // Populated at once: one fault per page would cost more than the search.
            void *mapped = ::mmap(nullptr, size_t(m_stamp.size), PROT_READ,
                                  MAP_SHARED | MAP_POPULATE, m_fd, 0);
            if (mapped == MAP_FAILED)
                return false;
            m_mapped = mapped;
            ::madvise(mapped, size_t(m_stamp.size), MADV_SEQUENTIAL);
            m_bytes = QByteArrayView(static_cast<const char *>(mapped), m_stamp.size);
            return true;
        }
        m_read.resize(m_stamp.size);
        qsizetype done = 0;
        while (done < m_read.size()) {
            const ssize_t n = ::read(m_fd, m_read.data() + done, size_t(m_read.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false; // an error, or the file shrank while read
            done += n;
        }
        m_bytes = m_read;
        return true;
#else
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        m_read = file.readAll();
        m_bytes = m_read;
        const std::optional<FileStamp> stamp = FileStamp::of(path);
        m_stamp = stamp.value_or(FileStamp{});
        return file.error() == QFileDevice::NoError;
#endif
    }

    QByteArrayView bytes() const
    {
        return m_bytes;
    }
    const FileStamp &stamp() const
    {
        return m_stamp;
    }

private:
    int m_fd = -1;
    void *m_mapped = nullptr;
    QByteArray m_read;
    QByteArrayView m_bytes;
    FileStamp m_stamp;
};

} // namespace

bool ByteFileJob::isPlainAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80 || c == u'\r' || c == u'\n')
            return false;
    }
    return true;
}

bool ByteFileJob::hasFoldedLetters(QByteArrayView needle)
{
    return ByteText::hasFoldedLetters(needle);
}

ByteFileResult ByteFileJob::process(const QString &path) const
{
    ReadFile file;
    QString target;
    if (!file.open(path, target))
        return {}; // unreadable, or not a regular file: the general path says so
    const QByteArrayView bytes = file.bytes();
    const FileStamp &stamp = file.stamp();
    if (!ByteText::isAsciiCompatibleButForNul(bytes, QFileInfo(path).fileName()))
        return {};
    // NUL bytes make a file binary, and some letters take it off the byte path: files holding
    // them are left to the general path. A large file is replaced while another thread looks.
    auto refuses = [&] {
        return ByteText::holdsNul(bytes)
            || (m_foldedLetters && ByteText::holdsLettersFoldingToAscii(bytes));
    };
    const bool lookBeside = m_mode == Mode::Replace && bytes.size() >= ByteSpanWriter::ThreadedFrom;
    if (!lookBeside && refuses())
        return {};

    ByteFileResult result;
    result.kind = ByteFileResult::Kind::Done;
    result.device = stamp.device;
    result.inode = stamp.inode;
    if (m_mode == Mode::Count) {
        result.hits = count(bytes, 1);
        return result;
    }
    if (m_mode == Mode::CountReplaceable) {
        result.hits = count(bytes, m_finder.size());
        result.replacements = result.hits;
        result.changed = result.hits > 0;
        return result;
    }
    bool refused = false;
    std::jthread look;
    if (lookBeside)
        look = std::jthread([&] { refused = refuses(); });
    const qsizetype first = m_finder.find(bytes, 0);
    if (first >= 0) {
        result.changed = true;
        result = replace(target, bytes, first, stamp, std::move(result));
    }
    if (look.joinable())
        look.join();
    if (refused) {
        if (result.pending)
            AtomicFileWriter::discard(*result.pending);
        return {};
    }
    return result;
}

qsizetype ByteFileJob::count(QByteArrayView bytes, qsizetype step) const
{
    qsizetype hits = 0;
    std::vector<qsizetype> starts;
    qsizetype from = 0;
    for (bool more = true; more;) {
        starts.clear();
        more = m_finder.findMany(bytes, from, step, starts, StartsAtOnce);
        hits += qsizetype(starts.size());
    }
    return hits;
}

ByteFileResult ByteFileJob::replace(const QString &target, QByteArrayView bytes, qsizetype first,
                                    const FileStamp &stamp, ByteFileResult result) const
{
    TempFileWriter writer;
    if (!writer.open(target, stamp, &result.error)) {
        result.kind = ByteFileResult::Kind::WriteFailed;
        return result;
    }
    ByteSpanWriter out(writer, bytes.size() >= ByteSpanWriter::ThreadedFrom);
    std::vector<qsizetype> starts{first};
    qsizetype from = first + m_finder.size();
    qsizetype copied = 0;
    for (bool more = true; more;) {
        more = m_finder.findMany(bytes, from, m_finder.size(), starts, StartsAtOnce);
        for (const qsizetype at : starts) {
            out.append(bytes.sliced(copied, at - copied));
            out.append(m_replacement);
            copied = at + m_finder.size();
        }
        result.hits += qsizetype(starts.size());
        starts.clear();
    }
    result.replacements = result.hits;
    out.append(bytes.sliced(copied));
    out.finish();
    result.pending = writer.finish(m_syncEach, &result.error);
    if (!result.pending) {
        result.kind = ByteFileResult::Kind::WriteFailed;
        return result;
    }
    result.pending->expected = stamp;
    result.kind = ByteFileResult::Kind::Done;
    return result;
}
