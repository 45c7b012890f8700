#pragma once

#include <QByteArrayView>

// What one pass over a file's bytes tells about them as UTF-8: whether they are all ASCII,
// and whether they are valid UTF-8 as the strict decoder takes it (no overlong form, no
// surrogate, nothing above U+10FFFF, no sequence cut short). Valid text is checked 32 bytes at
// a time where the processor has AVX2; otherwise blocks of ASCII are passed over sixteen bytes
// at a time (CpuFeatures).
class Utf8Scan {
public:
    struct Result {
        bool ascii = true;
        // Bytes before the first one that is not valid UTF-8 (all of them when valid).
        qsizetype validUpTo = 0;
    };

    static Result of(QByteArrayView bytes);
    static bool isValid(QByteArrayView bytes) { return of(bytes).validUpTo == bytes.size(); }

    // The same one byte (or block of ASCII) at a time.
    static Result scalarOf(QByteArrayView bytes);
    // The length of the valid sequence at `at` (whose first byte is not ASCII), or 0.
    static int sequenceAt(const unsigned char *at, const unsigned char *end);
};
