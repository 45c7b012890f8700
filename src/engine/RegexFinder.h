#pragma once

#include "engine/RegexPattern.h"
#include "text/DocumentView.h"

#include <QString>
#include <QStringView>

#include <array>
#include <memory>
#include <vector>

struct pcre2_real_match_data_16;
struct pcre2_real_match_context_16;
struct pcre2_real_jit_stack_16;

// Matches a regular expression in a document, for one thread: each copy has its own match
// data and stack and shares the compiled patterns. Every match is bounded by the library's
// limits; a search that reaches one finds nothing and says so (limitHit) until the next file.
//
// The runs edit the document as they go, so the text just before the place a search resumes
// may be a replacement rather than what the file had. Where that decides whether the place is
// a line start ("^"), the file's text as it was decides.
class RegexFinder {
public:
    RegexFinder();
    RegexFinder(const RegexFinder &other);
    RegexFinder &operator=(const RegexFinder &other);
    ~RegexFinder();

    // Compiles `pattern` for the three line-break styles; false (and `error` set) when the
    // library refuses it.
    bool setPattern(QStringView pattern, bool matchCase, RegexPattern::Error *error);
    bool isSet() const { return m_current != nullptr; }
    const RegexPattern *pattern() const { return m_current; }
    // Starts a file whose line break is `lineBreak`: its pattern, no limit hit, no last match.
    void startFile(QStringView lineBreak);

    // How far before `start` the document's view must reach.
    qsizetype contextNeeded() const { return m_current ? m_current->contextNeeded() : 0; }

    // The first match at or after `start`, or -1. `replacedLength` is how long the text is that
    // replaced the last match when the run replaced it (the replacement in hand).
    qsizetype find(const DocumentView &document, qsizetype start, qsizetype replacedLength,
                   qsizetype &matchLength);
    bool limitHit() const { return m_limitHit; }
    // Where the last match began; -1 before the first of the file.
    qsizetype lastStart() const { return m_lastStart; }

    // Where group `n` of the last match lay (absolute start and length); start -1 when it took
    // no part in it.
    std::pair<qsizetype, qsizetype> group(int n) const;
    // Where the earliest group of the last match begins: before the match itself when "\K"
    // moved the match's start past a group.
    qsizetype firstGroupStart() const;

private:
    enum class Found { Match, None, Limit };
    Found match(QStringView subject, qsizetype subjectStart, qsizetype offset, bool notLineStart);
    // Whether the place `at` of `text`, which begins at `textStart`, starts a line.
    bool lineStartAt(QStringView text, qsizetype at, qsizetype textStart) const;
    void release();

    std::array<std::shared_ptr<const RegexPattern>, 3> m_patterns; // CR LF, LF, CR
    const RegexPattern *m_current = nullptr;
    pcre2_real_match_data_16 *m_data = nullptr;
    pcre2_real_match_context_16 *m_context = nullptr;
    pcre2_real_jit_stack_16 *m_stack = nullptr;
    std::vector<qsizetype> m_groups; // start, end of each group; -1: unset
    bool m_limitHit = false;
    // The last match, to tell a search that resumes after its replacement.
    qsizetype m_lastStart = -1;
    qsizetype m_lastLength = 0;
    bool m_lastEndedLine = false; // the file's text had a line start at its end
};
