#pragma once

#include "engine/EngineState.h"
#include "engine/SearchOptions.h"
#include "text/DocumentView.h"

#include <QStringView>

#include <algorithm>
#include <vector>

// Finds the next occurrence of the search pattern at or after a position of a document,
// literally, by matching the compiled FindBlocks, or by the regular expression. A wildcard match
// leaves the positions of its blocks in FindBlocks, where the replacement builder reads what the
// gaps covered.
class OccurrenceFinder {
public:
    OccurrenceFinder(EngineState &state, const SearchOptions &options)
        : m_state(state), m_options(options)
    {
    }

    // Returns the match start or -1. Plain mode sets matchLength to SearchLen always;
    // wildcard mode writes it only when an occurrence is found.
    qsizetype FindOccurrence(const DocumentView &document, qsizetype start, qsizetype &matchLength,
                             bool useWildcards) const;

    // Where the view of the document handed to FindOccurrence must begin for a search from
    // `start`: a regular expression may look at the text before it.
    qsizetype ViewStart(qsizetype start) const
    {
        return m_state.FindRegex ? std::max<qsizetype>(start - m_state.Regex.contextNeeded(), 0)
                                 : start;
    }

    qsizetype FindMasked(const DocumentView &document, qsizetype start,
                         qsizetype &matchLength) const;

    // The kind of block i-1; the first block behaves as if a "*" stood before it.
    TMaskKind PrevKind(int i) const;
    // The highest k in 1..i-1 whose block may still move forward, or 0.
    int LastFloatingBefore(int i) const;

    // The first occurrence of literal lying wholly inside [s, s+n), or -1. Without case
    // matching, letters compare under Unicode simple case folding; everything else exactly.
    static qsizetype FindLiteral(const DocumentView &document, QStringView literal, qsizetype s,
                                 qsizetype n, bool matchCase);

private:
    TMaskBlockS &block(int i) const { return m_state.FindBlocks[size_t(i)]; }
    qsizetype FindFrom(const DocumentView &document, QStringView literal, qsizetype from) const;
    // FindFrom for block i's text. Within one FindMasked call the document does not change, so
    // the answer for a block searched from an earlier position that found nothing before
    // `from` still holds: a literal that must stand at an exact place is not searched for
    // across the rest of the document at every attempt.
    qsizetype FindBlock(const DocumentView &document, int i, qsizetype from) const;
    void PlaceFixedGap(const DocumentView &document, int i) const;
    bool LiteralFails(int i, qsizetype found) const;

    struct Searched {
        qsizetype from = -1; // -1: not searched in this call
        qsizetype found = -1;
    };

    EngineState &m_state;
    const SearchOptions &m_options;
    mutable std::vector<Searched> m_searched;
};
