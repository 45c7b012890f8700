#include "document/GapBuffer.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

// The least room a widened gap gets, and the share of the text it gets beyond what one edit
// needs, so that widening (which moves the text after the gap) happens rarely.
constexpr qsizetype kMinimumGap = 4096;
constexpr qsizetype kGapShare = 4;

void moveChars(QChar *dest, const QChar *src, qsizetype count)
{
    std::memmove(static_cast<void *>(dest), src, static_cast<std::size_t>(count) * sizeof(QChar));
}

} // namespace

GapBuffer::GapBuffer(QString text) : m_buffer(std::move(text))
{
}

void GapBuffer::replace(qsizetype pos, qsizetype count, QStringView text)
{
    if (overlapsBuffer(text)) {
        const QString copy = text.toString();
        replace(pos, count, copy);
        return;
    }
    pos = std::clamp<qsizetype>(pos, 0, length());
    count = std::clamp<qsizetype>(count, 0, length() - pos);
    moveGapTo(pos);
    m_gapEnd += count;
    if (gapSize() < text.size())
        widenGap(text.size());
    if (!text.isEmpty())
        std::memcpy(static_cast<void *>(m_buffer.data() + m_gapStart), text.data(),
                    static_cast<std::size_t>(text.size()) * sizeof(QChar));
    m_gapStart += text.size();
}

DocumentView GapBuffer::view(qsizetype from) const
{
    from = std::clamp<qsizetype>(from, 0, length());
    if (from < m_gapStart)
        moveGapTo(from);
    return DocumentView(QStringView(m_buffer.constData() + m_gapEnd, tailSize()), m_gapStart);
}

QString GapBuffer::mid(qsizetype pos, qsizetype count) const
{
    pos = std::clamp<qsizetype>(pos, 0, length());
    count = std::clamp<qsizetype>(count, 0, length() - pos);
    const QChar *data = m_buffer.constData();
    const qsizetype before = std::clamp<qsizetype>(m_gapStart - pos, 0, count);
    QString result;
    result.reserve(count);
    result.append(data + pos, before);
    result.append(data + m_gapEnd + (pos + before - m_gapStart), count - before);
    return result;
}

QString GapBuffer::text() const
{
    return mid(0, length());
}

void GapBuffer::moveGapTo(qsizetype pos) const
{
    if (pos == m_gapStart)
        return;
    if (gapSize() == 0) {
        m_gapStart = m_gapEnd = pos;
        return;
    }
    QChar *data = m_buffer.data();
    if (pos < m_gapStart) {
        const qsizetype moved = m_gapStart - pos;
        moveChars(data + m_gapEnd - moved, data + pos, moved);
        m_gapEnd -= moved;
    } else {
        const qsizetype moved = pos - m_gapStart;
        moveChars(data + m_gapStart, data + m_gapEnd, moved);
        m_gapEnd += moved;
    }
    m_gapStart = pos;
}

// Grows the buffer in place where the allocator can, then shifts the text after the gap to
// the new end.
void GapBuffer::widenGap(qsizetype needed)
{
    const qsizetype tail = tailSize();
    const qsizetype extra = needed - gapSize() + std::max(kMinimumGap, length() / kGapShare);
    const qsizetype oldSize = m_buffer.size();
    m_buffer.resize(oldSize + extra);
    QChar *data = m_buffer.data();
    moveChars(data + m_buffer.size() - tail, data + oldSize - tail, tail);
    m_gapEnd += extra;
}

bool GapBuffer::overlapsBuffer(QStringView text) const
{
    if (text.isEmpty() || m_buffer.isEmpty())
        return false;
    const std::less<const QChar *> before;
    const QChar *begin = m_buffer.constData();
    const QChar *end = begin + m_buffer.size();
    return before(text.data(), end) && before(begin, text.data() + text.size());
}
