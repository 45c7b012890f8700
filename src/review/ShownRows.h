#pragma once

#include "review/TextRows.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>
#include <utility>

class QPainter;
class QPalette;

// Where the rows of a shown document stand in the review text view, for one moment's top
// row, viewport size and sideways scroll: which row is under a point, where a position's
// caret goes, which top row brings a position into view. It knows no widget, so the view
// builds one whenever it needs to ask.
class ShownRows {
public:
    // Room left of every row and above the first, as a rich-text editor leaves it.
    static constexpr qreal Margin = 4;
    static constexpr qreal TopMargin = 2;
    static constexpr int CaretWidth = 1;

    ShownRows(TextRows &rows, RowRef top, QSize size, int scroll);

    // The height the rows have below the top margin.
    qreal height() const;
    // The x of a position's caret in the viewport, whichever row is on top.
    qreal xOf(qsizetype pos) const;

    // `rows` rows after (or before, when negative) `row`, stopping at either end.
    RowRef stepped(RowRef row, qsizetype rows) const;
    // The lowest top that still fills the view: the last row at the bottom.
    RowRef lastTop() const;
    // The top that puts the row of `pos` in the middle.
    RowRef centring(qsizetype pos) const;
    // The top that shows the row of `pos` with as little scrolling as can be; none when the
    // row is in view already.
    std::optional<RowRef> showing(qsizetype pos) const;
    // The sideways scroll that shows [start, end) in the middle, or none when in view.
    std::optional<int> centringScroll(qsizetype start, qsizetype end) const;
    // The sideways scroll that brings the caret at `pos` into view.
    int showingScroll(qsizetype pos) const;

    // The position `rows` rows below (above, when negative) `pos` nearest to the column
    // `preferredX`, which is taken from `pos` first when it is negative.
    qsizetype lineMove(qsizetype pos, qsizetype rows, qreal &preferredX) const;
    // The word at `pos` within its row, or the one character there when it is no word's.
    std::pair<qsizetype, qsizetype> wordAt(qsizetype pos) const;

    QPoint pointOf(qsizetype pos) const;
    qsizetype positionAt(QPoint point) const;
    // Every row and line break in order: the whole document as shown.
    QString text() const;

    // Paints the rows in view with `selection` [from, to) highlighted and, unless it is
    // negative, the caret at `caret`; a selected line break shows `breakWidth` wide.
    void paint(QPainter &painter, const QPalette &colours, qreal breakWidth,
               std::pair<qsizetype, qsizetype> selection, qsizetype caret) const;

private:
    // Where a row's text starts: after the margin, moved by the row's alignment within the
    // visible width and by the sideways scroll.
    qreal originOf(const TextRows::Row &row) const;
    // The highest top at or above `target` whose rows, counted from `used`, fit in `room`.
    RowRef topAbove(RowRef target, qreal used, qreal room) const;

    TextRows &m_rows;
    RowRef m_top;
    QSize m_size;
    int m_scroll;
};
