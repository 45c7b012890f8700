#pragma once

#include "run/RunHost.h"

#include <QString>
#include <QTextStream>

#include <optional>

// The command-line tool's side of a run: the report or JSON on stdout, questions and the
// progress bar on the terminal. Without interactive answers every occurrence is taken,
// a failed save is not retried and a backup that cannot be made stops the run.
class TerminalHost : public RunHost {
public:
    struct Settings {
        bool interactive = false;
        bool json = false;
        bool progress = false;
        bool replaceMode = false;
        bool terminal = false; // stderr is a terminal: the occurrence is shown highlighted
    };

    TerminalHost(const Settings &settings, QTextStream &in, QTextStream &out, QTextStream &err);

    ModalResult ShowOccurrence(ReviewSession &session) override;
    bool AskYesNo(const QString &text, const QString &caption, bool questionIcon) override;
    void ShowMessage(const QString &text) override;
    Answer AskAbortRetryIgnore(const QString &text) override;
    void ProgressStart(int fileCount) override;
    void ProgressStep(const QString &fileName) override;
    void ProgressEnd() override;
    void ReportLineAppended(const QString &line) override;
    void OccurrenceMet(const OccurrenceRecord &occurrence) override;

private:
    // The answer typed, trimmed; nothing when the input has ended.
    std::optional<QString> ask(const QString &prompt);
    QString occurrenceLine(const ReviewSession &session) const;
    void drawProgress();
    void clearProgress();

    Settings m_settings;
    QTextStream &m_in;
    QTextStream &m_out;
    QTextStream &m_err;
    int m_fileCount = 0;
    int m_fileIndex = 0;
    QString m_fileName;
    bool m_progressShown = false;
};
