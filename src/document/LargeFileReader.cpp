#include "document/LargeFileReader.h"

#include "document/Cp1251.h"
#include "document/HtmlCharset.h"
#include "document/LineBreaks.h"
#include "document/PlainTextCodec.h"
#include "document/TextEncoding.h"

#include <QStringDecoder>

#include <cstring>

namespace {

constexpr qsizetype Slice = qsizetype(4) << 20;
// As EncodingSniffer decodes: no state between slices, and a U+FEFF that starts a slice is a
// character like any other.
constexpr auto Strict
    = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

// What the first pass learns about the bytes after any UTF-8 mark.
struct Survey {
    bool nul = false;
    bool ascii = true;
    bool validUtf8 = true;
    qsizetype utf16Units = 0; // the text's length, when it is valid UTF-8
    QByteArray head; // the start of the file, for an HTML charset declaration
};

// The bytes at the end of `bytes` that start a UTF-8 sequence the slice does not finish.
qsizetype unfinishedTail(QByteArrayView bytes)
{
    qsizetype back = 0;
    while (back < 3 && back < bytes.size()
           && (uchar(bytes[bytes.size() - 1 - back]) & 0xC0) == 0x80)
        ++back;
    if (back == bytes.size())
        return 0;
    const uchar lead = uchar(bytes[bytes.size() - 1 - back]);
    const qsizetype needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return needed > back + 1 ? back + 1 : 0;
}

bool readSlice(QFile &file, QByteArray &carry, QByteArray &slice)
{
    slice = carry;
    carry.clear();
    const qsizetype start = slice.size();
    slice.resize(start + Slice);
    const qint64 got = file.read(slice.data() + start, Slice);
    if (got < 0)
        return false;
    slice.resize(start + got);
    return true;
}

std::optional<Survey> survey(QFile &file, qsizetype markSize)
{
    Survey s;
    file.seek(markSize);
    QByteArray carry;
    QByteArray slice;
    for (;;) {
        if (!readSlice(file, carry, slice))
            return std::nullopt;
        if (slice.isEmpty())
            break;
        if (s.head.size() < HtmlCharset::kHeadSize)
            s.head += slice.first(std::min(slice.size(), HtmlCharset::kHeadSize - s.head.size()));
        s.nul = s.nul || std::memchr(slice.constData(), 0, size_t(slice.size())) != nullptr;
        const bool ascii = QtPrivate::isAscii(QLatin1StringView(slice.constData(), slice.size()));
        s.ascii = s.ascii && ascii;
        if (s.validUtf8 && !ascii) {
            const bool atEnd = file.atEnd();
            const qsizetype tail = atEnd ? 0 : unfinishedTail(slice);
            const QByteArrayView whole = QByteArrayView(slice).first(slice.size() - tail);
            QStringDecoder utf8(QStringConverter::Utf8, Strict);
            s.utf16Units += QString(utf8(whole)).size();
            s.validUtf8 = !utf8.hasError();
            carry = slice.last(tail);
            slice.chop(tail);
        } else {
            s.utf16Units += slice.size();
        }
        if (file.atEnd() && carry.isEmpty())
            break;
    }
    return s;
}

// The second pass: the bytes after the mark decoded into a text of `length` units.
std::optional<QString> decodeSlices(QFile &file, qsizetype markSize, bool utf8, qsizetype length)
{
    QString text(length, Qt::Uninitialized);
    QChar *out = text.data();
    QChar *const end = out + length;
    file.seek(markSize);
    QByteArray carry;
    QByteArray slice;
    for (;;) {
        if (!readSlice(file, carry, slice))
            return std::nullopt;
        if (slice.isEmpty())
            break;
        if (utf8) {
            const qsizetype tail = file.atEnd() ? 0 : unfinishedTail(slice);
            carry = slice.last(tail);
            slice.chop(tail);
            QStringDecoder decoder(QStringConverter::Utf8, Strict);
            const QString part = decoder(slice);
            if (decoder.hasError() || part.size() > end - out)
                return std::nullopt; // the file changed between the passes
            std::memcpy(static_cast<void *>(out), part.constData(), size_t(part.size()) * 2);
            out += part.size();
        } else {
            if (slice.size() > end - out)
                return std::nullopt;
            const QString part = Cp1251::decode(slice);
            std::memcpy(static_cast<void *>(out), part.constData(), size_t(part.size()) * 2);
            out += part.size();
        }
        if (file.atEnd() && carry.isEmpty())
            break;
    }
    if (out != end)
        return std::nullopt; // the file changed between the passes
    return text;
}

} // namespace

std::optional<DecodedText> LargeFileReader::read(QFile &file, QStringView fileName)
{
    QByteArray start(5, '\0');
    file.seek(0);
    start.resize(std::max<qint64>(file.read(start.data(), 5), 0));
    if (start.startsWith("{\\rtf") || start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF"))
        return std::nullopt;
    const bool marked = start.startsWith("\xEF\xBB\xBF");
    const qsizetype markSize = marked ? 3 : 0;
    const std::optional<Survey> s = survey(file, markSize);
    if (!s || s->nul)
        return std::nullopt;
    // The order of EncodingSniffer: a valid marked or non-ASCII UTF-8 file is UTF-8; then an
    // HTML declaration; then pure ASCII is UTF-8; anything else is code page 1251.
    std::optional<TextEncoding> encoding;
    if (marked && s->validUtf8)
        encoding = TextEncoding::utf8(true);
    else if (!marked && !s->ascii && s->validUtf8)
        encoding = TextEncoding::utf8(false);
    if (!encoding && HtmlCharset::isHtmlName(fileName)) {
        const QByteArray head = (marked ? start.first(3) : QByteArray()) + s->head;
        if (const auto declared = TextEncoding::forCharsetName(HtmlCharset::declared(head)))
            return std::nullopt; // read whole, as the declaration asks
    }
    if (!encoding && marked)
        return std::nullopt; // a mark before bytes that are not UTF-8: read whole
    if (!encoding)
        encoding = s->ascii ? TextEncoding::utf8(false) : TextEncoding::cp1251();
    const bool utf8 = encoding->kind() == TextEncoding::Kind::Utf8;
    const qsizetype length = utf8 ? s->utf16Units : file.size() - markSize;
    std::optional<QString> text = decodeSlices(file, markSize, utf8, length);
    if (!text)
        return std::nullopt;
    const LineBreakStyle style = LineBreaks::detect(*text);
    return DecodedText{std::move(*text), std::make_unique<PlainTextCodec>(*encoding, style), false};
}
