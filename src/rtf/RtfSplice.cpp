#include "rtf/RtfSplice.h"

#include "rtf/RtfBinarySpans.h"
#include "rtf/RtfSeam.h"

RtfSplice::RtfSplice(QByteArrayView left, qsizetype sourceBegin, qsizetype plainBegin,
                     std::optional<quint8> leftUnit)
    : m_left(left), m_sourceBegin(sourceBegin), m_plainBegin(plainBegin), m_lastUnit(leftUnit)
{
}

void RtfSplice::addText(const RtfEscapedText &text)
{
    if (text.bytes.isEmpty())
        return;
    const qsizetype offset = append(text.bytes, quint8(0));
    for (RtfTextUnit unit : text.units) {
        unit.sourcePos += m_sourceBegin + offset;
        unit.plainPos += m_plainBegin + m_plain.size();
        m_units.push_back(unit);
    }
    m_plain += text.plain;
    m_addsGroup = m_addsGroup || text.addsGroup;
}

void RtfSplice::addKept(QByteArrayView bytes)
{
    append(bytes, std::nullopt);
}

void RtfSplice::addKeptUnit(QByteArrayView bytes, RtfTextUnit unit, QStringView chars)
{
    unit.sourcePos = m_sourceBegin + append(bytes, unit.flags);
    unit.plainPos = m_plainBegin + m_plain.size();
    m_units.push_back(unit);
    m_plain += chars;
}

void RtfSplice::close(int right)
{
    separate(right);
}

qsizetype RtfSplice::append(QByteArrayView piece, std::optional<quint8> pieceUnit)
{
    if (piece.isEmpty())
        return m_bytes.size();
    separate(uchar(piece.front()));
    const qsizetype offset = m_bytes.size();
    m_bytes += piece;
    m_lastUnit = pieceUnit;
    const std::vector<qsizetype> ends = RtfBinarySpans::scan(piece, offset);
    if (!ends.empty()) {
        m_left = {};
        m_tokensFrom = ends.back();
        for (const qsizetype end : ends)
            m_binaryEnds.push_back(m_sourceBegin + end);
    }
    return offset;
}

void RtfSplice::separate(int right)
{
    const QByteArrayView near = QByteArrayView(m_bytes).sliced(m_tokensFrom);
    const QByteArrayView separator = RtfSeam::separator(m_left, near, right, m_lastUnit);
    m_addsGroup = m_addsGroup || separator.startsWith('{');
    m_bytes += separator;
}
