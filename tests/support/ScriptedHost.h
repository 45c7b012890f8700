#pragma once

#include "run/ModalResult.h"
#include "run/RunHost.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// A host whose answers are scripted by the test, recording everything the run asked or said.
class ScriptedHost : public RunHost {
public:
    using Review = std::function<ModalResult(ReviewSession &)>;

    // Answers for the next showings, in order; then defaultAnswer.
    QList<Review> reviews;
    ModalResult defaultAnswer = ModalResult::Yes;
    QList<bool> yesNo; // answers to Yes/No questions, then defaultYesNo
    bool defaultYesNo = false;
    QList<Answer> abortRetryIgnore; // then Abort
    std::function<void()> beforeYesNo;
    // Asked before each file and occurrence; the run stops when it says so.
    std::function<bool()> stop;

    // What the run did.
    QList<qsizetype> shownAt; // MatchStart of every showing
    QStringList shownText; // the occurrence's text at every showing
    QStringList questions;
    QStringList messages;
    QStringList reportLines;
    // Lines said once per run whatever its files (the file calls' limits), kept out of
    // reportLines and gathered here.
    QStringList setAside;
    QStringList notes;
    QStringList progressFiles;
    // The progress, file and report calls in order: "start 3", "step a.txt", "file a.txt",
    // "file ", "end", "finished".
    QStringList events;
    int finishedReports = 0;
    QStringList occurrences; // "start:matched>replacement" of every occurrence met

    // The document in hand as the host sees it: the loaded text with every told edit applied,
    // and the edits that left it different from the document itself.
    QString mirror;
    const Document *shownDocument = nullptr;
    int loads = 0;
    int pendingEventPoints = 0;
    int edits = 0;
    int mirrorMismatches = 0;

    static Review answer(ModalResult result);
    // Deletes the occurrence as the Del key does.
    static Review deleteOccurrence();

    ModalResult ShowOccurrence(ReviewSession &session) override;
    bool AskYesNo(const QString &text, const QString &caption, bool questionIcon) override;
    void ShowMessage(const QString &text) override { messages << text; }
    Answer AskAbortRetryIgnore(const QString &text) override;
    void ProgressStart(int fileCount) override;
    void ProgressStep(const QString &fileName) override;
    void ProgressEnd() override;
    void ReviewFileChanged(const QString &fileName) override;
    void DocumentLoaded(const Document &document) override;
    void DocumentEdited(const TextEdit &edit) override;
    void ReportLineAppended(const QString &line) override
    {
        (setAside.contains(line) ? notes : reportLines) << line;
    }
    void ReportFinished() override;
    void OccurrenceMet(const OccurrenceRecord &occurrence) override;
    bool StopRequested() override { return stop && stop(); }
    void ProcessPendingEvents() override { ++pendingEventPoints; }

private:
    void checkMirror();
};
