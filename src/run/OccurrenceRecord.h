#pragma once

#include "document/Document.h"

#include <QString>

// One occurrence a run has dealt with (found, skipped, deleted or replaced), as a host sees
// it once the run has acted on it. `document` is the document as it stands after that act;
// the text before `start` is as it was when the occurrence was met, so its line and column
// can still be told. An occurrence met in a file's bytes has no document: its line and column
// come with it.
struct OccurrenceRecord {
    const QString &path;
    const Document *document = nullptr;
    qsizetype start = 0;
    QString matched;
    QString replacement; // null when nothing was put in its place
    LineColumn at; // the position when there is no document

    LineColumn position() const;

    // What was put in place of an occurrence, as a host is told it: a deletion is empty, never
    // null (null says nothing was put in), so that a host can tell where the text after it moved.
    static QString made(const QString &replacement)
    {
        return replacement.isNull() ? QStringLiteral("") : replacement;
    }
};
