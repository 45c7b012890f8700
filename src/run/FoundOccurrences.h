#pragma once

#include "io/FileStamp.h"

#include <QString>

#include <optional>
#include <vector>

// The occurrences of one file worked through ahead, as the run would have told them one by one
// (OccurrenceRecord): each where the run met it, in the text as edited so far, with what was
// put in its place (null when nothing was).
struct FoundOccurrences {
    struct Entry {
        qint64 start = 0;
        qint32 length = 0;
        QString replacement;
    };
    std::optional<FileStamp> stamp; // the file as it was read
    std::vector<Entry> entries;
};
