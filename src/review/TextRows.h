#pragma once

#include "text/FormattedRun.h"

#include <QFont>
#include <QTextLayout>

#include <compare>
#include <map>
#include <memory>

class Document;
class FormatSpans;

// One shown row: a line of the document, or one piece of a very long line.
struct RowRef {
    qsizetype line = 0;
    qsizetype segment = 0;
    auto operator<=>(const RowRef &) const = default;
};

// The rows of a shown document and their layouts. Lines come from the document's own line
// index, so nothing is built per line in advance; a row is laid out only when it is needed
// (painted, measured or hit) and kept until the cache is cleared. Lines are not wrapped, but a
// line longer than SegmentLength characters is shown in rows of that many, so that a file
// with no line breaks never needs one enormous layout.
class TextRows {
public:
    static constexpr qsizetype SegmentLength = 1000;

    struct Row {
        std::unique_ptr<QTextLayout> layout;
        qreal width = 0;
        qreal height = 0;
        TextAlignment alignment = TextAlignment::Left;
    };

    // `document` and `spans` are not owned; null shows nothing. Clears the cache.
    void setSource(const Document *document, const FormatSpans *spans);
    const Document *document() const { return m_document; }
    // The font of plain text and of formats that name none.
    void setFont(const QFont &font);
    // Drops every layout: after an edit, or when the cache has grown large.
    void clear();
    void trimCache();

    RowRef rowOf(qsizetype pos) const;
    qsizetype rowStart(RowRef row) const;
    qsizetype rowEnd(RowRef row) const;
    // Whether the row is the last piece of its line, so that a line break follows it.
    bool endsLine(RowRef row) const;
    RowRef lastRow() const;
    qsizetype segmentCount(qsizetype line) const;
    // Steps to the next or previous row; false at the end.
    bool next(RowRef &row) const;
    bool previous(RowRef &row) const;

    // The row laid out; valid until the next clear() or trimCache().
    const Row &row(RowRef ref);
    qreal maxWidth() const { return m_maxWidth; }

    // The position nearest to `x` in the row, and the x of a position in its row.
    qsizetype positionAt(RowRef ref, qreal x);
    qreal xOf(qsizetype pos);
    // Caret positions: never inside a line break, a surrogate pair or a cluster.
    qsizetype nextPosition(qsizetype pos, QTextLayout::CursorMode mode);
    qsizetype previousPosition(qsizetype pos, QTextLayout::CursorMode mode);

private:
    qsizetype segmentStart(qsizetype line, qsizetype segment) const;
    std::unique_ptr<QTextLayout> layOut(qsizetype start, qsizetype end) const;
    QFont fontOf(const FormattedRun &format) const;
    bool rich() const;

    const Document *m_document = nullptr;
    const FormatSpans *m_spans = nullptr;
    QFont m_font;
    std::map<RowRef, Row> m_cache;
    qreal m_maxWidth = 0;
};
