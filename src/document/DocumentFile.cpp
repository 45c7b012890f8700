#include "document/DocumentFile.h"

#include "document/Document.h"
#include "document/LargeFileReader.h"
#include "document/PlainTextCodec.h"
#include "document/PlainTextSave.h"
#include "document/RichTextCodec.h"
#include "io/AtomicFileWriter.h"
#include "io/ReadOnlyFile.h"
#include "io/RunJournal.h"
#include "io/WriteBatch.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

LoadStatus DocumentFile::load(Document &doc, const QString &path, CodePage codePage)
{
    // Only regular files: reading a pipe or a device could block or never end.
    ReadOnlyFile input;
    switch (input.open(path)) {
    case ReadOnlyFile::Status::Open:
        break;
    case ReadOnlyFile::Status::Missing:
        return LoadStatus::Missing;
    case ReadOnlyFile::Status::NotRegular:
    case ReadOnlyFile::Status::Unreadable:
        return LoadStatus::Unreadable;
    }
    QFile file;
    const FileStamp stamp = input.stamp();
    return input.handOver(file) ? load(doc, file, path, codePage, stamp) : LoadStatus::Unreadable;
}

LoadStatus DocumentFile::load(Document &doc, QFile &file, const QString &path, CodePage codePage,
                              std::optional<FileStamp> stamp)
{
    // The stamp describes the file as it was before the first byte was read: a change made
    // while it is read is then seen when it is written.
    if (!stamp)
        stamp = FileStamp::ofOpen(file, path);
    const QString fileName = QFileInfo(path).fileName();
    if (file.size() >= LargeFileReader::Threshold) {
        if (std::optional<DecodedText> decoded = LargeFileReader::read(file, fileName, codePage)) {
            doc = Document(std::move(decoded->text), std::move(decoded->codec), false);
            doc.setSource(AtomicFileWriter::resolveTarget(path), stamp);
            return LoadStatus::Loaded;
        }
        file.seek(0);
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return LoadStatus::Unreadable;
    // The content decides: RTF is read as RTF whatever the file's name, and anything that
    // is not valid RTF as plain text.
    std::optional<DecodedText> decoded = RichTextCodec::load(bytes);
    if (!decoded)
        decoded = PlainTextCodec::load(bytes, fileName, codePage);
    doc = Document(std::move(decoded->text), std::move(decoded->codec), decoded->binary);
    doc.setSource(AtomicFileWriter::resolveTarget(path), stamp);
    return decoded->binary ? LoadStatus::Binary : LoadStatus::Loaded;
}

bool DocumentFile::encodes(const Document &doc, const QString &path)
{
    return formatFor(doc, path) != FileFormat::PlainText || doc.canEncode(doc.view(0).from(0));
}

DocumentFile::Prepared DocumentFile::prepare(const Document &doc, const QString &path, bool sync)
{
    if (doc.isBinary())
        return {SaveStatus::Binary, std::nullopt, {}};
    const PlainTextCodec *plain = doc.plainText();
    if (plain && plain->encoding().encodesInPieces()
        && formatFor(doc, path) == FileFormat::PlainText)
        return prepareInPieces(doc, path, sync);
    QByteArray bytes;
    const QStringView text = doc.view(0).from(0);
    const SaveStatus encoded = doc.codec().encode(text, formatFor(doc, path), bytes);
    if (encoded != SaveStatus::Ok)
        return {encoded, std::nullopt, {}};
    Prepared prepared;
    prepared.pending
        = AtomicFileWriter::prepare(path, bytes, sync, &prepared.errorString, &prepared.errorCode);
    if (!prepared.pending) {
        prepared.status = SaveStatus::WriteFailed;
        return prepared;
    }
    if (doc.sourceStamp() && prepared.pending->target == doc.sourcePath())
        prepared.pending->expected = doc.sourceStamp();
    return prepared;
}

SaveResult DocumentFile::save(const Document &doc, const QString &path, const SaveOptions &options)
{
    const bool batched = options.sync == SyncPolicy::Batch && options.batch;
    // A batch syncs its files at once; without one, Batch syncs the file on its own.
    Prepared prepared = prepare(doc, path, options.sync != SyncPolicy::None && !batched);
    if (!prepared.pending)
        return {prepared.status, prepared.errorString, prepared.errorCode};
    if (batched) {
        options.batch->add(std::move(*prepared.pending));
        return {SaveStatus::Queued, {}};
    }
    QString error;
    int errorCode = 0;
    if (options.journal)
        options.journal->keep(*prepared.pending);
    const WriteOutcome outcome = AtomicFileWriter::commit(*prepared.pending, &error, &errorCode);
    if (options.journal)
        options.journal->settle(*prepared.pending, outcome);
    switch (outcome) {
    case WriteOutcome::Ok:
        return {SaveStatus::Ok, error};
    case WriteOutcome::ChangedOnDisk:
        return {SaveStatus::ChangedOnDisk, {}};
    case WriteOutcome::Failed:
        break;
    }
    return {SaveStatus::WriteFailed, error, errorCode};
}

bool SaveResult::isBusyError(int errorCode)
{
    // EWOULDBLOCK is EAGAIN where they are one; a lock held by another program gives either.
    return errorCode == EBUSY || errorCode == ETXTBSY || errorCode == EAGAIN
        || errorCode == EWOULDBLOCK;
}

DocumentFile::Prepared DocumentFile::prepareInPieces(const Document &doc, const QString &path,
                                                     bool sync)
{
    PlainTextSave save(doc, path, sync);
    Prepared prepared;
    if (!save.open(&prepared.errorString)) {
        prepared.status = SaveStatus::WriteFailed;
        prepared.errorCode = save.errorCode();
        return prepared;
    }
    for (const QStringView piece : doc.pieces())
        save.appendInPlace(piece);
    return save.finish();
}

FileFormat DocumentFile::formatForName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return FileFormat::PlainText;
    const bool rtf = QStringView(name).sliced(dot).compare(u".rtf", Qt::CaseInsensitive) == 0;
    return rtf ? FileFormat::Rtf : FileFormat::PlainText;
}

// Writing RTF content as plain text under another name would lose every format mark,
// picture and table: a document read as RTF is written as RTF whatever its name.
FileFormat DocumentFile::formatFor(const Document &doc, const QString &path)
{
    return doc.format() == FileFormat::Rtf ? FileFormat::Rtf : formatForName(path);
}
