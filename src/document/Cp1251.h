#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Code page 1251 with a mapping for every byte value, so that any file read through it is
// written back byte for byte. The one byte the code page leaves unassigned, 0x98, maps to
// the C1 control U+0098, which nothing else maps to.
class Cp1251 {
public:
    static char16_t toUnicode(unsigned char byte);
    // The byte for `ch`, or -1 when the code page cannot represent it.
    static int fromUnicode(char16_t ch);

    static QString decode(QByteArrayView bytes);
    // Appends the bytes of `text` to `out`; false, with `out` as it was, when a character has
    // no byte.
    static bool encode(QStringView text, QByteArray &out);
    static bool canEncode(QStringView text);
};
