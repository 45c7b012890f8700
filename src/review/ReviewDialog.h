#pragma once

#include "review/FormatSpans.h"
#include "run/ModalResult.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <optional>

class Document;
class Prompter;
class ReviewSession;
class ReviewTextView;
struct TextEdit;

namespace Ui {
class TProcessF;
}

// The review dialog, ProcessF (the form TProcessF): shows the document of the file in hand
// with the occurrence selected and returns the user's answer; in select mode lets the user
// pick a block of a file. It follows the run's document through the edits the core reports,
// and builds its view of a file only when it first has an occurrence of that file to show.
//
// Everything an answer does to the document is done by the run's ReviewSession; the dialog
// only offers it. Edit mode never outlives one showing: closing the dialog while editing
// first cancels the edits, as the edit button does.
class ReviewDialog : public QDialog {
    Q_OBJECT
public:
    ReviewDialog(ReviewSession &session, Prompter &prompter, QWidget *parent = nullptr);
    ~ReviewDialog() override;

    // Shows the occurrence in hand (session.state().MatchStart/MatchLength) modally.
    ModalResult ShowOccurrence();
    // Select mode on session.selection(), which the caller has prepared with
    // session.PrepareSelect(): the text the user selected (empty when nothing was selected),
    // or nothing when the dialog was cancelled or no block is prepared. `caption` is the
    // window title while selecting (the caller puts the file name in it); the dialog's own
    // title comes back afterwards, and select mode is left (session.UnprepareSelect()).
    std::optional<QString> selectBlock(const QString &caption);

    // What the run tells its host about the document in hand and the file.
    void DocumentLoaded(const Document &document);
    void DocumentEdited(const TextEdit &edit);
    void ReviewFileChanged(const QString &fileName);

    // How many times a file's view was built (for tests and benchmarks).
    int viewBuilds() const;
    // The editor ProcessRE.
    ReviewTextView *view() const;

    void retranslateUi();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

private:
    void connectForm();
    void SelectTextExecute();
    void PrepareFindExecute();
    void PrepareReplaceExecute();
    void PrepareSelectExecute();
    void TryToAbortExecute();
    void DelSelectedExecute();
    void ReplaceSelectedExecute();
    void PrepareEditExecute();
    void UnprepareEditExecute();
    void BEditClick();
    void BBOkClick();
    void PProcessResize();
    bool FormKeyDown(QKeyEvent *event);
    bool cancelEditing();
    void showPanels();
    void showRunDocument();
    void buildRunView();
    void updateCaption();
    int runModal();

    std::unique_ptr<Ui::TProcessF> m_ui;
    ReviewSession &m_session;
    Prompter &m_prompter;
    const Document *m_runDocument = nullptr;
    bool m_runViewBuilt = false;
    FormatSpans m_runSpans;
    // The run's formatting as it was when editing began: cancelling puts it back with the text.
    FormatSpans m_spansBeforeEdit;
    FormatSpans m_selectSpans;
    int m_viewBuilds = 0;
    bool m_selecting = false;
    bool m_placed = false;
    QString m_ownCaption;
    QString m_fileName;
    QString m_selectCaption;
};
