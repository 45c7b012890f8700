#pragma once

#include "engine/TMaskBlockS.h"

#include <QString>

#include <optional>

// The search engine's process-wide values: the compiled patterns, the pattern texts as the
// run took them, the replacement in hand and the current occurrence. One instance lives for
// the whole program; the runs, the finder and the replacement builder share it.
class EngineState {
public:
    MaskTable FindBlocks{1};
    int FindBlockCount = 0;
    MaskTable ReplaceBlocks{1};
    int ReplaceBlockCount = 0;

    QString SearchText;
    qsizetype SearchLen = 0;
    bool FindWildcards = false;
    bool ReplaceWildcards = false;

    QString ReplaceText;
    qsizetype ReplaceLen = 0;

    qsizetype MatchStart = -1;
    qsizetype MatchLength = 0;
    qsizetype NextSearchPos = 0;
    // Where the review chose the search to go on (after a deletion or free editing); the run
    // takes it when it moves past the occurrence in hand.
    std::optional<qsizetype> ChosenResume;
    QString CurrentFileName;

    // Raised when the user aborts a run or refuses a backup copy.
    bool Aborted = false;
    // Set while a run is active, so that the processing command is not entered again.
    bool RunInProgress = false;

    // Compiles SearchText into FindBlocks.
    void CompileSearchPattern();
    // Compiles a replacement pattern into ReplaceBlocks. Back references resolve against the
    // compiled search pattern, or against nothing while search wildcards are off (FindBlocks
    // may then still hold an older pattern that has nothing to do with this run).
    void CompileReplacementPattern(const QString &pattern);
};
