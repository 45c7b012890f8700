#include "engine/LiteralSearch.h"

#include "engine/CaseFreeSearch.h"
#include "engine/CpuFeatures.h"

#include <array>
#include <cstring>
#include <span>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define QUORVEX_HAVE_AVX2_PATH 1
#endif

namespace {

qsizetype fallback(QStringView text, QStringView needle, bool matchCase)
{
    return matchCase ? text.indexOf(needle) : CaseFreeSearch::indexOf(text, needle);
}

#ifdef QUORVEX_HAVE_AVX2_PATH

// The units a place must hold to be a candidate: the needle's own one, or each that folds
// like it. Empty when the filter cannot be built.
std::span<const char16_t> unitsFor(const char16_t &unit, bool matchCase)
{
    if (QChar::isSurrogate(unit))
        return {};
    if (matchCase)
        return {&unit, 1};
    return CaseFreeSearch::variantsOf(unit);
}

__attribute__((target("avx2"))) __m256i anyOf(__m256i chars, std::span<const char16_t> units)
{
    __m256i hit = _mm256_cmpeq_epi16(chars, _mm256_set1_epi16(short(units[0])));
    for (size_t k = 1; k < units.size(); ++k)
        hit = _mm256_or_si256(hit, _mm256_cmpeq_epi16(chars, _mm256_set1_epi16(short(units[k]))));
    return hit;
}

bool matchesAt(const char16_t *at, QStringView needle, bool matchCase)
{
    if (matchCase)
        return std::memcmp(at, needle.utf16(), size_t(needle.size()) * 2) == 0;
    return QtPrivate::compareStrings(QStringView(at, needle.size()), needle, Qt::CaseInsensitive)
        == 0;
}

// Sixteen places at a time up to where a full block still fits; -2 when the rest is left to
// the caller, from `i` on.
__attribute__((target("avx2"))) qsizetype findWide(QStringView text, QStringView needle,
                                                   bool matchCase, std::span<const char16_t> first,
                                                   std::span<const char16_t> last, qsizetype &i)
{
    const qsizetype n = needle.size();
    const char16_t *base = text.utf16();
    for (; i + 16 + n - 1 <= text.size(); i += 16) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(base + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(base + i + n - 1));
        // Two mask bits per unit: the lower one of each pair stands for it.
        unsigned mask
            = unsigned(_mm256_movemask_epi8(_mm256_and_si256(anyOf(a, first), anyOf(b, last))))
            & 0x55555555u;
        while (mask != 0) {
            const int bit = __builtin_ctz(mask);
            if (matchesAt(base + i + bit / 2, needle, matchCase))
                return i + bit / 2;
            mask &= mask - 1;
        }
    }
    return -2;
}

#endif

} // namespace

qsizetype LiteralSearch::indexOf(QStringView text, QStringView needle, bool matchCase)
{
#ifdef QUORVEX_HAVE_AVX2_PATH
    if (needle.isEmpty() || needle.size() > text.size() || !CpuFeatures::avx2())
        return fallback(text, needle, matchCase);
    // Copies: the variants' cache may be refilled by the second look-up.
    const char16_t firstUnit = needle.front().unicode();
    const char16_t lastUnit = needle.back().unicode();
    std::array<char16_t, 4> firstUnits{};
    const std::span<const char16_t> firstFound = unitsFor(firstUnit, matchCase);
    if (firstFound.empty())
        return fallback(text, needle, matchCase);
    std::copy(firstFound.begin(), firstFound.end(), firstUnits.begin());
    const std::span<const char16_t> first(firstUnits.data(), firstFound.size());
    const std::span<const char16_t> last = unitsFor(lastUnit, matchCase);
    if (last.empty())
        return fallback(text, needle, matchCase);
    qsizetype i = 0;
    const qsizetype found = findWide(text, needle, matchCase, first, last, i);
    if (found != -2)
        return found;
    // The tail, shorter than a block: the plain search from where the wide one stopped.
    const qsizetype rest = fallback(text.sliced(i), needle, matchCase);
    return rest < 0 ? -1 : i + rest;
#else
    return fallback(text, needle, matchCase);
#endif
}
