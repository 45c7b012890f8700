#include "document/ByteText.h"

#include "document/HtmlCharset.h"
#include "rtf/RtfReader.h"

#include <algorithm>
#include <cstring>

namespace {

// How much of an HTML file may declare its charset (as HtmlCharset reads it).
constexpr qsizetype HeadSize = HtmlCharset::kHeadSize;

bool isNameByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
        || c == '_' || c == '.' || c == ':';
}

// Character sets in which every ASCII byte is that character and no other byte is one.
bool isAsciiCompatibleName(QByteArrayView name)
{
    const QByteArray lower = name.toByteArray().toLower();
    for (const char *exact : {"utf-8", "utf8", "us-ascii", "ascii", "cp1251", "x-cp1251"}) {
        if (lower == exact)
            return true;
    }
    for (const char *family : {"iso-8859-", "iso8859-", "windows-125", "koi8-", "cp125"}) {
        if (lower.startsWith(family))
            return true;
    }
    return false;
}

// Every "charset = name" in the head, wherever it stands, names an ASCII-compatible set. A
// wider net than the declaration the general path honours, so it never lets a file through
// that the general path would read in another set.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Whether the word that ends just before `end` (blanks skipped) is "charset", in any case.
bool charsetEndsAt(QByteArrayView head, qsizetype end)
{
    while (end > 0 && isBlank(head[end - 1]))
        --end;
    constexpr qsizetype Length = 7;
    return end >= Length
        && head.sliced(end - Length, Length).compare("charset", Qt::CaseInsensitive) == 0;
}

// Every "charset = name" in the head, wherever it stands, names an ASCII-compatible set. A
// wider net than the declaration the general path honours, so it never lets a file through
// that the general path would read in another set. Found from the few "=" of the head rather
// than by folding its case.
bool headDeclaresOnlyAsciiSets(QByteArrayView bytes)
{
    const QByteArrayView head = bytes.first(std::min(bytes.size(), HeadSize));
    const char *data = head.data();
    for (qsizetype at = 0; at < head.size(); ++at) {
        const void *equals = std::memchr(data + at, '=', size_t(head.size() - at));
        if (!equals)
            break;
        at = static_cast<const char *>(equals) - data;
        if (!charsetEndsAt(head, at))
            continue;
        qsizetype start = at + 1;
        while (start < head.size()
               && (isBlank(head[start]) || head[start] == '"' || head[start] == '\''))
            ++start;
        qsizetype end = start;
        while (end < head.size() && isNameByte(head[end]))
            ++end;
        if (end > start && !isAsciiCompatibleName(head.sliced(start, end - start)))
            return false;
    }
    return true;
}

} // namespace

bool ByteText::isAsciiCompatible(QByteArrayView bytes, QStringView fileName)
{
    return isAsciiCompatibleButForNul(bytes, fileName) && !holdsNul(bytes);
}

bool ByteText::isAsciiCompatibleButForNul(QByteArrayView bytes, QStringView fileName)
{
    if (RtfReader::looksLikeRtf(bytes) || bytes.startsWith("\xFF\xFE")
        || bytes.startsWith("\xFE\xFF"))
        return false;
    return !HtmlCharset::isHtmlName(fileName) || headDeclaresOnlyAsciiSets(bytes);
}

bool ByteText::holdsNul(QByteArrayView bytes)
{
    return !bytes.isEmpty() && std::memchr(bytes.data(), 0, size_t(bytes.size())) != nullptr;
}

bool ByteText::holdsLettersFoldingToAscii(QByteArrayView bytes)
{
    return bytes.indexOf("\xC5\xBF") >= 0 || bytes.indexOf("\xE2\x84\xAA") >= 0;
}

bool ByteText::hasFoldedLetters(QByteArrayView pattern)
{
    for (const char c : pattern) {
        if (c == 's' || c == 'S' || c == 'k' || c == 'K')
            return true;
    }
    return false;
}
