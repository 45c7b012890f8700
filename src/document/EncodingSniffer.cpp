#include "document/EncodingSniffer.h"

#include "document/CodePageGuess.h"
#include "document/Cp1251.h"
#include "document/HtmlCharset.h"
#include "document/SingleByteCodePage.h"

#include <algorithm>

namespace {

bool hasNonAscii(QByteArrayView bytes)
{
    return !QtPrivate::isAscii(QLatin1StringView(bytes.data(), bytes.size()));
}

} // namespace

EncodingSniffer::Result EncodingSniffer::decode(QByteArrayView bytes, QStringView fileName,
                                                CodePage codePage)
{
    if (auto marked = decodeMarked(bytes))
        return std::move(*marked);
    if (bytes.contains('\0'))
        return {Cp1251::decode(bytes), TextEncoding::cp1251(), true, std::nullopt};
    const bool ascii = !hasNonAscii(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        if (auto utf8 = decodeAs(TextEncoding::utf8(true), bytes))
            return std::move(*utf8);
    } else if (!ascii) {
        if (auto utf8 = decodeAs(TextEncoding::utf8(false), bytes))
            return std::move(*utf8);
    }
    if (auto declared = decodeDeclared(bytes, fileName))
        return std::move(*declared);
    // Pure ASCII has no encoding of its own to keep: it is read as UTF-8, which writes it back
    // byte for byte and can hold any character a replacement brings.
    if (ascii)
        return {QString::fromLatin1(bytes), TextEncoding::utf8(false), false, std::nullopt};
    return {SingleByteCodePage::of(codePage).decode(bytes), TextEncoding::forCodePage(codePage),
            false, CodePageGuess::likelier(bytes, codePage)};
}

// UTF-16 is recognised by its mark alone; its bytes are full of NULs.
std::optional<EncodingSniffer::Result> EncodingSniffer::decodeMarked(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return decodeAs(TextEncoding::utf16LE(), bytes);
    if (bytes.startsWith("\xFE\xFF"))
        return decodeAs(TextEncoding::utf16BE(), bytes);
    return std::nullopt;
}

std::optional<EncodingSniffer::Result> EncodingSniffer::decodeDeclared(QByteArrayView bytes,
                                                                       QStringView fileName)
{
    if (!HtmlCharset::isHtmlName(fileName))
        return std::nullopt;
    const auto encoding = TextEncoding::forCharsetName(HtmlCharset::declared(bytes));
    if (!encoding)
        return std::nullopt;
    return decodeAs(*encoding, bytes);
}

std::optional<EncodingSniffer::Result> EncodingSniffer::decodeAs(const TextEncoding &encoding,
                                                                 QByteArrayView bytes)
{
    auto text = encoding.decode(bytes.sliced(encoding.byteOrderMark().size()));
    if (!text)
        return std::nullopt;
    return Result{std::move(*text), encoding, false, std::nullopt};
}
