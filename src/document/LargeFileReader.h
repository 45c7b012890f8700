#pragma once

#include "document/CodePage.h"
#include "document/DocumentCodec.h"

#include <QFile>
#include <QStringView>

#include <optional>

// Reads a large plain file into its text in slices, so that memory never holds its bytes and
// its text at once. One pass decodes the bytes as UTF-8 straight into the text; only when they
// are not UTF-8 does a second one decode them in the chosen 8-bit code page (the same decision
// EncodingSniffer makes). For UTF-8, the 8-bit code pages and ASCII; anything else (UTF-16,
// NUL bytes, another declared charset) is read whole.
class LargeFileReader {
public:
    // Files from this size on are read in slices.
    static constexpr qint64 Threshold = qint64(16) << 20;

    // Nothing when the file needs reading whole (or could not be read).
    static std::optional<DecodedText> read(QFile &file, QStringView fileName,
                                           CodePage codePage = CodePage::Cp1251);
};
