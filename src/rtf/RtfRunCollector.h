#pragma once

#include "rtf/RtfSink.h"
#include "text/FormattedRun.h"

#include <QList>

class RtfCodePages;
class RtfParser;

// Turns the shown text of a source into formatted runs: a new run starts where the character
// format or the alignment changes.
class RtfRunCollector : public RtfSink {
public:
    void text(const RtfTextEvent &event) override;

    // Names the fonts and colours once the whole source has been read.
    QList<FormattedRun> finish(const RtfParser &parser, RtfCodePages &pages) const;

private:
    struct Run {
        qsizetype start = 0;
        qsizetype length = 0;
        RtfCharFormat chars;
        TextAlignment alignment = TextAlignment::Left;
    };

    QList<Run> m_runs;
    qsizetype m_length = 0;
};
