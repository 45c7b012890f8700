#pragma once

#include "text/DocumentView.h"

#include <functional>

class EngineState;
class OccurrenceFinder;

// The one loop over the occurrences of a text, for the review (each occurrence shown and
// answered) and for the jobs done ahead (each one taken as found): search from NextSearchPos,
// hand the occurrence (MatchStart, MatchLength) to the handler, which deals with it and moves
// NextSearchPos on (ResumeAt), and search again until nothing more is found.
class OccurrenceWalk {
public:
    enum class Step {
        GoOn, // dealt with: the search goes on from NextSearchPos
        Again, // not dealt with (the review closed without an answer): it is met again, not counted
               // twice
        Stop, // the run was aborted
    };
    // The text from a position on.
    using View = std::function<DocumentView(qsizetype from)>;
    using Handler = std::function<Step()>;

    // Walks the text from its start. `hits` counts the occurrences met, the one in hand
    // included. False when the handler stopped the walk.
    static bool run(EngineState &state, const OccurrenceFinder &finder, const View &view,
                    qsizetype &hits, const Handler &handle);
};
