#include "engine/EngineState.h"

#include <algorithm>

#include "engine/ResumeAt.h"

#include "engine/MaskCompiler.h"
#include "engine/RegexReplacement.h"

void EngineState::CompileSearchPattern()
{
    MaskCompiler().CompileMask(SearchText, FindBlocks, FindBlockCount, false);
}

void EngineState::CompileReplacementPattern(const QString &pattern)
{
    const MaskCompiler compiler
        = FindWildcards ? MaskCompiler(&FindBlocks, FindBlockCount) : MaskCompiler();
    compiler.CompileMask(pattern, ReplaceBlocks, ReplaceBlockCount, true);
}

std::optional<RegexPattern::Error> EngineState::CompileRegexSearch(bool matchCase)
{
    if (const std::optional<RegexPattern::Error> refused
        = RegexPattern::check(SearchText, matchCase))
        return refused;
    RegexPattern::Error error;
    if (!Regex.setPattern(SearchText, matchCase, &error))
        return error;
    FindBlockCount = 0;
    return std::nullopt;
}

std::optional<QString> EngineState::CompileRegexReplacement(const QString &pattern, bool counters)
{
    QString bad;
    if (!Regex.pattern()
        || !RegexReplacement::compile(pattern, *Regex.pattern(), counters, ReplaceBlocks,
                                      ReplaceBlockCount, &bad))
        return bad;
    return std::nullopt;
}

qsizetype EngineState::PastOccurrence() const
{
    return ResumeAt::of(ResumeAt::After::Found, MatchStart, MatchLength, -1, OccurrencesOverlap());
}

qsizetype EngineState::ReplacementSource() const
{
    if (!FindRegex)
        return MatchStart;
    const qsizetype first = Regex.firstGroupStart();
    return first >= 0 ? std::min(first, MatchStart) : MatchStart;
}
