#include "engine/Utf8Scan.h"

#include "engine/CpuFeatures.h"

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

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Where the next byte that is not ASCII lies, from `p` on (`end` when there is none).
const unsigned char *nextNonAscii(const unsigned char *p, const unsigned char *end, bool vectors)
{
#if defined(__SSE2__)
    if (vectors) {
        for (; end - p >= 16; p += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            const unsigned mask = unsigned(_mm_movemask_epi8(block));
            if (mask != 0)
                return p + __builtin_ctz(mask);
        }
    }
#else
    (void)vectors;
#endif
    while (p < end && *p < 0x80)
        ++p;
    return p;
}

#ifdef QUORVEX_HAVE_AVX2_PATH

// Thirty-two bytes at a time by the lookup method: the high and low half of each byte and the
// high half of the next index three small tables, whose bits agree only for a fault; bytes
// that must be the third or fourth of a sequence are checked apart. The bits name the faults.
constexpr char TooShort = 1 << 0; // a lead byte, then no continuation
constexpr char TooLong = 1 << 1; // ASCII, then a continuation
constexpr char Overlong3 = 1 << 2;
constexpr char TooLarge = 1 << 3;
constexpr char Surrogate = 1 << 4;
constexpr char Overlong2 = 1 << 5;
constexpr char TooLarge1000 = 1 << 6;
constexpr char Overlong4 = 1 << 6;
constexpr char TwoConts = char(1 << 7);
constexpr char Carry = TooShort | TooLong | TwoConts;

class WideUtf8Check {
public:
    __attribute__((target("avx2"), always_inline)) WideUtf8Check()
        : m_high1(table(TooLong, TooLong, TooLong, TooLong, TooLong, TooLong, TooLong, TooLong,
                        TwoConts, TwoConts, TwoConts, TwoConts, TooShort | Overlong2, TooShort,
                        TooShort | Overlong3 | Surrogate,
                        TooShort | TooLarge | TooLarge1000 | Overlong4))
        , m_low1(table(Carry | Overlong3 | Overlong2 | Overlong4, Carry | Overlong2, Carry, Carry,
                       Carry | TooLarge, Carry | TooLarge | TooLarge1000,
                       Carry | TooLarge | TooLarge1000, Carry | TooLarge | TooLarge1000,
                       Carry | TooLarge | TooLarge1000, Carry | TooLarge | TooLarge1000,
                       Carry | TooLarge | TooLarge1000, Carry | TooLarge | TooLarge1000,
                       Carry | TooLarge | TooLarge1000, Carry | TooLarge | TooLarge1000 | Surrogate,
                       Carry | TooLarge | TooLarge1000, Carry | TooLarge | TooLarge1000))
        , m_high2(table(TooShort, TooShort, TooShort, TooShort, TooShort, TooShort, TooShort,
                        TooShort,
                        TooLong | Overlong2 | TwoConts | Overlong3 | TooLarge1000 | Overlong4,
                        TooLong | Overlong2 | TwoConts | Overlong3 | TooLarge,
                        TooLong | Overlong2 | TwoConts | Surrogate | TooLarge,
                        TooLong | Overlong2 | TwoConts | Surrogate | TooLarge, TooShort, TooShort,
                        TooShort, TooShort))
    {
    }

    // Adds the faults of the block `input`, the one after `previous`.
    __attribute__((target("avx2"), always_inline)) void check(__m256i input)
    {
        if (_mm256_movemask_epi8(input) == 0) {
            // ASCII: only a sequence left open at the end of the block before is a fault.
            m_error = _mm256_or_si256(m_error, m_open);
            m_previous = input;
            m_open = _mm256_setzero_si256();
            return;
        }
        m_ascii = false;
        const __m256i turned = _mm256_permute2x128_si256(m_previous, input, 0x21);
        const __m256i prev1 = _mm256_alignr_epi8(input, turned, 15);
        const __m256i prev2 = _mm256_alignr_epi8(input, turned, 14);
        const __m256i prev3 = _mm256_alignr_epi8(input, turned, 13);
        const __m256i nibble = _mm256_set1_epi8(0x0F);
        const __m256i special = _mm256_and_si256(
            _mm256_and_si256(
                _mm256_shuffle_epi8(m_high1, _mm256_and_si256(_mm256_srli_epi16(prev1, 4), nibble)),
                _mm256_shuffle_epi8(m_low1, _mm256_and_si256(prev1, nibble))),
            _mm256_shuffle_epi8(m_high2, _mm256_and_si256(_mm256_srli_epi16(input, 4), nibble)));
        const __m256i third = _mm256_subs_epu8(prev2, _mm256_set1_epi8(char(0xE0 - 0x80)));
        const __m256i fourth = _mm256_subs_epu8(prev3, _mm256_set1_epi8(char(0xF0 - 0x80)));
        const __m256i must23
            = _mm256_and_si256(_mm256_or_si256(third, fourth), _mm256_set1_epi8(char(0x80)));
        m_error = _mm256_or_si256(m_error, _mm256_xor_si256(must23, special));
        // A lead byte among the last three whose sequence goes past the block.
        const __m256i limits = _mm256_setr_epi8(
            char(255), char(255), char(255), char(255), char(255), char(255), char(255), char(255),
            char(255), char(255), char(255), char(255), char(255), char(255), char(255), char(255),
            char(255), char(255), char(255), char(255), char(255), char(255), char(255), char(255),
            char(255), char(255), char(255), char(255), char(255), char(0xF0 - 1), char(0xE0 - 1),
            char(0xC0 - 1));
        m_open = _mm256_subs_epu8(input, limits);
        m_previous = input;
    }

    __attribute__((target("avx2"), always_inline)) bool failed() const
    {
        return !_mm256_testz_si256(m_error, m_error);
    }
    bool ascii() const { return m_ascii; }

private:
    __attribute__((target("avx2"), always_inline)) static __m256i
    table(char a, char b, char c, char d, char e, char f, char g, char h, char i, char j, char k,
          char l, char m, char n, char o, char p)
    {
        return _mm256_setr_epi8(a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, a, b, c, d, e, f, g,
                                h, i, j, k, l, m, n, o, p);
    }

    __m256i m_high1, m_low1, m_high2;
    __m256i m_previous = _mm256_setzero_si256();
    __m256i m_open = _mm256_setzero_si256();
    __m256i m_error = _mm256_setzero_si256();
    bool m_ascii = true;
};

// Whether `bytes` are valid; `ascii` is set to whether they are all ASCII. The end is checked
// through a block of zeros after it, which closes nothing left open without a fault.
__attribute__((target("avx2"))) bool wideValid(QByteArrayView bytes, bool &ascii)
{
    WideUtf8Check check;
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    for (; end - p >= 64; p += 64) {
        check.check(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(p)));
        check.check(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(p + 32)));
        if (check.failed())
            break;
    }
    for (; end - p >= 32 && !check.failed(); p += 32)
        check.check(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(p)));
    char tail[64] = {};
    std::memcpy(tail, p, size_t(std::min<qsizetype>(end - p, 32)));
    check.check(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(tail)));
    check.check(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(tail + 32)));
    ascii = check.ascii();
    return !check.failed();
}

#endif

} // namespace

int Utf8Scan::sequenceAt(const unsigned char *at, const unsigned char *end)
{
    const unsigned char lead = at[0];
    const qsizetype left = end - at;
    if (lead >= 0xC2 && lead <= 0xDF)
        return left >= 2 && isContinuation(at[1]) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 3 || !isContinuation(at[1]) || !isContinuation(at[2]))
            return 0;
        // No overlong form, no surrogate.
        if ((lead == 0xE0 && at[1] < 0xA0) || (lead == 0xED && at[1] > 0x9F))
            return 0;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || !isContinuation(at[1]) || !isContinuation(at[2]) || !isContinuation(at[3]))
            return 0;
        // No overlong form, nothing past U+10FFFF.
        if ((lead == 0xF0 && at[1] < 0x90) || (lead == 0xF4 && at[1] > 0x8F))
            return 0;
        return 4;
    }
    return 0;
}

Utf8Scan::Result Utf8Scan::of(QByteArrayView bytes)
{
#ifdef QUORVEX_HAVE_AVX2_PATH
    // Valid text, the common case, is passed over wide; a fault is placed one byte at a time.
    bool ascii = true;
    if (CpuFeatures::avx2() && wideValid(bytes, ascii))
        return {ascii, bytes.size()};
#endif
    return scalarOf(bytes);
}

Utf8Scan::Result Utf8Scan::scalarOf(QByteArrayView bytes)
{
    const auto *begin = reinterpret_cast<const unsigned char *>(bytes.data());
    const unsigned char *end = begin + bytes.size();
    const bool vectors = CpuFeatures::sse2();
    Result result;
    const unsigned char *p = begin;
    for (;;) {
        p = nextNonAscii(p, end, vectors);
        if (p == end)
            break;
        result.ascii = false;
        // Non-ASCII letters come in runs: stay here while they last.
        while (p < end && *p >= 0x80) {
            const int length = sequenceAt(p, end);
            if (length == 0) {
                result.validUpTo = p - begin;
                return result;
            }
            p += length;
        }
    }
    result.validUpTo = bytes.size();
    return result;
}
