#include "engine/RegexByteFinder.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>

namespace {

// As RegexFinder: the same limit for each match, the same stack.
constexpr uint32_t matchLimit = 10'000'000;
constexpr size_t stackStart = 32 * 1024;
constexpr size_t stackMost = 4 * 1024 * 1024;

const char noText[1] = {0};

// The match context and stack of a thread; neither depends on the pattern.
class ThreadMatching {
public:
    ThreadMatching()
        : m_context(pcre2_match_context_create(nullptr))
        , m_stack(pcre2_jit_stack_create(stackStart, stackMost, nullptr))
    {
        pcre2_set_match_limit(m_context, matchLimit);
        pcre2_jit_stack_assign(m_context, nullptr, m_stack);
    }
    ThreadMatching(const ThreadMatching &) = delete;
    ThreadMatching &operator=(const ThreadMatching &) = delete;
    ~ThreadMatching()
    {
        pcre2_match_context_free(m_context);
        pcre2_jit_stack_free(m_stack);
    }

    static pcre2_match_context *context()
    {
        thread_local ThreadMatching matching;
        return matching.m_context;
    }

private:
    pcre2_match_context *m_context;
    pcre2_jit_stack *m_stack;
};

} // namespace

RegexByteFinder::RegexByteFinder(const RegexBytePattern &pattern)
    : m_pattern(pattern)
    , m_data(pcre2_match_data_create(uint32_t(pattern.captureCount()) + 1, nullptr))
    , m_groups(size_t(pattern.captureCount() + 1) * 2, -1)
{
}

RegexByteFinder::~RegexByteFinder()
{
    pcre2_match_data_free(m_data);
}

qsizetype RegexByteFinder::characterStart(QByteArrayView text, qsizetype at)
{
    while (at < text.size() && (uchar(text[at]) & 0xC0) == 0x80)
        ++at;
    return at;
}

qsizetype RegexByteFinder::resumeAfter(QByteArrayView text, qsizetype start, qsizetype end)
{
    return end > start ? end : characterStart(text, start + 1);
}

RegexByteFinder::Found RegexByteFinder::find(QByteArrayView text, qsizetype start,
                                             qsizetype lastStart)
{
    if (start < 0 || start > text.size())
        return Found::None;
    if (lastStart >= 0 && !m_pattern.boundedStarts())
        return Found::Limit; // not compiled for a bound: the matches are not known
    pcre2_match_context *context = ThreadMatching::context();
    // The context is the thread's: a bound left from a search before must not carry over (the
    // library refuses any bound for a pattern not compiled for one).
    pcre2_set_offset_limit(context, lastStart < 0 ? PCRE2_UNSET : PCRE2_SIZE(lastStart));
    const auto *subject = reinterpret_cast<PCRE2_SPTR>(text.isEmpty() ? noText : text.data());
    const auto length = PCRE2_SIZE(text.size());
    qsizetype offset = characterStart(text, start);
    for (;;) {
        const int rc = pcre2_match(m_pattern.code(), subject, length, PCRE2_SIZE(offset),
                                   PCRE2_NO_UTF_CHECK, m_data, context);
        if (rc == PCRE2_ERROR_NOMATCH)
            return Found::None;
        // Any other failure (a limit, memory) means the file's matches are not known.
        if (rc <= 0)
            return Found::Limit;
        const PCRE2_SIZE *ovector = pcre2_get_ovector_pointer(m_data);
        const qsizetype at = qsizetype(ovector[0]);
        // An empty match never splits a CR LF line break.
        if (ovector[1] <= ovector[0] && m_pattern.crlf() && at > 0 && at < text.size()
            && text[at - 1] == '\r' && text[at] == '\n') {
            offset = at + 1;
            continue;
        }
        std::fill(m_groups.begin(), m_groups.end(), -1);
        const auto pairs = std::min<size_t>(size_t(rc), m_groups.size() / 2);
        for (size_t i = 0; i < pairs; ++i) {
            if (ovector[2 * i] == PCRE2_UNSET)
                continue;
            m_groups[2 * i] = qsizetype(ovector[2 * i]);
            // "\K" in a lookahead can put the start after the end: no text then.
            m_groups[2 * i + 1] = qsizetype(std::max(ovector[2 * i], ovector[2 * i + 1]));
        }
        return Found::Match;
    }
}
