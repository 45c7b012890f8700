#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// One-off reading of RTF, for callers that need the text and not the document: a pattern
// loaded from a file, or the decision whether a file is RTF at all.
class RtfReader {
public:
    // Whether the content claims to be RTF: it starts with "{\rtf", whatever the file's name.
    static bool looksLikeRtf(QByteArrayView bytes);
    // The plain text an editor shows for `bytes` (see RtfDocument), or nothing when the bytes
    // are not RTF and should be read as plain text.
    static std::optional<QString> plainText(QByteArrayView bytes);
};
