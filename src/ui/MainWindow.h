#pragma once

#include "run/QuorvexCore.h"
#include "run/RunHost.h"
#include "run/RunRequest.h"
#include "ui/WindowCommandKeys.h"
#include "ui_MainWindow.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QString>

class FileListCommands;
class FileListModel;
class FolderDialog;
class HelpWindow;
class QMenu;
class OptionsDialog;
class PatternCommands;
class PreviewCommands;
class Prompter;
class ReportPage;
class ReviewDialog;

// The main window, the form MainF (class TMainF): its menus, tool bar, action table, the four
// pages and the status bar. It is the runs' host: it shows their progress and report and hands
// each occurrence to the review dialog. It owns the program's state objects (QuorvexCore).
class MainWindow : public QMainWindow, public RunHost {
    Q_OBJECT
public:
    // `executablePath` fixes ProgramFolder (its folder) and the paths derived from it, and
    // names the language modules.
    MainWindow(Prompter &prompter, const QString &executablePath, QWidget *parent = nullptr);
    ~MainWindow() override;

    QuorvexCore &core() { return m_core; }
    Ui::MainF &ui() { return m_ui; }
    FileListCommands &fileCommands() { return *m_fileCommands; }
    PatternCommands &patternCommands() { return *m_patternCommands; }
    PreviewCommands &previewCommands() { return *m_preview; }
    ReportPage *reportPage() const { return m_report; }
    HelpWindow *helpWindow();

    // The forms created after the main window at start-up.
    void attachForms(FolderDialog *folder, ReviewDialog *review, OptionsDialog *options);

    // FileList, in order.
    const QStringList &fileList() const;
    // What a run takes from the window when it starts.
    RunRequest runRequest() const;
    bool isRunning() const { return m_running; }

    // The help of the language in use; the language switch points it at its folder.
    void setHelpFolder(const QString &folder);
    QString helpFolder() const { return m_helpFolder; }
    // F1: the topic of `widget` or of its nearest enclosing control with a help context.
    static int helpContextOf(const QWidget *widget);
    // F1 in any window: the help, usable beside a modal dialog, on the topic of `focus`.
    void showHelpFor(QWidget *focus);

    void ProcessFilesExecute();
    // Puts back the files the last run changed (RunUndo) and shows the undo's report.
    void UndoRunExecute();
    void ShowHideRTSExecute();
    void ChangeOptionsExecute();
    void ShowHelpExecute();
    void AboutProgramIClick();
    void ExitProgExecute();
    void OperationPCChange();
    bool FormCloseQuery();

    // Makes `page` the active page without the effects of a page change by the user.
    void showPage(QWidget *page);
    // Esc or the stop button during a run: asks, and stops the run between two steps.
    void requestStop();

    void retranslateUi();

    // RunHost
    ModalResult ShowOccurrence(ReviewSession &session) override;
    bool AskYesNo(const QString &text, const QString &caption, bool questionIcon) override;
    void ShowMessage(const QString &text) override;
    Answer AskAbortRetryIgnore(const QString &text) override;
    void ProgressStart(int fileCount) override;
    void ProgressStep(const QString &fileName) override;
    void ProgressEnd() override;
    void ReviewFileChanged(const QString &fileName) override;
    void DocumentLoaded(const Document &document) override;
    void DocumentEdited(const TextEdit &edit) override;
    void ReportLineAppended(const QString &line) override;
    void ReportFinished() override;
    void ProcessPendingEvents() override;
    bool StopRequested() override { return m_stopRequested; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setUpState(const QString &executablePath);
    void setUpActions();
    void setUpMenus();
    void setUpToolBar();
    void FormCreate();
    void FormShow();
    bool dispatchKey(QKeyCombination key, QWidget *focus, bool run);
    void askStopAndExit();
    void setRunning(bool running);
    QWidget *questionParent();

    Prompter &m_prompter;
    QuorvexCore m_core;
    Ui::MainF m_ui;
    WindowCommandKeys m_commandKeys{m_ui};
    FileListModel *m_files = nullptr;
    FileListCommands *m_fileCommands = nullptr;
    PatternCommands *m_patternCommands = nullptr;
    PreviewCommands *m_preview = nullptr;
    ReportPage *m_report = nullptr;
    FolderDialog *m_folderDialog = nullptr;
    ReviewDialog *m_review = nullptr;
    OptionsDialog *m_options = nullptr;
    QPointer<HelpWindow> m_help;
    QString m_helpFolder;
    bool m_programPageChange = false;
    bool m_running = false;
    bool m_stopRequested = false;
    bool m_exitAfterRun = false;
    bool m_closeApproved = false;
    QElapsedTimer m_sinceEvents;
    static constexpr int EventIntervalMs = 16;
};
