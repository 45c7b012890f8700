#pragma once

#include "run/RunHost.h"
#include "text/TextEdit.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class ReviewDialog;
class ScriptedPrompter;

// A host that shows every occurrence in the real review dialog and passes the document's news
// to it, as the main window does; questions go to a scripted prompter. While the dialog is
// open, a timer runs the next scripted step, which clicks buttons or types keys.
class ReviewTestHost : public RunHost {
public:
    using Step = std::function<void(ReviewDialog &)>;

    // What the dialog showed when it opened.
    struct Showing {
        qsizetype matchStart = 0;
        qsizetype selectionStart = 0;
        qsizetype selectionEnd = 0;
        QString selected;
        QString caption;
        QStringList panels; // the visible ones of RP, FP, SP, PContinue, BEdit
        bool viewShowsDocument = false; // the view's rows are the document's text
    };

    explicit ReviewTestHost(ScriptedPrompter &prompter) : m_prompter(prompter) { }
    void setDialog(ReviewDialog *dialog) { m_dialog = dialog; }

    // One step per showing, in order; then defaultStep.
    QList<Step> steps;
    Step defaultStep = click("YesB");
    QList<Showing> showings;
    QStringList messages;
    QList<TextEdit> edits; // every edit the core told, in order
    // A step left the dialog open: it was closed with Abort so that the test ends.
    bool hung = false;

    static Step click(const char *button);
    static Step key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Runs the steps in order within one showing.
    static Step all(QList<Step> steps);

    ModalResult ShowOccurrence(ReviewSession &session) override;
    bool AskYesNo(const QString &text, const QString &caption, bool questionIcon) override;
    void ShowMessage(const QString &text) override;
    Answer AskAbortRetryIgnore(const QString &text) override;
    void ReviewFileChanged(const QString &fileName) override;
    void DocumentLoaded(const Document &document) override;
    void DocumentEdited(const TextEdit &edit) override;

private:
    Showing record(ReviewSession &session) const;

    ScriptedPrompter &m_prompter;
    ReviewDialog *m_dialog = nullptr;
};
