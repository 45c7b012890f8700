#include "run/FindRun.h"

#include "engine/EngineState.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "run/ModalResult.h"
#include "run/Report.h"
#include "run/ReviewSession.h"
#include "run/RunHost.h"

using namespace Qt::StringLiterals;

void FindRun::run(const QStringList &files)
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

bool FindRun::reviewFile()
{
    EngineState &s = m.state;
    FileHits = 0;
    s.NextSearchPos = 0;
    search();
    m.host.ProcessPendingEvents();
    while (s.MatchStart != -1) {
        if (stopRequested())
            return false;
        if (FileHits == 0)
            ++FilesWithHits;
        ++FileHits;
        const qsizetype start = s.MatchStart;
        const QString matched = document().mid(s.MatchStart, s.MatchLength);
        if (!DontAsk) {
            const ModalResult result = m.host.ShowOccurrence(m.review);
            m.host.ProcessPendingEvents();
            if (result == ModalResult::Abort)
                return false;
            if (result == ModalResult::YesToAll)
                DontAsk = true;
        } else {
            // Thousands of hits in one file: the window answers meanwhile.
            m.host.ProcessPendingEvents();
        }
        notifyOccurrence(start, matched, QString());
        // Occurrences may overlap; after a deletion or a chosen position MatchStart was moved.
        s.NextSearchPos = s.PastOccurrence();
        search();
    }
    return true;
}

void FindRun::finishFile()
{
    const QString path = m.state.CurrentFileName;
    const int hits = FileHits;
    if (m.state.PatternLimitHit()) {
        skipPatternLimit(path, hits);
        return;
    }
    countFile();
    if (!document().isModified()) {
        notifyFile(path, FileOutcome::Status::Unchanged, {}, hits, 0);
        return;
    }
    writeBack([this, path, hits](const WriteEnd &end) {
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

std::optional<ByteFileJob> FindRun::byteJob() const
{
    const EngineState &s = m.state;
    if (s.FindWildcards || s.FindRegex || !ByteFileJob::isPlainAscii(s.SearchText))
        return std::nullopt;
    return ByteFileJob(s.SearchText.toLatin1(), {}, m.options.SearchOptions.MatchCase,
                       ByteFileJob::Mode::Count, false);
}

std::optional<DocumentFileJob> FindRun::documentJob() const
{
    return DocumentFileJob(m.state, m_lineBreaks, m.options.SearchOptions, false, m_dryRun, false);
}

void FindRun::finishBytes(const FileJobResult &result)
{
    FileHits = int(result.hits);
    if (FileHits > 0)
        ++FilesWithHits;
    countFile();
    notifyFile(m.state.CurrentFileName, FileOutcome::Status::Unchanged, {}, FileHits, 0);
}
