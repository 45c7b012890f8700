#pragma once

#include "document/FileStamp.h"
#include "document/PendingWrite.h"
#include "document/ReadOnlyFile.h"
#include "engine/ByteFinder.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// The result of working through one file ahead of the run: as bytes, or as a document.
struct ByteFileResult {
    enum class Kind {
        Fallback, // not done ahead: the run reads it itself
        Done, // searched (and, when it changed, its new content written beside it)
        WriteFailed, // the new content could not be written; the file is untouched
        Missing, // no such file (any more)
        NotRegular, // a folder, a pipe, a socket or a device: never opened for reading
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
    // The name with every link, "." and ".." resolved: a run takes each real file once.
    QString resolved;
    int links = 1; // the names the file has (hard links)

    // The result for an entry that is no file to read (missing, or not a regular file);
    // nothing when the entry is to be read.
    static std::optional<ByteFileResult> notAFile(ReadOnlyFile::Status status)
    {
        if (status != ReadOnlyFile::Status::Missing && status != ReadOnlyFile::Status::NotRegular)
            return std::nullopt;
        ByteFileResult result;
        result.kind = status == ReadOnlyFile::Status::Missing ? Kind::Missing : Kind::NotRegular;
        return result;
    }
};

// Finds (or replaces) an ASCII literal in one file without reading it into a document: the
// file is read once, searched with a ByteFinder, and a replacement streams the new
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
    // Called with each file's name once it is open and before its first byte is read.
    void setOpenedHook(std::function<void(const QString &)> opened)
    {
        m_opened = std::move(opened);
    }

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
    std::function<void(const QString &)> m_opened;
};
