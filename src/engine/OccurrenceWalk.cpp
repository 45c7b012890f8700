#include "engine/OccurrenceWalk.h"

#include "engine/EngineState.h"
#include "engine/OccurrenceFinder.h"

bool OccurrenceWalk::run(EngineState &s, const OccurrenceFinder &finder, const View &view,
                         qsizetype &hits, const Handler &handle)
{
    s.NextSearchPos = 0;
    for (;;) {
        // A regular expression may look back before where it starts.
        s.MatchStart = finder.FindOccurrence(view(finder.ViewStart(s.NextSearchPos)),
                                             s.NextSearchPos, s.MatchLength, s.FindWildcards);
        if (s.MatchStart == -1)
            return true;
        ++hits;
        switch (handle()) {
        case Step::GoOn:
            break;
        case Step::Again:
            --hits;
            break;
        case Step::Stop:
            return false;
        }
    }
}
