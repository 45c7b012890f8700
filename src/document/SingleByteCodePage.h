#pragma once

#include "document/CodePage.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <utility>

// One 8-bit code page as a table: bytes below 0x80 are ASCII, each byte from 0x80 on is one
// character, and no two bytes give the same character, so any file read through it is written
// back byte for byte.
class SingleByteCodePage {
public:
    static const SingleByteCodePage &of(CodePage page);

    CodePage page() const { return m_page; }
    char16_t toUnicode(unsigned char byte) const
    {
        return byte < 0x80 ? char16_t(byte) : m_high[byte - 0x80];
    }
    // The byte for `ch`, or -1 when the code page cannot represent it.
    int fromUnicode(char16_t ch) const;

    QString decode(QByteArrayView bytes) const;
    // Appends the bytes of `text` to `out`; false, with `out` as it was, when a character has
    // no byte.
    bool encode(QStringView text, QByteArray &out) const;
    bool canEncode(QStringView text) const;

private:
    using High = std::array<char16_t, 128>;
    SingleByteCodePage(CodePage page, const High &high);

    CodePage m_page;
    High m_high;
    std::array<std::pair<char16_t, unsigned char>, 128> m_reverse; // sorted by character
};
