#pragma once

#include "text/FormattedRun.h"

#include <QtGlobal>

// Where the text of a group goes.
enum class RtfDestination : quint8 {
    Body, // shown: part of the plain text
    Skip, // not shown
    FontTable,
    ColourTable,
};

// Character formatting in effect; \plain restores these values.
struct RtfCharFormat {
    int font = -1; // -1: the default font (\deff)
    int sizeHalfPoints = 24;
    int colour = 0; // index into the colour table; 0 is the automatic colour
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const RtfCharFormat &) const = default;
};

// The reader's state inside one group; a group starts with a copy of its parent's state.
struct RtfGroupState {
    RtfDestination destination = RtfDestination::Body;
    quint8 uc = 1; // characters of fallback after \uN
    // "\*" was just read: the group is skipped unless the next token is a destination that
    // the reader knows.
    bool starred = false;
    TextAlignment alignment = TextAlignment::Left;
    RtfCharFormat chars;
};
