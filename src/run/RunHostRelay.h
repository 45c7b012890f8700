#pragma once

#include "run/RunHost.h"

// A host that passes everything on to another one; hosts that only watch or answer part of a
// run (a preview, its apply, a diff) derive from it and take over what they need.
class RunHostRelay : public RunHost {
public:
    explicit RunHostRelay(RunHost &inner) : m_inner(inner) { }

    Answer AskAbortRetryIgnore(const QString &text) override;
    void WriteFailed(const QString &path, const QString &reason) override;
    ModalResult ShowOccurrence(ReviewSession &session) override;
    bool AskYesNo(const QString &text, const QString &caption, bool questionIcon) override;
    void ShowMessage(const QString &text) override;
    void ProgressStart(int fileCount) override;
    void ProgressStep(const QString &fileName) override;
    void ProgressEnd() override;
    void ReviewFileChanged(const QString &fileName) override;
    void DocumentLoaded(const Document &document) override;
    void DocumentEdited(const TextEdit &edit) override;
    void ReportLineAppended(const QString &line) override;
    void ReportFinished() override;
    void OccurrenceMet(const OccurrenceRecord &occurrence) override;
    void FileFinished(const FileOutcome &outcome) override;
    void ProcessPendingEvents() override;
    bool StopRequested() override;
    bool MayWorkOn(const QString &path, const Document &document) override;

protected:
    RunHost &inner() { return m_inner; }

private:
    RunHost &m_inner;
};
