#include "engine/ResumeAt.h"

#include <algorithm>

qsizetype ResumeAt::of(After what, qsizetype matchStart, qsizetype matchLength, qsizetype position,
                       bool overlapping)
{
    switch (what) {
    case After::Found:
    case After::Skipped:
    case After::Refused:
        return matchStart + (overlapping ? 1 : std::max<qsizetype>(matchLength, 1));
    case After::Replaced:
        // What was put in is never searched again, and an occurrence that follows at once is
        // still found; an empty match must still move the search on. (A format may widen the
        // edit, keeping a table cell whole: `position` is the end of the edit as made.)
        return position + (matchLength == 0 ? 1 : 0);
    case After::Deleted:
        return matchStart;
    case After::Chosen:
        return position;
    }
    return matchStart + 1;
}
