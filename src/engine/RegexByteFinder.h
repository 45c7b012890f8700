#pragma once

#include "engine/RegexBytePattern.h"

#include <QByteArrayView>

#include <vector>

struct pcre2_real_match_data_8;

// Finds the matches of a RegexBytePattern in the valid UTF-8 bytes of one file, as RegexFinder
// finds them in the decoded text: a search resumes at a character's start, an empty match never
// falls between the CR and the LF of a CR LF file, and every match has the same step limit. The
// library's stack and match context are the thread's own and serve file after file.
class RegexByteFinder {
public:
    enum class Found { Match, None, Limit };

    explicit RegexByteFinder(const RegexBytePattern &pattern);
    RegexByteFinder(const RegexByteFinder &) = delete;
    RegexByteFinder &operator=(const RegexByteFinder &) = delete;
    ~RegexByteFinder();

    // The first match in `text` starting at or after `start` (a byte offset) and, when
    // `lastStart` is not negative, at or before it (a pattern compiled with bounded starts).
    Found find(QByteArrayView text, qsizetype start, qsizetype lastStart = -1);
    // Where group `n` of the last match lay: start and end offsets; start -1 when it took no
    // part in it. The end is never before the start.
    qsizetype groupStart(int n) const { return m_groups[size_t(n) * 2]; }
    qsizetype groupEnd(int n) const { return m_groups[size_t(n) * 2 + 1]; }
    int groupCount() const { return int(m_groups.size() / 2); }
    // The start and end of every group in turn.
    const qsizetype *groups() const { return m_groups.data(); }

    // Where the search goes on after a match from `start` to `end`: the end, or past the next
    // character after an empty match.
    static qsizetype resumeAfter(QByteArrayView text, qsizetype start, qsizetype end);
    // The first character start at or after `at`.
    static qsizetype characterStart(QByteArrayView text, qsizetype at);

private:
    const RegexBytePattern &m_pattern;
    pcre2_real_match_data_8 *m_data = nullptr;
    std::vector<qsizetype> m_groups;
};
