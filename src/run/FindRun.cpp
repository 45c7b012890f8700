#include "run/FindRun.h"

#include "engine/EngineState.h"
#include "engine/OccurrenceWalk.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "run/FileFeed.h"
#include "run/ModalResult.h"
#include "run/Report.h"
#include "run/ReviewSession.h"
#include "run/RunHost.h"

using namespace Qt::StringLiterals;

void FindRun::run(const FileFeed &files)
{
    m.report.Clear();
    m.review.PrepareFind();
    m_lineBreaks.Capture(m.state, false);
    DontAsk = false;
    walkFiles(files);
    appendTotalsHead(FilesProcessed, files.size());
    appendLine(MsgFilesWithHits, FilesWithHits);
    appendLine(MsgTotalHits, TotalHits);
    m.host.ReportFinished();
}

std::optional<FileJobResult> FindRun::reviewFile()
{
    EngineState &s = m.state;
    qsizetype hits = 0;
    m.host.ProcessPendingEvents();
    const bool done = walkDocument(hits, [&] {
        if (stopRequested())
            return OccurrenceWalk::Step::Stop;
        if (hits == 1)
            ++FilesWithHits;
        const qsizetype start = s.MatchStart;
        const QString matched = document().mid(s.MatchStart, s.MatchLength);
        if (!DontAsk) {
            const ModalResult result = m.host.ShowOccurrence(m.review);
            m.host.ProcessPendingEvents();
            if (result == ModalResult::Abort)
                return OccurrenceWalk::Step::Stop;
            if (result == ModalResult::YesToAll)
                DontAsk = true;
        } else {
            // Thousands of hits in one file: the window answers meanwhile.
            m.host.ProcessPendingEvents();
        }
        notifyOccurrence(start, matched, QString());
        resumeAfter(ResumeAt::After::Found);
        return OccurrenceWalk::Step::GoOn;
    });
    if (!done)
        return std::nullopt;
    return reviewed(hits, 0);
}

void FindRun::finishFile(const FileJobResult &result)
{
    const QString path = m.state.CurrentFileName;
    const int hits = int(result.hits);
    // The review counts a file with hits as it meets the first one.
    if (result.kind != FileJobResult::Kind::Reviewed && hits > 0)
        ++FilesWithHits;
    FileHits = hits;
    if (result.kind == FileJobResult::Kind::Reviewed && m.state.PatternLimitHit()) {
        skipPatternLimit(path, hits);
        return;
    }
    countFile();
    if (!result.changed) {
        notifyFile(path, FileOutcome::Status::Unchanged, {}, hits, 0);
        return;
    }
    writeResult(result, [this, path, hits](const WriteEnd &end) {
        notifyFile(path, statusOf(end), end.reason, hits, 0, end.error);
    });
}

void FindRun::countFile()
{
    if (FileHits > 0)
        appendLine(MsgFileHits, m.state.CurrentFileName, FileHits);
    TotalHits += FileHits;
    ++FilesProcessed;
}
