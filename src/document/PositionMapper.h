#pragma once

#include "text/GapBuffer.h"
#include "text/TextEdit.h"

#include <QStringView>

#include <vector>

// 1-based line and column; the column counts UTF-16 code units from the line's start.
struct LineColumn {
    qsizetype line = 1;
    qsizetype column = 1;
    bool operator==(const LineColumn &) const = default;
};

// Turns positions in a document's text (where a line break is CR LF, two characters, or a
// lone CR or LF, one) into lines and columns and into "paragraph offsets", which count every
// line break as one character as Qt's text documents do, and back.
//
// One pass over the text builds the start of every line with its paragraph offset; a lookup
// is then a binary search. An edit rewrites only the lines it touches: the entries after it
// are moved by a pending step, applied lazily as later edits pass them, so a run of edits
// moving forward through the text costs one pass in all.
//
// Invariants: m_lines holds the lines after the first (line 0 starts at 0), by increasing
// start. An entry's true value is its stored value plus m_step's delta when its index is at or
// after m_step.index.
class PositionMapper {
public:
    PositionMapper() = default;
    // The text may come in two pieces (a gap buffer's two sides), read as one.
    explicit PositionMapper(QStringView text, QStringView more = {});

    // Follows an edit already made to the text. `before` is the character before the edit
    // and `after` the one after the inserted text, in the new text; a null QChar where the
    // text has none.
    void applyEdit(const TextEdit &edit, QChar before, QChar after);

    qsizetype length() const { return m_length; }
    qsizetype lineCount() const { return m_lines.size() + 1; }
    // The line (0-based) that holds `offset`; a position inside a line break belongs to the
    // line the break ends.
    qsizetype lineOf(qsizetype offset) const;
    qsizetype lineStart(qsizetype line) const { return entry(line).start; }
    // Where the line's text ends, before its line break.
    qsizetype lineEnd(qsizetype line) const;

    LineColumn lineColumn(qsizetype offset) const;
    // The offset of a line and column, clipped to the line's text and to the document.
    qsizetype offsetOf(LineColumn position) const;

    qsizetype toParagraphOffset(qsizetype offset) const;
    qsizetype fromParagraphOffset(qsizetype paragraphOffset) const;

private:
    struct Entry {
        qsizetype start = 0;
        qsizetype paragraph = 0;
    };
    struct Step {
        qsizetype index = 0;
        Entry delta;
    };
    struct Scan;

    Entry entry(qsizetype line) const;
    // The first line entry (index into m_lines) whose start, or paragraph offset, is greater
    // than `value`.
    qsizetype firstAfter(qsizetype value, qsizetype Entry::*field = &Entry::start) const;
    void moveStepTo(qsizetype index);

    GapBuffer<std::vector<Entry>> m_lines;
    Step m_step;
    qsizetype m_length = 0;
};
