#include "run/ReplaceRun.h"

#include "engine/EngineState.h"
#include "engine/ReplacementBuilder.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "run/ModalResult.h"
#include "run/Report.h"
#include "run/ReviewSession.h"
#include "run/RunHost.h"

using namespace Qt::StringLiterals;

void ReplaceRun::run(const QStringList &files, const QString &replacementPattern)
{
    m_builder.PrepareReplacement(replacementPattern);
    m.review.PrepareReplace();
    m.report.Clear();
    m_lineBreaks.Capture(m.state, true);
    ReplaceAll = !m.options.ConfirmReplace;
    SkipAll = false;
    walkFiles(files);
    appendTotals(files.size());
    m.host.ReportFinished();
}

bool ReplaceRun::reviewFile()
{
    EngineState &s = m.state;
    FileReplacements = 0;
    FileHits = 0;
    s.NextSearchPos = 0;
    m_countersAtStart = counters();
    search();
    m.host.ProcessPendingEvents();
    while (s.MatchStart != -1) {
        if (stopRequested())
            return false;
        ++FileHits;
        // Thousands of replacements in one file: the window answers meanwhile.
        if (ReplaceAll)
            m.host.ProcessPendingEvents();
        if (handleOccurrence() == Step::Stop)
            return false;
        search();
    }
    return true;
}

ReplaceRun::Step ReplaceRun::handleOccurrence()
{
    EngineState &s = m.state;
    if (ReplaceAll)
        return replaceOccurrence();
    const qsizetype start = s.MatchStart;
    const QString matched = document().mid(s.MatchStart, s.MatchLength);
    ModalResult result = ModalResult::NoToAll;
    if (!SkipAll) {
        result = m.host.ShowOccurrence(m.review);
        m.host.ProcessPendingEvents();
    }
    switch (result) {
    case ModalResult::YesToAll:
        ReplaceAll = true;
        [[fallthrough]];
    case ModalResult::Yes:
        return replaceOccurrence();
    case ModalResult::NoToAll:
        SkipAll = true;
        [[fallthrough]];
    case ModalResult::No:
        notifyOccurrence(start, matched, QString());
        s.NextSearchPos = s.PastOccurrence();
        return Step::GoOn;
    case ModalResult::Abort:
        return Step::Stop;
    default:
        // The review was closed without an answer: the same occurrence comes again.
        --FileHits;
        return Step::GoOn;
    }
}

ReplaceRun::Step ReplaceRun::replaceOccurrence()
{
    EngineState &s = m.state;
    const qsizetype start = s.MatchStart;
    const QString matched = document().mid(s.MatchStart, s.MatchLength);
    const std::optional<TextEdit> made = m.review.ReplaceSelected();
    if (s.Aborted)
        return Step::Stop;
    // A replacement the file's format had no place for is not made, and not counted.
    if (made)
        ++FileReplacements;
    notifyOccurrence(start, matched, made ? s.ReplaceText : QString());
    return Step::GoOn;
}

void ReplaceRun::finishFile()
{
    if (m.state.PatternLimitHit()) {
        // Running numbers count only replacements that reached the disk.
        restoreCounters(m_countersAtStart);
        skipPatternLimit(m.state.CurrentFileName, FileHits);
        return;
    }
    settleFile(document().isModified(), [this](const WriteDone &done) { writeBack(done); });
}

std::optional<DocumentFileJob> ReplaceRun::documentJob() const
{
    if (!ReplaceAll || m.options.MakeBackups || !counters().isEmpty())
        return std::nullopt;
    return DocumentFileJob(m.state, m_lineBreaks, m.options.SearchOptions, true, m_dryRun,
                           m_sync == SyncPolicy::File);
}

void ReplaceRun::finishBytes(const FileJobResult &result)
{
    FileHits = int(result.hits);
    FileReplacements = int(result.replacements);
    if (result.kind == FileJobResult::Kind::WriteFailed) {
        const QString &path = m.state.CurrentFileName;
        m.host.WriteFailed(path, result.error);
        appendFailure(MsgFileNotSaved, path);
        notifyFile(path, FileOutcome::Status::Failed, u"not-saved"_s, FileHits, 0, result.error);
        TotalOccurrences += FileHits;
        ++FilesProcessed;
        return;
    }
    settleFile(result.changed, [this, &result](const WriteDone &done) {
        if (result.kind == FileJobResult::Kind::NotEncodable) {
            appendFailure(MsgFileNotEncodable, m.state.CurrentFileName);
            done({false, u"not-encodable"_s, {}});
        } else if (m_dryRun || !result.pending) {
            done({true, u"dry-run"_s, {}});
        } else {
            placeWrite(*result.pending, done);
        }
    });
}

// Reports the file in hand and writes it when changed; its totals count once the write is
// known to have reached the disk.
void ReplaceRun::settleFile(bool changed, const std::function<void(const WriteDone &)> &write)
{
    const QString path = m.state.CurrentFileName;
    const int hits = FileHits;
    const int replacements = FileReplacements;
    if (!changed) {
        if (hits == 0)
            appendLine(MsgFileUnchanged, path);
        else
            appendLine(MsgFileUnchangedHits, path, hits);
        notifyFile(path, FileOutcome::Status::Unchanged, {}, hits, 0);
    } else {
        write([this, path, hits, replacements](const WriteEnd &end) {
            if (end.written) {
                appendLine(MsgFileChanged, path, replacements, hits);
                TotalReplacements += replacements;
                ++FilesChanged;
            } else {
                // Running numbers count only replacements that reached the disk.
                restoreCounters(m_countersAtStart);
            }
            notifyFile(path, statusOf(end), end.reason, hits, end.written ? replacements : 0,
                       end.error);
        });
    }
    TotalOccurrences += hits;
    ++FilesProcessed;
}

QList<qint64> ReplaceRun::counters() const
{
    QList<qint64> values;
    const EngineState &s = m.state;
    if (!s.ReplaceWildcards)
        return values;
    for (int i = 1; i <= s.ReplaceBlockCount; ++i) {
        if (s.ReplaceBlocks[size_t(i)].Kind == mkCounter)
            values << s.ReplaceBlocks[size_t(i)].Pos;
    }
    return values;
}

void ReplaceRun::restoreCounters(const QList<qint64> &values)
{
    EngineState &s = m.state;
    qsizetype next = 0;
    for (int i = 1; i <= s.ReplaceBlockCount && next < values.size(); ++i) {
        if (s.ReplaceBlocks[size_t(i)].Kind == mkCounter)
            s.ReplaceBlocks[size_t(i)].Pos = values[next++];
    }
}

bool ReplaceRun::commitEachFile() const
{
    return !counters().isEmpty();
}

std::optional<ByteFileJob> ReplaceRun::byteJob() const
{
    const EngineState &s = m.state;
    if (s.FindWildcards || s.FindRegex || !ReplaceAll || m.options.MakeBackups
        || !ByteFileJob::isPlainAscii(s.SearchText))
        return std::nullopt;
    QString replacement = s.ReplaceText;
    if (s.ReplaceWildcards) {
        replacement.clear();
        for (int i = 1; i <= s.ReplaceBlockCount; ++i) {
            const TMaskBlockS &block = s.ReplaceBlocks[size_t(i)];
            if (block.Kind != mkLiteral)
                return std::nullopt;
            replacement += block.Text;
        }
    }
    if (!ByteFileJob::isPlainAscii(replacement))
        return std::nullopt;
    const ByteFileJob::Mode mode
        = m_dryRun ? ByteFileJob::Mode::CountReplaceable : ByteFileJob::Mode::Replace;
    return ByteFileJob(s.SearchText.toLatin1(), replacement.toLatin1(),
                       m.options.SearchOptions.MatchCase, mode, m_sync == SyncPolicy::File);
}

void ReplaceRun::appendTotals(qsizetype listCount)
{
    appendTotalsHead(FilesProcessed, listCount);
    appendLine(MsgChangedFiles, FilesChanged);
    if (FilesChanged < FilesProcessed)
        appendLine(MsgUnchangedFiles, FilesProcessed - FilesChanged, FilesProcessed);
    appendLine(MsgReplacementsMade, TotalReplacements, TotalOccurrences);
}
