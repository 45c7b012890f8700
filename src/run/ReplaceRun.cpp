#include "run/ReplaceRun.h"

#include "engine/EngineState.h"
#include "engine/ReplacementBuilder.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "run/ModalResult.h"
#include "run/Report.h"
#include "run/ReviewSession.h"
#include "run/RunHost.h"

void ReplaceRun::Run(const QStringList &files, const QString &replacementPattern)
{
    m_builder.PrepareReplacement(replacementPattern);
    m.review.PrepareReplace();
    m.report.Clear();
    m_lineBreaks.Capture(m.state, true);
    ReplaceAll = !m.options.ConfirmReplace;
    SkipAll = false;
    WalkFiles(files);
    AppendTotals(files.size());
    m.host.ReportFinished();
}

bool ReplaceRun::ReviewFile()
{
    EngineState &s = m.state;
    FileReplacements = 0;
    FileHits = 0;
    s.NextSearchPos = 0;
    Search();
    m.host.ProcessPendingEvents();
    while (s.MatchStart != -1) {
        ++FileHits;
        if (HandleOccurrence() == Step::Stop)
            return false;
        Search();
    }
    return true;
}

ReplaceRun::Step ReplaceRun::HandleOccurrence()
{
    EngineState &s = m.state;
    if (ReplaceAll)
        return Replace();
    const qsizetype start = s.MatchStart;
    const QString matched = document().mid(s.MatchStart, s.MatchLength);
    int result = ModalResult::NoToAll;
    if (!SkipAll) {
        result = m.host.ShowOccurrence(m.review);
        m.host.ProcessPendingEvents();
    }
    switch (result) {
    case ModalResult::YesToAll:
        ReplaceAll = true;
        [[fallthrough]];
    case ModalResult::Yes:
        return Replace();
    case ModalResult::NoToAll:
        SkipAll = true;
        [[fallthrough]];
    case ModalResult::No:
        NotifyOccurrence(start, matched, QString());
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

ReplaceRun::Step ReplaceRun::Replace()
{
    EngineState &s = m.state;
    const qsizetype start = s.MatchStart;
    const QString matched = document().mid(s.MatchStart, s.MatchLength);
    m.review.ReplaceSelected();
    if (s.Aborted)
        return Step::Stop;
    ++FileReplacements;
    NotifyOccurrence(start, matched, s.ReplaceText);
    return Step::GoOn;
}

void ReplaceRun::FinishFile()
{
    const QString &path = m.state.CurrentFileName;
    if (!document().isModified()) {
        if (FileHits == 0)
            AppendLine(MsgFileUnchanged, path);
        else
            AppendLine(MsgFileUnchangedHits, path, FileHits);
    } else if (WriteBack()) {
        AppendLine(MsgFileChanged, path, FileReplacements, FileHits);
        TotalReplacements += FileReplacements;
        ++FilesChanged;
    }
    TotalOccurrences += FileHits;
    ++FilesProcessed;
}

void ReplaceRun::AppendTotals(qsizetype listCount)
{
    AppendTotalsHead(FilesProcessed, listCount);
    AppendLine(MsgChangedFiles, FilesChanged);
    if (FilesChanged < FilesProcessed)
        AppendLine(MsgUnchangedFiles, FilesProcessed - FilesChanged, FilesProcessed);
    AppendLine(MsgReplacementsMade, TotalReplacements, TotalOccurrences);
}
