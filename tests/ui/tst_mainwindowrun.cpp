#include "ui/WindowFixture.h"
#include "ui/WindowSteps.h"

#include "lang/MessageId.h"
#include "review/ReviewDialog.h"
#include "ui/FileListCommands.h"
#include "ui/FolderDialog.h"
#include "ui/HelpWindow.h"
#include "ui/OptionsDialog.h"
#include "ui/PatternCommands.h"
#include "ui/ReportPage.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;

using S = WindowSteps;

// Runs started from the main window: the processing command and its checks, commands and
// questions during a run, stopping and closing, and the report page after it.
class TestMainWindowRun : public QObject {
    Q_OBJECT

private slots:
    void processWithEmptyListShowsMessageOnly();
    void processWithEmptyPatternShowsFilesPageFirst();
    void badRegexIsRefusedAtItsPlace();
    void fullRunEndsOnReadOnlyReport();
    void commandsDuringRun();
    void patternReachesRunIntact();
    void closeDuringRunAsks_data();
    void closeDuringRunAsks();
    void escapeStopsRun();
    void reportCommandsRunOnce_data();
    void reportCommandsRunOnce();
    void reportSaveFilterAfterListSave_data();
    void reportSaveFilterAfterListSave();
    void reportClearedAtEachRun();
    void questionsAskedInReviewSitOnTopOfIt();
};

void TestMainWindowRun::processWithEmptyListShowsMessageOnly()
{
    WindowFixture f;
    f.ui().SourceRE->setPlainText(u""_s);
    f.window().showPage(f.ui().ReportTS);
    f.window().ProcessFilesExecute();
    QCOMPARE(f.prompter.shown, QStringList{u"message: Нечего обрабатывать"_s});
    QCOMPARE(f.ui().OperationPC->currentWidget(), f.ui().ReportTS);
}

void TestMainWindowRun::processWithEmptyPatternShowsFilesPageFirst()
{
    WindowFixture f;
    S::setList(f, S::files(f, 2));
    f.window().showPage(f.ui().ReportTS);
    QWidget *pageAtMessage = nullptr;
    f.prompter.observer
        = [&](const QString &) { pageAtMessage = f.ui().OperationPC->currentWidget(); };
    f.window().ProcessFilesExecute();
    QCOMPARE(f.prompter.shown.constLast(), u"message: Нечего искать"_s);
    QCOMPARE(pageAtMessage, f.ui().FilesTS);
    QVERIFY(f.ui().ProcessFiles->isEnabled());
    QVERIFY(f.ui().SBar->panelText(0).isEmpty());
}

// A regular expression the library refuses never starts a run: the message gives the
// library's words and position, and the caret waits there (CR LF counts as one place).
void TestMainWindowRun::badRegexIsRefusedAtItsPlace()
{
    WindowFixture f;
    S::setList(f, S::files(f, 1));
    f.ui().MSCB->setChecked(true);
    f.ui().RegexCB->setChecked(true);
    QVERIFY(!f.ui().MSCB->isChecked());
    f.ui().SourceRE->setPlainText(u"a\nb)c"_s);
    f.window().ProcessFilesExecute();
    QVERIFY2(f.prompter.shown.constLast().startsWith(
                 u"message: Ошибка в регулярном выражении (позиция 5): "_s),
             qPrintable(f.prompter.shown.constLast()));
    QCOMPARE(f.ui().SourceRE->textCursor().position(), 3);
    QCOMPARE(f.ui().OperationPC->currentWidget(), f.ui().SourceTS);
    QVERIFY(f.window().reportPage()->reportEditor()->toPlainText().isEmpty());
    f.ui().MSCB->setChecked(true);
    QVERIFY(!f.ui().RegexCB->isChecked());
}

void TestMainWindowRun::fullRunEndsOnReadOnlyReport()
{
    WindowFixture f;
    const QStringList paths = S::files(f, 3);
    S::setList(f, paths);
    f.window().core().options.ConfirmReplace = false;
    f.ui().SourceRE->setPlainText(u"one"_s);
    f.ui().TargetRE->setPlainText(u"1"_s);
    f.window().ProcessFilesExecute();
    QCOMPARE(f.ui().OperationPC->currentWidget(), f.ui().ReportTS);
    const QPlainTextEdit *report = f.window().reportPage()->reportEditor();
    QVERIFY(report->isReadOnly());
    QVERIFY(report->toPlainText().contains(u"Произведено 6/6 замен"_s));
    for (const QString &path : paths)
        QCOMPARE(f.read(path), QByteArray("1 two 1\r\n"));
    QVERIFY(f.ui().ProcessFiles->isEnabled());
    QVERIFY(f.ui().BitBtn2->isEnabled());
    QVERIFY(f.ui().SBar->panelText(0).isEmpty());
    QVERIFY(f.ui().SBar->ProgressRect().isNull());
}

void TestMainWindowRun::commandsDuringRun()
{
    WindowFixture f;
    S::setList(f, S::files(f, 2));
    f.ui().SourceRE->setPlainText(u"one"_s);
    f.ui().RCB->setChecked(false);
    QList<bool> seen;
    QTimer::singleShot(0, &f.window(), [&] {
        Ui::MainF &ui = f.ui();
        seen = {ui.ProcessFiles->isEnabled(),  ui.BitBtn2->isEnabled(),
                ui.PasteFromFile->isEnabled(), ui.AddFile->isEnabled(),
                ui.RemoveAll->isEnabled(),     ui.PasteFile->isEnabled()};
        // Pressing F9 again while the run goes on does nothing.
        f.window().ProcessFilesExecute();
    });
    // The find run shows its first occurrence: "Не спрашивать" lets it count the rest.
    WindowFixture::whenModal(
        [](QWidget *modal) { modal->findChild<QAbstractButton *>(u"YesToAll1B"_s)->click(); });
    f.window().ProcessFilesExecute();
    QCOMPARE(seen, (QList<bool>{false, false, false, true, true, true}));
    QVERIFY(f.ui().PasteFromFile->isEnabled());
    QCOMPARE(f.window().reportPage()->reportEditor()->toPlainText().count(u"Итого:"_s), 1);
}

void TestMainWindowRun::patternReachesRunIntact()
{
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    Ui::MainF &ui = f.ui();
    S::selectPageAsUser(ui, ui.SourceTS);
    QTest::keyClicks(ui.SourceRE, u"a\u00A0b"_s);
    QTest::keyClick(ui.SourceRE, Qt::Key_Return);
    QTest::keyClicks(ui.SourceRE, u"c"_s);
    QCOMPARE(f.window().runRequest().searchPattern, u"a\u00A0b\r\nc"_s);
    const QString path = f.write(u"nbsp.txt"_s, u"x a\u00A0b\r\nc a b\r\nc"_s.toUtf8());
    S::setList(f, {path});
    ui.TargetRE->setPlainText(u"Z"_s);
    f.window().core().options.ConfirmReplace = false;
    f.window().ProcessFilesExecute();
    QCOMPARE(QString::fromUtf8(f.read(path)), u"x Z a b\r\nc"_s);
}

void TestMainWindowRun::closeDuringRunAsks_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("yes stops and exits") << true;
    QTest::newRow("no keeps both going") << false;
}

void TestMainWindowRun::closeDuringRunAsks()
{
    QFETCH(bool, answer);
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    const QStringList paths = S::files(f, 20);
    S::setList(f, paths);
    f.ui().SourceRE->setPlainText(u"one"_s);
    f.window().core().options.ConfirmReplace = false;
    f.prompter.yesNo = {answer};
    f.prompter.shown.clear();
    QTimer::singleShot(0, &f.window(), [&f] { f.window().close(); });
    f.window().ProcessFilesExecute();
    QCOMPARE(f.prompter.shown.constFirst(), u"question: Подтверждение: Прервать операцию ?"_s);
    const int changed = int(std::count_if(paths.cbegin(), paths.cend(), [&f](const QString &p) {
        return f.read(p).startsWith("one");
    }));
    if (answer) {
        QVERIFY(!f.window().isVisible());
        QVERIFY(changed > 0); // the run stopped before the end of the list
        QVERIFY(f.prompter.shown.contains(u"message: Операция прервана по желанию пользователя"_s));
    } else {
        QVERIFY(f.window().isVisible());
        QCOMPARE(changed, 0);
        QCOMPARE(f.ui().OperationPC->currentWidget(), f.ui().ReportTS);
    }
}

void TestMainWindowRun::escapeStopsRun()
{
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    const QStringList paths = S::files(f, 20);
    S::setList(f, paths);
    f.ui().SourceRE->setPlainText(u"one"_s);
    f.window().core().options.ConfirmReplace = false;
    f.prompter.yesNo = {true};
    bool stopShown = false;
    QTimer::singleShot(0, &f.window(), [&] {
        stopShown = f.ui().StopB->isVisible();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    f.window().ProcessFilesExecute();
    QVERIFY(stopShown);
    QVERIFY(!f.ui().StopB->isVisible());
    QVERIFY(f.window().isVisible());
    QVERIFY(f.read(paths.constLast()).startsWith("one"));
    QVERIFY(f.prompter.shown.contains(u"message: Операция прервана по желанию пользователя"_s));
}

void TestMainWindowRun::reportCommandsRunOnce_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("shown");
    QTest::newRow("SaveReport action") << u"SaveReport"_s << u"save 1"_s;
    QTest::newRow("PrintReport action") << u"PrintReport"_s << u"print"_s;
    QTest::newRow("SaveReportBB button") << u"SaveReportBB"_s << u"save 1"_s;
    QTest::newRow("BitBtn1 button") << u"BitBtn1"_s << u"print"_s;
}

void TestMainWindowRun::reportCommandsRunOnce()
{
    QFETCH(QString, how);
    QFETCH(QString, shown);
    WindowFixture f;
    f.prompter.shown.clear();
    if (auto *action = f.window().findChild<QAction *>(how))
        action->trigger();
    else
        f.window().findChild<QAbstractButton *>(how)->click();
    QCOMPARE(f.prompter.shown, QStringList{shown});
}

void TestMainWindowRun::reportSaveFilterAfterListSave_data()
{
    QTest::addColumn<bool>("listSaved");
    QTest::addColumn<QString>("nextReportSave");
    QTest::newRow("list saved: the first filter again") << true << u"save 1"_s;
    QTest::newRow("list save cancelled: the filter chosen last") << false << u"save 2"_s;
}

void TestMainWindowRun::reportSaveFilterAfterListSave()
{
    QFETCH(bool, listSaved);
    QFETCH(QString, nextReportSave);
    WindowFixture f;
    f.prompter.saveFiles = {{f.path(u"report"_s), 2}};
    f.ui().SaveReport->trigger();
    QVERIFY(QFileInfo::exists(f.path(u"report.RTF"_s)));
    if (listSaved)
        f.prompter.saveFiles = {{f.path(u"files"_s), 1}};
    f.window().fileCommands().SaveFileListExecute();
    QCOMPARE(f.prompter.shown.constLast(), u"save 1"_s);
    f.ui().SaveReport->trigger();
    QCOMPARE(f.prompter.shown.constLast(), nextReportSave);
}

void TestMainWindowRun::reportClearedAtEachRun()
{
    WindowFixture f;
    S::setList(f, S::files(f, 2));
    f.ui().SourceRE->setPlainText(u"one"_s);
    f.ui().TargetRE->setPlainText(u"one"_s);
    f.window().core().options.ConfirmReplace = false;
    QStringList firstReport;
    for (int run = 0; run < 2; ++run) {
        f.window().ProcessFilesExecute();
        const QStringList lines = f.window().reportPage()->lines();
        QCOMPARE(lines, f.window().core().report.Lines());
        QCOMPARE(lines.count(u"Итого:"_s), 1);
        if (run == 0)
            firstReport = lines;
    }
    QCOMPARE(f.window().reportPage()->lines(), firstReport);
}

void TestMainWindowRun::questionsAskedInReviewSitOnTopOfIt()
{
    WindowFixture f;
    S::setList(f, S::files(f, 2));
    f.ui().SourceRE->setPlainText(u"one"_s);
    f.ui().TargetRE->setPlainText(u"1"_s);
    f.prompter.yesNo = {true};
    f.prompter.shown.clear();
    f.prompter.parents.clear();
    WindowFixture::whenModal(
        [](QWidget *modal) { modal->findChild<QAbstractButton *>(u"AbortB"_s)->click(); });
    f.window().ProcessFilesExecute();
    QCOMPARE(f.prompter.shown,
             (QStringList{u"question: Подтверждение: Прервать операцию ?"_s,
                          u"message: Операция прервана по желанию пользователя"_s}));
    QCOMPARE(f.prompter.parents, (QList<QWidget *>{&f.program().reviewDialog(), &f.window()}));
}

QTEST_MAIN(TestMainWindowRun)
#include "tst_mainwindowrun.moc"
