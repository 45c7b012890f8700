#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <memory>

// The format a file is written in, chosen by its name: ".rtf" in any case is RTF.
enum class FileFormat { PlainText, Rtf };

enum class LoadStatus {
    Loaded,
    Binary,     // loaded, but holds NUL bytes: never to be written back
    Missing,
    Unreadable, // exists but cannot be read (no permission, not a regular file, read error)
};

enum class SaveStatus {
    Ok,
    WriteFailed,     // the file could not be written; what was on disk is untouched
    NotEncodable,    // a character has no representation in the file's encoding
    Binary,          // binary documents are never written
    RtfNotAvailable, // RTF output is not provided for this document
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

    // Called after every edit of the document's text, for codecs that track positions in
    // their source (RTF keeps the formatting of unchanged text).
    virtual void textReplaced(qsizetype pos, qsizetype removed, qsizetype inserted);

protected:
    DocumentCodec() = default;
    DocumentCodec(const DocumentCodec &) = default;
    DocumentCodec &operator=(const DocumentCodec &) = default;
};
