#include "engine/RegexPattern.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

using namespace Qt::StringLiterals;

namespace {

const QString kCrLf = u"\r\n"_s;

QString errorText(int code)
{
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(code, buffer, sizeof buffer / sizeof buffer[0]);
    return length > 0 ? QString::fromUtf16(reinterpret_cast<const char16_t *>(buffer), length)
                      : QString();
}

pcre2_code *compiled(QStringView pattern, bool matchCase, uint32_t newline,
                     RegexPattern::Error *error)
{
    uint32_t options = PCRE2_UTF | PCRE2_UCP | PCRE2_MULTILINE | PCRE2_MATCH_INVALID_UTF;
    if (!matchCase)
        options |= PCRE2_CASELESS;
    pcre2_compile_context *context = pcre2_compile_context_create(nullptr);
    pcre2_set_newline(context, newline);
    int code = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code *result
        = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.utf16()), PCRE2_SIZE(pattern.size()),
                        options, &code, &offset, context);
    pcre2_compile_context_free(context);
    if (!result && error)
        *error = {errorText(code), qsizetype(offset)};
    return result;
}

// What stands for a line break: outside a class, a group the file's break fills; inside one,
// its characters.
QString lineBreakEscape(QStringView lineBreak, bool inClass)
{
    if (lineBreak == u"\n")
        return u"\\n"_s;
    if (lineBreak == u"\r")
        return u"\\r"_s;
    return inClass ? u"\\r\\n"_s : u"(?:\\r\\n)"_s;
}

} // namespace

RegexPattern::RegexPattern(pcre2_code *code, bool crlf) : m_code(code), m_crlf(crlf)
{
    uint32_t captures = 0;
    pcre2_pattern_info(m_code, PCRE2_INFO_CAPTURECOUNT, &captures);
    m_captureCount = int(captures);
    uint32_t lookbehind = 0;
    pcre2_pattern_info(m_code, PCRE2_INFO_MAXLOOKBEHIND, &lookbehind);
    // Characters may take two units each; a CR LF line start needs two.
    m_contextNeeded = 2 * qsizetype(lookbehind) + 2;
    uint32_t count = 0;
    uint32_t entrySize = 0;
    PCRE2_SPTR table = nullptr;
    pcre2_pattern_info(m_code, PCRE2_INFO_NAMECOUNT, &count);
    pcre2_pattern_info(m_code, PCRE2_INFO_NAMEENTRYSIZE, &entrySize);
    pcre2_pattern_info(m_code, PCRE2_INFO_NAMETABLE, &table);
    for (uint32_t i = 0; i < count; ++i, table += entrySize) {
        const auto *name = reinterpret_cast<const char16_t *>(table + 1);
        m_names.emplace_back(QString::fromUtf16(name), int(table[0]));
    }
    // Without the compiler for this processor the library interprets: slower, same results.
    pcre2_jit_compile(m_code, PCRE2_JIT_COMPLETE);
}

RegexPattern::~RegexPattern()
{
    pcre2_code_free(m_code);
}

std::optional<RegexPattern::Error> RegexPattern::check(QStringView pattern, bool matchCase)
{
    Error error;
    pcre2_code *code = compiled(pattern, matchCase, PCRE2_NEWLINE_CRLF, &error);
    if (!code)
        return error;
    pcre2_code_free(code);
    return std::nullopt;
}

std::shared_ptr<const RegexPattern> RegexPattern::compile(QStringView pattern, bool matchCase,
                                                          QStringView lineBreak, Error *error)
{
    const QString text = adapted(pattern, lineBreak);
    pcre2_code *code = compiled(text, matchCase, newlineOf(lineBreak), error);
    if (!code)
        return {};
    return std::shared_ptr<const RegexPattern>(new RegexPattern(code, lineBreak == kCrLf));
}

int RegexPattern::groupNumber(QStringView name) const
{
    for (const auto &[groupName, number] : m_names) {
        if (groupName == name)
            return number;
    }
    return -1;
}

QString RegexPattern::adapted(QStringView pattern, QStringView lineBreak)
{
    QString out;
    out.reserve(pattern.size() + 8);
    bool inClass = false;
    bool quoted = false; // between \Q and \E: every character stands for itself
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = pattern[i];
        const QChar next = i + 1 < n ? pattern[i + 1] : QChar();
        if (c == u'\r' && next == u'\n') { // a line break typed into the pattern
            out += quoted ? lineBreak.toString() : lineBreakEscape(lineBreak, inClass);
            ++i;
        } else if (quoted) {
            quoted = !(c == u'\\' && next == u'E');
            out += c;
        } else if (c == u'\\' && i + 1 < n) {
            if (next == u'n')
                out += lineBreakEscape(lineBreak, inClass);
            else
                out.append(c).append(next);
            quoted = next == u'Q';
            ++i;
        } else if (inClass) {
            if (c == u'[' && next == u':') { // a POSIX class such as [:alpha:]
                const qsizetype end = pattern.indexOf(u":]", i + 2);
                const qsizetype stop = end < 0 ? i + 1 : end + 2;
                out += pattern.sliced(i, stop - i);
                i = stop - 1;
                continue;
            }
            inClass = c != u']';
            out += c;
        } else if (c == u'[') {
            inClass = true;
            out += c;
            // "]" right after "[" or "[^" is a member, not the end.
            qsizetype j = i + 1;
            if (j < n && pattern[j] == u'^')
                out += pattern[j++];
            if (j < n && pattern[j] == u']')
                out += pattern[j++];
            i = j - 1;
        } else if (c == u'(' && pattern.sliced(i).startsWith(u"(?#")) {
            const qsizetype end = pattern.indexOf(u')', i);
            const qsizetype stop = end < 0 ? n : end + 1;
            out += pattern.sliced(i, stop - i);
            i = stop - 1;
        } else {
            out += c;
        }
    }
    return out;
}

uint32_t RegexPattern::newlineOf(QStringView lineBreak)
{
    if (lineBreak == u"\n")
        return PCRE2_NEWLINE_LF;
    if (lineBreak == u"\r")
        return PCRE2_NEWLINE_CR;
    return PCRE2_NEWLINE_CRLF;
}
