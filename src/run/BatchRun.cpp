#include "run/BatchRun.h"

#include "document/DocumentFile.h"
#include "engine/EngineState.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "run/OccurrenceRecord.h"
#include "run/Report.h"
#include "run/ReviewSession.h"
#include "run/RunHost.h"

#include <QFileInfo>

BatchRun::BatchRun(const RunServices &services)
    : m(services), m_finder(services.state, services.options.SearchOptions)
{
}

const Document &BatchRun::document() const
{
    return m.review.document();
}

bool BatchRun::stopRequested()
{
    if (!m.state.Aborted && m.host.StopRequested())
        m.state.Aborted = true;
    return m.state.Aborted;
}

void BatchRun::walkFiles(const QStringList &files)
{
    m.state.Aborted = false;
    for (const QString &path : files) {
        if (stopRequested())
            break;
        if (!startFile(path))
            continue;
        if (!reviewFile())
            break;
        finishFile();
    }
    finishRun();
}

bool BatchRun::startFile(const QString &path)
{
    m.state.CurrentFileName = path;
    const QString fileName = QFileInfo(path).fileName();
    m.host.ProgressStep(fileName);
    if (!QFileInfo(path).isFile())
        return false;
    switch (m.review.Load(path)) {
    case LoadStatus::Missing:
        return false;
    case LoadStatus::Unreadable:
        appendFailure(MsgFileUnreadable, path);
        return false;
    case LoadStatus::Binary:
        appendLine(MsgFileBinary, path);
        return false;
    case LoadStatus::Loaded:
        break;
    }
    m_lineBreaks.Apply(m.state, document().lineBreak());
    m.host.ReviewFileChanged(fileName);
    return true;
}

void BatchRun::search()
{
    EngineState &s = m.state;
    s.MatchStart = m_finder.FindOccurrence(document().view(s.NextSearchPos), s.NextSearchPos,
                                           s.MatchLength, s.FindWildcards);
}

bool BatchRun::writeBack()
{
    if (m_dryRun)
        return true;
    const QString &path = m.state.CurrentFileName;
    for (;;) {
        const SaveResult result = SaveDocument(document(), path);
        if (result.ok())
            return true;
        if (result.status == SaveStatus::NotEncodable) {
            appendFailure(MsgFileNotEncodable, path);
            return false;
        }
        if (result.status != SaveStatus::WriteFailed
            || !m.host.AskYesNo(m.messages.LoadMessage(MsgSaveError),
                                m.messages.LoadMessage(MsgSaveErrorCaption), true)) {
            appendFailure(MsgFileNotSaved, path);
            return false;
        }
    }
}

void BatchRun::finishRun()
{
    if (m.state.Aborted)
        m.host.ShowMessage(m.messages.LoadMessage(MsgAborted));
    m.host.ReviewFileChanged(QString());
}

void BatchRun::appendTotalsHead(int filesProcessed, qsizetype listCount)
{
    m.report.Append(Report::ReportSeparator());
    appendLine(MsgTotals);
    appendLine(MsgProcessedFiles, filesProcessed);
    if (listCount > filesProcessed)
        appendLine(MsgUnprocessedFiles, listCount - filesProcessed);
}

void BatchRun::notifyOccurrence(qsizetype start, const QString &matched, const QString &replacement)
{
    m.host.OccurrenceMet({m.state.CurrentFileName, document(), start, matched, replacement});
}
