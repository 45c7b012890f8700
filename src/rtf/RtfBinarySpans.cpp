#include "rtf/RtfBinarySpans.h"

#include "rtf/RtfTokenizer.h"

#include <algorithm>

std::vector<qsizetype> RtfBinarySpans::scan(QByteArrayView bytes, qsizetype offset)
{
    std::vector<qsizetype> ends;
    // Most sources have no \bin at all; they are not tokenized a second time.
    if (!bytes.contains(QByteArrayView("\\bin")))
        return ends;
    RtfTokenizer tokens(bytes);
    for (RtfToken token = tokens.next(); token.type != RtfTokenType::End; token = tokens.next()) {
        // \bin0 has no data: it is a word like any other, which a digit after it would continue.
        if (token.type == RtfTokenType::Binary && token.param > 0 && !token.truncated)
            ends.push_back(offset + token.end);
    }
    return ends;
}

qsizetype RtfBinarySpans::floorAt(qsizetype pos) const
{
    const auto after = std::upper_bound(m_ends.begin(), m_ends.end(), pos);
    return after == m_ends.begin() ? 0 : *std::prev(after);
}

void RtfBinarySpans::replace(qsizetype begin, qsizetype end, const std::vector<qsizetype> &inserted,
                             qsizetype delta)
{
    // Data lies wholly inside or outside an edited region: regions start and end between tokens.
    const auto first = std::upper_bound(m_ends.begin(), m_ends.end(), begin);
    const auto last = std::upper_bound(first, m_ends.end(), end);
    std::for_each(last, m_ends.end(), [delta](qsizetype &pos) { pos += delta; });
    m_ends.insert(m_ends.erase(first, last), inserted.begin(), inserted.end());
}
