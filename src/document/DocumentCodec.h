#pragma once

#include "text/FormattedRun.h"
#include "text/TextEdit.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>

// The format a file is written in: a document read as RTF is always written as RTF; any other
// document becomes RTF when its name ends in ".rtf" (in any case).
enum class FileFormat { PlainText, Rtf };

enum class LoadStatus {
    Loaded,
    Binary, // loaded, but holds NUL bytes: never to be written back
    Missing,
    Unreadable, // exists but cannot be read (no permission, not a regular file, read error)
};

enum class SaveStatus {
    Ok,
    WriteFailed, // the file could not be written; what was on disk is untouched
    NotEncodable, // a character has no representation in the file's encoding
    Binary, // binary documents are never written
    ChangedOnDisk, // another program changed the file since it was read: it is left alone
    Queued, // written, waiting in a batch for its sync and rename (WriteBatch)
};

class DocumentCodec;

// What a codec read from a file's bytes: the text, the codec that can write it back, and
// whether the bytes are binary. DocumentFile builds the document from it.
struct DecodedText {
    QString text;
    std::unique_ptr<DocumentCodec> codec;
    bool binary = false;
};

// What a document knows about the file format it came from, and how it turns its text into
// bytes again. Plain text keeps the encoding and line-break style; an RTF document keeps
// its source and formatting. The document holds one codec and delegates every
// format-specific question to it.
class DocumentCodec {
public:
    virtual ~DocumentCodec();

    virtual FileFormat format() const = 0;
    virtual std::unique_ptr<DocumentCodec> clone() const = 0;

    // The line break of the document's text, used to translate patterns typed with CR LF.
    virtual QString lineBreak() const = 0;
    // Whether `text` could be inserted and still be written back.
    virtual bool canEncode(QStringView text) const = 0;
    // The bytes of a file holding `text`, in the `target` format.
    virtual SaveStatus encode(QStringView text, FileFormat target, QByteArray &out) const = 0;

    // Makes an edit of the text in the codec's own state, for codecs that keep the text's
    // source (RTF keeps the formatting of unchanged text). Returns the edit as made, which may
    // cover more than was asked; nothing when it cannot be made. Without such state the edit
    // is made as asked.
    virtual std::optional<TextEdit> edit(qsizetype pos, qsizetype count, QStringView text);
    // The formatting of a text of `length` characters: one run in the viewer's defaults
    // unless the format keeps its own.
    virtual QList<FormattedRun> formattedRuns(qsizetype length) const;

protected:
    DocumentCodec() = default;
    DocumentCodec(const DocumentCodec &) = default;
    DocumentCodec &operator=(const DocumentCodec &) = default;
};
