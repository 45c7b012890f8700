#pragma once

#include <QtGlobal>

// A piece of the plain text and the source bytes it was read from. Either a literal run, in
// which each byte is one character, or an atom (an escape, \uN with its fallback, a double-byte
// pair, a break word) that is only ever removed or kept whole.
struct RtfTextUnit {
    enum Flag : quint8 {
        Literal = 1, // byte i stands for character i
        Kept = 2, // a table cell end: edits keep it so the table stays whole
        LoneLead = 4, // a double-byte lead byte without its trail byte
        OpenFallback = 8, // \uN cut short by a brace or the end: the next byte would be skipped
    };

    qsizetype plainPos = 0;
    qsizetype sourcePos = 0;
    qint32 plainLength = 0;
    qint32 sourceLength = 0;
    // The reading context the text was in, which inserted text takes over.
    quint16 codePage = 1252;
    quint16 depth = 0;
    quint8 uc = 1;
    quint8 flags = 0;

    qsizetype plainEnd() const { return plainPos + plainLength; }
    qsizetype sourceEnd() const { return sourcePos + sourceLength; }
    bool has(Flag flag) const { return (flags & flag) != 0; }
};
