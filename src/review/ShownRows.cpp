#include "review/ShownRows.h"

#include "document/Document.h"

#include <QPainter>
#include <QPalette>
#include <QPointF>
#include <QTextCharFormat>

#include <algorithm>
#include <cmath>

ShownRows::ShownRows(TextRows &rows, RowRef top, QSize size, int scroll)
    : m_rows(rows), m_top(top), m_size(size), m_scroll(scroll)
{
}

qreal ShownRows::height() const
{
    return std::max<qreal>(m_size.height() - TopMargin, 0);
}

qreal ShownRows::originOf(const TextRows::Row &row) const
{
    const qreal room = m_size.width() - 2 * Margin - row.width;
    qreal shift = 0;
    if (room > 0 && row.alignment == TextAlignment::Center)
        shift = room / 2;
    else if (room > 0 && row.alignment == TextAlignment::Right)
        shift = room;
    return Margin + shift - m_scroll;
}

qreal ShownRows::xOf(qsizetype pos) const
{
    return originOf(m_rows.row(m_rows.rowOf(pos))) + m_rows.xOf(pos);
}

RowRef ShownRows::stepped(RowRef row, qsizetype rows) const
{
    for (; rows > 0 && m_rows.next(row); --rows) { }
    for (; rows < 0 && m_rows.previous(row); ++rows) { }
    return row;
}

RowRef ShownRows::topAbove(RowRef target, qreal used, qreal room) const
{
    RowRef top = target;
    for (RowRef probe = target; m_rows.previous(probe);) {
        used += m_rows.row(probe).height;
        if (used > room)
            break;
        top = probe;
    }
    return top;
}

RowRef ShownRows::lastTop() const
{
    const RowRef last = m_rows.lastRow();
    return topAbove(last, m_rows.row(last).height, height());
}

RowRef ShownRows::centring(qsizetype pos) const
{
    const RowRef target = m_rows.rowOf(pos);
    return topAbove(target, 0, (height() - m_rows.row(target).height) / 2);
}

std::optional<RowRef> ShownRows::showing(qsizetype pos) const
{
    const RowRef target = m_rows.rowOf(pos);
    if (target < m_top)
        return target;
    qreal y = 0;
    for (RowRef probe = m_top; y < height();) {
        const qreal rowHeight = m_rows.row(probe).height;
        if (probe == target) {
            if (y + rowHeight <= height() || probe == m_top)
                return std::nullopt;
            break;
        }
        y += rowHeight;
        if (!m_rows.next(probe))
            break;
    }
    return topAbove(target, m_rows.row(target).height, height());
}

std::optional<int> ShownRows::centringScroll(qsizetype start, qsizetype end) const
{
    const RowRef target = m_rows.rowOf(start);
    const TextRows::Row &row = m_rows.row(target);
    const qreal left = originOf(row) + m_scroll + m_rows.xOf(start);
    const qreal right = m_rows.rowOf(end) == target
        ? originOf(m_rows.row(target)) + m_scroll + m_rows.xOf(end)
        : left + row.width;
    const qreal width = m_size.width();
    if (left >= m_scroll + Margin && right <= m_scroll + width - Margin)
        return std::nullopt;
    const qreal wanted
        = right - left <= width - 2 * Margin ? (left + right - width) / 2 : left - Margin;
    return int(wanted);
}

int ShownRows::showingScroll(qsizetype pos) const
{
    const qreal x = xOf(pos);
    const qreal width = m_size.width();
    int value = m_scroll;
    if (x < Margin)
        value += int(std::floor(x - width / 3));
    else if (x > width - Margin - CaretWidth)
        value += int(std::ceil(x - width * 2 / 3));
    return value;
}

qsizetype ShownRows::lineMove(qsizetype pos, qsizetype rows, qreal &preferredX) const
{
    if (preferredX < 0)
        preferredX = xOf(pos);
    const RowRef row = stepped(m_rows.rowOf(pos), rows);
    return m_rows.positionAt(row, preferredX - originOf(m_rows.row(row)));
}

std::pair<qsizetype, qsizetype> ShownRows::wordAt(qsizetype pos) const
{
    const auto isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_' || c.isMark(); };
    const RowRef row = m_rows.rowOf(pos);
    const qsizetype start = m_rows.rowStart(row);
    const QString text = m_rows.document()->mid(start, m_rows.rowEnd(row) - start);
    qsizetype first = pos - start;
    qsizetype last = first;
    while (first > 0 && isWordChar(text.at(first - 1)))
        --first;
    while (last < text.size() && isWordChar(text.at(last)))
        ++last;
    if (first == last && last < text.size())
        ++last;
    return {start + first, start + last};
}

QPoint ShownRows::pointOf(qsizetype pos) const
{
    const RowRef target = m_rows.rowOf(pos);
    qreal y = TopMargin;
    for (RowRef probe = m_top; probe <= target && y < m_size.height();) {
        const TextRows::Row &row = m_rows.row(probe);
        if (probe == target)
            return QPointF(originOf(row) + m_rows.xOf(pos), y).toPoint();
        y += row.height;
        if (!m_rows.next(probe))
            break;
    }
    return {-1, -1};
}

qsizetype ShownRows::positionAt(QPoint point) const
{
    const qreal wantedY
        = std::clamp<qreal>(point.y() - TopMargin, 0, std::max<qreal>(height() - 1, 0));
    RowRef probe = m_top;
    qreal y = 0;
    for (;;) {
        const qreal rowHeight = m_rows.row(probe).height;
        RowRef next = probe;
        if (wantedY < y + rowHeight || !m_rows.next(next))
            break;
        y += rowHeight;
        probe = next;
    }
    return m_rows.positionAt(probe, point.x() - originOf(m_rows.row(probe)));
}

QString ShownRows::text() const
{
    QString shown;
    const Document *doc = m_rows.document();
    if (!doc)
        return shown;
    RowRef row;
    do {
        const qsizetype end = m_rows.rowEnd(row);
        shown += doc->mid(m_rows.rowStart(row), end - m_rows.rowStart(row));
        RowRef next = row;
        if (m_rows.endsLine(row))
            shown
                += doc->mid(end, (m_rows.next(next) ? m_rows.rowStart(next) : doc->length()) - end);
    } while (m_rows.next(row));
    return shown;
}

void ShownRows::paint(QPainter &painter, const QPalette &colours, qreal breakWidth,
                      std::pair<qsizetype, qsizetype> selection, qsizetype caret) const
{
    // The selection keeps its colours while a question box has the focus.
    const QBrush highlight = colours.brush(QPalette::Active, QPalette::Highlight);
    QTextCharFormat selected;
    selected.setBackground(highlight);
    selected.setForeground(colours.brush(QPalette::Active, QPalette::HighlightedText));
    painter.setPen(colours.color(QPalette::Active, QPalette::Text));
    const auto [from, to] = selection;
    const RowRef last = m_rows.lastRow();
    qreal y = TopMargin;
    for (RowRef ref = m_top;;) {
        const TextRows::Row &row = m_rows.row(ref);
        const qsizetype start = m_rows.rowStart(ref);
        const qsizetype end = m_rows.rowEnd(ref);
        const QPointF origin(originOf(row), y);
        QList<QTextLayout::FormatRange> ranges;
        if (from < end && to > start) {
            const qsizetype first = std::max(from, start);
            ranges.append({int(first - start), int(std::min(to, end) - first), selected});
        }
        row.layout->draw(&painter, origin, ranges);
        // A selected line break shows as a blank after the line.
        if (from < to && ref != last && m_rows.endsLine(ref) && from <= end && to > end)
            painter.fillRect(QRectF(origin.x() + row.width, y, breakWidth, row.height), highlight);
        if (caret >= start && caret <= end && m_rows.rowOf(caret) == ref)
            row.layout->drawCursor(&painter, origin, int(caret - start), CaretWidth);
        y += row.height;
        if (y >= m_size.height() || !m_rows.next(ref))
            break;
    }
}
