#include "document/Cp1251.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char16_t, 64> kHighTable = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

constexpr char16_t kCyrillicFirst = 0x0410;
constexpr char16_t kCyrillicLast = 0x044F;
constexpr int kCyrillicByte = 0xC0;

using ReverseEntry = std::pair<char16_t, unsigned char>;

// kHighTable sorted by character, for the way back.
constexpr std::array<ReverseEntry, 64> makeReverseTable()
{
    std::array<ReverseEntry, 64> table{};
    for (std::size_t i = 0; i < kHighTable.size(); ++i)
        table[i] = {kHighTable[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(table.begin(), table.end());
    return table;
}

constexpr std::array<ReverseEntry, 64> kReverseTable = makeReverseTable();

} // namespace

char16_t Cp1251::toUnicode(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte >= kCyrillicByte)
        return static_cast<char16_t>(kCyrillicFirst + (byte - kCyrillicByte));
    return kHighTable[byte - 0x80];
}

int Cp1251::fromUnicode(char16_t ch)
{
    if (ch < 0x80)
        return ch;
    if (ch >= kCyrillicFirst && ch <= kCyrillicLast)
        return kCyrillicByte + (ch - kCyrillicFirst);
    const auto it = std::lower_bound(kReverseTable.begin(), kReverseTable.end(), ch,
                                     [](const ReverseEntry &e, char16_t c) { return e.first < c; });
    if (it == kReverseTable.end() || it->first != ch)
        return -1;
    return it->second;
}

QString Cp1251::decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char byte : bytes)
        *out++ = toUnicode(static_cast<unsigned char>(byte));
    return text;
}

bool Cp1251::encode(QStringView text, QByteArray &out)
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

bool Cp1251::canEncode(QStringView text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar ch) { return fromUnicode(ch.unicode()) >= 0; });
}
