#include "engine/RegexBytePattern.h"

#include "engine/RegexPattern.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

RegexBytePattern::RegexBytePattern(pcre2_code *code, bool crlf) : m_code(code), m_crlf(crlf)
{
    uint32_t captures = 0;
    pcre2_pattern_info(m_code, PCRE2_INFO_CAPTURECOUNT, &captures);
    m_captureCount = int(captures);
    pcre2_jit_compile(m_code, PCRE2_JIT_COMPLETE);
}

RegexBytePattern::~RegexBytePattern()
{
    pcre2_code_free(m_code);
}

std::shared_ptr<const RegexBytePattern>
RegexBytePattern::compile(QStringView pattern, bool matchCase, QStringView lineBreak)
{
    const QByteArray text = RegexPattern::adapted(pattern, lineBreak).toUtf8();
    uint32_t options = PCRE2_UTF | PCRE2_UCP | PCRE2_MULTILINE | PCRE2_NEVER_BACKSLASH_C;
    if (!matchCase)
        options |= PCRE2_CASELESS;
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
        new RegexBytePattern(code, lineBreak == u"\r\n"));
}
