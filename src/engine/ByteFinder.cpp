#include "engine/ByteFinder.h"

#include "engine/CpuFeatures.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define QUORVEX_HAVE_AVX2_PATH 1
#endif

namespace {

bool isAsciiLetter(unsigned char c)
{
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}

unsigned char lowerAscii(unsigned char c)
{
    return isAsciiLetter(c) ? (c | 0x20) : c;
}

} // namespace

ByteFinder::ByteFinder(QByteArrayView needle, bool matchCase)
    : m_needle(needle.toByteArray()), m_matchCase(matchCase)
{
#ifdef QUORVEX_HAVE_AVX2_PATH
    m_wide = CpuFeatures::avx2();
#endif
    if (!matchCase) {
        for (char &c : m_needle)
            c = char(lowerAscii(uchar(c)));
    }
    for (qsizetype i = 0; i < std::min<qsizetype>(m_needle.size(), 8); ++i) {
        const unsigned char c = uchar(m_needle[i]);
        m_head |= quint64(c) << (8 * i);
        m_headMask |= quint64(0xFF) << (8 * i);
        if (!matchCase && isAsciiLetter(c))
            m_headFold |= quint64(0x20) << (8 * i);
    }
    m_reach = std::max<qsizetype>(m_needle.size(), 8);
}

// Read in little-endian order, byte i of the text lies at bits 8i, as the head was built.
inline bool ByteFinder::matchesWordAt(const char *at) const
{
    const quint64 word = qFromLittleEndian<quint64>(at);
    if (((word | m_headFold) & m_headMask) != m_head)
        return false;
    return m_needle.size() <= 8 || matchesAt(at);
}

bool ByteFinder::matchesAt(const char *at) const
{
    if (m_matchCase) {
        // Short needles compare in place: a library call costs more than the bytes.
        const char *needle = m_needle.constData();
        const qsizetype n = m_needle.size();
        if (n > 16)
            return std::memcmp(at, needle, size_t(n)) == 0;
        for (qsizetype i = 0; i < n; ++i) {
            if (at[i] != needle[i])
                return false;
        }
        return true;
    }
    for (qsizetype i = 0; i < m_needle.size(); ++i) {
        if (lowerAscii(uchar(at[i])) != uchar(m_needle[i]))
            return false;
    }
    return true;
}

qsizetype ByteFinder::findOneByte(QByteArrayView data, qsizetype from) const
{
    const char *begin = data.data();
    const unsigned char c = uchar(m_needle[0]);
    const bool bothCases = !m_matchCase && isAsciiLetter(c);
    const void *hit = std::memchr(begin + from, c, size_t(data.size() - from));
    qsizetype at = hit ? static_cast<const char *>(hit) - begin : data.size();
    if (bothCases) {
        const void *upper = std::memchr(begin + from, c & ~0x20, size_t(at - from));
        if (upper)
            at = static_cast<const char *>(upper) - begin;
    }
    return at < data.size() ? at : -1;
}

#ifdef QUORVEX_HAVE_AVX2_PATH
namespace {

// Picks, among thirty-two places, those whose first and last byte could be the needle's; a
// letter compared without case is OR-ed with 0x20, which folds both cases onto the lower one.
class WideFilter {
public:
    __attribute__((target("avx2"), always_inline)) WideFilter(QByteArrayView needle, bool matchCase)
        : m_lastOffset(needle.size() - 1)
    {
        const unsigned char first = uchar(needle.front());
        const unsigned char last = uchar(needle.back());
        m_first = _mm256_set1_epi8(char(first));
        m_last = _mm256_set1_epi8(char(last));
        m_firstFold = _mm256_set1_epi8(!matchCase && isAsciiLetter(first) ? 0x20 : 0);
        m_lastFold = _mm256_set1_epi8(!matchCase && isAsciiLetter(last) ? 0x20 : 0);
    }

    // One bit for each place from `at` that passes.
    __attribute__((target("avx2"), always_inline)) unsigned candidates(const char *at) const
    {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(at));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(at + m_lastOffset));
        return unsigned(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(a, m_firstFold), m_first),
                             _mm256_cmpeq_epi8(_mm256_or_si256(b, m_lastFold), m_last))));
    }

private:
    __m256i m_first, m_last, m_firstFold, m_lastFold;
    qsizetype m_lastOffset;
};

} // namespace

// Thirty-two candidates at a time where the processor has AVX2; the caller finishes the tail.
__attribute__((target("avx2"))) qsizetype ByteFinder::findWide(QByteArrayView data,
                                                               qsizetype &i) const
{
    const WideFilter filter(m_needle, m_matchCase);
    const char *base = data.data();
    for (; i + 31 + m_reach <= data.size(); i += 32) {
        for (unsigned mask = filter.candidates(base + i); mask != 0; mask &= mask - 1) {
            const int bit = __builtin_ctz(mask);
            if (matchesWordAt(base + i + bit))
                return i + bit;
        }
    }
    return -1;
}

namespace {

// findMany's loop, sixty-four places a time. Each candidate is written out and kept or not by
// its test's result rather than by a branch: in text where the needle is common, whether a
// candidate holds it cannot be foretold. They are written to a buffer on the stack, which needs
// no clearing (growing `starts` to the limit first cleared it, on every call: for a small file,
// more work than its search), and moved over when it is full.
template <class Matches>
__attribute__((target("avx2"), always_inline)) inline void
findManyBlocks(const WideFilter &filter, QByteArrayView data, qsizetype reach, qsizetype &from,
               qsizetype step, std::vector<qsizetype> &starts, size_t limit, Matches matches)
{
    constexpr size_t Local = 256;
    qsizetype local[Local];
    size_t kept = 0;
    size_t room = std::min(limit - starts.size(), Local);
    const char *base = data.data();
    qsizetype next = from; // where the next occurrence may start
    qsizetype i = from;
    while (i + 63 + reach <= data.size()) {
        quint64 mask
            = filter.candidates(base + i) | quint64(filter.candidates(base + i + 32)) << 32;
        for (; mask != 0; mask &= mask - 1) {
            const qsizetype at = i + __builtin_ctzll(mask);
            const bool hit = matches(at >= next, base + at);
            local[kept] = at;
            kept += hit;
            next = hit ? at + step : next;
            if (kept == room) {
                starts.insert(starts.end(), local, local + kept);
                kept = 0;
                room = std::min(limit - starts.size(), Local);
                if (room == 0) {
                    from = next;
                    return;
                }
            }
        }
        i = std::max(next, i + 64);
    }
    starts.insert(starts.end(), local, local + kept);
    from = i;
}

} // namespace

// As findWide, going on in the same block after each occurrence rather than starting again. A
// needle of up to eight bytes is decided by its word alone, with no call in the loop.
__attribute__((target("avx2"))) void ByteFinder::findManyWide(QByteArrayView data, qsizetype &from,
                                                              qsizetype step,
                                                              std::vector<qsizetype> &starts,
                                                              size_t limit) const
{
    if (starts.size() >= limit)
        return;
    const WideFilter filter(m_needle, m_matchCase);
    if (m_needle.size() <= 8) {
        const quint64 head = m_head;
        const quint64 mask = m_headMask;
        const quint64 fold = m_headFold;
        findManyBlocks(filter, data, m_reach, from, step, starts, limit,
                       [=](bool free, const char *at) {
                           return free & (((qFromLittleEndian<quint64>(at) | fold) & mask) == head);
                       });
    } else {
        findManyBlocks(filter, data, m_reach, from, step, starts, limit,
                       [this](bool free, const char *at) { return free && matchesWordAt(at); });
    }
}
#endif

bool ByteFinder::findMany(QByteArrayView data, qsizetype &from, qsizetype step,
                          std::vector<qsizetype> &starts, size_t limit) const
{
#ifdef QUORVEX_HAVE_AVX2_PATH
    if (m_wide && m_needle.size() > 1 && from >= 0)
        findManyWide(data, from, step, starts, limit);
#endif
    while (starts.size() < limit) {
        const qsizetype at = find(data, from);
        if (at < 0) {
            from = data.size();
            return false;
        }
        starts.push_back(at);
        from = at + step;
    }
    return true;
}

qsizetype ByteFinder::find(QByteArrayView data, qsizetype from) const
{
    const qsizetype n = m_needle.size();
    if (n == 0 || from < 0 || from > data.size() - n)
        return -1;
    if (n == 1)
        return findOneByte(data, from);
    qsizetype i = from;
#ifdef QUORVEX_HAVE_AVX2_PATH
    if (m_wide) {
        const qsizetype found = findWide(data, i);
        if (found >= 0)
            return found;
    }
#endif
#if defined(__SSE2__)
    if (CpuFeatures::sse2()) {
        const qsizetype found = findNarrow(data, i);
        if (found >= 0)
            return found;
    }
#endif
    return findScalar(data, i);
}

#if defined(__SSE2__)
// Sixteen candidates at a time; advances `i` past what it looked at.
qsizetype ByteFinder::findNarrow(QByteArrayView data, qsizetype &i) const
{
    const qsizetype n = m_needle.size();
    const char *base = data.data();
    const unsigned char first = uchar(m_needle[0]);
    const unsigned char last = uchar(m_needle[n - 1]);
    // A letter compared without case: OR-ing 0x20 folds both cases onto the lower one (and
    // some other bytes with them, which the full comparison then rejects).
    const __m128i firstBytes = _mm_set1_epi8(char(first));
    const __m128i lastBytes = _mm_set1_epi8(char(last));
    const __m128i firstFold = _mm_set1_epi8(!m_matchCase && isAsciiLetter(first) ? 0x20 : 0);
    const __m128i lastFold = _mm_set1_epi8(!m_matchCase && isAsciiLetter(last) ? 0x20 : 0);
    for (; i + 15 + m_reach <= data.size(); i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(base + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(base + i + n - 1));
        const __m128i eq = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, firstFold), firstBytes),
                                         _mm_cmpeq_epi8(_mm_or_si128(b, lastFold), lastBytes));
        for (unsigned mask = unsigned(_mm_movemask_epi8(eq)); mask != 0; mask &= mask - 1) {
            const int bit = __builtin_ctz(mask);
            if (matchesWordAt(base + i + bit))
                return i + bit;
        }
    }
    return -1;
}
#endif

qsizetype ByteFinder::findScalar(QByteArrayView data, qsizetype from) const
{
    const char *base = data.data();
    for (qsizetype i = from; i <= data.size() - m_needle.size(); ++i) {
        if (matchesAt(base + i))
            return i;
    }
    return -1;
}
