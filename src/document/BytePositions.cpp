#include "document/BytePositions.h"

void BytePositions::feed(QByteArrayView bytes)
{
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (m_afterCr && c != '\n') {
            ++m_line;
            m_lineStart = m_offset;
        }
        m_afterCr = c == '\r';
        if (!m_utf8 || c < 0x80)
            ++m_offset;
        else if (c >= 0xC0)
            m_offset += c >= 0xF0 ? 2 : 1; // a continuation byte adds nothing
        if (c == '\n') {
            ++m_line;
            m_lineStart = m_offset;
        }
    }
}

BytePositions::Position BytePositions::here() const
{
    if (m_afterCr)
        return {m_offset, {m_line + 1, 1}};
    return {m_offset, {m_line, m_offset - m_lineStart + 1}};
}
