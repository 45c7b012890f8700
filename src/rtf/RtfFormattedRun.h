#pragma once

#include "rtf/RtfGroupState.h"

#include <QString>

// A stretch of the plain text [start, start + length) in one character format and one
// paragraph alignment, for showing the document with its formatting.
struct RtfFormattedRun {
    qsizetype start = 0;
    qsizetype length = 0;
    QString fontName; // empty when the document names no font
    qreal pointSize = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hasColour = false; // false: the automatic colour
    quint32 colour = 0xFF000000u; // 0xAARRGGBB
    RtfAlignment alignment = RtfAlignment::Left;

    bool operator==(const RtfFormattedRun &) const = default;
};
