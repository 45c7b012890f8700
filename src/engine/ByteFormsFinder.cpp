#include "engine/ByteFormsFinder.h"

#include "engine/CpuFeatures.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define QUORVEX_HAVE_AVX2_PATH 1
#endif

ByteFormsFinder::ByteFormsFinder(ByteForms forms)
    : m_forms(std::move(forms))
    , m_first(filterAt(m_forms, m_forms.firstCharEnd()))
    , m_last(filterAt(m_forms, m_forms.size() - 1))
{
    m_vectors = m_first.count > 0 && m_last.count > 0;
}

ByteFormsFinder::Filter ByteFormsFinder::filterAt(const ByteForms &forms, qsizetype offset)
{
    Filter filter;
    filter.offset = offset;
    const std::vector<unsigned char> bytes = forms.bytesAt(offset);
    for (const unsigned char b : bytes)
        filter.allowed[b] = true;
    if (bytes.size() <= MaxValues) {
        filter.count = bytes.size();
        std::copy(bytes.begin(), bytes.end(), filter.values.begin());
    }
    return filter;
}

bool ByteFormsFinder::findMany(QByteArrayView data, qsizetype &from, qsizetype step,
                               std::vector<qsizetype> &starts, size_t limit) const
{
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

qsizetype ByteFormsFinder::find(QByteArrayView data, qsizetype from) const
{
    const qsizetype n = m_forms.size();
    if (n == 0 || from < 0 || from > data.size() - n)
        return -1;
    qsizetype i = from;
#ifdef QUORVEX_HAVE_AVX2_PATH
    if (m_vectors && CpuFeatures::avx2()) {
        const qsizetype found = findWide(data, i);
        if (found >= 0)
            return found;
    }
#endif
#if defined(__SSE2__)
    if (m_vectors && CpuFeatures::sse2()) {
        const qsizetype found = findNarrow(data, i);
        if (found >= 0)
            return found;
    }
#endif
    return findScalar(data, i);
}

qsizetype ByteFormsFinder::findScalar(QByteArrayView data, qsizetype from) const
{
    const auto *base = reinterpret_cast<const unsigned char *>(data.data());
    for (qsizetype i = from; i <= data.size() - m_forms.size(); ++i) {
        if (m_first.allowed[base[i + m_first.offset]] && m_last.allowed[base[i + m_last.offset]]
            && m_forms.matchesAt(data.data() + i))
            return i;
    }
    return -1;
}

#if defined(__SSE2__)
namespace {

__m128i anyOf128(__m128i bytes, const __m128i *values, size_t count)
{
    __m128i hit = _mm_cmpeq_epi8(bytes, values[0]);
    for (size_t k = 1; k < count; ++k)
        hit = _mm_or_si128(hit, _mm_cmpeq_epi8(bytes, values[k]));
    return hit;
}

} // namespace

// Sixteen candidates at a time; advances `i` past what it looked at.
qsizetype ByteFormsFinder::findNarrow(QByteArrayView data, qsizetype &i) const
{
    __m128i first[MaxValues];
    __m128i last[MaxValues];
    for (size_t k = 0; k < m_first.count; ++k)
        first[k] = _mm_set1_epi8(char(m_first.values[k]));
    for (size_t k = 0; k < m_last.count; ++k)
        last[k] = _mm_set1_epi8(char(m_last.values[k]));
    const char *base = data.data();
    const qsizetype end = data.size() - m_forms.size();
    for (; i + 15 <= end; i += 16) {
        const __m128i a
            = _mm_loadu_si128(reinterpret_cast<const __m128i *>(base + i + m_first.offset));
        const __m128i b
            = _mm_loadu_si128(reinterpret_cast<const __m128i *>(base + i + m_last.offset));
        const __m128i eq
            = _mm_and_si128(anyOf128(a, first, m_first.count), anyOf128(b, last, m_last.count));
        for (unsigned mask = unsigned(_mm_movemask_epi8(eq)); mask != 0; mask &= mask - 1) {
            const int bit = __builtin_ctz(mask);
            if (m_forms.matchesAt(base + i + bit))
                return i + bit;
        }
    }
    return -1;
}
#else
qsizetype ByteFormsFinder::findNarrow(QByteArrayView, qsizetype &) const
{
    return -1;
}
#endif

#ifdef QUORVEX_HAVE_AVX2_PATH
namespace {

__attribute__((target("avx2"), always_inline)) inline __m256i
anyOf256(__m256i bytes, const __m256i *values, size_t count)
{
    __m256i hit = _mm256_cmpeq_epi8(bytes, values[0]);
    for (size_t k = 1; k < count; ++k)
        hit = _mm256_or_si256(hit, _mm256_cmpeq_epi8(bytes, values[k]));
    return hit;
}

} // namespace

// Thirty-two candidates at a time where the processor has AVX2; the caller finishes the tail.
__attribute__((target("avx2"))) qsizetype ByteFormsFinder::findWide(QByteArrayView data,
                                                                    qsizetype &i) const
{
    __m256i first[MaxValues];
    __m256i last[MaxValues];
    for (size_t k = 0; k < m_first.count; ++k)
        first[k] = _mm256_set1_epi8(char(m_first.values[k]));
    for (size_t k = 0; k < m_last.count; ++k)
        last[k] = _mm256_set1_epi8(char(m_last.values[k]));
    const char *base = data.data();
    const qsizetype end = data.size() - m_forms.size();
    for (; i + 31 <= end; i += 32) {
        const __m256i a
            = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(base + i + m_first.offset));
        const __m256i b
            = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(base + i + m_last.offset));
        unsigned mask = unsigned(_mm256_movemask_epi8(
            _mm256_and_si256(anyOf256(a, first, m_first.count), anyOf256(b, last, m_last.count))));
        for (; mask != 0; mask &= mask - 1) {
            const int bit = __builtin_ctz(mask);
            if (m_forms.matchesAt(base + i + bit))
                return i + bit;
        }
    }
    return -1;
}
#else
qsizetype ByteFormsFinder::findWide(QByteArrayView, qsizetype &) const
{
    return -1;
}
#endif
