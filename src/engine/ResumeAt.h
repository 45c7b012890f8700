#pragma once

#include "text/TextEdit.h"

#include <QtGlobal>

#include <optional>

// Where a search goes on once the occurrence in hand has been dealt with. Every run and every
// job takes its next position from here, so the review, the files worked through ahead and the
// byte path cannot disagree about which occurrences a file has.
class ResumeAt {
public:
    enum class After {
        Found, // counted by a find run: one past the start where occurrences may overlap
        Skipped, // left as it is: as Found
        Replaced, // right after the text put in (`position`: where the edit ends)
        Refused, // the file's format had no place for the replacement: as Skipped
        Deleted, // where the occurrence began
        Chosen, // at `position`, chosen in the review (free editing)
    };

    // `overlapping`: whether an occurrence may begin inside the one before (literals and
    // wildcards); a regular expression's next match begins past the end of this one.
    static qsizetype of(After what, qsizetype matchStart, qsizetype matchLength,
                        qsizetype position = -1, bool overlapping = true);
    // After a replacement: Replaced when it was made (`made`), else Refused.
    static qsizetype ofReplacement(qsizetype matchStart, qsizetype matchLength,
                                   const std::optional<TextEdit> &made, bool overlapping = true)
    {
        return made ? of(After::Replaced, matchStart, matchLength, made->end())
                    : of(After::Refused, matchStart, matchLength, -1, overlapping);
    }
};
