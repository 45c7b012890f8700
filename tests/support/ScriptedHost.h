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
    using Review = std::function<int(ReviewSession &)>;

    // Answers for the next showings, in order; then defaultAnswer.
    QList<Review> reviews;
    int defaultAnswer = ModalResult::Yes;
    QList<bool> yesNo; // answers to Yes/No questions, then defaultYesNo
    bool defaultYesNo = false;
    QList<Answer> abortRetryIgnore; // then Abort
    std::function<void()> beforeYesNo;

    // What the run did.
    QList<qsizetype> shownAt; // MatchStart of every showing
    QStringList shownText; // the occurrence's text at every showing
    QStringList questions;
    QStringList messages;
    QStringList reportLines;
    QStringList progressFiles;
    int finishedReports = 0;

    static Review answer(int result);
    // Deletes the occurrence as the Del key does.
    static Review deleteOccurrence();

    int ShowOccurrence(ReviewSession &session) override;
    bool AskYesNo(const QString &text, const QString &caption, bool questionIcon) override;
    void ShowMessage(const QString &text) override { messages << text; }
    Answer AskAbortRetryIgnore(const QString &text) override;
    void ProgressStep(const QString &fileName) override { progressFiles << fileName; }
    void ReportLineAppended(const QString &line) override { reportLines << line; }
    void ReportFinished() override { ++finishedReports; }
};
