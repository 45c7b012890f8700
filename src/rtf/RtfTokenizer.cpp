#include "rtf/RtfTokenizer.h"

#include <algorithm>
#include <limits>

namespace {

bool isLetter(uchar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(uchar c)
{
    return c >= '0' && c <= '9';
}

int hexValue(uchar c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isTextByte(uchar c)
{
    return c == '\t' || (c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}');
}

bool isIgnoredByte(uchar c)
{
    return (c < 0x20 && c != '\t') || c == 0x7F;
}

RtfToken make(RtfTokenType type, qsizetype begin, qsizetype end)
{
    RtfToken token;
    token.type = type;
    token.begin = begin;
    token.end = end;
    return token;
}

} // namespace

RtfToken RtfTokenizer::next()
{
    const qsizetype begin = m_pos;
    if (begin >= m_data.size())
        return make(RtfTokenType::End, begin, begin);
    const uchar c = at(begin);
    if (c == '{' || c == '}') {
        m_pos = begin + 1;
        return make(c == '{' ? RtfTokenType::GroupOpen : RtfTokenType::GroupClose, begin, m_pos);
    }
    if (c == '\\')
        return escape(begin);
    if (c >= 0x80) {
        m_pos = begin + 1;
        RtfToken token = make(RtfTokenType::HighByte, begin, m_pos);
        token.value = c;
        return token;
    }
    if (isTextByte(c))
        return run(begin, RtfTokenType::Text, isTextByte);
    return run(begin, RtfTokenType::Ignored, isIgnoredByte);
}

RtfToken RtfTokenizer::run(qsizetype begin, RtfTokenType type, bool (*belongs)(uchar))
{
    const qsizetype limit = std::min(m_data.size(), begin + MaxRun);
    qsizetype end = begin + 1;
    while (end < limit && belongs(at(end)))
        ++end;
    m_pos = end;
    return make(type, begin, end);
}

RtfToken RtfTokenizer::escape(qsizetype begin)
{
    if (begin + 1 >= m_data.size()) {
        m_pos = begin + 1;
        RtfToken token = make(RtfTokenType::ControlSymbol, begin, m_pos);
        token.truncated = true;
        return token;
    }
    const uchar c = at(begin + 1);
    if (isLetter(c))
        return controlWord(begin);
    if (c == '\'')
        return hexByte(begin);
    m_pos = begin + 2;
    RtfToken token = make(RtfTokenType::ControlSymbol, begin, m_pos);
    token.value = c;
    return token;
}

// A \' without two hex digits is kept as an inert control symbol over the digits it has.
RtfToken RtfTokenizer::hexByte(qsizetype begin)
{
    qsizetype pos = begin + 2;
    int value = 0;
    int digits = 0;
    while (digits < 2 && pos < m_data.size() && hexValue(at(pos)) >= 0) {
        value = value * 16 + hexValue(at(pos));
        ++pos;
        ++digits;
    }
    m_pos = pos;
    RtfToken token
        = make(digits == 2 ? RtfTokenType::HexByte : RtfTokenType::ControlSymbol, begin, pos);
    token.value = digits == 2 ? uchar(value) : uchar('\'');
    token.truncated = digits < 2 && pos >= m_data.size();
    return token;
}

RtfToken RtfTokenizer::controlWord(qsizetype begin)
{
    qsizetype pos = begin + 1;
    while (pos < m_data.size() && isLetter(at(pos)))
        ++pos;
    m_pos = pos;
    RtfToken token = make(RtfTokenType::ControlWord, begin, pos);
    token.word = m_data.sliced(begin + 1, pos - begin - 1);
    readNumber(token);
    if (m_pos < m_data.size() && at(m_pos) == ' ')
        ++m_pos;
    token.end = m_pos;
    if (token.word == "bin" && token.hasParam)
        readBinary(token);
    return token;
}

void RtfTokenizer::readNumber(RtfToken &token)
{
    qsizetype pos = m_pos;
    const bool negative = pos + 1 < m_data.size() && at(pos) == '-' && isDigit(at(pos + 1));
    if (negative)
        ++pos;
    qint64 value = 0;
    const qint64 limit = std::numeric_limits<int>::max();
    const qsizetype digitsBegin = pos;
    while (pos < m_data.size() && isDigit(at(pos))) {
        value = std::min(limit, value * 10 + (at(pos) - '0'));
        ++pos;
    }
    if (pos == digitsBegin)
        return;
    token.hasParam = true;
    token.param = int(negative ? -value : value);
    m_pos = pos;
}

void RtfTokenizer::readBinary(RtfToken &token)
{
    const qsizetype wanted = std::max(token.param, 0);
    const qsizetype available = m_data.size() - m_pos;
    token.type = RtfTokenType::Binary;
    token.truncated = wanted > available;
    m_pos += std::min(wanted, available);
    token.end = m_pos;
}
