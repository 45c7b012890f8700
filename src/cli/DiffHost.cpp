#include "DiffHost.h"

#include "UnifiedDiff.h"

#include "document/DocumentFile.h"
#include "document/PlainTextCodec.h"
#include "run/FileOutcome.h"
#include "run/OccurrenceRecord.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace {

bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)decoder(bytes);
    return !decoder.hasError();
}

// The name `patch -p0` finds the file by from the current folder: relative when below it
// (patch refuses absolute names and names going up).
QByteArray nameOf(const QString &path)
{
    const QString relative = QDir::current().relativeFilePath(path);
    const bool goesUp = relative == u".."_s || relative.startsWith(u"../"_s);
    return (goesUp ? path : relative).toUtf8();
}

// What the diff is made of when not the bytes: the document's text, and its encoding's name.
QByteArray labelOf(const Document &document)
{
    if (document.format() == FileFormat::Rtf)
        return "RTF";
    const PlainTextCodec *plain = document.plainText();
    return plain ? plain->encoding().name() : QByteArray();
}

} // namespace

void DiffHost::OccurrenceMet(const OccurrenceRecord &occurrence)
{
    m_document = occurrence.document;
    RunHostRelay::OccurrenceMet(occurrence);
}

void DiffHost::FileFinished(const FileOutcome &outcome)
{
    // A dry run tells a file's end while its document is still in hand.
    if (m_document && outcome.replacements > 0 && m_document->isModified()) {
        const QByteArray diff = diffOf(*m_document, outcome.path);
        m_out << QString::fromUtf8(m_color ? coloured(diff) : diff);
        m_out.flush();
    }
    // The document goes with its file; a later file's end must not read it.
    m_document = nullptr;
    RunHostRelay::FileFinished(outcome);
}

QByteArray DiffHost::diffOf(const Document &document, const QString &path)
{
    QByteArray after;
    if (document.codec().encode(document.view(0).from(0), DocumentFile::formatFor(document, path),
                                after)
        != SaveStatus::Ok)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray before = file.readAll();
    const PlainTextCodec *plain = document.plainText();
    const bool utf8 = plain && plain->encoding().kind() == TextEncoding::Kind::Utf8;
    const bool asBytes = isUtf8(before) && isUtf8(after)
        && (utf8 || document.format() == FileFormat::Rtf
            || (QtPrivate::isAscii(QLatin1StringView(before))
                && QtPrivate::isAscii(QLatin1StringView(after))));
    if (asBytes)
        return UnifiedDiff::make(before, after, nameOf(path));
    Document read;
    if (DocumentFile::load(read, path) != LoadStatus::Loaded)
        return {};
    return UnifiedDiff::make(read.text().toUtf8(), document.text().toUtf8(), nameOf(path),
                             labelOf(document));
}

QByteArray DiffHost::coloured(const QByteArray &diff)
{
    QByteArray out;
    for (const QByteArray &line : UnifiedDiff::lines(diff)) {
        const char *colour = nullptr;
        if (line.startsWith("--- ") || line.startsWith("+++ "))
            colour = "\x1b[1m";
        else if (line.startsWith("@@"))
            colour = "\x1b[36m";
        else if (line.startsWith('-'))
            colour = "\x1b[31m";
        else if (line.startsWith('+'))
            colour = "\x1b[32m";
        if (!colour) {
            out += line;
            continue;
        }
        // The colour ends before the line break, so a pager's lines stay clean.
        const qsizetype body = line.size() - (line.endsWith('\n') ? 1 : 0);
        out += colour + line.left(body) + "\x1b[m" + line.mid(body);
    }
    return out;
}
