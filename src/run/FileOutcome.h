#pragma once

#include <QString>

// How a run ended with one entry of its file list, told to the host once known (for a file
// written in a batch, after the batch is in place).
struct FileOutcome {
    enum class Status {
        Written, // changed and written back
        Unchanged, // processed, nothing to write (or a dry run)
        Failed, // could not be read, encoded or written, or changed by another program
        Skipped, // not processed: binary, missing, not a regular file, or already processed
    };
    // Why, for every status but Written: "not-encodable", "not-saved", "changed-on-disk",
    // "unreadable", "binary", "missing", "not-regular-file", "already-processed", "dry-run";
    // empty otherwise.
    static QString statusName(Status status);

    QString path;
    Status status = Status::Unchanged;
    QString reason;
    QString error; // the system's words when writing failed
    int occurrences = 0;
    int replacements = 0;
};
