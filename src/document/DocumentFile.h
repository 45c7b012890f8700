#pragma once

#include "document/DocumentCodec.h"

#include <QString>

class Document;

// The outcome of writing a document to a file.
struct SaveResult {
    SaveStatus status = SaveStatus::Ok;
    QString errorString; // the system's reason when status is WriteFailed

    bool ok() const { return status == SaveStatus::Ok; }
    explicit operator bool() const { return ok(); }
};

// Reading a file into a document and writing a document back to a file.
class DocumentFile {
public:
    // Replaces `doc` with the contents of the file at `path`. On Missing or Unreadable the
    // document is left as it was.
    [[nodiscard]] static LoadStatus load(Document &doc, const QString &path);
    // Writes `doc` to `path` in the format its name asks for. The file on disk is replaced
    // only when the whole new content has been written; on any failure it is untouched.
    [[nodiscard]] static SaveResult save(const Document &doc, const QString &path);

    // RTF when the name part of `path` ends in ".rtf" (ASCII letters in any case).
    static FileFormat formatForName(const QString &path);
};

[[nodiscard]] inline LoadStatus LoadDocument(Document &doc, const QString &path)
{
    return DocumentFile::load(doc, path);
}

[[nodiscard]] inline SaveResult SaveDocument(const Document &doc, const QString &path)
{
    return DocumentFile::save(doc, path);
}
