#pragma once

#include "document/DocumentFile.h"
#include "document/TextPieceWriter.h"
#include "io/TempFileWriter.h"

#include <QString>
#include <QStringView>

#include <optional>

class Document;

// The new content of a plain document in an encoding written piece by piece, written into a
// new file beside its own, a piece at a time, and not yet put in place: the document's text as
// it holds it, or (while a run replaces) the text between matches and what replaces them.
// Neither the whole text in bytes nor a moved edit gap is ever held in memory.
class PlainTextSave {
public:
    PlainTextSave(const Document &document, const QString &path, bool sync);

    bool isOpen() const { return m_out.has_value(); }
    // Creates the new file; false (with the system's reason in `error`) when it cannot be.
    bool open(QString *error);
    // The system's error number when open() failed (0 when not known).
    int errorCode() const { return m_writer.errorCode(); }

    // Text that stays in place until finish(), as the document's own does.
    void appendInPlace(QStringView text) { m_out->appendInPlace(text); }
    // Text that may change once this returns.
    void append(QStringView text) { m_out->append(text); }

    // The new file, checked against the document's source when it is put in place, or why
    // there is none (NotEncodable, WriteFailed); the new file is then removed.
    DocumentFile::Prepared finish();

private:
    const Document &m_document;
    const QString m_path;
    const bool m_sync;
    TempFileWriter m_writer;
    std::optional<TextPieceWriter> m_out; // declared after the writer: it ends first
};
