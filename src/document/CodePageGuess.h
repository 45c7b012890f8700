#pragma once

#include "document/CodePage.h"

#include <QByteArrayView>

#include <optional>

// Whether the bytes of a file read in one 8-bit code page look like Russian text in another
// of the four: each code page's reading of the bytes from 0x80 on is scored by how often
// Russian uses the letters it gives (capitals count little, signs and box drawing against).
// Only a clear lead with enough letters to judge counts; it is a hint, never a decision.
class CodePageGuess {
public:
    // The bytes looked at: the start of a file tells as much as the whole.
    static constexpr qsizetype Sample = qsizetype(1) << 20;
    // Fewer bytes from 0x80 on than this give no hint.
    static constexpr int MinimumLetters = 24;

    // The code page the bytes fit clearly better than `chosen`; nothing when `chosen` fits
    // as well as any (or the bytes are too few to tell).
    static std::optional<CodePage> likelier(QByteArrayView bytes, CodePage chosen);
};
