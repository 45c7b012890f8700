#include "review/FormatSpans.h"

#include <QHash>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The format alone, without the stretch it covered.
FormattedRun formatOf(const FormattedRun &run)
{
    FormattedRun format = run;
    format.start = 0;
    format.length = 0;
    return format;
}

QString keyOf(const FormattedRun &f)
{
    return f.fontName + u'\n' + QString::number(f.pointSize) + u'\n'
        + QString::number(int(f.bold) | int(f.italic) << 1 | int(f.underline) << 2
                          | int(f.hasColour) << 3 | int(f.alignment) << 4)
        + u'\n' + QString::number(f.colour);
}

} // namespace

void FormatSpans::reset(const QList<FormattedRun> &runs, qsizetype length)
{
    m_formats.clear();
    m_spans.clear();
    m_length = std::max<qsizetype>(length, 0);
    QHash<QString, int> known;
    for (const FormattedRun &run : runs) {
        const qsizetype start = std::max<qsizetype>(run.start, 0);
        if (run.length <= 0 || start >= m_length)
            continue;
        const QString key = keyOf(run);
        int format = known.value(key, -1);
        if (format < 0) {
            format = int(m_formats.size());
            known.insert(key, format);
            m_formats.append(formatOf(run));
        }
        if (m_spans.empty()) {
            m_spans.push_back({0, format});
        } else if (start == m_spans.back().start) {
            m_spans.back().format = format;
        } else if (start > m_spans.back().start && format != m_spans.back().format) {
            m_spans.push_back({start, format});
        }
    }
    // A document without runs shows in the viewer's defaults.
    if (m_formats.isEmpty())
        m_formats.append(FormattedRun());
    if (m_spans.empty() && m_length > 0)
        m_spans.push_back({0, 0});
}

qsizetype FormatSpans::spanAt(qsizetype pos) const
{
    const auto after = std::upper_bound(m_spans.begin(), m_spans.end(), pos,
                                        [](qsizetype p, const Span &s) { return p < s.start; });
    return std::max<qsizetype>(after - m_spans.begin() - 1, 0);
}

int FormatSpans::formatAt(qsizetype pos) const
{
    return m_spans.empty() ? 0 : m_spans[size_t(spanAt(pos))].format;
}

void FormatSpans::applyEdit(const TextEdit &edit, bool atLineStart)
{
    const qsizetype pos = std::clamp<qsizetype>(edit.pos, 0, m_length);
    const qsizetype end = std::min(pos + edit.removed, m_length);
    const qsizetype inserted = edit.inserted();
    const qsizetype delta = inserted - (end - pos);
    int format = formatAt(pos);
    if (end == pos && pos > 0 && (!atLineStart || pos == m_length))
        format = formatAt(pos - 1);

    std::vector<Span> middle;
    const qsizetype first = spanAt(pos);
    const qsizetype last = m_spans.empty() ? first - 1 : spanAt(end);
    if (!m_spans.empty() && m_spans[size_t(first)].start < pos)
        middle.push_back(m_spans[size_t(first)]);
    if (inserted > 0)
        middle.push_back({pos, format});
    if (end < m_length)
        middle.push_back({pos + inserted, m_spans[size_t(last)].format});

    m_spans.erase(m_spans.begin() + first, m_spans.begin() + last + 1);
    m_spans.insert(m_spans.begin() + first, middle.begin(), middle.end());
    for (auto it = m_spans.begin() + first + qsizetype(middle.size()); it != m_spans.end(); ++it)
        it->start += delta;
    m_length += delta;
    mergeAround(first);
}

void FormatSpans::mergeAround(qsizetype index)
{
    qsizetype i = std::max<qsizetype>(index, 1);
    const qsizetype stop = std::min<qsizetype>(index + 4, qsizetype(m_spans.size()));
    while (i < stop && i < qsizetype(m_spans.size())) {
        if (m_spans[size_t(i)].format == m_spans[size_t(i - 1)].format)
            m_spans.erase(m_spans.begin() + i);
        else
            ++i;
    }
}

QList<FormattedRun> FormatSpans::runsIn(qsizetype from, qsizetype to) const
{
    QList<FormattedRun> runs;
    from = std::clamp<qsizetype>(from, 0, m_length);
    to = std::clamp<qsizetype>(to, from, m_length);
    for (qsizetype i = spanAt(from); from < to && i < qsizetype(m_spans.size()); ++i) {
        const Span &span = m_spans[size_t(i)];
        if (span.start >= to)
            break;
        const qsizetype next
            = i + 1 < qsizetype(m_spans.size()) ? m_spans[size_t(i + 1)].start : m_length;
        FormattedRun run = m_formats.at(span.format);
        run.start = std::max(span.start, from);
        run.length = std::min(next, to) - run.start;
        if (run.length > 0)
            runs.append(run);
    }
    return runs;
}
