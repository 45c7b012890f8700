#pragma once

#include "io/FileStamp.h"
#include "run/ReplacementTexts.h"

#include <QString>

#include <algorithm>
#include <optional>
#include <vector>

// The occurrences of one file worked through ahead, as the run would have told them one by one
// (OccurrenceRecord): each where the run met it, in the text as edited so far, with what was
// put in its place (null when nothing was).
struct FoundOccurrences {
    struct Entry {
        qint64 start = 0;
        qint32 length = 0;
        qint32 replacement = ReplacementTexts::None; // in `replacements`
    };
    std::optional<FileStamp> stamp; // the file as it was read
    std::vector<Entry> entries;
    ReplacementTexts replacements;

    void add(qint64 start, qsizetype length, const QString &replacement)
    {
        entries.push_back({start, qint32(length), replacements.add(replacement)});
    }

    // Occurrences of `length` at `starts` in the text as read, each replaced by `replacement`:
    // every one before moves the next by the difference.
    template <class Starts>
    void addEach(const Starts &starts, qsizetype length, const QString &replacement)
    {
        const qint32 text = replacements.add(replacement);
        const qint64 grows = replacement.isNull() ? 0 : replacement.size() - length;
        const size_t wanted = entries.size() + std::size(starts);
        if (wanted > entries.capacity())
            entries.reserve(std::max(wanted, 2 * entries.capacity()));
        for (const auto at : starts)
            entries.push_back({qint64(at) + qint64(entries.size()) * grows, qint32(length), text});
    }

    const QString &replacementOf(const Entry &entry) const
    {
        return replacements.at(entry.replacement);
    }
};
