#pragma once

#include "text/FormattedRun.h"
#include "text/TextEdit.h"

#include <QList>

#include <vector>

// The formatting of a shown document, kept in step with its edits so that a view is built
// once per file. Each distinct format is stored once; the text is covered by spans that
// each start a stretch in one format and reach to the next span's start.
//
// Invariants: spans are ordered by strictly increasing start, the first starts at 0 (none
// when the text is empty), every start is below length(), and neighbours differ in format.
class FormatSpans {
public:
    struct Span {
        qsizetype start = 0;
        int format = 0;
        bool operator==(const Span &) const = default;
    };

    // The runs of a document of `length` characters; stretches no run covers take the format
    // before them (the first format at the start).
    void reset(const QList<FormattedRun> &runs, qsizetype length);

    // Follows an edit made to the text. Inserted text takes the format in effect where it went
    // in, as the documents give it: that of the first replaced character, or for a bare
    // insertion that of the character before it, or after it when `atLineStart`.
    void applyEdit(const TextEdit &edit, bool atLineStart);

    qsizetype length() const { return m_length; }
    // The distinct formats; start and length are meaningless in them.
    const QList<FormattedRun> &formats() const { return m_formats; }
    // The format of the character at `pos` (the last one's past the end).
    int formatAt(qsizetype pos) const;
    // The spans that cover [from, to), clipped to it.
    QList<FormattedRun> runsIn(qsizetype from, qsizetype to) const;
    const std::vector<Span> &spans() const { return m_spans; }

private:
    // Index of the span holding `pos`.
    qsizetype spanAt(qsizetype pos) const;
    void mergeAround(qsizetype index);

    QList<FormattedRun> m_formats;
    std::vector<Span> m_spans;
    qsizetype m_length = 0;
};
