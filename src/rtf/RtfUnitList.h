#pragma once

#include "rtf/RtfTextUnit.h"

#include <optional>
#include <vector>

// The text units of a document in order, kept with a gap at the last edit. Units after the gap
// store their positions counted from the end of the document, so an edit at the gap leaves
// them valid without touching them; moving the gap converts the units it passes.
class RtfUnitList {
public:
    void reset(std::vector<RtfTextUnit> units, qsizetype plainLength, qsizetype sourceLength);

    qsizetype size() const { return qsizetype(m_items.size()) - (m_gapEnd - m_gapStart); }
    RtfTextUnit at(qsizetype i) const;
    // The first unit that ends after plain position `pos`; size() when there is none.
    qsizetype indexAtPlain(qsizetype pos) const;
    // The flags of unit `index` - 1 when its source ends exactly at `sourcePos`.
    std::optional<quint8> flagsEndingAt(qsizetype index, qsizetype sourcePos) const;

    // Replaces `count` units at `index` with `units` (absolute positions after the edit); the
    // edit changed the plain text and the source by the given lengths.
    void replace(qsizetype index, qsizetype count, const std::vector<RtfTextUnit> &units,
                 qsizetype plainDelta, qsizetype sourceDelta);

private:
    void moveGap(qsizetype index);
    RtfTextUnit toRelative(RtfTextUnit unit) const;
    RtfTextUnit toAbsolute(RtfTextUnit unit) const;

    std::vector<RtfTextUnit> m_items;
    qsizetype m_gapStart = 0;
    qsizetype m_gapEnd = 0;
    qsizetype m_plainLength = 0;
    qsizetype m_sourceLength = 0;
};
