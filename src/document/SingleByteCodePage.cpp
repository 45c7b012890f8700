#include "document/SingleByteCodePage.h"

#include "document/Cp1251.h"

#include <algorithm>

namespace {

using High = std::array<char16_t, 128>;

constexpr High Cp866High = {
    // 0x80..0xAF: А..Я, а..п
    0x0410,
    0x0411,
    0x0412,
    0x0413,
    0x0414,
    0x0415,
    0x0416,
    0x0417,
    0x0418,
    0x0419,
    0x041A,
    0x041B,
    0x041C,
    0x041D,
    0x041E,
    0x041F,
    0x0420,
    0x0421,
    0x0422,
    0x0423,
    0x0424,
    0x0425,
    0x0426,
    0x0427,
    0x0428,
    0x0429,
    0x042A,
    0x042B,
    0x042C,
    0x042D,
    0x042E,
    0x042F,
    0x0430,
    0x0431,
    0x0432,
    0x0433,
    0x0434,
    0x0435,
    0x0436,
    0x0437,
    0x0438,
    0x0439,
    0x043A,
    0x043B,
    0x043C,
    0x043D,
    0x043E,
    0x043F,
    // 0xB0..0xDF: shades and box drawing
    0x2591,
    0x2592,
    0x2593,
    0x2502,
    0x2524,
    0x2561,
    0x2562,
    0x2556,
    0x2555,
    0x2563,
    0x2551,
    0x2557,
    0x255D,
    0x255C,
    0x255B,
    0x2510,
    0x2514,
    0x2534,
    0x252C,
    0x251C,
    0x2500,
    0x253C,
    0x255E,
    0x255F,
    0x255A,
    0x2554,
    0x2569,
    0x2566,
    0x2560,
    0x2550,
    0x256C,
    0x2567,
    0x2568,
    0x2564,
    0x2565,
    0x2559,
    0x2558,
    0x2552,
    0x2553,
    0x256B,
    0x256A,
    0x2518,
    0x250C,
    0x2588,
    0x2584,
    0x258C,
    0x2590,
    0x2580,
    // 0xE0..0xEF: р..я
    0x0440,
    0x0441,
    0x0442,
    0x0443,
    0x0444,
    0x0445,
    0x0446,
    0x0447,
    0x0448,
    0x0449,
    0x044A,
    0x044B,
    0x044C,
    0x044D,
    0x044E,
    0x044F,
    // 0xF0..0xFF
    0x0401,
    0x0451,
    0x0404,
    0x0454,
    0x0407,
    0x0457,
    0x040E,
    0x045E,
    0x00B0,
    0x2219,
    0x00B7,
    0x221A,
    0x2116,
    0x00A4,
    0x25A0,
    0x00A0,
};

constexpr High Koi8RHigh = {
    // 0x80..0xBF: box drawing, symbols, Ё and ё
    0x2500,
    0x2502,
    0x250C,
    0x2510,
    0x2514,
    0x2518,
    0x251C,
    0x2524,
    0x252C,
    0x2534,
    0x253C,
    0x2580,
    0x2584,
    0x2588,
    0x258C,
    0x2590,
    0x2591,
    0x2592,
    0x2593,
    0x2320,
    0x25A0,
    0x2219,
    0x221A,
    0x2248,
    0x2264,
    0x2265,
    0x00A0,
    0x2321,
    0x00B0,
    0x00B2,
    0x00B7,
    0x00F7,
    0x2550,
    0x2551,
    0x2552,
    0x0451,
    0x2553,
    0x2554,
    0x2555,
    0x2556,
    0x2557,
    0x2558,
    0x2559,
    0x255A,
    0x255B,
    0x255C,
    0x255D,
    0x255E,
    0x255F,
    0x2560,
    0x2561,
    0x0401,
    0x2562,
    0x2563,
    0x2564,
    0x2565,
    0x2566,
    0x2567,
    0x2568,
    0x2569,
    0x256A,
    0x256B,
    0x256C,
    0x00A9,
    // 0xC0..0xDF: юабцдефгхийклмнопярстужвьызшэщчъ
    0x044E,
    0x0430,
    0x0431,
    0x0446,
    0x0434,
    0x0435,
    0x0444,
    0x0433,
    0x0445,
    0x0438,
    0x0439,
    0x043A,
    0x043B,
    0x043C,
    0x043D,
    0x043E,
    0x043F,
    0x044F,
    0x0440,
    0x0441,
    0x0442,
    0x0443,
    0x0436,
    0x0432,
    0x044C,
    0x044B,
    0x0437,
    0x0448,
    0x044D,
    0x0449,
    0x0447,
    0x044A,
    // 0xE0..0xFF: the same in capitals
    0x042E,
    0x0410,
    0x0411,
    0x0426,
    0x0414,
    0x0415,
    0x0424,
    0x0413,
    0x0425,
    0x0418,
    0x0419,
    0x041A,
    0x041B,
    0x041C,
    0x041D,
    0x041E,
    0x041F,
    0x042F,
    0x0420,
    0x0421,
    0x0422,
    0x0423,
    0x0416,
    0x0412,
    0x042C,
    0x042B,
    0x0417,
    0x0428,
    0x042D,
    0x0429,
    0x0427,
    0x042A,
};

constexpr High iso8859_5High()
{
    High high{};
    for (int b = 0x80; b < 0xA0; ++b) // C1 controls, as themselves
        high[size_t(b - 0x80)] = char16_t(b);
    high[0xA0 - 0x80] = 0x00A0;
    for (int b = 0xA1; b <= 0xFF; ++b) // Ё..Џ, А..я, ё..џ: U+0401.. in order
        high[size_t(b - 0x80)] = char16_t(0x0401 + (b - 0xA1));
    high[0xAD - 0x80] = 0x00AD;
    high[0xF0 - 0x80] = 0x2116;
    high[0xFD - 0x80] = 0x00A7;
    return high;
}

High cp1251High()
{
    High high{};
    for (int b = 0x80; b <= 0xFF; ++b)
        high[size_t(b - 0x80)] = Cp1251::toUnicode(uchar(b));
    return high;
}

} // namespace

SingleByteCodePage::SingleByteCodePage(CodePage page, const High &high) : m_page(page), m_high(high)
{
    for (size_t i = 0; i < m_high.size(); ++i)
        m_reverse[i] = {m_high[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(m_reverse.begin(), m_reverse.end());
}

const SingleByteCodePage &SingleByteCodePage::of(CodePage page)
{
    static const SingleByteCodePage cp1251(CodePage::Cp1251, cp1251High());
    static const SingleByteCodePage cp866(CodePage::Cp866, Cp866High);
    static const SingleByteCodePage koi8r(CodePage::Koi8R, Koi8RHigh);
    static const SingleByteCodePage iso(CodePage::Iso8859_5, iso8859_5High());
    switch (page) {
    case CodePage::Cp1251:
        break;
    case CodePage::Cp866:
        return cp866;
    case CodePage::Koi8R:
        return koi8r;
    case CodePage::Iso8859_5:
        return iso;
    }
    return cp1251;
}

int SingleByteCodePage::fromUnicode(char16_t ch) const
{
    if (ch < 0x80)
        return ch;
    const auto it = std::lower_bound(m_reverse.begin(), m_reverse.end(), ch,
                                     [](const auto &e, char16_t c) { return e.first < c; });
    if (it == m_reverse.end() || it->first != ch)
        return -1;
    return it->second;
}

QString SingleByteCodePage::decode(QByteArrayView bytes) const
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char byte : bytes)
        *out++ = toUnicode(static_cast<unsigned char>(byte));
    return text;
}

bool SingleByteCodePage::encode(QStringView text, QByteArray &out) const
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *dest = out.data() + start;
    for (const QChar ch : text) {
        const int byte = fromUnicode(ch.unicode());
        if (byte < 0) {
            out.resize(start); // nothing half written is left behind
            return false;
        }
        *dest++ = static_cast<char>(byte);
    }
    return true;
}

bool SingleByteCodePage::canEncode(QStringView text) const
{
    return std::all_of(text.begin(), text.end(),
                       [this](QChar ch) { return fromUnicode(ch.unicode()) >= 0; });
}
