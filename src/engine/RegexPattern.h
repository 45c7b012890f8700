#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

struct pcre2_real_code_16;

// A regular expression compiled for the files of one line-break style (CR LF, LF or CR): that
// style is the library's newline, so "^", "$" and "." know the file's lines, and a "\n" of the
// pattern, like a line break typed into it, stands for the file's line break. Unicode (UTF and
// UCP), multiline, "." stops at a line break; case as asked. Compiled once per run, shared
// read-only by every thread that matches it.
class RegexPattern {
public:
    struct Error {
        QString message; // the library's own words
        qsizetype offset = 0; // where in the pattern as typed
    };

    ~RegexPattern();
    RegexPattern(const RegexPattern &) = delete;
    RegexPattern &operator=(const RegexPattern &) = delete;

    // Why `pattern` (as typed, line breaks CR LF) cannot be compiled; nothing when it can.
    static std::optional<Error> check(QStringView pattern, bool matchCase);
    // The pattern for files whose line break is `lineBreak`; null (and `error` set) when the
    // library refuses it.
    static std::shared_ptr<const RegexPattern> compile(QStringView pattern, bool matchCase,
                                                       QStringView lineBreak, Error *error);
    // `pattern` with its line breaks and "\n" escapes put into the style of `lineBreak`.
    static QString adapted(QStringView pattern, QStringView lineBreak);
    // The library's newline setting for a file whose line break is `lineBreak` (the same value
    // for every code unit width).
    static uint32_t newlineOf(QStringView lineBreak);

    pcre2_real_code_16 *code() const { return m_code; }
    int captureCount() const { return m_captureCount; }
    // The number of the group called `name`, or -1.
    int groupNumber(QStringView name) const;
    // How many characters before a match's start the pattern may look at (a lookbehind, a
    // line start, a word boundary).
    qsizetype contextNeeded() const { return m_contextNeeded; }
    // The pattern looks behind a place (a lookbehind, "\b"): right after a replacement it sees
    // the replacement, so such a pattern must search the text as it stands.
    bool looksBehind() const { return m_contextNeeded > 2; }
    // The file's line break is CR LF: an empty match never falls between its two characters.
    bool crlf() const { return m_crlf; }

private:
    explicit RegexPattern(pcre2_real_code_16 *code, bool crlf);

    pcre2_real_code_16 *m_code = nullptr;
    int m_captureCount = 0;
    qsizetype m_contextNeeded = 2;
    bool m_crlf = false;
    std::vector<std::pair<QString, int>> m_names;
};
