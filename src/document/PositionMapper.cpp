#include "document/PositionMapper.h"

#include <algorithm>

// Reads characters in order and records the line starts they make. A line starts after an LF,
// and after a CR that no LF follows; the paragraph offset grows by one for every character
// except the LF of a CR LF.
struct PositionMapper::Scan {
    qsizetype pos = 0;
    qsizetype paragraph = 0;
    QChar prev;
    std::vector<Entry> *out = nullptr;

    void feed(QChar c)
    {
        const bool crlf = prev == u'\r' && c == u'\n';
        if (prev == u'\n' || (prev == u'\r' && !crlf))
            out->push_back({pos, paragraph});
        paragraph += crlf ? 0 : 1;
        prev = c;
        ++pos;
    }

    void feed(QStringView text)
    {
        for (const QChar c : text) {
            // Most characters are neither CR nor LF, nor follow one.
            if (c.unicode() > u'\r' && prev.unicode() > u'\r') {
                ++paragraph;
                prev = c;
                ++pos;
            } else {
                feed(c);
            }
        }
    }

    // The end of the text: a line break there starts an empty last line.
    void finish()
    {
        if (prev == u'\n' || prev == u'\r')
            out->push_back({pos, paragraph});
    }
};

PositionMapper::PositionMapper(QStringView text, QStringView more)
{
    std::vector<Entry> lines;
    Scan scan{0, 0, QChar(), &lines};
    scan.feed(text);
    scan.feed(more);
    scan.finish();
    m_lines = GapBuffer<std::vector<Entry>>(std::move(lines));
    m_length = text.size() + more.size();
}

void PositionMapper::applyEdit(const TextEdit &edit, QChar before, QChar after)
{
    const qsizetype pos = edit.pos;
    const qsizetype oldEnd = pos + edit.removed;
    const bool hasAfter = oldEnd < m_length;
    // What the old text says about the lines around the edit, read before anything changes:
    // nothing before `pos` changed, so neither did its paragraph offset; past the character
    // after the edit every line moves by one step.
    const qsizetype paragraphAtPos = toParagraphOffset(pos);
    const qsizetype oldParagraphPast = hasAfter ? toParagraphOffset(oldEnd + 1) : 0;
    const qsizetype first = firstAfter(pos - 1);
    const qsizetype last = hasAfter ? firstAfter(oldEnd + 1) : m_lines.size();
    const bool lineAfterCr = hasAfter && last > firstAfter(oldEnd);

    std::vector<Entry> lines;
    Scan scan{pos, paragraphAtPos, pos > 0 ? before : QChar(), &lines};
    scan.feed(QStringView(edit.text));
    if (hasAfter) {
        scan.feed(after);
        // The line start right after `after` depends on the character after it, which the
        // edit did not change: an LF always starts one, a CR only if it did before.
        if (after == u'\n' || (after == u'\r' && lineAfterCr))
            lines.push_back({scan.pos, scan.paragraph});
    } else {
        scan.finish();
    }

    const Entry delta{edit.inserted() - edit.removed,
                      hasAfter ? scan.paragraph - oldParagraphPast : 0};
    moveStepTo(last);
    m_lines.replace(first, last - first, std::span<const Entry>(lines.data(), lines.size()));
    m_step.index = first + qsizetype(lines.size());
    m_step.delta.start += delta.start;
    m_step.delta.paragraph += delta.paragraph;
    m_length += delta.start;
}

qsizetype PositionMapper::lineOf(qsizetype offset) const
{
    return firstAfter(std::clamp<qsizetype>(offset, 0, m_length));
}

qsizetype PositionMapper::lineEnd(qsizetype line) const
{
    if (line + 1 >= lineCount())
        return m_length;
    const Entry here = entry(line);
    const Entry next = entry(line + 1);
    // The break is one character, or two when the next line's paragraph offset grew by less
    // than its start.
    const qsizetype breakLength = (next.start - here.start) - (next.paragraph - here.paragraph) + 1;
    return next.start - breakLength;
}

LineColumn PositionMapper::lineColumn(qsizetype offset) const
{
    offset = std::clamp<qsizetype>(offset, 0, m_length);
    const qsizetype line = lineOf(offset);
    return {line + 1, offset - lineStart(line) + 1};
}

qsizetype PositionMapper::offsetOf(LineColumn position) const
{
    const qsizetype line = std::clamp<qsizetype>(position.line - 1, 0, lineCount() - 1);
    const qsizetype start = lineStart(line);
    return start + std::clamp<qsizetype>(position.column - 1, 0, lineEnd(line) - start);
}

qsizetype PositionMapper::toParagraphOffset(qsizetype offset) const
{
    offset = std::clamp<qsizetype>(offset, 0, m_length);
    const Entry line = entry(lineOf(offset));
    return line.paragraph + (offset - line.start);
}

qsizetype PositionMapper::fromParagraphOffset(qsizetype paragraphOffset) const
{
    paragraphOffset = std::clamp<qsizetype>(paragraphOffset, 0, toParagraphOffset(m_length));
    const Entry line = entry(firstAfter(paragraphOffset, &Entry::paragraph));
    return std::min(line.start + (paragraphOffset - line.paragraph), m_length);
}

PositionMapper::Entry PositionMapper::entry(qsizetype line) const
{
    if (line <= 0)
        return {};
    Entry e = m_lines.at(line - 1);
    if (line - 1 >= m_step.index) {
        e.start += m_step.delta.start;
        e.paragraph += m_step.delta.paragraph;
    }
    return e;
}

// The entries ascend in both fields, so one binary search serves either.
qsizetype PositionMapper::firstAfter(qsizetype value, qsizetype Entry::*field) const
{
    qsizetype low = 0;
    qsizetype high = m_lines.size();
    while (low < high) {
        const qsizetype mid = low + (high - low) / 2;
        if (entry(mid + 1).*field <= value)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

void PositionMapper::moveStepTo(qsizetype index)
{
    const Entry d = m_step.delta;
    if (d.start == 0 && d.paragraph == 0) {
        m_step.index = index;
        return;
    }
    const qsizetype sign = index > m_step.index ? 1 : -1;
    for (qsizetype i = std::min(index, m_step.index); i < std::max(index, m_step.index); ++i) {
        Entry e = m_lines.at(i);
        e.start += sign * d.start;
        e.paragraph += sign * d.paragraph;
        m_lines.set(i, e);
    }
    m_step.index = index;
}
