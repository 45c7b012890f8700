#pragma once

#include <QByteArrayView>

enum class RtfTokenType : quint8 {
    End,
    GroupOpen,
    GroupClose,
    ControlWord, // \letters with an optional number
    ControlSymbol, // \ and one other byte
    HexByte, // \'hh
    Text, // a run of bytes that stand for themselves: TAB and printable ASCII
    HighByte, // one literal byte 0x80..0xFF
    Binary, // \binN and its N bytes of data
    Ignored, // line breaks and other control bytes, which RTF ignores
};

// One lexical element of an RTF source, with the bytes [begin, end) it was read from.
struct RtfToken {
    RtfTokenType type = RtfTokenType::End;
    qsizetype begin = 0;
    qsizetype end = 0;
    QByteArrayView word;
    int param = 0;
    bool hasParam = false;
    // Control symbol character, hex byte or high byte.
    uchar value = 0;
    // Cut off by the end of the data: a lone backslash, a \' without its two digits, or \bin
    // data shorter than announced.
    bool truncated = false;
};
