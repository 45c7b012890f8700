#include "engine/RegexBytePattern.h"

#include "engine/RegexPattern.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

RegexBytePattern::RegexBytePattern(pcre2_code *code, bool crlf, bool boundedStarts)
    : m_code(code), m_crlf(crlf), m_boundedStarts(boundedStarts)
{
    uint32_t captures = 0;
    pcre2_pattern_info(m_code, PCRE2_INFO_CAPTURECOUNT, &captures);
    m_captureCount = int(captures);
    pcre2_jit_compile(m_code, PCRE2_JIT_COMPLETE);
    // The library's compiled code takes the bound for the text's end where the pattern starts
    // only at line starts (with CR LF line breaks at least): such a pattern is searched without.
    uint32_t first = 0;
    pcre2_pattern_info(m_code, PCRE2_INFO_FIRSTCODETYPE, &first);
    m_boundedStarts = m_boundedStarts && first != 2;
}

RegexBytePattern::~RegexBytePattern()
{
    pcre2_code_free(m_code);
}

std::shared_ptr<const RegexBytePattern> RegexBytePattern::compile(QStringView pattern,
                                                                  bool matchCase,
                                                                  QStringView lineBreak,
                                                                  bool boundedStarts)
{
    const QByteArray text = RegexPattern::adapted(pattern, lineBreak).toUtf8();
    uint32_t options = PCRE2_UTF | PCRE2_UCP | PCRE2_MULTILINE | PCRE2_NEVER_BACKSLASH_C;
    if (!matchCase)
        options |= PCRE2_CASELESS;
    if (boundedStarts)
        options |= PCRE2_USE_OFFSET_LIMIT;
    pcre2_compile_context *context = pcre2_compile_context_create(nullptr);
    pcre2_set_newline(context, RegexPattern::newlineOf(lineBreak));
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code *code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(text.constData()),
                                     PCRE2_SIZE(text.size()), options, &error, &offset, context);
    pcre2_compile_context_free(context);
    if (!code)
        return {};
    return std::shared_ptr<const RegexBytePattern>(
        new RegexBytePattern(code, lineBreak == u"\r\n", boundedStarts));
}

bool RegexBytePattern::startsAnywhere(QStringView pattern)
{
    // Looked for anywhere, escaped or in a class too: a pattern refused here is only searched
    // from the start.
    return !pattern.contains(u"\\G") && !pattern.contains(u"\\K") && !pattern.contains(u"(*");
}
