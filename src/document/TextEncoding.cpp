#include "document/TextEncoding.h"

#include "document/Cp1251.h"
#include "document/SingleByteCodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>

namespace {

constexpr auto kStrict
    = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

bool hasLoneSurrogate(QStringView text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text[i];
        if (!ch.isSurrogate())
            continue;
        if (ch.isLowSurrogate() || i + 1 == n || !text[i + 1].isLowSurrogate())
            return true;
        ++i;
    }
    return false;
}

QStringEncoder encoderFor(TextEncoding::Kind kind, const QByteArray &name)
{
    switch (kind) {
    case TextEncoding::Kind::Utf8:
        return QStringEncoder(QStringConverter::Utf8, kStrict);
    case TextEncoding::Kind::Utf16LE:
        return QStringEncoder(QStringConverter::Utf16LE, kStrict);
    case TextEncoding::Kind::Utf16BE:
        return QStringEncoder(QStringConverter::Utf16BE, kStrict);
    default:
        return QStringEncoder(name.constData(), kStrict);
    }
}

QStringDecoder decoderFor(TextEncoding::Kind kind, const QByteArray &name)
{
    switch (kind) {
    case TextEncoding::Kind::Utf8:
        return QStringDecoder(QStringConverter::Utf8, kStrict);
    case TextEncoding::Kind::Utf16LE:
        return QStringDecoder(QStringConverter::Utf16LE, kStrict);
    case TextEncoding::Kind::Utf16BE:
        return QStringDecoder(QStringConverter::Utf16BE, kStrict);
    default:
        return QStringDecoder(name.constData(), kStrict);
    }
}

// UTF-8 of `text` appended to `out` in one allocation of the exact size; false on a lone
// surrogate (it has no UTF-8 form).
// Whether the four code units at `p` are ASCII: most text is, and is then copied four at once.
bool fourAscii(const char16_t *p)
{
    quint64 units;
    std::memcpy(&units, p, sizeof units);
    return (units & 0xFF80FF80FF80FF80ULL) == 0;
}

bool appendUtf8(QStringView text, QByteArray &out)
{
    const char16_t *begin = text.utf16();
    const char16_t *end = begin + text.size();
    qsizetype size = 0;
    for (const char16_t *p = begin; p < end; ++p) {
        if (end - p >= 4 && fourAscii(p)) {
            size += 4;
            p += 3;
            continue;
        }
        const char16_t c = *p;
        if (c < 0x80) {
            size += 1;
        } else if (c < 0x800) {
            size += 2;
        } else if (!QChar::isSurrogate(c)) {
            size += 3;
        } else {
            if (!QChar::isHighSurrogate(c) || p + 1 == end || !QChar::isLowSurrogate(p[1]))
                return false;
            size += 4;
            ++p;
        }
    }
    const qsizetype start = out.size();
    out.resize(start + size);
    auto *o = reinterpret_cast<unsigned char *>(out.data() + start);
    for (const char16_t *p = begin; p < end; ++p) {
        if (end - p >= 4 && fourAscii(p)) {
            o[0] = uchar(p[0]);
            o[1] = uchar(p[1]);
            o[2] = uchar(p[2]);
            o[3] = uchar(p[3]);
            o += 4;
            p += 3;
            continue;
        }
        const char32_t c = *p;
        if (c < 0x80) {
            *o++ = uchar(c);
        } else if (c < 0x800) {
            *o++ = uchar(0xC0 | (c >> 6));
            *o++ = uchar(0x80 | (c & 0x3F));
        } else if (!QChar::isSurrogate(c)) {
            *o++ = uchar(0xE0 | (c >> 12));
            *o++ = uchar(0x80 | ((c >> 6) & 0x3F));
            *o++ = uchar(0x80 | (c & 0x3F));
        } else {
            const char32_t u = QChar::surrogateToUcs4(char16_t(c), p[1]);
            ++p;
            *o++ = uchar(0xF0 | (u >> 18));
            *o++ = uchar(0x80 | ((u >> 12) & 0x3F));
            *o++ = uchar(0x80 | ((u >> 6) & 0x3F));
            *o++ = uchar(0x80 | (u & 0x3F));
        }
    }
    return true;
}

// Appends without an intermediate copy: documents can be large.
bool appendEncoded(QStringEncoder &encoder, QStringView text, QByteArray &out)
{
    const qsizetype start = out.size();
    out.resize(start + encoder.requiredSpace(text.size()));
    char *end = encoder.appendToBuffer(out.data() + start, text);
    out.truncate(end - out.constData());
    out.squeeze();
    return !encoder.hasError();
}

} // namespace

TextEncoding TextEncoding::forCodePage(CodePage page)
{
    switch (page) {
    case CodePage::Cp1251:
        break;
    case CodePage::Cp866:
        return TextEncoding(Kind::Cp866, false);
    case CodePage::Koi8R:
        return TextEncoding(Kind::Koi8R, false);
    case CodePage::Iso8859_5:
        return TextEncoding(Kind::Iso8859_5, false);
    }
    return cp1251();
}

std::optional<CodePage> TextEncoding::codePage() const
{
    switch (m_kind) {
    case Kind::Cp1251:
        return CodePage::Cp1251;
    case Kind::Cp866:
        return CodePage::Cp866;
    case Kind::Koi8R:
        return CodePage::Koi8R;
    case Kind::Iso8859_5:
        return CodePage::Iso8859_5;
    default:
        return std::nullopt;
    }
}

std::optional<TextEncoding> TextEncoding::forCharsetName(QByteArrayView name)
{
    // Names come trimmed from the declaration's reader; one holding a blank or a control
    // character (a vertical tab, say) names nothing.
    const QByteArray wanted = name.toByteArray();
    if (wanted.isEmpty() || std::any_of(wanted.cbegin(), wanted.cend(), [](char c) {
            return uchar(c) <= 0x20 || uchar(c) == 0x7F;
        }))
        return std::nullopt;
    const QStringDecoder probe(wanted.constData());
    if (!probe.isValid())
        return std::nullopt;
    const QByteArray canonical(probe.name());
    if (canonical.compare("windows-1251", Qt::CaseInsensitive) == 0)
        return cp1251();
    if (canonical.compare("UTF-8", Qt::CaseInsensitive) == 0 || canonical.startsWith("UTF-16")
        || canonical.startsWith("UTF-32"))
        return utf8(false);
    return TextEncoding(Kind::Named, false, canonical);
}

QByteArray TextEncoding::name() const
{
    switch (m_kind) {
    case Kind::Cp1251:
        return QByteArrayLiteral("windows-1251");
    case Kind::Utf8:
        return QByteArrayLiteral("UTF-8");
    case Kind::Utf16LE:
        return QByteArrayLiteral("UTF-16LE");
    case Kind::Utf16BE:
        return QByteArrayLiteral("UTF-16BE");
    case Kind::Cp866:
    case Kind::Koi8R:
    case Kind::Iso8859_5:
        return CodePages::name(*codePage());
    case Kind::Named:
        break;
    }
    return m_name;
}

QByteArray TextEncoding::byteOrderMark() const
{
    if (!m_bom)
        return {};
    switch (m_kind) {
    case Kind::Utf8:
        return QByteArrayLiteral("\xEF\xBB\xBF");
    case Kind::Utf16LE:
        return QByteArrayLiteral("\xFF\xFE");
    case Kind::Utf16BE:
        return QByteArrayLiteral("\xFE\xFF");
    default:
        return {};
    }
}

std::optional<QString> TextEncoding::decode(QByteArrayView body) const
{
    if (m_kind == Kind::Cp1251)
        return Cp1251::decode(body);
    if (const std::optional<CodePage> page = codePage())
        return SingleByteCodePage::of(*page).decode(body);
    if (m_kind == Kind::Utf8 && QtPrivate::isAscii(QLatin1StringView(body.data(), body.size())))
        return QString::fromLatin1(body);
    const bool utf16 = m_kind == Kind::Utf16LE || m_kind == Kind::Utf16BE;
    if (utf16 && body.size() % 2 != 0)
        return std::nullopt;
    QStringDecoder decoder = decoderFor(m_kind, m_name);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(body);
    if (decoder.hasError())
        return std::nullopt;
    // Unicode encodings decode without loss once they decode without error; other character
    // sets may map two byte sequences to one character, so check the way back.
    if (m_kind == Kind::Named) {
        QByteArray again;
        if (!encode(text, again) || again != body)
            return std::nullopt;
    }
    return text;
}

bool TextEncoding::encode(QStringView text, QByteArray &out) const
{
    out.append(byteOrderMark());
    if (m_kind == Kind::Cp1251)
        return Cp1251::encode(text, out);
    if (const std::optional<CodePage> page = codePage())
        return SingleByteCodePage::of(*page).encode(text, out);
    if (m_kind == Kind::Utf8)
        return appendUtf8(text, out);
    QStringEncoder encoder = encoderFor(m_kind, m_name);
    return encoder.isValid() && appendEncoded(encoder, text, out);
}

bool TextEncoding::encodeBody(QStringView text, QByteArray &out) const
{
    switch (m_kind) {
    case Kind::Cp1251:
        return Cp1251::encode(text, out);
    case Kind::Cp866:
    case Kind::Koi8R:
    case Kind::Iso8859_5:
        return SingleByteCodePage::of(*codePage()).encode(text, out);
    case Kind::Utf8:
        return appendUtf8(text, out);
    case Kind::Utf16LE:
    case Kind::Utf16BE: {
        const qsizetype start = out.size();
        out.resize(start + text.size() * 2);
        char *o = out.data() + start;
        const bool little = m_kind == Kind::Utf16LE;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            *o++ = char(little ? (u & 0xFF) : (u >> 8));
            *o++ = char(little ? (u >> 8) : (u & 0xFF));
        }
        return true;
    }
    case Kind::Named:
        break;
    }
    QStringEncoder encoder = encoderFor(m_kind, m_name);
    return encoder.isValid() && appendEncoded(encoder, text, out);
}

bool TextEncoding::canEncode(QStringView text) const
{
    switch (m_kind) {
    case Kind::Cp1251:
        return Cp1251::canEncode(text);
    case Kind::Cp866:
    case Kind::Koi8R:
    case Kind::Iso8859_5:
        return SingleByteCodePage::of(*codePage()).canEncode(text);
    case Kind::Utf8:
        return !hasLoneSurrogate(text);
    case Kind::Utf16LE:
    case Kind::Utf16BE:
        return true; // UTF-16 carries any code unit, lone surrogates included
    case Kind::Named:
        break;
    }
    QStringEncoder encoder = encoderFor(m_kind, m_name);
    if (!encoder.isValid())
        return false;
    const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError();
}
