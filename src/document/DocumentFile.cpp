#include "document/DocumentFile.h"

#include "document/AtomicFileWriter.h"
#include "document/Document.h"
#include "document/PlainTextCodec.h"
#include "document/RichTextCodec.h"

#include <QFile>
#include <QFileInfo>

LoadStatus DocumentFile::load(Document &doc, const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return LoadStatus::Missing;
    // Only regular files: reading a pipe or a device could block or never end.
    if (!info.isFile())
        return LoadStatus::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LoadStatus::Unreadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return LoadStatus::Unreadable;
    // The content decides: RTF is read as RTF whatever the file's name, and anything that
    // is not valid RTF as plain text.
    std::optional<DecodedText> decoded = RichTextCodec::load(bytes);
    if (!decoded)
        decoded = PlainTextCodec::load(bytes, info.fileName());
    doc = Document(std::move(decoded->text), std::move(decoded->codec), decoded->binary);
    return decoded->binary ? LoadStatus::Binary : LoadStatus::Loaded;
}

SaveResult DocumentFile::save(const Document &doc, const QString &path)
{
    if (doc.isBinary())
        return {SaveStatus::Binary, {}};
    QByteArray bytes;
    const QStringView text = doc.view(0).from(0);
    const SaveStatus encoded = doc.codec().encode(text, formatForName(path), bytes);
    if (encoded != SaveStatus::Ok)
        return {encoded, {}};
    QString error;
    if (!AtomicFileWriter::write(path, bytes, &error))
        return {SaveStatus::WriteFailed, error};
    return {};
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
