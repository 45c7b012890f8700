#include "rtf/RtfDocument.h"

#include "rtf/RtfCodePages.h"
#include "rtf/RtfParser.h"
#include "rtf/RtfRunCollector.h"
#include "rtf/RtfSplice.h"
#include "rtf/RtfTextMapBuilder.h"

#include <algorithm>

struct RtfDocument::Plan {
    qsizetype pos = 0;
    qsizetype end = 0;
    qsizetype sourceBegin = 0;
    qsizetype sourceEnd = 0;
    qsizetype firstUnit = 0;
    qsizetype unitCount = 0;
    bool removes = false; // the units replaced are removed text, not a literal split in two
    RtfInsertContext context;
    std::optional<quint8> leftUnit; // flags of a text unit ending where the edit starts
    std::optional<RtfTextUnit> prefix;
    std::optional<RtfTextUnit> suffix;
};

namespace {

RtfInsertContext contextOf(const RtfTextUnit &unit)
{
    return RtfInsertContext{unit.codePage, unit.uc, unit.depth};
}

// A piece of a literal unit: `length` characters from `offset`.
RtfTextUnit slice(RtfTextUnit unit, qsizetype offset, qsizetype length)
{
    unit.plainPos += offset;
    unit.sourcePos += offset;
    unit.plainLength = qint32(length);
    unit.sourceLength = qint32(length);
    return unit;
}

std::span<const QChar> chars(const QString &text)
{
    return {text.constData(), size_t(text.size())};
}

} // namespace

RtfDocument::RtfDocument() : m_pages(std::make_unique<RtfCodePages>())
{
}
RtfDocument::RtfDocument(RtfDocument &&) noexcept = default;

RtfDocument::RtfDocument(const RtfDocument &other)
    : m_pages(std::make_unique<RtfCodePages>())
    , m_source(other.m_source)
    , m_plain(other.m_plain)
    , m_units(other.m_units)
    , m_binary(other.m_binary)
    , m_endFromEnd(other.m_endFromEnd)
    , m_endContext(other.m_endContext)
    , m_endInBody(other.m_endInBody)
    , m_codePage(other.m_codePage)
{
}

RtfDocument &RtfDocument::operator=(const RtfDocument &other)
{
    if (this != &other)
        *this = RtfDocument(other);
    return *this;
}
RtfDocument &RtfDocument::operator=(RtfDocument &&) noexcept = default;
RtfDocument::~RtfDocument() = default;

std::optional<RtfDocument> RtfDocument::fromRtf(const QByteArray &bytes)
{
    RtfDocument document;
    RtfTextMapBuilder builder;
    RtfParser parser(bytes, *document.m_pages);
    const RtfParseResult result = parser.parse(builder);
    if (!result.valid)
        return std::nullopt;
    document.m_source = GapBuffer<QByteArray>(bytes);
    document.m_plain = GapBuffer<QString>(builder.plainText());
    document.m_units.reset(std::move(builder.units()), builder.plainText().size(), bytes.size());
    document.m_binary.reset(RtfBinarySpans::scan(bytes, 0));
    document.m_endFromEnd = bytes.size() - result.endInsertPos;
    document.m_endContext = RtfInsertContext{result.endCodePage, result.endUc, result.endDepth};
    document.m_endInBody = result.endInBody;
    document.m_codePage = result.codePage;
    return document;
}

QString RtfDocument::plainText() const
{
    return mid(0, length());
}

QString RtfDocument::mid(qsizetype pos, qsizetype count) const
{
    pos = std::clamp<qsizetype>(pos, 0, length());
    count = std::clamp<qsizetype>(count, 0, length() - pos);
    QString text;
    text.reserve(count);
    m_plain.appendTo(text, pos, count);
    return text;
}

DocumentView RtfDocument::view(qsizetype from)
{
    from = std::clamp<qsizetype>(from, 0, length());
    if (m_plain.gapPosition() > from)
        m_plain.moveGap(from);
    const std::span<const QChar> tail = m_plain.after();
    return DocumentView(QStringView(tail.data(), qsizetype(tail.size())), m_plain.gapPosition());
}

QByteArray RtfDocument::toRtf() const
{
    QByteArray bytes;
    bytes.reserve(m_source.size());
    m_source.appendTo(bytes, 0, m_source.size());
    return bytes;
}

QList<FormattedRun> RtfDocument::formattedRuns() const
{
    const QByteArray bytes = toRtf();
    RtfRunCollector collector;
    RtfParser parser(bytes, *m_pages);
    parser.parse(collector);
    return collector.finish(parser, *m_pages);
}

std::optional<TextEdit> RtfDocument::replace(qsizetype pos, qsizetype count, QStringView text)
{
    pos = std::clamp<qsizetype>(pos, 0, length());
    qsizetype end = pos + std::clamp<qsizetype>(count, 0, length() - pos);
    widen(pos, end);
    if (end == pos && text.isEmpty())
        return TextEdit{pos, 0, {}};
    const std::optional<Plan> plan = end > pos ? planRemoval(pos, end) : planInsertion(pos);
    if (!plan)
        return std::nullopt;
    RtfEscaper escaper(*m_pages);
    return apply(*plan, escaper.escape(text, plan->context));
}

void RtfDocument::widen(qsizetype &pos, qsizetype &end) const
{
    const bool removal = end > pos;
    const qsizetype first = m_units.indexAtPlain(pos);
    if (first < m_units.size()) {
        const RtfTextUnit unit = m_units.at(first);
        if (!unit.has(RtfTextUnit::Literal))
            pos = std::min(pos, unit.plainPos);
    }
    if (pos > 0 && pos < length() && m_plain.at(pos).isLowSurrogate()
        && m_plain.at(pos - 1).isHighSurrogate())
        --pos;
    if (!removal) {
        end = pos;
        return;
    }
    const RtfTextUnit last = m_units.at(m_units.indexAtPlain(end - 1));
    if (!last.has(RtfTextUnit::Literal))
        end = std::max(end, last.plainEnd());
    if (end < length() && m_plain.at(end).isLowSurrogate() && m_plain.at(end - 1).isHighSurrogate())
        ++end;
}

RtfDocument::Plan RtfDocument::planRemoval(qsizetype pos, qsizetype end) const
{
    Plan plan;
    plan.pos = pos;
    plan.end = end;
    plan.removes = true;
    plan.firstUnit = m_units.indexAtPlain(pos);
    const qsizetype lastUnit = m_units.indexAtPlain(end - 1);
    plan.unitCount = lastUnit - plan.firstUnit + 1;
    const RtfTextUnit head = m_units.at(plan.firstUnit);
    const RtfTextUnit tail = m_units.at(lastUnit);
    plan.context = contextOf(head);
    plan.sourceBegin = head.sourcePos;
    if (head.has(RtfTextUnit::Literal) && pos > head.plainPos) {
        plan.prefix = slice(head, 0, pos - head.plainPos);
        plan.sourceBegin = plan.prefix->sourceEnd();
        plan.leftUnit = plan.prefix->flags;
    } else {
        plan.leftUnit = m_units.flagsEndingAt(plan.firstUnit, plan.sourceBegin);
    }
    plan.sourceEnd = tail.sourceEnd();
    if (tail.has(RtfTextUnit::Literal) && end < tail.plainEnd()) {
        plan.suffix = slice(tail, end - tail.plainPos, tail.plainEnd() - end);
        plan.sourceEnd = plan.suffix->sourcePos;
    }
    return plan;
}

// Where inserted text goes: after the character before `pos` unless that ends a line or a
// cell, else before the character at `pos`, else after the last one, else where a document
// without text takes its text.
std::optional<RtfDocument::Plan> RtfDocument::planInsertion(qsizetype pos) const
{
    Plan plan;
    plan.pos = plan.end = pos;
    if (pos > 0) {
        const qsizetype index = m_units.indexAtPlain(pos - 1);
        const RtfTextUnit before = m_units.at(index);
        if (m_plain.at(pos - 1) != u'\n' && !before.has(RtfTextUnit::Kept)) {
            plan.context = contextOf(before);
            if (pos < before.plainEnd()) {
                plan.firstUnit = index;
                plan.unitCount = 1;
                plan.prefix = slice(before, 0, pos - before.plainPos);
                plan.suffix = slice(before, pos - before.plainPos, before.plainEnd() - pos);
                plan.sourceBegin = plan.sourceEnd = plan.suffix->sourcePos;
                plan.leftUnit = plan.prefix->flags;
            } else {
                plan.firstUnit = index + 1;
                plan.sourceBegin = plan.sourceEnd = before.sourceEnd();
                plan.leftUnit = before.flags;
            }
            return plan;
        }
    }
    const qsizetype next = m_units.indexAtPlain(pos);
    if (next < m_units.size() || pos > 0) {
        const bool atEnd = next >= m_units.size();
        const RtfTextUnit unit = m_units.at(atEnd ? m_units.size() - 1 : next);
        plan.context = contextOf(unit);
        plan.firstUnit = next;
        plan.sourceBegin = plan.sourceEnd = atEnd ? unit.sourceEnd() : unit.sourcePos;
        plan.leftUnit = atEnd ? std::optional<quint8>(unit.flags)
                              : m_units.flagsEndingAt(next, plan.sourceBegin);
        return plan;
    }
    if (!m_endInBody)
        return std::nullopt;
    plan.context = m_endContext;
    plan.sourceBegin = plan.sourceEnd = m_source.size() - m_endFromEnd;
    return plan;
}

std::optional<TextEdit> RtfDocument::apply(const Plan &plan, const RtfEscapedText &text)
{
    m_source.moveGap(plan.sourceBegin);
    // \bin data before the seam is no token and must not be read as one.
    const qsizetype tokensFrom = m_binary.floorAt(plan.sourceBegin);
    const std::span<const char> left = m_source.before().subspan(size_t(tokensFrom));
    RtfSplice splice(QByteArrayView(left.data(), qsizetype(left.size())), plan.sourceBegin,
                     plan.pos, plan.leftUnit);
    splice.addText(text);
    int depth = plan.context.depth;
    for (qsizetype k = plan.firstUnit; plan.removes && k < plan.firstUnit + plan.unitCount; ++k) {
        const RtfTextUnit unit = m_units.at(k);
        depth = std::max<int>(depth, unit.depth);
        if (k > plan.firstUnit)
            splice.addKept(sourceAfterGap(m_units.at(k - 1).sourceEnd(), unit.sourcePos));
        if (unit.has(RtfTextUnit::Kept))
            splice.addKeptUnit(sourceAfterGap(unit.sourcePos, unit.sourceEnd()), unit,
                               mid(unit.plainPos, unit.plainLength));
    }
    splice.close(byteAt(plan.sourceEnd));
    if (splice.addsGroup() && depth >= RtfParser::MaxDepth)
        return std::nullopt;

    std::vector<RtfTextUnit> units;
    if (plan.prefix)
        units.push_back(*plan.prefix);
    units.insert(units.end(), splice.units().begin(), splice.units().end());
    if (plan.suffix) {
        RtfTextUnit suffix = *plan.suffix;
        suffix.sourcePos = plan.sourceBegin + splice.bytes().size();
        suffix.plainPos = plan.pos + splice.plain().size();
        units.push_back(suffix);
    }
    const qsizetype plainDelta = splice.plain().size() - (plan.end - plan.pos);
    const qsizetype sourceDelta = splice.bytes().size() - (plan.sourceEnd - plan.sourceBegin);
    m_source.replace(plan.sourceBegin, plan.sourceEnd - plan.sourceBegin,
                     {splice.bytes().constData(), size_t(splice.bytes().size())});
    m_plain.replace(plan.pos, plan.end - plan.pos, chars(splice.plain()));
    m_units.replace(plan.firstUnit, plan.unitCount, units, plainDelta, sourceDelta);
    m_binary.replace(plan.sourceBegin, plan.sourceEnd, splice.binaryEnds(), sourceDelta);
    return TextEdit{plan.pos, plan.end - plan.pos, splice.plain()};
}

// Source bytes at or after the gap.
QByteArrayView RtfDocument::sourceAfterGap(qsizetype begin, qsizetype end) const
{
    const std::span<const char> after = m_source.after();
    const qsizetype offset = begin - m_source.gapPosition();
    return QByteArrayView(after.data() + offset, end - begin);
}

int RtfDocument::byteAt(qsizetype pos) const
{
    return pos < m_source.size() ? int(uchar(m_source.at(pos))) : -1;
}
