#include "document/PlainTextSave.h"

#include "document/Document.h"
#include "document/PlainTextCodec.h"
#include "io/AtomicFileWriter.h"

PlainTextSave::PlainTextSave(const Document &document, const QString &path, bool sync)
    : m_document(document), m_path(path), m_sync(sync)
{
}

bool PlainTextSave::open(QString *error)
{
    const QString target = AtomicFileWriter::resolveTarget(m_path);
    if (!m_writer.open(target, FileStamp::of(target), error))
        return false;
    const bool large = m_document.length() >= TextPieceWriter::ThreadedFrom;
    m_out.emplace(m_document.plainText()->encoding(), m_writer, large);
    return true;
}

DocumentFile::Prepared PlainTextSave::finish()
{
    DocumentFile::Prepared prepared;
    if (!m_out->finish()) {
        m_writer.discard();
        prepared.status = SaveStatus::NotEncodable;
        return prepared;
    }
    prepared.pending = m_writer.finish(m_sync, &prepared.errorString);
    if (!prepared.pending) {
        prepared.status = SaveStatus::WriteFailed;
        prepared.errorCode = m_writer.errorCode();
        return prepared;
    }
    if (m_document.sourceStamp() && prepared.pending->target == m_document.sourcePath())
        prepared.pending->expected = m_document.sourceStamp();
    return prepared;
}
