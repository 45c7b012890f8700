#pragma once

#include "document/CodePage.h"
#include "document/DocumentCodec.h"
#include "io/PendingWrite.h"
#include "io/SyncPolicy.h"

#include <QString>

class Document;
class QFile;
class RunJournal;
class WriteBatch;

// The outcome of writing a document to a file.
struct SaveResult {
    SaveStatus status = SaveStatus::Ok;
    // The system's reason when status is WriteFailed; with Ok, the attributes of the old file
    // that the new one could not take (AtomicFileWriter::commit).
    QString errorString;
    int errorCode = 0; // the system's error number when WriteFailed (errno); 0 when not known

    bool ok() const { return status == SaveStatus::Ok; }
    // The write failed because the file is in use (busy, being executed, locked): waiting or
    // closing it in another program may help. Any other reason is told as the system gives it.
    bool busy() const { return status == SaveStatus::WriteFailed && isBusyError(errorCode); }
    static bool isBusyError(int errorCode);
    explicit operator bool() const { return ok(); }
};

// How a save makes its data durable. With SyncPolicy::Batch and a batch, the new file waits
// in the batch (SaveStatus::Queued) until the batch is committed.
struct SaveOptions {
    SyncPolicy sync = SyncPolicy::File;
    WriteBatch *batch = nullptr;
    // Keeps the file replaced, for an undo (a batch has its own).
    RunJournal *journal = nullptr;
};

// Reading a file into a document and writing a document back to a file.
class DocumentFile {
public:
    // Replaces `doc` with the contents of the file at `path`. On Missing or Unreadable the
    // document is left as it was.
    // Plain text that is neither UTF-8 nor marked is read in `codePage`.
    [[nodiscard]] static LoadStatus load(Document &doc, const QString &path,
                                         CodePage codePage = CodePage::Cp1251);
    // The same from `file`, open for reading at its start, named `path`. The document's stamp
    // is `stamp`, taken when the file was opened, or else from the open handle before anything
    // is read.
    [[nodiscard]] static LoadStatus load(Document &doc, QFile &file, const QString &path,
                                         CodePage codePage = CodePage::Cp1251,
                                         std::optional<FileStamp> stamp = std::nullopt);
    // Whether `doc` can be written to `path` as it stands: false when the file would be plain
    // text in an encoding that lacks one of its characters.
    static bool encodes(const Document &doc, const QString &path);
    // Writes `doc` to `path`: as RTF when it was read as RTF or the name asks for it, else in
    // its own encoding. The file on disk is replaced only when the whole new content has been
    // written, and not at all when it is the file the document was read from and another
    // program changed it meanwhile; on any failure it is untouched.
    [[nodiscard]] static SaveResult save(const Document &doc, const QString &path,
                                         const SaveOptions &options = {});

    // The new file for `doc`, written beside `path` (synced when `sync`) and not yet in place:
    // status Ok with `pending`, or why there is none. The pending write checks, when it is put
    // in place, that the file is still the one the document was read from.
    struct Prepared {
        SaveStatus status = SaveStatus::Ok;
        std::optional<PendingWrite> pending;
        QString errorString;
        int errorCode = 0;
    };
    static Prepared prepare(const Document &doc, const QString &path, bool sync);

    // As prepare, for plain text in an encoding written piece by piece (PlainTextSave).
    static Prepared prepareInPieces(const Document &doc, const QString &path, bool sync);

    // RTF when the name part of `path` ends in ".rtf" (ASCII letters in any case).
    static FileFormat formatForName(const QString &path);
    // The format `doc` is written in to `path`: RTF stays RTF whatever the name.
    static FileFormat formatFor(const Document &doc, const QString &path);
};

[[nodiscard]] inline LoadStatus LoadDocument(Document &doc, const QString &path,
                                             CodePage codePage = CodePage::Cp1251)
{
    return DocumentFile::load(doc, path, codePage);
}

[[nodiscard]] inline SaveResult SaveDocument(const Document &doc, const QString &path,
                                             const SaveOptions &options = {})
{
    return DocumentFile::save(doc, path, options);
}
