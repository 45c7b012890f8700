#include "run/RunHostRelay.h"

BackupHost::Answer RunHostRelay::AskAbortRetryIgnore(const QString &text)
{
    return m_inner.AskAbortRetryIgnore(text);
}

void RunHostRelay::WriteFailed(const QString &path, const QString &reason)
{
    m_inner.WriteFailed(path, reason);
}

ModalResult RunHostRelay::ShowOccurrence(ReviewSession &session)
{
    return m_inner.ShowOccurrence(session);
}

bool RunHostRelay::AskYesNo(const QString &text, const QString &caption, bool questionIcon)
{
    return m_inner.AskYesNo(text, caption, questionIcon);
}

void RunHostRelay::ShowMessage(const QString &text)
{
    m_inner.ShowMessage(text);
}

void RunHostRelay::ProgressStart(int fileCount)
{
    m_inner.ProgressStart(fileCount);
}

void RunHostRelay::ProgressStep(const QString &fileName)
{
    m_inner.ProgressStep(fileName);
}

void RunHostRelay::ProgressEnd()
{
    m_inner.ProgressEnd();
}

void RunHostRelay::ReviewFileChanged(const QString &fileName)
{
    m_inner.ReviewFileChanged(fileName);
}

void RunHostRelay::DocumentLoaded(const Document &document)
{
    m_inner.DocumentLoaded(document);
}

void RunHostRelay::DocumentEdited(const TextEdit &edit)
{
    m_inner.DocumentEdited(edit);
}

void RunHostRelay::ReportLineAppended(const QString &line)
{
    m_inner.ReportLineAppended(line);
}

void RunHostRelay::ReportFinished()
{
    m_inner.ReportFinished();
}

void RunHostRelay::OccurrenceMet(const OccurrenceRecord &occurrence)
{
    m_inner.OccurrenceMet(occurrence);
}

void RunHostRelay::FileFinished(const FileOutcome &outcome)
{
    m_inner.FileFinished(outcome);
}

void RunHostRelay::ProcessPendingEvents()
{
    m_inner.ProcessPendingEvents();
}

bool RunHostRelay::StopRequested()
{
    return m_inner.StopRequested();
}

bool RunHostRelay::MayWorkOn(const QString &path, const Document &document)
{
    return m_inner.MayWorkOn(path, document);
}
