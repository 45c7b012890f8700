#pragma once

#include <QByteArrayView>
#include <QStringView>

// Which files the runs may search and change as bytes, without reading them into a document,
// for patterns and replacements of ASCII characters without line breaks. For these files every
// ASCII byte is that ASCII character and nothing else is, so a byte match is exactly the match
// the document would give, and the bytes around it come back as they were:
//   not RTF, no UTF-16 mark, no NUL byte (binary files are reported by the general path), and
//   for an HTML name no declared charset other than UTF-8 or a single-byte set.
// Everything else takes the general path.
class ByteText {
public:
    // The encodings a search for bytes that are not all ASCII can be made in.
    enum class Charset { Utf8, Cp1251, Other };

    static bool isAsciiCompatible(QByteArrayView bytes, QStringView fileName);
    // The same but for NUL bytes, which only a scan of every byte finds: a large file's
    // search may go on beside that scan (holdsNul).
    static bool isAsciiCompatibleButForNul(QByteArrayView bytes, QStringView fileName);
    static bool holdsNul(QByteArrayView bytes);
    // Whether `bytes` hold the UTF-8 of U+017F or U+212A, which a search that ignores case
    // takes for "s" and "k": such files take the general path when the pattern has those.
    static bool holdsLettersFoldingToAscii(QByteArrayView bytes);
    // The encoding the general path reads the file in (EncodingSniffer's rule), given whether
    // its bytes are all ASCII and whether they are valid UTF-8; Other for every file that is
    // not read as UTF-8 or code page 1251, or whose HTML declaration is in doubt. NUL bytes
    // are not looked at (holdsNul).
    static Charset charsetOf(QByteArrayView bytes, QStringView fileName, bool ascii,
                             bool validUtf8);
    // Whether `pattern` holds a letter that one of those characters folds to.
    static bool hasFoldedLetters(QByteArrayView pattern);
};
