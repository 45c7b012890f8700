#include "run/DocumentFileJob.h"

#include "document/Document.h"
#include "document/DocumentFile.h"
#include "document/PlainTextCodec.h"
#include "document/PlainTextSave.h"
#include "engine/OccurrenceFinder.h"
#include "engine/ReplacementBuilder.h"
#include "io/ReadOnlyFile.h"

#include <optional>

FileJobResult DocumentFileJob::process(const QString &path) const
{
    FileJobResult result;
    // An unreadable file is loaded all the same: loading says why.
    if (std::optional<FileJobResult> refused
        = FileJobResult::notAFile(ReadOnlyFile::typeOf(path, &result.links)))
        return *refused;
    Document document;
    switch (DocumentFile::load(document, path)) {
    case LoadStatus::Missing:
        result.kind = FileJobResult::Kind::Missing;
        return result;
    case LoadStatus::Unreadable:
        result.kind = FileJobResult::Kind::Unreadable;
        return result;
    case LoadStatus::Binary:
        result.kind = FileJobResult::Kind::Binary;
        return result;
    case LoadStatus::Loaded:
        break;
    }
    result.kind = FileJobResult::Kind::Done;
    // The streamed text stays as read; a pattern that looks behind must see replacements made.
    if (m_replacing && streams(document, path) && !m_state.PatternLooksBehind())
        replaceStreamed(document, path, result);
    else
        workThrough(document, path, result);
    return result;
}

// Plain text in an encoding written piece by piece, kept as plain text, read in one piece: its
// replacements can be written out as they are made instead of edited into the document.
bool DocumentFileJob::streams(const Document &document, const QString &path)
{
    const PlainTextCodec *plain = document.plainText();
    return plain && plain->encoding().encodesInPieces() && document.pieces()[1].isEmpty()
        && DocumentFile::formatFor(document, path) == FileFormat::PlainText;
}

void DocumentFileJob::workThrough(Document &document, const QString &path,
                                  FileJobResult &result) const
{
    EngineState s = m_state;
    m_lineBreaks.Apply(s, document.lineBreak());
    const OccurrenceFinder finder(s, m_options);
    ReplacementBuilder builder(s);
    s.NextSearchPos = 0;
    auto search = [&] {
        s.MatchStart = finder.FindOccurrence(document.view(finder.ViewStart(s.NextSearchPos)),
                                             s.NextSearchPos, s.MatchLength, s.FindWildcards);
    };
    // The same steps as the runs: a find goes on one past each start; a replacement right
    // after what it put in (one further for an empty match).
    for (search(); s.MatchStart != -1; search()) {
        ++result.hits;
        if (!m_replacing) {
            s.NextSearchPos = s.PastOccurrence();
            continue;
        }
        if (s.ReplaceWildcards)
            builder.BuildReplacement(document.view(s.MatchStart));
        const std::optional<TextEdit> made
            = document.replace(s.MatchStart, s.MatchLength, s.ReplaceText);
        s.NextSearchPos = made ? made->end() : s.MatchStart + 1;
        if (s.MatchLength == 0)
            ++s.NextSearchPos;
        if (made)
            ++result.replacements;
    }
    if (s.PatternLimitHit()) {
        result = patternLimitHit(result);
        return;
    }
    result.changed = document.isModified();
    if (result.changed && !m_dryRun)
        takePrepared(DocumentFile::prepare(document, path, m_syncEach), result);
}

// As workThrough, with positions counted in the text as read: the finder only ever looks from
// its starting place onwards, so the text before it (replaced or not) makes no difference.
void DocumentFileJob::replaceStreamed(const Document &document, const QString &path,
                                      FileJobResult &result) const
{
    EngineState s = m_state;
    m_lineBreaks.Apply(s, document.lineBreak());
    const OccurrenceFinder finder(s, m_options);
    ReplacementBuilder builder(s);
    const QStringView text = document.pieces()[0];
    auto viewFrom = [&](qsizetype pos) {
        const qsizetype from = std::clamp<qsizetype>(pos, 0, text.size());
        return DocumentView(text.sliced(from), from);
    };
    PlainTextSave output(document, path, m_syncEach);
    bool writing = !m_dryRun;
    qsizetype copied = 0; // the text before this position is written (or nothing is yet)
    s.NextSearchPos = 0;
    auto search = [&] {
        s.MatchStart = finder.FindOccurrence(viewFrom(finder.ViewStart(s.NextSearchPos)),
                                             s.NextSearchPos, s.MatchLength, s.FindWildcards);
    };
    for (search(); s.MatchStart != -1; search()) {
        ++result.hits;
        ++result.replacements;
        if (s.ReplaceWildcards)
            builder.BuildReplacement(viewFrom(s.MatchStart));
        s.NextSearchPos = s.MatchStart + s.MatchLength + (s.MatchLength == 0 ? 1 : 0);
        if (s.MatchLength == 0 && s.ReplaceText.isEmpty())
            continue; // nothing put in place of nothing: no change
        result.changed = true;
        if (!writing)
            continue;
        if (!output.isOpen() && !output.open(&result.error)) {
            result.kind = FileJobResult::Kind::WriteFailed;
            writing = false; // the count goes on, as when the whole document fails to save
            continue;
        }
        output.appendInPlace(text.sliced(copied, s.MatchStart - copied));
        if (s.ReplaceWildcards)
            output.append(s.ReplaceText);
        else
            output.appendInPlace(s.ReplaceText); // the same text every time, kept in `s`
        copied = s.MatchStart + s.MatchLength;
    }
    if (s.PatternLimitHit()) {
        result = patternLimitHit(result); // the new file, unfinished, is removed
        return;
    }
    if (!writing || !output.isOpen())
        return;
    output.appendInPlace(text.sliced(copied));
    takePrepared(output.finish(), result);
}

// A regular expression stopped at the library's limit: the run does the file itself and says
// so; nothing done here counts.
FileJobResult DocumentFileJob::patternLimitHit(const FileJobResult &done)
{
    FileJobResult result;
    result.links = done.links;
    return result;
}

void DocumentFileJob::takePrepared(DocumentFile::Prepared prepared, FileJobResult &result)
{
    switch (prepared.status) {
    case SaveStatus::Ok:
        result.pending = std::move(prepared.pending);
        break;
    case SaveStatus::NotEncodable:
        result.kind = FileJobResult::Kind::NotEncodable;
        break;
    default:
        result.kind = FileJobResult::Kind::WriteFailed;
        result.error = prepared.errorString;
        break;
    }
}
