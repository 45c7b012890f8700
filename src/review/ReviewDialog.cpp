#include "review/ReviewDialog.h"

#include "ui_ReviewDialog.h"

#include "document/Document.h"
#include "engine/EngineState.h"
#include "review/ReviewTextView.h"
#include "run/ReviewSession.h"
#include "ui/AccessibleNames.h"
#include "ui/Prompter.h"
#include "ui/WindowFit.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace {

// The help topic of the dialog.
constexpr int HelpContext = 10;
// BEdit keeps this distance from the bottom and right edges of PProcess.
constexpr int EditButtonInset = 2;

ModalResult toModalResult(int code)
{
    switch (ModalResult(code)) {
    case ModalResult::Ok:
    case ModalResult::Abort:
    case ModalResult::Yes:
    case ModalResult::No:
    case ModalResult::NoToAll:
    case ModalResult::YesToAll:
        return ModalResult(code);
    default:
        return ModalResult::Cancel;
    }
}

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

} // namespace

ReviewDialog::ReviewDialog(ReviewSession &session, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TProcessF>())
    , m_session(session)
    , m_prompter(prompter)
{
    m_ui->setupUi(this);
    AccessibleNames::apply(this);
    setProperty("helpContext", HelpContext);
    m_ui->ActionList1->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QLabel *label : {m_ui->AskRL, m_ui->AskCL, m_ui->Label1}) {
        QFont font = label->font();
        font.setStyleHint(QFont::Serif);
        label->setFont(font);
    }
    m_ui->ProcessRE->setEditor([this](qsizetype pos, qsizetype count, QStringView text) {
        return m_session.EditText(pos, count, text);
    });
    connectForm();
    // The dialog sees every key first, wherever the focus is (the Del key).
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    m_ownCaption = windowTitle();
    showPanels();
}

ReviewDialog::~ReviewDialog() = default;

void ReviewDialog::connectForm()
{
    Ui::TProcessF &ui = *m_ui;
    const auto answer = [this](QPushButton *button, ModalResult result) {
        connect(button, &QPushButton::clicked, this, [this, result] { done(int(result)); });
    };
    answer(ui.YesB, ModalResult::Yes);
    answer(ui.YesToAllB, ModalResult::YesToAll);
    answer(ui.NoB, ModalResult::No);
    answer(ui.NoToAllB, ModalResult::NoToAll);
    answer(ui.OkB, ModalResult::Ok);
    answer(ui.CancelB, ModalResult::Cancel);
    answer(ui.Ok1b, ModalResult::Yes);
    answer(ui.YesToAll1B, ModalResult::YesToAll);
    connect(ui.AbortB, &QPushButton::clicked, ui.TryToAbort, &QAction::trigger);
    connect(ui.Abort1B, &QPushButton::clicked, ui.TryToAbort, &QAction::trigger);
    connect(ui.BEdit, &QToolButton::clicked, this, &ReviewDialog::BEditClick);
    connect(ui.BBOk, &QPushButton::clicked, this, &ReviewDialog::BBOkClick);

    connect(ui.SelectText, &QAction::triggered, this, &ReviewDialog::SelectTextExecute);
    connect(ui.PrepareSelect, &QAction::triggered, this, &ReviewDialog::PrepareSelectExecute);
    connect(ui.PrepareReplace, &QAction::triggered, this, &ReviewDialog::PrepareReplaceExecute);
    connect(ui.PrepareFind, &QAction::triggered, this, &ReviewDialog::PrepareFindExecute);
    connect(ui.TryToAbort, &QAction::triggered, this, &ReviewDialog::TryToAbortExecute);
    connect(ui.DelSelected, &QAction::triggered, this, &ReviewDialog::DelSelectedExecute);
    connect(ui.ReplaceSelected, &QAction::triggered, this, &ReviewDialog::ReplaceSelectedExecute);
    connect(ui.PrepareEdit, &QAction::triggered, this, &ReviewDialog::PrepareEditExecute);
    connect(ui.UnprepareEdit, &QAction::triggered, this, &ReviewDialog::UnprepareEditExecute);
    connect(ui.ProcessRE, &ReviewTextView::selectionChanged, this,
            &ReviewDialog::SelectTextExecute);
}

ReviewTextView *ReviewDialog::view() const
{
    return m_ui->ProcessRE;
}

int ReviewDialog::viewBuilds() const
{
    return m_viewBuilds;
}

// --- What the run tells the host ---

void ReviewDialog::DocumentLoaded(const Document &document)
{
    m_runDocument = &document;
    m_runViewBuilt = false;
    if (view()->document() == &document)
        view()->setSource(nullptr, nullptr);
}

void ReviewDialog::DocumentEdited(const TextEdit &edit)
{
    if (!m_runViewBuilt)
        return;
    const bool atLineStart = edit.pos > 0 && isLineBreak(m_runDocument->at(edit.pos - 1));
    m_runSpans.applyEdit(edit, atLineStart);
    if (view()->document() == m_runDocument)
        view()->documentEdited(edit);
}

void ReviewDialog::ReviewFileChanged(const QString &fileName)
{
    m_fileName = fileName;
    // The caption names the file when the dialog is shown: setting a hidden window's title for
    // each of thousands of files would cost a run more than its search does.
    if (isVisible() || fileName.isEmpty())
        updateCaption();
}

void ReviewDialog::updateCaption()
{
    if (m_selecting)
        setWindowTitle(m_selectCaption);
    else
        setWindowTitle(m_fileName.isEmpty() ? m_ownCaption : m_ownCaption + u' ' + m_fileName);
}

// --- Showing ---

void ReviewDialog::buildRunView()
{
    const Document &document = m_session.document();
    m_runDocument = &document;
    m_runSpans.reset(document.formattedRuns(), document.length());
    // The line index is built once here and kept in step by the document from now on.
    (void)document.positions();
    m_runViewBuilt = true;
    ++m_viewBuilds;
    view()->setSource(&document, &m_runSpans);
}

void ReviewDialog::showRunDocument()
{
    if (!m_runViewBuilt || m_runDocument != &m_session.document())
        buildRunView();
    else if (view()->document() != m_runDocument)
        view()->setSource(m_runDocument, &m_runSpans);
}

int ReviewDialog::runModal()
{
    if (!m_placed) {
        if (const QScreen *desktop = screen())
            move(desktop->availableGeometry().center() - rect().center());
        m_placed = true;
    }
    layout()->activate();
    PProcessResize();
    return exec();
}

ModalResult ReviewDialog::ShowOccurrence()
{
    showRunDocument();
    const bool editing = m_session.reviewState().rsEditing;
    view()->setMode(editing ? ReviewTextView::Mode::Editing : ReviewTextView::Mode::Occurrence);
    showPanels();
    layout()->activate();
    const EngineState &state = m_session.state();
    m_session.reviewState().rsSelecting = true;
    view()->setSelection(state.MatchStart, state.MatchStart + state.MatchLength);
    m_session.reviewState().rsSelecting = false;
    view()->centerOn(state.MatchStart, state.MatchStart + state.MatchLength);
    updateCaption();
    return toModalResult(runModal());
}

std::optional<QString> ReviewDialog::selectBlock(const QString &caption)
{
    if (!m_session.reviewState().rsSelect)
        return std::nullopt;
    const Document &document = m_session.selection();
    m_selectSpans.reset(document.formattedRuns(), document.length());
    ++m_viewBuilds;
    m_selecting = true;
    m_selectCaption = caption;
    updateCaption();
    view()->setSource(&document, &m_selectSpans);
    view()->setMode(ReviewTextView::Mode::Selecting);
    showPanels();

    std::optional<QString> chosen;
    if (runModal() == int(ModalResult::Ok))
        chosen = view()->selectedText();

    m_selecting = false;
    updateCaption();
    view()->setMode(ReviewTextView::Mode::Occurrence);
    view()->setSource(m_runViewBuilt ? m_runDocument : nullptr, &m_runSpans);
    m_selectSpans.reset({}, 0);
    m_session.UnprepareSelect();
    showPanels();
    return chosen;
}

void ReviewDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        WindowFit::fitOnShow(this);
    view()->setFocus();
}

void ReviewDialog::showPanels()
{
    const ReviewState &state = m_session.reviewState();
    const bool editing = state.rsEditing && !m_selecting;
    const bool asking = !m_selecting && !editing;
    m_ui->SP->setVisible(m_selecting);
    m_ui->PContinue->setVisible(editing);
    m_ui->FP->setVisible(asking && state.rsFind);
    m_ui->RP->setVisible(asking && !state.rsFind);
    m_ui->BEdit->setVisible(!m_selecting);
}

void ReviewDialog::PProcessResize()
{
    const QWidget *panel = m_ui->PProcess;
    QToolButton *button = m_ui->BEdit;
    button->move(panel->width() - button->width() - EditButtonInset,
                 panel->height() - button->height() - EditButtonInset);
    button->raise();
}

// --- The actions ---

// Keeps the occurrence selected: any other selection outside edit and select mode snaps back.
void ReviewDialog::SelectTextExecute()
{
    ReviewState &review = m_session.reviewState();
    if (m_selecting || review.rsSelect || review.rsSelecting || review.rsEditing)
        return;
    const EngineState &state = m_session.state();
    const qsizetype start = state.MatchStart;
    const qsizetype end = start + state.MatchLength;
    ReviewTextView *editor = view();
    if (editor->selectionStart() == start && editor->selectionEnd() == end
        && editor->cursorPosition() == end)
        return;
    review.rsSelecting = true;
    if (isVisible())
        editor->setFocus();
    editor->setSelection(start, end);
    editor->ensureVisible(end);
    editor->ensureVisible(start);
    review.rsSelecting = false;
}

void ReviewDialog::PrepareFindExecute()
{
    m_session.PrepareFind();
    showPanels();
}

void ReviewDialog::PrepareReplaceExecute()
{
    m_session.PrepareReplace();
    showPanels();
}

// Select mode itself is entered through selectBlock(), which has the file to show.
void ReviewDialog::PrepareSelectExecute()
{
    showPanels();
}

void ReviewDialog::ReplaceSelectedExecute()
{
    if (!isVisible())
        m_session.ReplaceSelected();
}

void ReviewDialog::TryToAbortExecute()
{
    if (m_session.TryToAbort())
        done(int(ModalResult::Abort));
    else
        SelectTextExecute();
}

void ReviewDialog::DelSelectedExecute()
{
    if (!isVisible() || !m_session.CanDelete())
        return;
    const bool made = m_session.DelSelected().has_value();
    // A refused backup copy stops the run here, as the user asked.
    if (!made && m_session.state().Aborted)
        done(int(ModalResult::Abort));
    else
        done(int(ModalResult::No));
}

bool ReviewDialog::FormKeyDown(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Delete || !m_session.CanDelete() || m_selecting)
        return false;
    DelSelectedExecute();
    return true;
}

void ReviewDialog::PrepareEditExecute()
{
    if (!m_session.PrepareEdit()) {
        // The backup copy was refused: the run stops here.
        done(int(ModalResult::Abort));
        return;
    }
    m_spansBeforeEdit = m_runSpans;
    view()->setMode(ReviewTextView::Mode::Editing);
    showPanels();
    view()->setFocus();
}

void ReviewDialog::UnprepareEditExecute()
{
    view()->setMode(ReviewTextView::Mode::Occurrence);
    showPanels();
    SelectTextExecute();
}

bool ReviewDialog::cancelEditing()
{
    if (!m_session.CancelEdit())
        return false;
    // The text is back as it was; so is its formatting.
    m_runSpans = m_spansBeforeEdit;
    view()->formatsChanged();
    UnprepareEditExecute();
    return true;
}

void ReviewDialog::BEditClick()
{
    if (m_session.reviewState().rsEditing)
        cancelEditing();
    else
        PrepareEditExecute();
    view()->viewport()->update();
}

void ReviewDialog::BBOkClick()
{
    if (m_ui->RBBegFile->isChecked())
        m_session.ContinueFromStart();
    else if (m_ui->RBNextFile->isChecked())
        m_session.ContinueWithNextFile();
    else
        m_session.ContinueAt(view()->selectionStart());
    view()->setMode(ReviewTextView::Mode::Occurrence);
    showPanels();
    done(int(ModalResult::No));
}

void ReviewDialog::reject()
{
    // Closing while editing is cancelling the edits; answering No to that keeps the dialog.
    if (!m_selecting && m_session.reviewState().rsEditing && !cancelEditing())
        return;
    done(int(ModalResult::Cancel));
}

// --- Events ---

bool ReviewDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (FormKeyDown(key))
            return true;
        // No button is a default button, but Return on the focused one presses it.
        auto *button = qobject_cast<QPushButton *>(watched);
        if (button && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            button->click();
            return true;
        }
    } else if (event->type() == QEvent::Resize && watched == m_ui->PProcess) {
        PProcessResize();
    }
    return QDialog::eventFilter(watched, event);
}

void ReviewDialog::keyPressEvent(QKeyEvent *event)
{
    if (!FormKeyDown(event))
        QDialog::keyPressEvent(event);
}

void ReviewDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void ReviewDialog::retranslateUi()
{
    m_ui->retranslateUi(this);
    AccessibleNames::apply(this);
    m_ownCaption = windowTitle();
    updateCaption();
}
