#include "review/TextRows.h"

#include "document/Document.h"
#include "review/FormatSpans.h"

#include <QFontMetricsF>
#include <QTextCharFormat>
#include <QTextOption>

#include <algorithm>

namespace {

// Rows are never wrapped; this only has to exceed any row's width.
constexpr qreal UnwrappedWidth = 1e7;
// Rows laid out at most between two trims: a few screens' worth.
constexpr size_t CacheLimit = 1000;

} // namespace

void TextRows::setSource(const Document *document, const FormatSpans *spans)
{
    m_document = document;
    m_spans = spans;
    m_maxWidth = 0;
    clear();
}

void TextRows::setFont(const QFont &font)
{
    m_font = font;
    clear();
}

void TextRows::clear()
{
    m_cache.clear();
}

void TextRows::trimCache()
{
    if (m_cache.size() > CacheLimit)
        m_cache.clear();
}

bool TextRows::rich() const
{
    return m_document && m_spans && m_document->format() == FileFormat::Rtf;
}

qsizetype TextRows::segmentStart(qsizetype line, qsizetype segment) const
{
    const PositionMapper &positions = m_document->positions();
    const qsizetype start = positions.lineStart(line);
    if (segment <= 0)
        return start;
    const qsizetype end = positions.lineEnd(line);
    qsizetype at = std::min(start + segment * SegmentLength, end);
    // Never split a surrogate pair between two rows.
    if (at < end && m_document->at(at).isLowSurrogate() && m_document->at(at - 1).isHighSurrogate())
        ++at;
    return at;
}

qsizetype TextRows::segmentCount(qsizetype line) const
{
    const PositionMapper &positions = m_document->positions();
    const qsizetype length = positions.lineEnd(line) - positions.lineStart(line);
    if (length <= SegmentLength)
        return 1;
    const qsizetype count = (length + SegmentLength - 1) / SegmentLength;
    return segmentStart(line, count - 1) >= positions.lineEnd(line) ? count - 1 : count;
}

RowRef TextRows::rowOf(qsizetype pos) const
{
    if (!m_document)
        return {};
    const PositionMapper &positions = m_document->positions();
    const qsizetype line = positions.lineOf(pos);
    pos = std::clamp(pos, positions.lineStart(line), positions.lineEnd(line));
    qsizetype segment
        = std::min((pos - positions.lineStart(line)) / SegmentLength, segmentCount(line) - 1);
    if (segment > 0 && pos < segmentStart(line, segment))
        --segment;
    return {line, segment};
}

qsizetype TextRows::rowStart(RowRef row) const
{
    return m_document ? segmentStart(row.line, row.segment) : 0;
}

qsizetype TextRows::rowEnd(RowRef row) const
{
    if (!m_document)
        return 0;
    if (row.segment + 1 < segmentCount(row.line))
        return segmentStart(row.line, row.segment + 1);
    return m_document->positions().lineEnd(row.line);
}

bool TextRows::endsLine(RowRef row) const
{
    return m_document && row.segment + 1 >= segmentCount(row.line);
}

RowRef TextRows::lastRow() const
{
    if (!m_document)
        return {};
    const qsizetype line = m_document->positions().lineCount() - 1;
    return {line, segmentCount(line) - 1};
}

bool TextRows::next(RowRef &row) const
{
    if (!m_document || row >= lastRow())
        return false;
    if (row.segment + 1 < segmentCount(row.line))
        ++row.segment;
    else
        row = {row.line + 1, 0};
    return true;
}

bool TextRows::previous(RowRef &row) const
{
    if (!m_document || row <= RowRef())
        return false;
    if (row.segment > 0)
        --row.segment;
    else
        row = {row.line - 1, segmentCount(row.line - 1) - 1};
    return true;
}

QFont TextRows::fontOf(const FormattedRun &format) const
{
    QFont font = m_font;
    if (!format.fontName.isEmpty())
        font.setFamily(format.fontName);
    if (format.pointSize > 0)
        font.setPointSizeF(format.pointSize);
    font.setBold(format.bold);
    font.setItalic(format.italic);
    font.setUnderline(format.underline);
    return font;
}

std::unique_ptr<QTextLayout> TextRows::layOut(qsizetype start, qsizetype end) const
{
    const bool formatted = rich();
    const QFont base = formatted ? fontOf(m_spans->formats().at(m_spans->formatAt(start))) : m_font;
    auto layout = std::make_unique<QTextLayout>(m_document->mid(start, end - start), base);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(8 * QFontMetricsF(m_font).horizontalAdvance(u' '));
    layout->setTextOption(option);
    if (formatted) {
        QList<QTextLayout::FormatRange> ranges;
        for (const FormattedRun &run : m_spans->runsIn(start, end)) {
            QTextCharFormat format;
            format.setFont(fontOf(run));
            if (run.hasColour)
                format.setForeground(QColor::fromRgba(run.colour | 0xFF000000u));
            ranges.append({int(run.start - start), int(run.length), format});
        }
        layout->setFormats(ranges);
    }
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    if (line.isValid()) {
        line.setLineWidth(UnwrappedWidth);
        line.setPosition(QPointF(0, 0));
    }
    layout->endLayout();
    return layout;
}

const TextRows::Row &TextRows::row(RowRef ref)
{
    auto found = m_cache.find(ref);
    if (found != m_cache.end())
        return found->second;
    Row row;
    row.layout = layOut(rowStart(ref), rowEnd(ref));
    const QTextLine line = row.layout->lineAt(0);
    row.width = line.isValid() ? line.naturalTextWidth() : 0;
    row.height = line.isValid() ? line.height() : QFontMetricsF(row.layout->font()).height();
    if (rich()) {
        const qsizetype lineStart = m_document->positions().lineStart(ref.line);
        row.alignment = m_spans->formats().at(m_spans->formatAt(lineStart)).alignment;
    }
    m_maxWidth = std::max(m_maxWidth, row.width);
    return m_cache.emplace(ref, std::move(row)).first->second;
}

qsizetype TextRows::positionAt(RowRef ref, qreal x)
{
    const QTextLine line = row(ref).layout->lineAt(0);
    return rowStart(ref)
        + (line.isValid() ? line.xToCursor(x, QTextLine::CursorBetweenCharacters) : 0);
}

qreal TextRows::xOf(qsizetype pos)
{
    const RowRef ref = rowOf(pos);
    const QTextLine line = row(ref).layout->lineAt(0);
    return line.isValid() ? line.cursorToX(int(pos - rowStart(ref))) : 0;
}

qsizetype TextRows::nextPosition(qsizetype pos, QTextLayout::CursorMode mode)
{
    if (!m_document)
        return 0;
    const RowRef ref = rowOf(pos);
    const qsizetype start = rowStart(ref);
    const qsizetype end = rowEnd(ref);
    if (pos >= end) {
        // Past the line break, to the start of the next line.
        RowRef after = ref;
        return next(after) ? rowStart(after) : end;
    }
    return start + row(ref).layout->nextCursorPosition(int(pos - start), mode);
}

qsizetype TextRows::previousPosition(qsizetype pos, QTextLayout::CursorMode mode)
{
    if (!m_document)
        return 0;
    RowRef ref = rowOf(pos);
    if (pos <= rowStart(ref)) {
        if (!previous(ref))
            return 0;
        // Back over the line break to the end of the line before, or into the row before.
        if (endsLine(ref))
            return rowEnd(ref);
    }
    const qsizetype start = rowStart(ref);
    const qsizetype inRow = std::min(pos, rowEnd(ref)) - start;
    return start + row(ref).layout->previousCursorPosition(int(inRow), mode);
}
