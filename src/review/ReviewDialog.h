#pragma once

#include "run/ModalResult.h"

#include <QDialog>
#include <QString>

#include <optional>

class Document;
class Prompter;
class ReviewSession;
struct TextEdit;

// The review dialog, ProcessF: shows the document of the file in hand with the occurrence
// selected and returns the user's answer; in select mode lets the user pick a block of a file.
// It follows the run's document through the edits the core reports, and builds its view of a
// file only when it first has an occurrence of that file to show.
class ReviewDialog : public QDialog {
    Q_OBJECT
public:
    ReviewDialog(ReviewSession &session, Prompter &prompter, QWidget *parent = nullptr);
    ~ReviewDialog() override;

    // Shows the occurrence in hand (session.state().MatchStart/MatchLength) modally.
    ModalResult ShowOccurrence();
    // Select mode on session.selection(): the text the user selected, or nothing when the
    // dialog was cancelled. `caption` is shown after the dialog's own caption.
    std::optional<QString> selectBlock(const QString &caption);

    // What the run tells its host about the document in hand and the file.
    void DocumentLoaded(const Document &document);
    void DocumentEdited(const TextEdit &edit);
    void ReviewFileChanged(const QString &fileName);

    // How many times a file's view was built (for tests and benchmarks).
    int viewBuilds() const;

    void retranslateUi();

private:
    ReviewSession &m_session;
    Prompter &m_prompter;
};
