#include "review/ReviewDialog.h"

#include "document/Document.h"
#include "run/ReviewSession.h"
#include "ui/Prompter.h"

// Placeholder until the review window is built: nothing is ever replaced unasked.
ReviewDialog::ReviewDialog(ReviewSession &session, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_session(session), m_prompter(prompter)
{
    setObjectName(QStringLiteral("ProcessF"));
}

ReviewDialog::~ReviewDialog() = default;

ModalResult ReviewDialog::ShowOccurrence()
{
    return ModalResult::No;
}

std::optional<QString> ReviewDialog::selectBlock(const QString &)
{
    return std::nullopt;
}

void ReviewDialog::DocumentLoaded(const Document &) { }
void ReviewDialog::DocumentEdited(const TextEdit &) { }
void ReviewDialog::ReviewFileChanged(const QString &) { }

int ReviewDialog::viewBuilds() const
{
    return 0;
}

void ReviewDialog::retranslateUi() { }
