#include "document/ByteText.h"

#include "document/HtmlCharset.h"
#include "document/TextEncoding.h"
#include "rtf/RtfReader.h"

#include <cstring>

namespace {

// Character sets in which every ASCII byte is that character and no other byte is one.
bool isAsciiCompatibleName(QByteArrayView lowerName)
{
    for (const char *exact : {"utf-8", "utf8", "us-ascii", "ascii", "cp1251", "x-cp1251"}) {
        if (lowerName == exact)
            return true;
    }
    for (const char *family : {"iso-8859-", "iso8859-", "windows-125", "koi8-", "cp125"}) {
        if (lowerName.startsWith(family))
            return true;
    }
    return false;
}

// The declaration is read as the general path reads it; a head that mentions a charset
// without declaring one by HTML's rules is left to the general path as well.
bool declaresOnlyAnAsciiSet(QByteArrayView bytes)
{
    const HtmlCharset::Declaration declaration = HtmlCharset::read(bytes);
    if (declaration.charset.isEmpty())
        return !declaration.doubtful;
    return isAsciiCompatibleName(declaration.charset);
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
    return !HtmlCharset::isHtmlName(fileName) || declaresOnlyAnAsciiSet(bytes);
}

ByteText::Charset ByteText::charsetOf(QByteArrayView bytes, QStringView fileName, bool ascii,
                                      bool validUtf8)
{
    if (RtfReader::looksLikeRtf(bytes) || bytes.startsWith("\xFF\xFE")
        || bytes.startsWith("\xFE\xFF"))
        return Charset::Other;
    // A mark read as UTF-8 or text that is UTF-8 and not only ASCII: UTF-8 whatever the
    // declaration says.
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    if (validUtf8 && (marked || !ascii))
        return Charset::Utf8;
    if (HtmlCharset::isHtmlName(fileName)) {
        const HtmlCharset::Declaration declaration = HtmlCharset::read(bytes);
        if (declaration.charset.isEmpty() && declaration.doubtful)
            return Charset::Other;
        if (!declaration.charset.isEmpty()) {
            const std::optional<TextEncoding> declared
                = TextEncoding::forCharsetName(declaration.charset);
            if (declared && declared->kind() == TextEncoding::Kind::Cp1251)
                return Charset::Cp1251;
            // UTF-8 declared: read so only when valid, which here means all ASCII.
            if (declared && declared->kind() == TextEncoding::Kind::Utf8 && validUtf8)
                return Charset::Utf8;
            if (declared && declared->kind() != TextEncoding::Kind::Utf8)
                return Charset::Other;
        }
    }
    return ascii ? Charset::Utf8 : Charset::Cp1251;
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
