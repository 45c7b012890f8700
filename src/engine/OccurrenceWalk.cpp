#include "engine/OccurrenceWalk.h"

#include "engine/EngineState.h"
#include "engine/OccurrenceFinder.h"

bool OccurrenceWalk::run(EngineState &s, const OccurrenceFinder &finder, const View &view,
                         qsizetype &hits, const Handler &handle)
{
    s.NextSearchPos = 0;
    for (;;) {
        s.MatchStart = finder.FindOccurrence(view(s.NextSearchPos), s.NextSearchPos, s.MatchLength,
                                             s.FindWildcards);
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
