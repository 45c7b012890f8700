#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

// One Windows code page as RTF uses it for \'hh escapes and 8-bit text: decoding a byte or a
// double-byte pair, and encoding a character back into bytes when it survives the round trip.
// A code page the platform does not know is replaced by 1252.
class RtfCodePage {
public:
    explicit RtfCodePage(int number);

    // The code page actually in use.
    int number() const { return m_number; }
    bool isDoubleByte() const { return m_doubleByte; }
    bool isLeadByte(uchar byte) const;

    char16_t decodeByte(uchar byte) const { return m_table[byte]; }
    QString decodePair(uchar lead, uchar trail);
    // The bytes standing for `ch` here, or empty when this code page cannot carry it.
    QByteArray encode(char16_t ch);

    // The code page that a font's \fcharset selects; `documentCodePage` for the default charset.
    static int forCharset(int charset, int documentCodePage);
    // Whether the platform can convert `number`.
    static bool isSupported(int number);

private:
    static QByteArray nameOf(int number);
    void buildTable();
    QByteArray encodeDoubleByte(char16_t ch);

    int m_number = 1252;
    bool m_doubleByte = false;
    std::array<char16_t, 256> m_table{};
    QHash<char16_t, uchar> m_reverse;
    QHash<char16_t, QByteArray> m_encoded;
    QStringDecoder m_decoder;
    QStringEncoder m_encoder;
};
