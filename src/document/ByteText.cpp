#include "document/ByteText.h"

#include "document/HtmlCharset.h"
#include "document/TextEncoding.h"
#include "rtf/RtfReader.h"

#include <cstring>

namespace {

bool asciiCompatibleCharset(QByteArrayView declared)
{
    const std::optional<TextEncoding> encoding = TextEncoding::forCharsetName(declared);
    if (!encoding)
        return true; // an unknown name is not honoured: the bytes are read as UTF-8 or 1251
    switch (encoding->kind()) {
    case TextEncoding::Kind::Cp1251:
    case TextEncoding::Kind::Utf8:
        return true;
    case TextEncoding::Kind::Named:
        break;
    default:
        return false;
    }
    const QByteArray name = encoding->name().toUpper();
    return name.startsWith("ISO-8859-") || name.startsWith("WINDOWS-125") || name.startsWith("KOI8")
        || name == "US-ASCII";
}

} // namespace

bool ByteText::isAsciiCompatible(QByteArrayView bytes, QStringView fileName)
{
    if (RtfReader::looksLikeRtf(bytes) || bytes.startsWith("\xFF\xFE")
        || bytes.startsWith("\xFE\xFF"))
        return false;
    if (!bytes.isEmpty() && std::memchr(bytes.data(), 0, size_t(bytes.size())) != nullptr)
        return false;
    if (!HtmlCharset::isHtmlName(fileName))
        return true;
    const QByteArray declared = HtmlCharset::declared(bytes);
    return declared.isEmpty() || asciiCompatibleCharset(declared);
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
