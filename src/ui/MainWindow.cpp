#include "ui/MainWindow.h"

#include "lang/MessageId.h"
#include "options/SettingsLocation.h"
#include "review/ReviewDialog.h"
#include "run/RunUndo.h"
#include "ui/AboutBox.h"
#include "ui/AccessibleNames.h"
#include "ui/FileListCommands.h"
#include "ui/FileListModel.h"
#include "ui/FolderDialog.h"
#include "ui/HelpKeyFilter.h"
#include "ui/HelpWindow.h"
#include "ui/MenuCaptions.h"
#include "ui/OptionsDialog.h"
#include "ui/PatternCommands.h"
#include "ui/PatternEditor.h"
#include "ui/PreviewCommands.h"
#include "ui/PreviewPage.h"
#include "ui/Prompter.h"
#include "ui/RegexPatternCheck.h"
#include "ui/ReportPage.h"
#include "ui/WindowFit.h"
#include "ui/WindowKeyFilter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QStyle>
#include <QToolButton>

using namespace Qt::StringLiterals;

MainWindow::MainWindow(Prompter &prompter, const QString &executablePath, QWidget *parent)
    : QMainWindow(parent), m_prompter(prompter), m_core(*this)
{
    setUpState(executablePath);
    // The forms' texts are looked up by id: the built-in texts come first.
    m_core.language.installBuiltin();
    m_ui.setupUi(this);
    // Sizes are in device-independent pixels: Qt scales them to the screen.
    setMinimumSize(640, 435);
    resize(640, 463);
    m_files = new FileListModel(this);
    m_ui.FilesLB->setModel(m_files);
    m_fileCommands
        = new FileListCommands(m_ui, *m_files, m_core.messages, m_core.options, m_prompter, this);
    m_patternCommands = new PatternCommands(m_ui, m_core.messages, m_core.options, m_core.review,
                                            m_prompter, this);
    m_ui.SourceRE->setRichMode(true);
    m_report = new ReportPage(m_core.messages, m_prompter, m_ui.ReportTS);
    m_ui.ReportTSLayout->addWidget(m_report);
    m_report->bindActions(m_ui.PrintReport, m_ui.SaveReport);
    m_ui.SBar->setStopButton(m_ui.StopB);
    setUpActions();
    setUpMenus();
    setUpToolBar();
    m_preview = new PreviewCommands(*this);
    new WindowKeyFilter(this, [this](QKeyCombination key, QWidget *focus, bool run) {
        return dispatchKey(key, focus, run);
    });
    new HelpKeyFilter(this, [this](QWidget *focus) { showHelpFor(focus); });
    FormCreate();
    m_fileCommands->UpdateFileCount();
    AccessibleNames::apply(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::setUpState(const QString &executablePath)
{
    OptionState &options = m_core.options;
    options.SetProgramFolder(QFileInfo(executablePath).absolutePath());
    options.SettingsFilePath = SettingsLocation::settingsFilePath(options.ProgramFolder);
    options.JournalFolder
        = SettingsLocation::journalFolder(options.ProgramFolder, options.SettingsFilePath);
    options.ExtensionList.clear();
    // The language modules are named after the executable and lie beside it.
    m_core.language.setExecutablePath(executablePath);
    // Installed, the help lies in the data folder beside the program's bin folder.
    const QString installed
        = QDir(options.ProgramFolder).absoluteFilePath(u"../share/quorvex/Help/"_s);
    if (!QFileInfo(options.ProgramFolder + u"Help"_s).isDir() && QFileInfo(installed).isDir()) {
        const QString help = QDir::cleanPath(installed) + u'/';
        options.RussianHelpFolder = help + u"rus/"_s;
        options.EnglishHelpFolder = help + u"eng/"_s;
    }
    m_helpFolder = options.RussianHelpFolder;
}

void MainWindow::FormCreate()
{
    // The icon the program carries is the application's icon.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(u":/icons/quorvex-%1.png"_s.arg(size), QSize(size, size));
    if (!icon.availableSizes().isEmpty())
        QApplication::setWindowIcon(icon);
}

void MainWindow::setUpActions()
{
    connect(m_ui.ProcessFiles, &QAction::triggered, this, &MainWindow::ProcessFilesExecute);
    connect(m_ui.UndoRun, &QAction::triggered, this, &MainWindow::UndoRunExecute);
    connect(m_ui.ChangeOptions, &QAction::triggered, this, &MainWindow::ChangeOptionsExecute);
    connect(m_ui.ShowHelp, &QAction::triggered, this, &MainWindow::ShowHelpExecute);
    connect(m_ui.ExitProg, &QAction::triggered, this, &MainWindow::ExitProgExecute);
    connect(m_ui.AboutProgramI, &QAction::triggered, this, &MainWindow::AboutProgramIClick);
    connect(m_report, &ReportPage::okClicked, this, [this] { showPage(m_ui.FilesTS); });
    connect(m_fileCommands, &FileListCommands::saveDialogBorrowed, m_report,
            &ReportPage::resetSaveFilter);
    // Wildcards and regular expressions are two ways to read one pattern: one at a time.
    connect(m_ui.RegexCB, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_ui.MSCB->setChecked(false);
    });
    connect(m_ui.MSCB, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_ui.RegexCB->setChecked(false);
    });
    // RCB is bound to ShowHideRTS: every change of its state, whoever makes it, runs it.
    connect(m_ui.RCB, &QCheckBox::toggled, this, [this](bool checked) {
        m_ui.ShowHideRTS->setChecked(checked);
        ShowHideRTSExecute();
    });
    connect(m_ui.ShowHideRTS, &QAction::toggled, m_ui.RCB, &QCheckBox::setChecked);
    connect(m_ui.ShowHideRTS, &QAction::changed, this,
            [this] { m_ui.RCB->setText(m_ui.ShowHideRTS->text()); });
    connect(m_ui.BitBtn2, &QPushButton::clicked, m_ui.ProcessFiles, &QAction::trigger);
    connect(m_ui.ProcessFiles, &QAction::enabledChanged, m_ui.BitBtn2, &QWidget::setEnabled);
    connect(m_ui.OperationPC, &QTabWidget::currentChanged, this, [this] {
        if (!m_programPageChange)
            OperationPCChange();
    });
    connect(m_ui.StopB, &QToolButton::clicked, this, &MainWindow::requestStop);
    m_ui.FilesLB->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui.FilesLB, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        m_ui.FilesPM->popup(m_ui.FilesLB->viewport()->mapToGlobal(at));
    });
}

void MainWindow::setUpMenus()
{
    // Menus, tool bar and buttons share the commands' actions; a menu that words one of them
    // differently gives its own caption (its property named after the action).
    for (QMenu *menu : findChildren<QMenu *>())
        new MenuCaptions(menu);
    // The main menu shows the keys that reach these commands from most of the window: Ctrl+S
    // (Ctrl+Alt+A works too), and none for removing all.
    m_ui.N11->findChild<MenuCaptions *>(QString(), Qt::FindDirectChildrenOnly)
        ->showKeys(m_ui.AddDir, QKeySequence(Qt::CTRL | Qt::Key_S));
    m_ui.N12->findChild<MenuCaptions *>(QString(), Qt::FindDirectChildrenOnly)
        ->showKeys(m_ui.RemoveAll, QKeySequence());
    m_ui.FilesI->insertSeparator(m_ui.ExitProg)->setObjectName(u"Divisor1"_s);
    // The options dialog's own commands follow this separator once the dialog exists.
    m_ui.N1->addSeparator()->setObjectName(u"N4"_s);
    m_ui.HelpI->insertSeparator(m_ui.AboutProgramI)->setObjectName(u"Divisor2"_s);
}

void MainWindow::setUpToolBar()
{
    QStyle *s = style();
    m_ui.ProcessFiles->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
    m_ui.ChangeOptions->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_ui.ShowHelp->setIcon(s->standardIcon(QStyle::SP_MessageBoxQuestion));
    m_ui.ExitProg->setIcon(s->standardIcon(QStyle::SP_BrowserStop));
    const QList<std::pair<QAction *, QString>> buttons = {{m_ui.ProcessFiles, u"ToolButton2"_s},
                                                          {m_ui.ChangeOptions, u"ToolButton3"_s},
                                                          {m_ui.ShowHelp, u"ToolButton5"_s},
                                                          {m_ui.ExitProg, u"ToolButton7"_s}};
    for (const auto &[action, name] : buttons) {
        QWidget *button = m_ui.ToolBar2->widgetForAction(action);
        button->setObjectName(name);
        button->setMinimumSize(77, 37);
    }
}

void MainWindow::attachForms(FolderDialog *folder, ReviewDialog *review, OptionsDialog *options)
{
    m_folderDialog = folder;
    m_review = review;
    m_options = options;
    m_fileCommands->setFolderDialog(folder);
    m_patternCommands->setReviewDialog(review);
    if (options) {
        m_ui.N1->addActions({options->loadOptionsAction(), options->saveOptionsAction(),
                             options->restoreDefaultAction()});
    }
}

HelpWindow *MainWindow::helpWindow()
{
    if (!m_help) {
        m_help = new HelpWindow(m_core.messages, m_prompter, this);
        m_help->setFolder(m_helpFolder);
    }
    return m_help;
}

void MainWindow::setHelpFolder(const QString &folder)
{
    m_helpFolder = folder;
    if (m_help)
        m_help->setFolder(folder);
}

const QStringList &MainWindow::fileList() const
{
    return m_files->files();
}

RunRequest MainWindow::runRequest() const
{
    RunRequest request;
    request.files = m_files->files();
    request.searchPattern = m_ui.SourceRE->patternText();
    request.replacementPattern = m_ui.TargetRE->patternText();
    request.findWildcards = m_ui.MSCB->isChecked();
    request.replaceWildcards = m_ui.MRCB->isChecked();
    request.regex = m_ui.RegexCB->isChecked();
    request.replaceMode = m_ui.RCB->isChecked();
    // Once nothing more is to be shown (no confirmation, or an answer for all), the rest of
    // the list is worked through ahead on two threads, each file synced as it is written.
    request.bytePath = true;
    request.workers = 2;
    return request;
}

void MainWindow::showPage(QWidget *page)
{
    const QScopedValueRollback byProgram(m_programPageChange, true);
    m_ui.OperationPC->setCurrentWidget(page);
}

void MainWindow::OperationPCChange()
{
    QWidget *page = m_ui.OperationPC->currentWidget();
    if (page == m_ui.SourceTS) {
        m_patternCommands->setCurrentEditor(m_ui.SourceRE);
        m_ui.SourceRE->setFocus();
    } else if (page == m_ui.TargetTS) {
        m_patternCommands->setCurrentEditor(m_ui.TargetRE);
        m_ui.TargetRE->setFocus();
    } else if (page == m_ui.ReportTS) {
        m_report->reportEditor()->setFocus();
    } else if (m_preview && page == m_preview->page()) {
        m_preview->page()->setFocus();
    } else {
        m_ui.FilesLB->setFocus();
    }
}

void MainWindow::ShowHideRTSExecute()
{
    const bool replace = m_ui.RCB->isChecked();
    const int target = m_ui.OperationPC->indexOf(m_ui.TargetTS);
    // A hidden page is never the active one, nor its editor the current one.
    if (!replace && m_ui.OperationPC->currentIndex() == target) {
        showPage(m_ui.SourceTS);
        m_patternCommands->setCurrentEditor(m_ui.SourceRE);
    }
    if (!replace && m_patternCommands->CurrentEditor() == m_ui.TargetRE)
        m_patternCommands->setCurrentEditor(m_ui.SourceRE);
    const QScopedValueRollback byProgram(m_programPageChange, true);
    // The tab is taken out rather than hidden: a hidden tab is still offered to screen readers.
    QTabWidget *pages = m_ui.OperationPC;
    if (!replace && target >= 0)
        pages->removeTab(target);
    else if (replace && target < 0)
        pages->insertTab(pages->indexOf(m_ui.SourceTS) + 1, m_ui.TargetTS,
                         qtTrId("TMainF.TargetTS.Caption"));
}

void MainWindow::ProcessFilesExecute()
{
    if (m_core.engine.RunInProgress)
        return;
    if (m_ui.RegexCB->isChecked()) {
        if (RegexPatternCheck::refuses(m_ui.SourceRE, m_core.options.SearchOptions.MatchCase,
                                       m_core.messages, m_prompter, this)) {
            showPage(m_ui.SourceTS);
            return;
        }
    }
    if (!m_files->isEmpty())
        showPage(m_ui.FilesTS);
    m_core.driver.ProcessFilesExecute(runRequest());
    if (m_exitAfterRun) {
        m_exitAfterRun = false;
        ExitProgExecute();
    }
}

void MainWindow::UndoRunExecute()
{
    if (m_core.engine.RunInProgress)
        return;
    QStringList lines;
    RunUndo(m_core.options, m_core.messages).undo({}, lines);
    m_core.report.Clear();
    m_report->clear();
    for (const QString &line : std::as_const(lines))
        m_core.report.Append(line);
    ReportFinished();
}

void MainWindow::ChangeOptionsExecute()
{
    if (m_options)
        m_options->exec();
    m_fileCommands->UpdateFileCount();
}

void MainWindow::ShowHelpExecute()
{
    helpWindow()->showContents();
}

void MainWindow::showHelpFor(QWidget *focus)
{
    HelpWindow *help = helpWindow();
    if (focus && focus->window() == help)
        return;
    help->showOver(QApplication::activeModalWidget());
    help->showContext(helpContextOf(focus));
}

int MainWindow::helpContextOf(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        bool ok = false;
        const int context = widget->property("helpContext").toInt(&ok);
        if (ok && context > 0)
            return context;
    }
    return 100;
}

void MainWindow::AboutProgramIClick()
{
    AboutBox box(m_core.messages, this);
    box.exec();
}

bool MainWindow::FormCloseQuery()
{
    // A settings file that cannot be written keeps the program open; SaveOptions says why.
    return !m_options || !m_options->autoSave() || m_options->SaveOptions();
}

void MainWindow::ExitProgExecute()
{
    if (m_running)
        return askStopAndExit();
    if (!FormCloseQuery())
        return;
    m_closeApproved = true;
    close();
}

void MainWindow::askStopAndExit()
{
    if (!m_prompter.askYesNo(this, m_core.messages.LoadMessage(MsgAbortQuestion),
                             m_core.messages.LoadMessage(MsgConfirmation), false))
        return;
    m_stopRequested = true;
    m_exitAfterRun = true;
}

void MainWindow::requestStop()
{
    if (!m_running || m_stopRequested)
        return;
    if (m_prompter.askYesNo(this, m_core.messages.LoadMessage(MsgAbortQuestion),
                            m_core.messages.LoadMessage(MsgConfirmation), false))
        m_stopRequested = true;
}

bool MainWindow::dispatchKey(QKeyCombination key, QWidget *focus, bool run)
{
    const Qt::KeyboardModifiers mods = key.keyboardModifiers();
    std::function<void()> command;
    if (QAction *action = m_commandKeys.commandOf(key, focus)) {
        // The key is the window's even while its command is disabled.
        command = [action] {
            if (action->isEnabled())
                action->trigger();
        };
    } else if (key == (Qt::SHIFT | Qt::Key_F10)) {
        // The other key for a control's context menu, as the Menu key.
        command = [focus] {
            const QPoint at = focus->rect().center();
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, focus->mapToGlobal(at));
            QCoreApplication::sendEvent(focus, &menu);
        };
    } else if (QMenu *menu
               = mods == Qt::AltModifier ? m_commandKeys.menuOfMnemonic(key) : nullptr) {
        command = [this, menu] { m_ui.MainMenu1->setActiveAction(menu->menuAction()); };
    } else if (key == QKeyCombination(Qt::Key_Escape) && m_running) {
        command = [this] { requestStop(); };
    }
    if (!command)
        return false;
    if (run)
        command();
    return true;
}

void MainWindow::FormShow()
{
    m_fileCommands->UpdateFileCount();
    ShowHideRTSExecute();
    OperationPCChange();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        WindowFit::fitOnShow(this);
        FormShow();
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_closeApproved) {
        if (m_help)
            m_help->close();
        return event->accept();
    }
    event->ignore();
    if (m_running)
        return askStopAndExit();
    if (!FormCloseQuery())
        return;
    m_closeApproved = true;
    if (m_help)
        m_help->close();
    event->accept();
}

void MainWindow::retranslateUi()
{
    m_ui.retranslateUi(this);
    AccessibleNames::apply(this);
    m_fileCommands->UpdateFileCount();
    ShowHideRTSExecute();
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QMainWindow::changeEvent(event);
}

void MainWindow::setRunning(bool running)
{
    m_running = running;
    m_ui.ProcessFiles->setEnabled(!running);
    m_ui.PreviewFiles->setEnabled(!running);
    m_ui.UndoRun->setEnabled(!running);
    m_patternCommands->setRunActive(running);
    m_ui.SBar->setRunning(running);
}

ModalResult MainWindow::ShowOccurrence(ReviewSession &)
{
    // Without the review dialog nothing is ever replaced unasked.
    return m_review ? m_review->ShowOccurrence() : ModalResult::No;
}

QWidget *MainWindow::questionParent()
{
    // A question asked from inside the review dialog sits on top of it.
    QWidget *modal = QApplication::activeModalWidget();
    return modal ? modal : this;
}

bool MainWindow::AskYesNo(const QString &text, const QString &caption, bool questionIcon)
{
    return m_prompter.askYesNo(questionParent(), text, caption, questionIcon);
}

void MainWindow::ShowMessage(const QString &text)
{
    m_prompter.showMessage(questionParent(), text);
}

BackupHost::Answer MainWindow::AskAbortRetryIgnore(const QString &text)
{
    return m_prompter.askAbortRetryIgnore(questionParent(), text);
}

void MainWindow::ProgressStart(int fileCount)
{
    m_stopRequested = false;
    m_sinceEvents.invalidate();
    setRunning(true);
    m_report->clear();
    m_ui.SBar->ProgressStart(fileCount);
}

void MainWindow::ProgressStep(const QString &fileName)
{
    m_ui.SBar->ProgressStep(fileName);
}

void MainWindow::ProgressEnd()
{
    m_ui.SBar->ProgressEnd();
    setRunning(false);
}

void MainWindow::ReviewFileChanged(const QString &fileName)
{
    if (m_review)
        m_review->ReviewFileChanged(fileName);
}

void MainWindow::DocumentLoaded(const Document &document)
{
    if (m_review)
        m_review->DocumentLoaded(document);
}

void MainWindow::DocumentEdited(const TextEdit &edit)
{
    if (m_review)
        m_review->DocumentEdited(edit);
}

void MainWindow::ReportLineAppended(const QString &line)
{
    m_report->appendLine(line);
}

void MainWindow::ReportFinished()
{
    m_report->finish();
    showPage(m_ui.ReportTS);
}

void MainWindow::ProcessPendingEvents()
{
    // At most once a frame: often enough for the window to answer at once, seldom enough not
    // to slow a run over thousands of small files.
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < EventIntervalMs)
        return;
    QCoreApplication::processEvents();
    m_sinceEvents.start();
}
