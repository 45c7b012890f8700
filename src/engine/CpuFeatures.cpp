#include "engine/CpuFeatures.h"

#include <cstdlib>
#include <cstring>

namespace {

CpuFeatures::Level hardwareLevel()
{
#if defined(__x86_64__) && defined(__GNUC__)
    // SSE2 is part of every x86-64 processor.
    return __builtin_cpu_supports("avx2") ? CpuFeatures::Level::Avx2 : CpuFeatures::Level::Sse2;
#else
    return CpuFeatures::Level::Scalar;
#endif
}

} // namespace

CpuFeatures::Level CpuFeatures::lowered(Level hardware, const char *request)
{
    if (!request)
        return hardware;
    Level wanted = hardware;
    if (std::strcmp(request, "scalar") == 0)
        wanted = Level::Scalar;
    else if (std::strcmp(request, "sse2") == 0)
        wanted = Level::Sse2;
    else if (std::strcmp(request, "avx2") == 0)
        wanted = Level::Avx2;
    return wanted < hardware ? wanted : hardware;
}

CpuFeatures::Level CpuFeatures::level()
{
    static const Level chosen = lowered(hardwareLevel(), std::getenv("QUORVEX_SIMD"));
    return chosen;
}
