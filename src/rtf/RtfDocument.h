#pragma once

#include "rtf/RtfBinarySpans.h"
#include "rtf/RtfEscaper.h"
#include "rtf/RtfUnitList.h"
#include "text/DocumentView.h"
#include "text/FormattedRun.h"
#include "text/GapBuffer.h"
#include "text/TextEdit.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>

class RtfCodePages;

// An RTF document held as its source bytes, with the plain text an editor shows and a map from
// each piece of that text to the bytes it was read from. Editing the plain text rewrites only
// the bytes of the edited text; every other byte is written back as it was read.
//
// The plain text:
// - \par, \line, \sect, \page and a backslash before a line break give CR LF; \tab gives TAB.
// - A table cell end (\cell, \nestcell) gives CR LF, so each cell reads as its own line;
//   \row gives nothing.
// - \'hh is a character of the code page of the current font's \fcharset (or \cpg), else of
//   \ansicpg (1252 when absent); double-byte code pages pair a lead byte with the next byte.
// - \uN (N < 0 means N + 65536) is that UTF-16 code unit; the \ucN fallback after it (bytes,
//   escapes, control words; ended early by a brace) is skipped. \uc is scoped to its group.
// - \~ is U+00A0, \_ is U+2011, \- is the soft hyphen U+00AD; \emdash, \endash, \emspace,
//   \enspace, \qmspace, \bullet, \lquote, \rquote, \ldblquote, \rdblquote, \zwj, \zwnj, \zwbo,
//   \zwnbo, \ltrmark and \rtlmark are their characters.
// - Hidden text (\v) is shown, as the plain rich-text editor shows it.
// - Not shown: groups starting with \* and a destination the reader does not know (a known one
//   is read as itself: {\*\fldrslt ...} is a field's result, shown), the font, colour, style and
//   list tables, \info, pictures, objects' data, shapes and text boxes, field instructions (field
//   results are shown), headers, footers, footnotes and annotations, bookmarks and index entries,
//   and the generated list numbers (\listtext, \pntext). Footnote reference marks (\chftn) show
//   nothing.
// - Source line breaks and other control bytes are ignored; literal TAB is a TAB; literal 8-bit
//   bytes are read like \'hh.
// - Whatever follows the brace that closes the document is not read (and is kept as it is).
//
// Editing: replace() deletes the text tokens and break words in its range and keeps every
// formatting word, brace and hidden destination in between; table cell ends are kept so tables
// stay whole. The new text is written where the range starts, so it takes the formatting in
// effect there (an insertion without a range takes the formatting of the character before it,
// or of the one after it at the start of a line). Where an edit joins bytes that were not side
// by side, separators keep both sides reading as before (RtfSeam); \bin data is no token, so the
// bytes before a join are read back only as far as the last data (RtfBinarySpans).
class RtfDocument {
public:
    // Nothing when `bytes` is not RTF: it does not start with "{\rtf" or nests groups deeper
    // than RtfParser::MaxDepth. Damaged RTF (unbalanced braces, a truncated end) is read as far
    // as it goes.
    static std::optional<RtfDocument> fromRtf(const QByteArray &bytes);

    // A copy starts with its own, empty cache of code-page tables.
    RtfDocument(const RtfDocument &other);
    RtfDocument &operator=(const RtfDocument &other);
    RtfDocument(RtfDocument &&) noexcept;
    RtfDocument &operator=(RtfDocument &&) noexcept;
    ~RtfDocument();

    qsizetype length() const { return m_plain.size(); }
    QString plainText() const;
    QString mid(qsizetype pos, qsizetype count) const;
    // A window on the plain text from at most `from` on, held in one piece.
    DocumentView view(qsizetype from);
    // The document's \ansicpg code page.
    int codePage() const { return m_codePage; }

    // Replaces `count` characters at `pos` with `text`. A range that cuts a line break, a
    // double-byte character or a surrogate pair in two is widened to the whole of it; a kept
    // cell end inside the range stays, after the new text. Nothing when the text has no place
    // to go: a document without text whose end lies inside a hidden destination, or groups at
    // the depth limit.
    std::optional<TextEdit> replace(qsizetype pos, qsizetype count, QStringView text);

    QByteArray toRtf() const;
    QList<FormattedRun> formattedRuns() const;

private:
    struct Plan;

    RtfDocument();
    void widen(qsizetype &pos, qsizetype &end) const;
    Plan planRemoval(qsizetype pos, qsizetype end) const;
    std::optional<Plan> planInsertion(qsizetype pos) const;
    std::optional<TextEdit> apply(const Plan &plan, const RtfEscapedText &text);
    QByteArrayView sourceAfterGap(qsizetype begin, qsizetype end) const;
    int byteAt(qsizetype pos) const;

    std::unique_ptr<RtfCodePages> m_pages;
    GapBuffer<QByteArray> m_source;
    GapBuffer<QString> m_plain;
    RtfUnitList m_units;
    RtfBinarySpans m_binary;
    qsizetype m_endFromEnd = 0;
    RtfInsertContext m_endContext;
    bool m_endInBody = false;
    int m_codePage = 1252;
};
