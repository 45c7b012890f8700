#pragma once

#include "document/PositionMapper.h"

#include <QByteArrayView>

// Where places in a text given as bytes fall in the text a document reads from them, found
// without decoding it: the UTF-16 offset and the line and column PositionMapper would give. In
// UTF-8 each byte that starts a character is one UTF-16 unit, two for a character beyond
// U+FFFF; in an 8-bit code page each byte is one. A line ends at an LF and at a CR that no LF
// follows. The text is read piece by piece, as it streams past (a file's bytes between its
// occurrences, and their replacements), each byte once.
class BytePositions {
public:
    enum class Encoding { Utf8, SingleByte };

    struct Position {
        qsizetype offset = 0; // in UTF-16 units from the text's start
        LineColumn at;
    };

    explicit BytePositions(Encoding encoding) : m_utf8(encoding == Encoding::Utf8) { }

    // Reads the next piece of the text: whole characters of valid UTF-8, or code page bytes.
    void feed(QByteArrayView bytes);
    // The position of a character that starts where the text read so far ends; one that is
    // not an LF (after a CR, an LF would leave the line the CR is on).
    Position here() const;

private:
    bool m_utf8;
    bool m_afterCr = false; // the last byte read is a CR: it ends its line unless an LF follows
    qsizetype m_offset = 0;
    qsizetype m_line = 1;
    qsizetype m_lineStart = 0; // the offset where the line read last starts
};
