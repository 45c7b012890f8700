#include "document/LargeFileReader.h"

#include "document/CodePageGuess.h"
#include "document/HtmlCharset.h"
#include "document/LineBreaks.h"
#include "document/PlainTextCodec.h"
#include "document/SingleByteCodePage.h"
#include "document/TextEncoding.h"

#include <QStringDecoder>

#include <cstring>

namespace {

constexpr qsizetype Slice = qsizetype(4) << 20;
// As EncodingSniffer decodes: no state between slices, and a U+FEFF that starts a slice is a
// character like any other.
constexpr auto Strict
    = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

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

// The text of the bytes after the mark, decoded as UTF-8 or an 8-bit code page in one pass, and
// what the pass learned on the way.
struct Decoded {
    enum class Outcome { Done, NotUtf8, Unreadable, Nul } outcome = Outcome::Done;
    bool ascii = true;
};

// Decodes slice after slice straight into `text`, which has room for one unit per byte (no
// byte gives more). UTF-8 stops at the first slice that is not valid UTF-8; NUL bytes stop
// either.
Decoded decodeSlices(QFile &file, qsizetype markSize, const SingleByteCodePage *page, QString &text)
{
    Decoded d;
    QChar *out = text.data();
    QChar *const end = out + text.size();
    file.seek(markSize);
    QByteArray carry;
    QByteArray slice;
    for (;;) {
        if (!readSlice(file, carry, slice)) {
            d.outcome = Decoded::Outcome::Unreadable;
            return d;
        }
        if (slice.isEmpty())
            break;
        if (std::memchr(slice.constData(), 0, size_t(slice.size())) != nullptr) {
            d.outcome = Decoded::Outcome::Nul;
            return d;
        }
        d.ascii = d.ascii && QtPrivate::isAscii(QLatin1StringView(slice.constData(), slice.size()));
        if (!page) {
            const qsizetype tail = file.atEnd() ? 0 : unfinishedTail(slice);
            carry = slice.last(tail);
            slice.chop(tail);
            QStringDecoder decoder(QStringConverter::Utf8, Strict);
            if (decoder.requiredSpace(slice.size()) > end - out) {
                d.outcome = Decoded::Outcome::Unreadable; // the file grew while read
                return d;
            }
            out = decoder.appendToBuffer(out, slice);
            if (decoder.hasError()) {
                d.outcome = Decoded::Outcome::NotUtf8;
                return d;
            }
        } else {
            if (slice.size() > end - out) {
                d.outcome = Decoded::Outcome::Unreadable;
                return d;
            }
            const QString part = page->decode(slice);
            std::memcpy(static_cast<void *>(out), part.constData(), size_t(part.size()) * 2);
            out += part.size();
        }
        if (file.atEnd() && carry.isEmpty())
            break;
    }
    text.truncate(out - text.data());
    return d;
}

// The start of the file, for an HTML charset declaration.
QByteArray headOf(QFile &file)
{
    file.seek(0);
    return file.read(HtmlCharset::kHeadSize);
}

} // namespace

std::optional<DecodedText> LargeFileReader::read(QFile &file, QStringView fileName,
                                                 CodePage codePage)
{
    QByteArray start(5, '\0');
    file.seek(0);
    start.resize(std::max<qint64>(file.read(start.data(), 5), 0));
    if (start.startsWith("{\\rtf") || start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF"))
        return std::nullopt;
    const bool marked = start.startsWith("\xEF\xBB\xBF");
    const qsizetype markSize = marked ? 3 : 0;
    // The order of EncodingSniffer: a valid marked or non-ASCII UTF-8 file is UTF-8; then an
    // HTML declaration; then pure ASCII is UTF-8; anything else is the chosen code page. UTF-8
    // is tried first, in the same pass that reads the file; the code page only when it fails.
    const bool declares = HtmlCharset::isHtmlName(fileName)
        && TextEncoding::forCharsetName(HtmlCharset::declared(headOf(file)));
    // Room for one unit per byte; what is never written is never taken from the system.
    QString text(file.size() - markSize + 1, Qt::Uninitialized);
    TextEncoding encoding = TextEncoding::utf8(marked);
    Decoded d = decodeSlices(file, markSize, nullptr, text);
    std::optional<CodePage> likelier;
    if (d.outcome == Decoded::Outcome::Done && d.ascii && !marked && declares)
        return std::nullopt; // pure ASCII, read whole as the declaration asks
    if (d.outcome == Decoded::Outcome::NotUtf8 && !marked && !declares) {
        encoding = TextEncoding::forCodePage(codePage);
        text.resize(file.size() - markSize);
        d = decodeSlices(file, markSize, &SingleByteCodePage::of(codePage), text);
        file.seek(0);
        likelier = CodePageGuess::likelier(file.read(CodePageGuess::Sample), codePage);
    }
    if (d.outcome != Decoded::Outcome::Done)
        return std::nullopt; // NUL bytes, a mark or declaration before bytes that are not UTF-8
    const LineBreakStyle style = LineBreaks::detect(text);
    return DecodedText{std::move(text), std::make_unique<PlainTextCodec>(encoding, style, likelier),
                       false};
}
