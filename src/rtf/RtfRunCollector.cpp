#include "rtf/RtfRunCollector.h"

#include "rtf/RtfParser.h"

void RtfRunCollector::text(const RtfTextEvent &event)
{
    const qsizetype size = event.chars.size();
    if (size == 0)
        return;
    const RtfCharFormat &chars = event.state->chars;
    const TextAlignment alignment = event.state->alignment;
    if (!m_runs.isEmpty() && m_runs.last().chars == chars && m_runs.last().alignment == alignment)
        m_runs.last().length += size;
    else
        m_runs.append(Run{m_length, size, chars, alignment});
    m_length += size;
}

QList<FormattedRun> RtfRunCollector::finish(const RtfParser &parser, RtfCodePages &pages) const
{
    QList<FormattedRun> runs;
    runs.reserve(m_runs.size());
    for (const Run &run : m_runs) {
        FormattedRun out;
        out.start = run.start;
        out.length = run.length;
        const int font = run.chars.font >= 0 ? run.chars.font : parser.defaultFont();
        out.fontName = parser.fonts().nameOf(font, parser.codePage(), pages);
        out.pointSize = run.chars.sizeHalfPoints / 2.0;
        out.bold = run.chars.bold;
        out.italic = run.chars.italic;
        out.underline = run.chars.underline;
        const std::optional<quint32> colour = parser.colours().colour(run.chars.colour);
        out.hasColour = colour.has_value();
        out.colour = colour.value_or(0xFF000000u);
        out.alignment = run.alignment;
        runs.append(out);
    }
    return runs;
}
