#pragma once

// The vector instructions the finders may use: what the processor has, lowered (never raised)
// by the environment variable QUORVEX_SIMD ("scalar", "sse2" or "avx2"), so that every loop of
// the finders can be run and tested on one machine.
class CpuFeatures {
public:
    enum class Level { Scalar, Sse2, Avx2 };

    // Decided once per process, before any search.
    static Level level();
    // What `hardware` allows once lowered by `request` (nullptr or unknown: no change).
    static Level lowered(Level hardware, const char *request);

    static bool avx2() { return level() >= Level::Avx2; }
    static bool sse2() { return level() >= Level::Sse2; }
};
