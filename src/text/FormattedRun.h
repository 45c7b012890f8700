#pragma once

#include <QString>

enum class TextAlignment : quint8 { Left, Center, Right, Justify };

// A stretch of a document's text [start, start + length) in one character format and one
// paragraph alignment, for showing the document with its formatting. Plain text is one run in
// the defaults below (no font named: the viewer's own).
struct FormattedRun {
    qsizetype start = 0;
    qsizetype length = 0;
    QString fontName; // empty when the document names no font
    qreal pointSize = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hasColour = false; // false: the automatic colour
    quint32 colour = 0xFF000000u; // 0xAARRGGBB
    TextAlignment alignment = TextAlignment::Left;

    bool operator==(const FormattedRun &) const = default;
};
