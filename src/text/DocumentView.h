#pragma once

#include <QStringView>

#include <algorithm>

// A read-only window on a document's text: the characters from position `base` to the end,
// held contiguously. The finder and the replacement builder work on such a window, so a
// document that keeps its text in pieces (an edit gap, a part already written) never has to
// be joined into one string for each search. Positions are absolute document positions.
class DocumentView {
public:
    DocumentView() = default;
    explicit DocumentView(QStringView whole) : m_tail(whole) { }
    DocumentView(QStringView tail, qsizetype base) : m_tail(tail), m_base(base) { }

    // The document's length in characters.
    qsizetype length() const { return m_base + m_tail.size(); }
    // The first position this window can read.
    qsizetype base() const { return m_base; }
    // The characters from `pos` on; `pos` below base() is read from base().
    QStringView from(qsizetype pos) const
    {
        const qsizetype offset = std::max<qsizetype>(pos - m_base, 0);
        if (offset >= m_tail.size())
            return {};
        return m_tail.sliced(offset);
    }
    // Up to `count` characters from `pos`, clipped to the document's end.
    QStringView mid(qsizetype pos, qsizetype count) const
    {
        if (count <= 0)
            return {};
        const QStringView rest = from(pos);
        return rest.first(std::min(count, rest.size()));
    }

private:
    QStringView m_tail;
    qsizetype m_base = 0;
};
