#include "document/HtmlCharset.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <optional>

namespace {

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

bool isAsciiLetter(char c)
{
    return asciiLower(c) >= 'a' && asciiLower(c) <= 'z';
}

// ASCII letters compared without regard to case, as HTML compares names.
bool equalsNoCase(QByteArrayView bytes, QByteArrayView word)
{
    if (bytes.size() != word.size())
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (asciiLower(bytes[i]) != asciiLower(word[i]))
            return false;
    }
    return true;
}

bool startsWithNoCase(QByteArrayView bytes, qsizetype at, QByteArrayView lowerWord)
{
    return at + lowerWord.size() <= bytes.size()
        && equalsNoCase(bytes.sliced(at, lowerWord.size()), lowerWord);
}

qsizetype indexOfNoCase(QByteArrayView bytes, QByteArrayView lowerWord, qsizetype from = 0)
{
    for (qsizetype at = from; at + lowerWord.size() <= bytes.size(); ++at) {
        if (asciiLower(bytes[at]) == lowerWord[0] && startsWithNoCase(bytes, at, lowerWord))
            return at;
    }
    return -1;
}

QByteArray lowerTrimmed(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && HtmlCharset::isSpace(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && HtmlCharset::isSpace(bytes.back()))
        bytes.chop(1);
    QByteArray lower(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        lower[i] = asciiLower(bytes[i]);
    return lower;
}

// The charset named in a content attribute ("text/html; charset=koi8-r"); empty for none.
QByteArray charsetInContent(QByteArrayView content)
{
    const qsizetype size = content.size();
    qsizetype at = 0;
    while ((at = indexOfNoCase(content, "charset", at)) >= 0) {
        at += 7;
        while (at < size && HtmlCharset::isSpace(content[at]))
            ++at;
        if (at == size || content[at] != '=')
            continue;
        ++at;
        while (at < size && HtmlCharset::isSpace(content[at]))
            ++at;
        if (at == size)
            return {};
        const char quote = content[at];
        if (quote == '"' || quote == '\'') {
            const qsizetype close = content.indexOf(quote, at + 1);
            return close < 0 ? QByteArray() : lowerTrimmed(content.sliced(at + 1, close - at - 1));
        }
        qsizetype end = at;
        while (end < size && !HtmlCharset::isSpace(content[end]) && content[end] != ';')
            ++end;
        return lowerTrimmed(content.sliced(at, end - at));
    }
    return {};
}

struct Attribute {
    QByteArrayView name;
    QByteArrayView value;
};

// The prescan of a head: tags and their attributes as a browser reads them before it knows
// the encoding. Attributes that reach past the head's end are not read.
class Prescan {
public:
    explicit Prescan(QByteArrayView head) : m_head(head) { }

    QByteArray charset();

private:
    bool atEnd() const { return m_at >= m_head.size(); }
    char byte() const { return m_head[m_at]; }
    void skipSpace()
    {
        while (!atEnd() && HtmlCharset::isSpace(byte()))
            ++m_at;
    }
    // The next attribute of a tag; none at its ">" or at the head's end.
    std::optional<Attribute> attribute();
    std::optional<Attribute> value(Attribute attribute);
    QByteArray metaCharset();
    // Moves to `text` from `from` on (to its last byte); false at the head's end.
    bool skipTo(QByteArrayView text, qsizetype from);

    QByteArrayView m_head;
    qsizetype m_at = 0;
};

QByteArray Prescan::charset()
{
    for (; !atEnd(); ++m_at) {
        if (byte() != '<')
            continue;
        const char next = m_at + 1 < m_head.size() ? m_head[m_at + 1] : '\0';
        const char after = m_at + 2 < m_head.size() ? m_head[m_at + 2] : '\0';
        if (m_head.sliced(m_at).startsWith("<!--")) {
            if (!skipTo("-->", m_at + 2))
                return {};
        } else if (startsWithNoCase(m_head, m_at, "<meta") && m_at + 5 < m_head.size()
                   && (HtmlCharset::isSpace(m_head[m_at + 5]) || m_head[m_at + 5] == '/')) {
            m_at += 5;
            QByteArray charset = metaCharset();
            if (!charset.isEmpty() || atEnd())
                return charset;
        } else if (isAsciiLetter(next) || (next == '/' && isAsciiLetter(after))) {
            while (!atEnd() && !HtmlCharset::isSpace(byte()) && byte() != '>')
                ++m_at;
            while (attribute()) { }
            if (atEnd())
                return {};
        } else if (next == '!' || next == '/' || next == '?') {
            if (!skipTo(">", m_at))
                return {};
        }
    }
    return {};
}

bool Prescan::skipTo(QByteArrayView text, qsizetype from)
{
    const qsizetype found = m_head.indexOf(text, from);
    m_at = found < 0 ? m_head.size() : found + text.size() - 1;
    return found >= 0;
}

std::optional<Attribute> Prescan::attribute()
{
    while (!atEnd() && (HtmlCharset::isSpace(byte()) || byte() == '/'))
        ++m_at;
    if (atEnd() || byte() == '>')
        return std::nullopt;
    const qsizetype start = m_at;
    // A name ends at "=" (unless it would be empty), white space, "/" or ">".
    while (!atEnd() && (byte() != '=' || m_at == start) && !HtmlCharset::isSpace(byte())
           && byte() != '/' && byte() != '>')
        ++m_at;
    if (atEnd())
        return std::nullopt;
    Attribute attribute{m_head.sliced(start, m_at - start), {}};
    if (byte() == '/' || byte() == '>')
        return attribute;
    skipSpace();
    if (atEnd())
        return std::nullopt;
    if (byte() != '=')
        return attribute;
    ++m_at;
    return value(attribute);
}

std::optional<Attribute> Prescan::value(Attribute attribute)
{
    skipSpace();
    if (atEnd())
        return std::nullopt;
    const char quote = byte();
    if (quote == '"' || quote == '\'') {
        const qsizetype start = m_at + 1;
        if (!skipTo(QByteArrayView(&quote, 1), start))
            return std::nullopt;
        attribute.value = m_head.sliced(start, m_at - start);
        ++m_at;
        return attribute;
    }
    const qsizetype start = m_at;
    while (!atEnd() && !HtmlCharset::isSpace(byte()) && byte() != '>')
        ++m_at;
    if (atEnd())
        return std::nullopt;
    attribute.value = m_head.sliced(start, m_at - start);
    return attribute;
}

// The charset of one <meta> tag; m_at stands just after "<meta". A content attribute counts
// only beside http-equiv="content-type"; a charset attribute wins over it.
QByteArray Prescan::metaCharset()
{
    QVarLengthArray<QByteArrayView, 8> seen;
    bool gotPragma = false;
    std::optional<bool> needPragma;
    std::optional<QByteArray> charset;
    while (const auto attribute = this->attribute()) {
        const auto same = [&](QByteArrayView name) { return equalsNoCase(attribute->name, name); };
        if (std::any_of(seen.cbegin(), seen.cend(), same))
            continue; // only the first of two attributes of one name counts
        seen.append(attribute->name);
        if (equalsNoCase(attribute->name, "http-equiv")) {
            gotPragma = equalsNoCase(attribute->value, "content-type");
        } else if (equalsNoCase(attribute->name, "content") && !charset) {
            QByteArray inContent = charsetInContent(attribute->value);
            if (!inContent.isEmpty()) {
                charset = std::move(inContent);
                needPragma = true;
            }
        } else if (equalsNoCase(attribute->name, "charset")) {
            charset = lowerTrimmed(attribute->value);
            needPragma = false;
        }
    }
    if (atEnd() || !needPragma || (*needPragma && !gotPragma))
        return {};
    return charset.value_or(QByteArray());
}

} // namespace

bool HtmlCharset::isHtmlName(QStringView fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    const QStringView ext = fileName.sliced(dot + 1);
    for (const char16_t *html : {u"htm", u"html", u"shtm", u"shtml"}) {
        if (ext.compare(QStringView(html), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

HtmlCharset::Declaration HtmlCharset::read(QByteArrayView bytes)
{
    const QByteArrayView head = bytes.first(std::min(bytes.size(), kHeadSize));
    // Lower-cased once, so that the words are looked for at the library's speed (every HTML
    // file of a byte run comes here).
    std::array<char, kHeadSize> lowered;
    std::transform(head.begin(), head.end(), lowered.begin(), asciiLower);
    const QByteArrayView lower(lowered.data(), head.size());
    Declaration declaration;
    // Most files declare nothing: no tag is read in a head without "<meta".
    if (lower.indexOf("<meta") >= 0)
        declaration.charset = Prescan(head).charset();
    declaration.doubtful = declaration.charset.isEmpty() && lower.indexOf("charset") >= 0;
    return declaration;
}
