#include "rtf/RtfTextMapBuilder.h"

#include "rtf/RtfTokenizer.h"

#include <algorithm>

void RtfTextMapBuilder::text(const RtfTextEvent &event)
{
    if (event.chars.isEmpty())
        return;
    if (extendsLast(event)) {
        RtfTextUnit &last = m_units.back();
        last.plainLength += qint32(event.chars.size());
        last.sourceLength += qint32(event.end - event.begin);
    } else {
        RtfTextUnit unit;
        unit.plainPos = m_plain.size();
        unit.sourcePos = event.begin;
        unit.plainLength = qint32(event.chars.size());
        unit.sourceLength = qint32(event.end - event.begin);
        unit.codePage = quint16(event.codePage);
        unit.depth = quint16(std::min(event.depth, 0xFFFF));
        unit.uc = event.state ? event.state->uc : 1;
        unit.flags = event.flags;
        m_units.push_back(unit);
    }
    m_plain.append(event.chars);
}

// Literal bytes that directly follow a literal unit continue it (no token lies between them,
// so the reading context is the same).
bool RtfTextMapBuilder::extendsLast(const RtfTextEvent &event) const
{
    if (event.flags != RtfTextUnit::Literal || m_units.empty())
        return false;
    const RtfTextUnit &last = m_units.back();
    return last.flags == RtfTextUnit::Literal && last.sourceEnd() == event.begin
        && last.sourceLength + (event.end - event.begin) <= RtfTokenizer::MaxRun;
}
