#include "ui/ReviewTestHost.h"

#include "document/Document.h"
#include "engine/EngineState.h"
#include "review/ReviewDialog.h"
#include "review/ReviewTextView.h"
#include "run/ReviewSession.h"
#include "ui/ScriptedPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Long enough for any step; a dialog still open then was left open by mistake.
constexpr int StepTimeout = 20000;

} // namespace

ReviewTestHost::Step ReviewTestHost::click(const char *button)
{
    const QString name = QString::fromLatin1(button);
    return [name](ReviewDialog &dialog) {
        auto *found = dialog.findChild<QAbstractButton *>(name);
        if (!found)
            qFatal("no button %s", qPrintable(name));
        found->click();
    };
}

ReviewTestHost::Step ReviewTestHost::key(int key, Qt::KeyboardModifiers modifiers)
{
    return [key, modifiers](ReviewDialog &dialog) {
        QWidget *target = QApplication::focusWidget();
        QTest::keyClick(target ? target : dialog.view(), Qt::Key(key), modifiers);
    };
}

ReviewTestHost::Step ReviewTestHost::all(QList<Step> steps)
{
    return [steps](ReviewDialog &dialog) {
        for (const Step &step : steps) {
            if (!dialog.isVisible())
                return;
            step(dialog);
        }
    };
}

ReviewTestHost::Showing ReviewTestHost::record(ReviewSession &session) const
{
    Showing seen;
    const ReviewTextView *view = m_dialog->view();
    seen.matchStart = session.state().MatchStart;
    seen.selectionStart = view->selectionStart();
    seen.selectionEnd = view->selectionEnd();
    seen.selected = view->selectedText();
    seen.caption = m_dialog->windowTitle();
    for (const char *name : {"RP", "FP", "SP", "PContinue", "BEdit"}) {
        const auto *panel = m_dialog->findChild<QWidget *>(QString::fromLatin1(name));
        if (panel && panel->isVisible())
            seen.panels << QString::fromLatin1(name);
    }
    seen.viewShowsDocument
        = view->document() == &session.document() && view->shownText() == session.document().text();
    return seen;
}

ModalResult ReviewTestHost::ShowOccurrence(ReviewSession &session)
{
    const Step step = steps.isEmpty() ? defaultStep : steps.takeFirst();
    ReviewDialog *dialog = m_dialog;
    const int number = int(showings.size());
    QTimer::singleShot(0, dialog, [this, dialog, step, &session] {
        showings << record(session);
        step(*dialog);
    });
    QTimer::singleShot(StepTimeout, dialog, [this, dialog, number] {
        if (dialog->isVisible() && showings.size() == number + 1) {
            hung = true;
            dialog->done(int(ModalResult::Abort));
        }
    });
    return dialog->ShowOccurrence();
}

bool ReviewTestHost::AskYesNo(const QString &text, const QString &caption, bool questionIcon)
{
    return m_prompter.askYesNo(QApplication::activeModalWidget(), text, caption, questionIcon);
}

void ReviewTestHost::ShowMessage(const QString &text)
{
    messages << text;
}

BackupHost::Answer ReviewTestHost::AskAbortRetryIgnore(const QString &text)
{
    return m_prompter.askAbortRetryIgnore(QApplication::activeModalWidget(), text);
}

void ReviewTestHost::ReviewFileChanged(const QString &fileName)
{
    m_dialog->ReviewFileChanged(fileName);
}

void ReviewTestHost::DocumentLoaded(const Document &document)
{
    m_dialog->DocumentLoaded(document);
}

void ReviewTestHost::DocumentEdited(const TextEdit &edit)
{
    edits << edit;
    m_dialog->DocumentEdited(edit);
}
