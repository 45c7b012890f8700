#include "ui/PatternCommands.h"

#include "document/DocumentFile.h"
#include "document/PlainTextCodec.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "review/ReviewDialog.h"
#include "run/ReviewSession.h"
#include "ui/Prompter.h"
#include "ui_MainWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

PatternCommands::PatternCommands(Ui::MainF &ui, const MessageCatalogue &messages,
                                 const OptionState &options, ReviewSession &review,
                                 Prompter &prompter, QWidget *window)
    : QObject(window)
    , m_ui(ui)
    , m_messages(messages)
    , m_options(options)
    , m_review(review)
    , m_prompter(prompter)
    , m_window(window)
{
    const auto bind = [this](QAction *action, void (PatternCommands::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    bind(m_ui.ClearCurrentRE, &PatternCommands::ClearCurrentREExecute);
    bind(m_ui.InsertToCurrentRE, &PatternCommands::InsertToCurrentREExecute);
    bind(m_ui.PasteFromClipboard, &PatternCommands::PasteFromClipboardExecute);
    bind(m_ui.PasteFromFile, &PatternCommands::PasteFromFileExecute);
    bind(m_ui.PasteFile, &PatternCommands::PasteFileExecute);
    for (QPushButton *button : {m_ui.S1ClearB, m_ui.TClearB})
        connect(button, &QPushButton::clicked, m_ui.ClearCurrentRE, &QAction::trigger);
    for (QPushButton *button : {m_ui.InsertSB, m_ui.InsertTB})
        connect(button, &QPushButton::clicked, m_ui.InsertToCurrentRE, &QAction::trigger);
    for (PatternEditor *editor : {m_ui.SourceRE, m_ui.TargetRE}) {
        editor->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(editor, &QWidget::customContextMenuRequested, this,
                [this, editor](const QPoint &at) { m_ui.EditPM->popup(editor->mapToGlobal(at)); });
    }
}

void PatternCommands::setRunActive(bool active)
{
    m_ui.PasteFromFile->setEnabled(!active);
}

void PatternCommands::ClearCurrentREExecute()
{
    if (m_current)
        m_current->clear();
}

void PatternCommands::InsertToCurrentREExecute()
{
    QPushButton *button
        = m_ui.OperationPC->currentWidget() == m_ui.SourceTS ? m_ui.InsertSB : m_ui.InsertTB;
    m_ui.InsertPM->popup(button->mapToGlobal(QPoint(0, 0)));
}

void PatternCommands::PasteFromClipboardExecute()
{
    if (m_current)
        m_current->paste();
}

QString PatternCommands::chooseFile()
{
    const QString path = m_prompter.openFileName(
        m_window, m_folder, OptionState::fileDialogFilter(m_options.OpenFilter));
    if (!path.isEmpty())
        m_folder = QFileInfo(path).absolutePath();
    return path;
}

void PatternCommands::refuse(int messageId, const QString &path)
{
    m_prompter.showError(m_window, m_messages.message(messageId, QDir::toNativeSeparators(path)));
}

void PatternCommands::PasteFileExecute()
{
    if (!m_current)
        return;
    const QString path = chooseFile();
    if (path.isEmpty())
        return;
    if (m_current->richMode()) {
        Document document;
        switch (DocumentFile::load(document, path, m_options.FileCodePage)) {
        case LoadStatus::Missing:
        case LoadStatus::Unreadable:
            return refuse(MsgCannotOpenFile, path);
        case LoadStatus::Binary:
            return refuse(MsgLoadStreamFailed, path);
        case LoadStatus::Loaded:
            break;
        }
        m_current->setFormattedText(document.text(), document.formattedRuns());
        return;
    }
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return refuse(MsgCannotOpenFile, path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refuse(MsgCannotOpenFile, path);
    const DecodedText decoded
        = PlainTextCodec::load(bytes, QFileInfo(path).fileName(), m_options.FileCodePage);
    if (decoded.binary)
        return refuse(MsgLoadStreamFailed, path);
    m_current->setPlainText(decoded.text);
}

void PatternCommands::PasteFromFileExecute()
{
    if (!m_current || !m_ui.PasteFromFile->isEnabled())
        return;
    const QString path = chooseFile();
    if (path.isEmpty())
        return;
    // The file is read into a document of its own: the run's document is never touched.
    const LoadStatus status = m_review.PrepareSelect(path);
    if (status != LoadStatus::Loaded) {
        m_review.UnprepareSelect();
        return refuse(status == LoadStatus::Binary ? MsgLoadStreamFailed : MsgCannotOpenFile, path);
    }
    std::optional<QString> block;
    if (m_reviewDialog) {
        block = m_reviewDialog->selectBlock(m_messages.LoadMessage(MsgSelectBlock) + u' '
                                            + QFileInfo(path).fileName());
    }
    m_review.UnprepareSelect();
    if (block)
        m_current->setPlainText(*block);
}
