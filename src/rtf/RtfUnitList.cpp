#include "rtf/RtfUnitList.h"

#include <algorithm>

void RtfUnitList::reset(std::vector<RtfTextUnit> units, qsizetype plainLength,
                        qsizetype sourceLength)
{
    m_items = std::move(units);
    m_gapStart = m_gapEnd = qsizetype(m_items.size());
    m_plainLength = plainLength;
    m_sourceLength = sourceLength;
}

RtfTextUnit RtfUnitList::toRelative(RtfTextUnit unit) const
{
    unit.plainPos -= m_plainLength;
    unit.sourcePos -= m_sourceLength;
    return unit;
}

RtfTextUnit RtfUnitList::toAbsolute(RtfTextUnit unit) const
{
    unit.plainPos += m_plainLength;
    unit.sourcePos += m_sourceLength;
    return unit;
}

RtfTextUnit RtfUnitList::at(qsizetype i) const
{
    if (i < m_gapStart)
        return m_items[size_t(i)];
    return toAbsolute(m_items[size_t(i + m_gapEnd - m_gapStart)]);
}

qsizetype RtfUnitList::indexAtPlain(qsizetype pos) const
{
    qsizetype low = 0;
    qsizetype high = size();
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (at(middle).plainEnd() <= pos)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

std::optional<quint8> RtfUnitList::flagsEndingAt(qsizetype index, qsizetype sourcePos) const
{
    if (index <= 0 || index > size())
        return std::nullopt;
    const RtfTextUnit unit = at(index - 1);
    if (unit.sourceEnd() != sourcePos)
        return std::nullopt;
    return unit.flags;
}

void RtfUnitList::moveGap(qsizetype index)
{
    index = std::clamp<qsizetype>(index, 0, size());
    while (m_gapStart > index) {
        --m_gapStart;
        --m_gapEnd;
        m_items[size_t(m_gapEnd)] = toRelative(m_items[size_t(m_gapStart)]);
    }
    while (m_gapStart < index) {
        m_items[size_t(m_gapStart)] = toAbsolute(m_items[size_t(m_gapEnd)]);
        ++m_gapStart;
        ++m_gapEnd;
    }
}

void RtfUnitList::replace(qsizetype index, qsizetype count, const std::vector<RtfTextUnit> &units,
                          qsizetype plainDelta, qsizetype sourceDelta)
{
    moveGap(index);
    m_gapEnd += std::min<qsizetype>(count, qsizetype(m_items.size()) - m_gapEnd);
    const qsizetype room = m_gapEnd - m_gapStart;
    const qsizetype needed = qsizetype(units.size());
    if (room < needed) {
        const qsizetype tail = qsizetype(m_items.size()) - m_gapEnd;
        const qsizetype grown
            = std::max<qsizetype>(needed - room + 64, qsizetype(m_items.size()) / 2);
        m_items.resize(m_items.size() + size_t(grown));
        std::move_backward(m_items.begin() + m_gapEnd, m_items.begin() + m_gapEnd + tail,
                           m_items.end());
        m_gapEnd = qsizetype(m_items.size()) - tail;
    }
    std::copy(units.begin(), units.end(), m_items.begin() + m_gapStart);
    m_gapStart += needed;
    m_plainLength += plainDelta;
    m_sourceLength += sourceDelta;
}
