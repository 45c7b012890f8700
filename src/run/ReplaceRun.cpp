#include "run/ReplaceRun.h"

#include "engine/EngineState.h"
#include "engine/ReplacementBuilder.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "run/ModalResult.h"
#include "run/Report.h"
#include "run/ReviewSession.h"
#include "run/RunHost.h"

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
    search();
    m.host.ProcessPendingEvents();
    while (s.MatchStart != -1) {
        if (stopRequested())
            return false;
        ++FileHits;
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
        s.NextSearchPos = s.MatchStart + 1;
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
    const QString &path = m.state.CurrentFileName;
    if (!document().isModified()) {
        if (FileHits == 0)
            appendLine(MsgFileUnchanged, path);
        else
            appendLine(MsgFileUnchangedHits, path, FileHits);
    } else if (writeBack()) {
        appendLine(MsgFileChanged, path, FileReplacements, FileHits);
        TotalReplacements += FileReplacements;
        ++FilesChanged;
    }
    TotalOccurrences += FileHits;
    ++FilesProcessed;
}

void ReplaceRun::appendTotals(qsizetype listCount)
{
    appendTotalsHead(FilesProcessed, listCount);
    appendLine(MsgChangedFiles, FilesChanged);
    if (FilesChanged < FilesProcessed)
        appendLine(MsgUnchangedFiles, FilesProcessed - FilesChanged, FilesProcessed);
    appendLine(MsgReplacementsMade, TotalReplacements, TotalOccurrences);
}
