#pragma once

#include "InterruptSignals.h"

#include "run/RunHost.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QString>
#include <QTextStream>

#include <functional>
#include <optional>

class MessageCatalogue;

// The command-line tool's side of a run: the report or JSON on stdout, questions, messages and
// the progress bar on stderr. Without interactive answers every occurrence is taken, a failed
// save is not retried and a backup that cannot be made stops the run. When the input ends,
// every question gets its safe answer: no to the remaining occurrences (what was confirmed is
// kept), no to a retry, abort for a backup that cannot be made. A stop asked for while a
// question waits (Ctrl-C) aborts the run at once, as the abort answer does. Every message starts
// with the tool's name. A closed stdout (a reader that quit) is written to no more; the run goes
// on. With JSON, each occurrence is printed as it is met and its file's object follows once the
// file's outcome is known.
class TerminalHost : public RunHost {
public:
    struct Settings {
        bool interactive = false;
        bool json = false;
        bool progress = false;
        bool replaceMode = false;
        bool terminal = false; // stderr is a terminal: the occurrence is shown highlighted
        std::function<bool()> stopRequested; // an interrupt from the keyboard
        // Reads the answer typed; a stop asked for while it waits gives Stopped. Without it
        // the answer is read from `in`.
        std::function<InterruptSignals::Read(QString &answer)> readAnswer;
    };

    TerminalHost(const Settings &settings, const MessageCatalogue &messages, QTextStream &in,
                 QTextStream &out, QTextStream &err);

    // Whether stdout was closed under the run, so its report is incomplete.
    bool outputLost() const { return m_outputClosed; }
    // Prints `text` on stderr as a message of the tool.
    void say(const QString &text);

    ModalResult ShowOccurrence(ReviewSession &session) override;
    bool AskYesNo(const QString &text, const QString &caption, bool questionIcon) override;
    void ShowMessage(const QString &text) override;
    Answer AskAbortRetryIgnore(const QString &text) override;
    void ProgressStart(int fileCount) override;
    void ProgressStep(const QString &fileName) override;
    void ProgressEnd() override;
    void ReportLineAppended(const QString &line) override;
    void OccurrenceMet(const OccurrenceRecord &occurrence) override;
    void FileFinished(const FileOutcome &outcome) override;
    void WriteFailed(const QString &path, const QString &reason) override;
    bool StopRequested() override;

private:
    // The answer typed, trimmed; nothing when the input has ended or a stop was asked for
    // (then and from then on).
    std::optional<QString> ask(const QString &prompt);
    // Aborts the run without asking whether to (a stop was asked for).
    ModalResult abortNow(ReviewSession &session);
    QString occurrenceLine(const ReviewSession &session) const;
    void print(const QString &line);
    void flushOutput();
    void printJson(const QJsonObject &object);
    void drawProgress();
    void clearProgress();

    Settings m_settings;
    const MessageCatalogue &m_messages;
    QTextStream &m_in;
    QTextStream &m_out;
    QTextStream &m_err;
    int m_fileCount = 0;
    int m_fileIndex = 0;
    QString m_fileName;
    bool m_progressShown = false;
    bool m_inputEnded = false;
    bool m_outputClosed = false;
    bool m_interrupted = false; // a stop was asked for while a question waited
    bool m_confirmingAbort = false; // the abort question is answered yes, unasked
    QElapsedTimer m_sinceFlush;
};
