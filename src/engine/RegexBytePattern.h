#pragma once

#include <QStringView>

#include <memory>

struct pcre2_real_code_8;

// A regular expression compiled for the UTF-8 bytes of files of one line-break style, to give
// the very matches RegexPattern gives on the same text decoded: the same adapted pattern and
// options, so characters, case and "\w" are Unicode's in both. The bytes it is used on are
// valid UTF-8, checked before the search, so the library does not check them again. A pattern
// whose meaning could depend on the width of a code unit ("\C") is refused.
class RegexBytePattern {
public:
    ~RegexBytePattern();
    RegexBytePattern(const RegexBytePattern &) = delete;
    RegexBytePattern &operator=(const RegexBytePattern &) = delete;

    // The pattern as typed (line breaks CR LF) for files whose line break is `lineBreak`;
    // null when the library refuses it here. `boundedStarts`: a search may be told the last
    // offset a match may start at (compiled apart, as the library wants) where the library
    // keeps to it faithfully (see boundedStarts()).
    static std::shared_ptr<const RegexBytePattern>
    compile(QStringView pattern, bool matchCase, QStringView lineBreak, bool boundedStarts = false);
    // Whether a match depends on nothing but the text and the offset it starts at, so that a
    // search from any offset finds what a search from the text's start finds there: no "\G"
    // (the search's start), no "\K" (a match reported to start later than it was tried), no
    // verb such as "(*COMMIT)" (which ends the search rather than the attempt).
    static bool startsAnywhere(QStringView pattern);

    pcre2_real_code_8 *code() const { return m_code; }
    int captureCount() const { return m_captureCount; }
    bool crlf() const { return m_crlf; }
    bool boundedStarts() const { return m_boundedStarts; }

private:
    RegexBytePattern(pcre2_real_code_8 *code, bool crlf, bool boundedStarts);

    pcre2_real_code_8 *m_code = nullptr;
    int m_captureCount = 0;
    bool m_crlf = false;
    bool m_boundedStarts = false;
};
