#pragma once

#include "rtf/RtfGroupState.h"

#include <QStringView>

// Shown characters as the reader finds them, with the source bytes [begin, end) they come from.
struct RtfTextEvent {
    QStringView chars;
    qsizetype begin = 0;
    qsizetype end = 0;
    quint8 flags = 0; // RtfTextUnit::Flag
    int codePage = 1252;
    int depth = 0;
    const RtfGroupState *state = nullptr;
};

// Receives the shown text of an RTF source in order.
class RtfSink {
public:
    virtual ~RtfSink() = default;
    virtual void text(const RtfTextEvent &event) = 0;
};
