#include "rtf/RtfEscaper.h"

#include "rtf/RtfCodePages.h"

namespace {

constexpr char Hex[] = "0123456789abcdef";

QByteArray hexEscapes(const QByteArray &bytes)
{
    QByteArray out;
    for (const char byte : bytes) {
        out += "\\'";
        out += Hex[uchar(byte) >> 4];
        out += Hex[uchar(byte) & 15];
    }
    return out;
}

bool isBreak(QChar ch)
{
    return ch == u'\r' || ch == u'\n';
}

} // namespace

RtfEscapedText RtfEscaper::escape(QStringView text, const RtfInsertContext &context)
{
    m_out = RtfEscapedText{};
    m_context = context;
    RtfCodePage &page = m_pages.page(context.codePage);
    for (qsizetype i = 0; i < text.size();) {
        const char16_t ch = text.at(i).unicode();
        if (isBreak(text.at(i))) {
            const bool pair = ch == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n';
            addAtom(QByteArrayLiteral("\\par "), u"\r\n", context.uc, context.depth);
            i += pair ? 2 : 1;
        } else if (needsUnicode(ch, page)) {
            i = unicodeRun(text, i, page);
        } else {
            if (ch == u'\t')
                addAtom(QByteArrayLiteral("\\tab "), u"\t", context.uc, context.depth);
            else if (ch == u'\\' || ch == u'{' || ch == u'}')
                addAtom(QByteArray(1, '\\') + char(ch), QStringView(&ch, 1), context.uc,
                        context.depth);
            else if (ch >= 0x20 && ch < 0x7F)
                addLiteral(char(ch));
            else
                addAtom(hexEscapes(page.encode(ch)), QStringView(&ch, 1), context.uc,
                        context.depth);
            ++i;
        }
    }
    return std::move(m_out);
}

bool RtfEscaper::needsUnicode(char16_t ch, RtfCodePage &page)
{
    if (ch < 0x80)
        return false;
    return page.encode(ch).isEmpty();
}

// Characters the code page cannot carry, as many in a row as there are.
qsizetype RtfEscaper::unicodeRun(QStringView text, qsizetype from, RtfCodePage &page)
{
    const bool wrap = m_context.uc != 1;
    if (wrap) {
        m_out.bytes += "{\\uc1";
        m_out.addsGroup = true;
    }
    const int depth = m_context.depth + (wrap ? 1 : 0);
    qsizetype i = from;
    while (i < text.size() && !isBreak(text.at(i)) && needsUnicode(text.at(i).unicode(), page))
        addUnicode(text.at(i++).unicode(), depth);
    if (wrap)
        m_out.bytes += '}';
    return i;
}

void RtfEscaper::addUnicode(char16_t ch, int depth)
{
    const int signedValue = ch > 0x7FFF ? int(ch) - 0x10000 : int(ch);
    addAtom("\\u" + QByteArray::number(signedValue) + '?', QStringView(&ch, 1), 1, depth);
}

void RtfEscaper::addLiteral(char byte)
{
    if (!m_out.units.empty()) {
        RtfTextUnit &last = m_out.units.back();
        if (last.flags == RtfTextUnit::Literal && last.sourceEnd() == m_out.bytes.size()) {
            ++last.plainLength;
            ++last.sourceLength;
            m_out.bytes += byte;
            m_out.plain += QLatin1Char(byte);
            return;
        }
    }
    addAtom(QByteArray(1, byte), QString(QLatin1Char(byte)), m_context.uc, m_context.depth);
    m_out.units.back().flags = RtfTextUnit::Literal;
}

void RtfEscaper::addAtom(const QByteArray &bytes, QStringView chars, int uc, int depth)
{
    RtfTextUnit unit;
    unit.plainPos = m_out.plain.size();
    unit.sourcePos = m_out.bytes.size();
    unit.plainLength = qint32(chars.size());
    unit.sourceLength = qint32(bytes.size());
    unit.codePage = quint16(m_context.codePage);
    unit.depth = quint16(depth);
    unit.uc = quint8(uc);
    m_out.units.push_back(unit);
    m_out.bytes += bytes;
    m_out.plain += chars;
}
