#include "run/ByteOccurrenceReport.h"

#include "document/Cp1251.h"
#include "run/OccurrenceRecord.h"

ByteOccurrenceReport::ByteOccurrenceReport(const Sink &sink, const QString &path,
                                           QByteArrayView bytes, ByteText::Charset charset,
                                           qsizetype length, const Replacement &replacement)
    : m_sink(&sink)
    , m_path(&path)
    , m_bytes(bytes)
    , m_utf8(charset == ByteText::Charset::Utf8)
    , m_length(length)
    , m_replaces(replacement.made)
    , m_replacement(&replacement.text)
    , m_replacementBytes(replacement.bytes)
    , m_positions(m_utf8 ? BytePositions::Encoding::Utf8 : BytePositions::Encoding::SingleByte)
{
    // A UTF-8 mark is no part of the text.
    if (m_utf8 && bytes.startsWith("\xEF\xBB\xBF"))
        m_read = 3;
}

bool ByteOccurrenceReport::met(qsizetype at)
{
    m_positions.feed(m_bytes.sliced(m_read, at - m_read));
    m_read = at;
    const BytePositions::Position position = m_positions.here();
    const QByteArrayView matched = m_bytes.sliced(at, m_length);
    const QString matchedText = m_utf8 ? QString::fromUtf8(matched) : Cp1251::decode(matched);
    if (!(*m_sink)({*m_path, nullptr, position.offset, matchedText, *m_replacement, position.at}))
        return false;
    // The text goes on after what was put in place.
    if (m_replaces) {
        m_positions.feed(m_replacementBytes);
        m_read = at + m_length;
    }
    return true;
}
