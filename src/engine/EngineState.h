#pragma once

#include "engine/RegexFinder.h"
#include "engine/RegexPattern.h"
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
    // The search pattern is a regular expression (Regex holds it compiled). Its replacement
    // is then built for each occurrence, as with replacement wildcards: ReplaceWildcards is
    // set too, and running numbers are among its blocks only when the user asked for them.
    bool FindRegex = false;
    RegexFinder Regex;

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
    // Compiles SearchText as a regular expression; the library's complaint when it cannot.
    std::optional<RegexPattern::Error> CompileRegexSearch(bool matchCase);
    // Compiles the replacement of a regular expression into ReplaceBlocks; the reference to a
    // group the pattern lacks, when there is one.
    std::optional<QString> CompileRegexReplacement(const QString &pattern, bool counters);

    // Whether an occurrence may begin inside the one before: not for a regular expression,
    // whose matches never overlap.
    bool OccurrencesOverlap() const { return !FindRegex; }
    // Where a search goes on after the current occurrence when it is left as it is (ResumeAt).
    qsizetype PastOccurrence() const;
    // The first place the current occurrence's replacement may copy text from: a group of a
    // regular expression can lie before the match.
    qsizetype ReplacementSource() const;
    // The file's search stopped at a limit of the regular expression library.
    bool PatternLimitHit() const { return FindRegex && Regex.limitHit(); }
    // A regular expression that looks behind the place it is tried at.
    bool PatternLooksBehind() const
    {
        return FindRegex && Regex.pattern() && Regex.pattern()->looksBehind();
    }
};
