#pragma once

#include <cstdint>

// What a block of a compiled pattern stands for. The values are stable: they are the
// numbers a block's kind has always had.
enum TMaskKind : std::uint8_t {
    mkFixedGap = 0, // "[n?]": exactly n characters
    mkAnyGap = 1, // "[n*]": any number of characters, optionally limited
    mkLiteral = 2, // plain text, "[O]" or "[C]"
    mkInvalid = 3, // never survives compilation
    mkCounter = 4, // "[nIm]": running number (replacement only)
    mkBackRef = 5, // "[Bn]": copy of what a search block matched (replacement only)
};
