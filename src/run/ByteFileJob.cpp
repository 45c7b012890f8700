#include "run/ByteFileJob.h"

#include "document/AtomicFileWriter.h"
#include "document/ByteText.h"
#include "document/TempFileWriter.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Small files are read; large ones mapped, so that memory holds the file once.
constexpr qint64 MapThreshold = qint64(1) << 20;

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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const std::optional<FileStamp> stamp = FileStamp::ofHandle(file.handle());
    if (!stamp || (stamp->mode & 0170000) != 0100000)
        return {}; // not a regular file: the general path says so
    QByteArray read;
    QByteArrayView bytes;
    if (stamp->size >= MapThreshold) {
        const uchar *mapped = file.map(0, stamp->size);
        if (!mapped)
            return {};
        bytes = QByteArrayView(reinterpret_cast<const char *>(mapped), stamp->size);
    } else {
        read = file.readAll();
        if (file.error() != QFileDevice::NoError || read.size() != stamp->size)
            return {};
        bytes = read;
    }
    if (!ByteText::isAsciiCompatible(bytes, QFileInfo(path).fileName())
        || (m_foldedLetters && ByteText::holdsLettersFoldingToAscii(bytes)))
        return {};

    ByteFileResult result;
    result.kind = ByteFileResult::Kind::Done;
    if (m_mode == Mode::Count) {
        result.hits = count(bytes, 1);
        return result;
    }
    if (m_mode == Mode::CountReplaceable) {
        result.hits = count(bytes, m_finder.size());
        return result;
    }
    const qsizetype first = m_finder.find(bytes, 0);
    if (first < 0)
        return result;
    return replace(path, bytes, first, *stamp);
}

qsizetype ByteFileJob::count(QByteArrayView bytes, qsizetype step) const
{
    qsizetype hits = 0;
    for (qsizetype at = m_finder.find(bytes, 0); at >= 0; at = m_finder.find(bytes, at + step))
        ++hits;
    return hits;
}

ByteFileResult ByteFileJob::replace(const QString &path, QByteArrayView bytes, qsizetype first,
                                    const FileStamp &stamp) const
{
    ByteFileResult result;
    const QString target = AtomicFileWriter::resolveTarget(path);
    TempFileWriter writer;
    if (!writer.open(target, stamp, &result.error)) {
        result.kind = ByteFileResult::Kind::WriteFailed;
        return result;
    }
    qsizetype copied = 0;
    for (qsizetype at = first; at >= 0; at = m_finder.find(bytes, copied)) {
        writer.append(bytes.sliced(copied, at - copied));
        writer.append(m_replacement);
        copied = at + m_finder.size();
        ++result.hits;
    }
    writer.append(bytes.sliced(copied));
    result.pending = writer.finish(m_syncEach, &result.error);
    if (!result.pending) {
        result.kind = ByteFileResult::Kind::WriteFailed;
        return result;
    }
    result.pending->expected = stamp;
    result.kind = ByteFileResult::Kind::Done;
    return result;
}
