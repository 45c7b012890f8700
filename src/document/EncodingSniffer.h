#pragma once

#include "document/TextEncoding.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// Decides how a plain-text file's bytes are read, so that writing the text back with the
// same encoding gives the same bytes:
//   a UTF-8 or UTF-16 byte-order mark means that encoding (the mark is kept);
//   other bytes with a NUL are binary;
//   valid UTF-8 with non-ASCII bytes is UTF-8;
//   an HTML file is read in the charset of its <meta> tag if that fits its bytes;
//   pure ASCII is UTF-8 (a replacement may bring any character);
//   anything else is read in the chosen 8-bit code page (1251 unless told otherwise), which
//   reads every byte value; when the bytes look like Russian in another of the four code
//   pages, the result says which.
class EncodingSniffer {
public:
    struct Result {
        QString text;
        TextEncoding encoding;
        bool binary = false;
        // Read in the chosen code page, the bytes look like another one (CodePageGuess).
        std::optional<CodePage> likelier;
    };

    static Result decode(QByteArrayView bytes, QStringView fileName,
                         CodePage codePage = CodePage::Cp1251);

private:
    static std::optional<Result> decodeMarked(QByteArrayView bytes);
    static std::optional<Result> decodeDeclared(QByteArrayView bytes, QStringView fileName);
    static std::optional<Result> decodeAs(const TextEncoding &encoding, QByteArrayView bytes);
};
