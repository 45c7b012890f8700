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
    // null when the library refuses it here.
    static std::shared_ptr<const RegexBytePattern> compile(QStringView pattern, bool matchCase,
                                                           QStringView lineBreak);

    pcre2_real_code_8 *code() const { return m_code; }
    int captureCount() const { return m_captureCount; }
    bool crlf() const { return m_crlf; }

private:
    RegexBytePattern(pcre2_real_code_8 *code, bool crlf);

    pcre2_real_code_8 *m_code = nullptr;
    int m_captureCount = 0;
    bool m_crlf = false;
};
