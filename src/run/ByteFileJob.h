#pragma once

#include "document/FileStamp.h"
#include "document/PendingWrite.h"
#include "engine/ByteFinder.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The result of working through one file ahead of the run: as bytes, or as a document.
struct ByteFileResult {
    enum class Kind {
        Fallback, // not done ahead: the run reads it itself
        Done, // searched (and, when it changed, its new content written beside it)
        WriteFailed, // the new content could not be written; the file is untouched
        Missing, // not a file (any more)
        Unreadable,
        Binary, // NUL bytes without a UTF-16 mark: never changed
        NotEncodable, // a replacement the file's encoding cannot hold: the file is untouched
    };
    Kind kind = Kind::Fallback;
    qsizetype hits = 0;
    qsizetype replacements = 0; // a format may refuse some (RTF); bytes take them all
    bool changed = false;
    std::optional<PendingWrite> pending; // the new content, not yet in place
    QString error;
    // The file read (a link's target): a run takes each real file once.
    quint64 device = 0;
    quint64 inode = 0;
};

// Finds (or replaces) an ASCII literal in one file without reading it into a document: the
// file is mapped or read once, searched with a ByteFinder, and a replacement streams the new
// content into a file beside it through one reused buffer. Counting goes on one byte after each
// start, as the find run does; replacing goes on after each match, as the replace run does.
// Files that ByteText does not clear fall back to the general path.
class ByteFileJob {
public:
    enum class Mode { Count, Replace, CountReplaceable };

    ByteFileJob(QByteArray needle, QByteArray replacement, bool matchCase, Mode mode, bool syncEach)
        : m_finder(needle, matchCase)
        , m_replacement(std::move(replacement))
        , m_mode(mode)
        , m_syncEach(syncEach)
        , m_foldedLetters(!matchCase && hasFoldedLetters(needle))
    {
    }

    ByteFileResult process(const QString &path) const;

    // Literal ASCII without line breaks: what the byte path can look for and put in.
    static bool isPlainAscii(QStringView text);

private:
    static bool hasFoldedLetters(QByteArrayView needle);
    qsizetype count(QByteArrayView bytes, qsizetype step) const;
    ByteFileResult replace(const QString &target, QByteArrayView bytes, qsizetype first,
                           const FileStamp &stamp, ByteFileResult result) const;

    ByteFinder m_finder;
    QByteArray m_replacement;
    Mode m_mode;
    bool m_syncEach;
    bool m_foldedLetters;
};
