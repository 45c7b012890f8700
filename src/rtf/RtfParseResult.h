#pragma once

#include <QtGlobal>

// What a reading pass found out about a source besides its text.
struct RtfParseResult {
    // False when the bytes are not RTF: no "{\rtf" at the start, or groups nested deeper than
    // the reader follows.
    bool valid = false;
    int codePage = 1252;
    // Where text goes in a document that has none: before the brace that closes the outermost
    // group, or at the end of a truncated source.
    qsizetype endInsertPos = 0;
    bool endInBody = false;
    int endCodePage = 1252;
    int endUc = 1;
    int endDepth = 1;
};
