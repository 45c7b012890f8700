#include "run/ReplaceRun.h"

#include "engine/EngineState.h"
#include "engine/ReplacementBuilder.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "run/FileFeed.h"
#include "run/ModalResult.h"
#include "run/OccurrenceRecord.h"
#include "run/Report.h"
#include "run/ReviewSession.h"
#include "run/RunHost.h"

using namespace Qt::StringLiterals;

void ReplaceRun::run(const FileFeed &files, const QString &replacementPattern)
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

std::optional<FileJobResult> ReplaceRun::reviewFile()
{
    FileReplacements = 0;
    m_countersAtStart = counters();
    qsizetype hits = 0;
    m.host.ProcessPendingEvents();
    const bool done = walkDocument(hits, [this] {
        if (stopRequested())
            return OccurrenceWalk::Step::Stop;
        // Thousands of replacements in one file: the window answers meanwhile.
        if (ReplaceAll)
            m.host.ProcessPendingEvents();
        return handleOccurrence();
    });
    if (!done)
        return std::nullopt;
    return reviewed(hits, FileReplacements);
}

OccurrenceWalk::Step ReplaceRun::handleOccurrence()
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
        resumeAfter(ResumeAt::After::Skipped);
        return OccurrenceWalk::Step::GoOn;
    case ModalResult::Abort:
        return OccurrenceWalk::Step::Stop;
    default:
        // The review was closed without an answer: the same occurrence comes again.
        s.ChosenResume.reset();
        return OccurrenceWalk::Step::Again;
    }
}

OccurrenceWalk::Step ReplaceRun::replaceOccurrence()
{
    EngineState &s = m.state;
    const qsizetype start = s.MatchStart;
    const QString matched = document().mid(s.MatchStart, s.MatchLength);
    const std::optional<TextEdit> made = m.review.ReplaceSelected();
    if (s.Aborted)
        return OccurrenceWalk::Step::Stop;
    // A replacement the file's format had no place for is not made, and not counted.
    if (made)
        ++FileReplacements;
    notifyOccurrence(start, matched, made ? OccurrenceRecord::made(s.ReplaceText) : QString());
    return OccurrenceWalk::Step::GoOn;
}

void ReplaceRun::finishFile(const FileJobResult &result)
{
    FileHits = int(result.hits);
    FileReplacements = int(result.replacements);
    if (result.kind == FileJobResult::Kind::Reviewed && m.state.PatternLimitHit()) {
        // Running numbers count only replacements that reached the disk.
        restoreCounters(m_countersAtStart);
        skipPatternLimit(m.state.CurrentFileName, FileHits);
        return;
    }
    if (result.kind == FileJobResult::Kind::WriteFailed) {
        const QString &path = m.state.CurrentFileName;
        m.host.WriteFailed(path, result.error);
        appendFailure(MsgFileNotSaved, path);
        notifyFile(path, FileOutcome::Status::Failed, u"not-saved"_s, FileHits, 0, result.error);
        TotalOccurrences += FileHits;
        ++FilesProcessed;
        return;
    }
    settleFile(result.changed,
               [this, &result](const WriteDone &done) { writeResult(result, done); });
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

void ReplaceRun::appendTotals(qsizetype listCount)
{
    appendTotalsHead(FilesProcessed, listCount);
    appendLine(MsgChangedFiles, FilesChanged);
    if (FilesChanged < FilesProcessed)
        appendLine(MsgUnchangedFiles, FilesProcessed - FilesChanged, FilesProcessed);
    appendLine(MsgReplacementsMade, TotalReplacements, TotalOccurrences);
}
