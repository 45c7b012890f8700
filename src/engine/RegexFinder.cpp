#include "engine/RegexFinder.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Each match gives up after this many steps of the library (about a second at worst): no
// pattern can hold a run up for long on one file.
constexpr uint32_t matchLimit = 10'000'000;
constexpr size_t stackStart = 32 * 1024;
constexpr size_t stackMost = 4 * 1024 * 1024;

const char16_t noText[1] = {0};

bool highSurrogate(QChar c)
{
    return c.isHighSurrogate();
}

} // namespace

RegexFinder::RegexFinder() = default;

RegexFinder::RegexFinder(const RegexFinder &other)
    : m_patterns(other.m_patterns), m_current(other.m_current)
{
}

RegexFinder &RegexFinder::operator=(const RegexFinder &other)
{
    if (this != &other) {
        release();
        m_patterns = other.m_patterns;
        m_current = other.m_current;
        m_limitHit = false;
        m_lastStart = -1;
    }
    return *this;
}

RegexFinder::~RegexFinder()
{
    release();
}

void RegexFinder::release()
{
    pcre2_match_data_free(m_data);
    pcre2_match_context_free(m_context);
    pcre2_jit_stack_free(m_stack);
    m_data = nullptr;
    m_context = nullptr;
    m_stack = nullptr;
}

bool RegexFinder::setPattern(QStringView pattern, bool matchCase, RegexPattern::Error *error)
{
    release();
    m_current = nullptr;
    const QStringView breaks[3] = {u"\r\n", u"\n", u"\r"};
    for (size_t i = 0; i < 3; ++i) {
        m_patterns[i] = RegexPattern::compile(pattern, matchCase, breaks[i], error);
        if (!m_patterns[i])
            return false;
    }
    m_current = m_patterns[0].get();
    return true;
}

void RegexFinder::startFile(QStringView lineBreak)
{
    m_limitHit = false;
    m_lastStart = -1;
    if (!m_patterns[0])
        return;
    m_current = m_patterns[lineBreak == u"\n" ? 1 : lineBreak == u"\r" ? 2 : 0].get();
}

qsizetype RegexFinder::find(const DocumentView &document, qsizetype start, qsizetype replacedLength,
                            qsizetype &matchLength)
{
    if (!m_current || m_limitHit || start < 0 || start > document.length())
        return -1;
    qsizetype from = std::max(document.base(), start - contextNeeded());
    QStringView window = document.from(from);
    // Never between the halves of a surrogate pair.
    if (start > from && start < document.length() && highSurrogate(window[start - from - 1])
        && window[start - from].isLowSurrogate())
        ++start;
    qsizetype offset = start - from;
    bool notLineStart = from > 0; // the window's first character is no line start of itself
    const bool afterReplacement
        = m_lastStart >= 0 && m_lastLength > 0 && start == m_lastStart + replacedLength;
    if (afterReplacement && lineStartAt(window, offset, from) != m_lastEndedLine) {
        window = window.sliced(offset);
        from = start;
        offset = 0;
        notLineStart = !m_lastEndedLine;
    }
    for (;;) {
        switch (match(window, from, offset, notLineStart)) {
        case Found::Limit:
            m_limitHit = true;
            return -1;
        case Found::None:
            return -1;
        case Found::Match:
            break;
        }
        const qsizetype at = m_groups[0] - from;
        const bool empty = m_groups[1] == m_groups[0];
        // An empty match never splits a CR LF line break.
        if (empty && m_current->crlf() && at > 0 && at < window.size() && window[at - 1] == u'\r'
            && window[at] == u'\n') {
            offset = at + 1;
            continue;
        }
        break;
    }
    m_lastStart = m_groups[0];
    m_lastLength = m_groups[1] - m_groups[0];
    m_lastEndedLine = lineStartAt(window, m_groups[1] - from, from);
    matchLength = m_lastLength;
    return m_lastStart;
}

RegexFinder::Found RegexFinder::match(QStringView subject, qsizetype subjectStart, qsizetype offset,
                                      bool notLineStart)
{
    pcre2_code *code = m_current->code();
    if (!m_data) {
        m_data = pcre2_match_data_create(uint32_t(m_current->captureCount()) + 1, nullptr);
        m_context = pcre2_match_context_create(nullptr);
        m_stack = pcre2_jit_stack_create(stackStart, stackMost, nullptr);
        pcre2_set_match_limit(m_context, matchLimit);
        pcre2_jit_stack_assign(m_context, nullptr, m_stack);
    }
    const auto *text = subject.isEmpty() ? noText : subject.utf16();
    const int rc
        = pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(text), PCRE2_SIZE(subject.size()),
                      PCRE2_SIZE(offset), notLineStart ? PCRE2_NOTBOL : 0, m_data, m_context);
    if (rc == PCRE2_ERROR_NOMATCH)
        return Found::None;
    // Any other failure (a limit, memory) means the file's matches are not known.
    if (rc <= 0)
        return Found::Limit;
    const PCRE2_SIZE *ovector = pcre2_get_ovector_pointer(m_data);
    const uint32_t pairs = pcre2_get_ovector_count(m_data);
    m_groups.assign(size_t(pairs) * 2, -1);
    for (uint32_t i = 0; i < uint32_t(rc) && i < pairs; ++i) {
        if (ovector[2 * i] == PCRE2_UNSET)
            continue;
        m_groups[2 * i] = subjectStart + qsizetype(ovector[2 * i]);
        // "\K" in a lookahead can put the start after the end: no text then.
        m_groups[2 * i + 1]
            = subjectStart + qsizetype(std::max(ovector[2 * i], ovector[2 * i + 1]));
    }
    return Found::Match;
}

bool RegexFinder::lineStartAt(QStringView text, qsizetype at, qsizetype textStart) const
{
    if (textStart + at == 0)
        return true;
    if (at <= 0 || at > text.size())
        return false;
    if (m_current->crlf())
        return at >= 2 && text[at - 2] == u'\r' && text[at - 1] == u'\n';
    const QChar last = text[at - 1];
    return m_current == m_patterns[1].get() ? last == u'\n' : last == u'\r';
}

std::pair<qsizetype, qsizetype> RegexFinder::group(int n) const
{
    const auto index = size_t(n) * 2;
    if (n < 0 || index + 1 >= m_groups.size() || m_groups[index] < 0)
        return {-1, 0};
    return {m_groups[index], m_groups[index + 1] - m_groups[index]};
}

qsizetype RegexFinder::firstGroupStart() const
{
    qsizetype first = m_groups.empty() ? -1 : m_groups[0];
    for (size_t i = 2; i < m_groups.size(); i += 2) {
        if (m_groups[i] >= 0 && (first < 0 || m_groups[i] < first))
            first = m_groups[i];
    }
    return first;
}
