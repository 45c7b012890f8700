#pragma once

#include "document/DocumentCodec.h"
#include "io/PendingWrite.h"
#include "io/ReadOnlyFile.h"
#include "run/FoundOccurrences.h"

#include <QString>

#include <optional>

// The result of working through one file ahead of the run: as bytes, or as a document.
struct FileJobResult {
    enum class Kind {
        Fallback, // not done ahead: the run reads it itself
        Done, // searched (and, when it changed, its new content written beside it)
        WriteFailed, // the new content could not be written; the file is untouched
        Missing, // no such file (any more)
        NotRegular, // a folder, a pipe, a socket or a device: never opened for reading
        Unreadable,
        Binary, // NUL bytes without a UTF-16 mark: never changed
        NotEncodable, // a replacement the file's encoding cannot hold: the file is untouched
        Reviewed, // worked through by the run itself: its document holds the changes
    };
    Kind kind = Kind::Fallback;
    qsizetype hits = 0;
    qsizetype replacements = 0; // a format may refuse some (RTF); bytes take them all
    bool changed = false;
    std::optional<PendingWrite> pending; // the new content, not yet in place
    QString error;
    // The name with every link, "." and ".." resolved: a run takes each real file once.
    QString resolved;
    // Whether the name's last part is a symbolic link, when the job looked (ResolvedNames).
    std::optional<bool> leafIsLink;
    int links = 1; // the names the file has (hard links)
    // Its occurrences, for a run that lists them (a preview); empty otherwise.
    FoundOccurrences found;

    // The kind of a file that loading refused (Missing, Unreadable, Binary); Done when it was
    // loaded.
    static Kind kindOf(LoadStatus status)
    {
        switch (status) {
        case LoadStatus::Missing:
            return Kind::Missing;
        case LoadStatus::Unreadable:
            return Kind::Unreadable;
        case LoadStatus::Binary:
            return Kind::Binary;
        case LoadStatus::Loaded:
            break;
        }
        return Kind::Done;
    }

    // The fallback for a file whose work is dropped: the new content written beside it is
    // removed, and the run reads the file itself.
    static FileJobResult dropped(FileJobResult result);

    // The result for an entry that is no file to read (missing, or not a regular file);
    // nothing when the entry is to be read.
    static std::optional<FileJobResult> notAFile(ReadOnlyFile::Status status)
    {
        if (status != ReadOnlyFile::Status::Missing && status != ReadOnlyFile::Status::NotRegular)
            return std::nullopt;
        FileJobResult result;
        result.kind = status == ReadOnlyFile::Status::Missing ? Kind::Missing : Kind::NotRegular;
        return result;
    }
};
