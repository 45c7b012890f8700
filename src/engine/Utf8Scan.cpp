#include "engine/Utf8Scan.h"

#include "engine/CpuFeatures.h"

#if defined(__SSE2__)
#include <emmintrin.h>
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
