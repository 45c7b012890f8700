#include "run/DocumentFileJob.h"

#include "document/Document.h"
#include "document/DocumentFile.h"
#include "document/PlainTextCodec.h"
#include "document/PlainTextSave.h"
#include "engine/OccurrenceFinder.h"
#include "engine/OccurrenceWalk.h"
#include "engine/ReplacementBuilder.h"
#include "engine/ResumeAt.h"
#include "io/ReadOnlyFile.h"
#include "run/CodePageDoubt.h"
#include "run/OccurrenceRecord.h"

#include <optional>

FileJobResult DocumentFileJob::process(const QString &path) const
{
    FileJobResult result;
    // An unreadable file is loaded all the same: loading says why.
    if (std::optional<FileJobResult> refused
        = FileJobResult::notAFile(ReadOnlyFile::typeOf(path, &result.links)))
        return *refused;
    Document document;
    result.kind = FileJobResult::kindOf(DocumentFile::load(document, path, m_codePage));
    if (result.kind != FileJobResult::Kind::Done)
        return result;
    if (CodePageDoubt::of(document, m_codePageChosen)) {
        result.kind = FileJobResult::Kind::Fallback; // the run tells the user itself
        return result;
    }
    if (m_listing)
        result.found.stamp = document.sourceStamp();
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
    auto view = [&](qsizetype from) { return document.view(from); };
    OccurrenceWalk::run(s, finder, view, result.hits, [&] {
        if (!m_replacing) {
            note(result, s.MatchStart, s.MatchLength, QString());
            s.NextSearchPos = ResumeAt::of(ResumeAt::After::Found, s.MatchStart, s.MatchLength, -1,
                                           s.OccurrencesOverlap());
            return OccurrenceWalk::Step::GoOn;
        }
        if (s.ReplaceWildcards)
            builder.BuildReplacement(document.view(s.ReplacementSource()));
        const std::optional<TextEdit> made
            = document.replace(s.MatchStart, s.MatchLength, s.ReplaceText);
        s.NextSearchPos
            = ResumeAt::ofReplacement(s.MatchStart, s.MatchLength, made, s.OccurrencesOverlap());
        if (made)
            ++result.replacements;
        note(result, s.MatchStart, s.MatchLength,
             made ? OccurrenceRecord::made(s.ReplaceText) : QString());
        return OccurrenceWalk::Step::GoOn;
    });
    if (s.PatternLimitHit()) {
        result = patternLimitHit(result);
        return;
    }
    result.changed = document.isModified();
    if (result.changed && m_dryRun && !DocumentFile::encodes(document, path))
        result.kind = FileJobResult::Kind::NotEncodable;
    else if (result.changed && !m_dryRun)
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
    qint64 shift = 0; // how far the edits so far moved the text, as the run would see it
    OccurrenceWalk::run(s, finder, viewFrom, result.hits, [&] {
        ++result.replacements;
        if (s.ReplaceWildcards)
            builder.BuildReplacement(viewFrom(s.ReplacementSource()));
        if (m_listing) {
            note(result, s.MatchStart + shift, s.MatchLength,
                 OccurrenceRecord::made(s.ReplaceText));
            shift += s.ReplaceText.size() - s.MatchLength;
        }
        s.NextSearchPos = ResumeAt::of(ResumeAt::After::Replaced, s.MatchStart, s.MatchLength,
                                       s.MatchStart + s.MatchLength);
        if (s.MatchLength == 0 && s.ReplaceText.isEmpty())
            return OccurrenceWalk::Step::GoOn; // nothing put in place of nothing: no change
        result.changed = true;
        // The text as read is in the file's encoding; only what is put in may not be.
        if (m_dryRun && !document.canEncode(s.ReplaceText))
            result.kind = FileJobResult::Kind::NotEncodable;
        if (!writing)
            return OccurrenceWalk::Step::GoOn;
        if (!output.isOpen() && !output.open(&result.error)) {
            result.kind = FileJobResult::Kind::WriteFailed;
            writing = false; // the count goes on, as when the whole document fails to save
            return OccurrenceWalk::Step::GoOn;
        }
        output.appendInPlace(text.sliced(copied, s.MatchStart - copied));
        if (s.ReplaceWildcards)
            output.append(s.ReplaceText);
        else
            output.appendInPlace(s.ReplaceText); // the same text every time, kept in `s`
        copied = s.MatchStart + s.MatchLength;
        return OccurrenceWalk::Step::GoOn;
    });
    if (s.PatternLimitHit()) {
        result = patternLimitHit(result); // the new file, unfinished, is removed
        return;
    }
    if (!writing || !output.isOpen())
        return;
    output.appendInPlace(text.sliced(copied));
    takePrepared(output.finish(), result);
}

void DocumentFileJob::note(FileJobResult &result, qint64 start, qsizetype length,
                           const QString &replacement) const
{
    if (m_listing)
        result.found.add(start, length, replacement);
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
