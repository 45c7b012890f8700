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

namespace {

QWidget *focusTarget(Ui::MainF &ui, const QString &name)
{
    if (name == u"FilesLB"_s)
        return ui.FilesLB;
    if (name == u"SourceRE"_s)
        return ui.SourceRE;
    return ui.TargetRE;
}

} // namespace

// The main window: its names and captions, menus and actions, the command keys by focus,
// the pages, help contexts and the language switch.
class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void formsAreCreatedInOrderWithTheirNames();
    void actionTable_data();
    void actionTable();
    void menusHoldTheirItems();
    void eachCommandIsOneAction_data();
    void eachCommandIsOneAction();
    void pagesAndStartPage();
    void keyTableByFocus_data();
    void keyTableByFocus();
    void replacePageFollowsRcb();
    void hiddenReplacePageIsNeverCurrent_data();
    void hiddenReplacePageIsNeverCurrent();
    void currentEditorFollowsOnlyUserPageChanges();
    void helpContexts_data();
    void helpContexts();
    void languageChangeKeepsState();
    void menusTakeTheirLetterFirst_data();
    void menusTakeTheirLetterFirst();
};

void TestMainWindow::formsAreCreatedInOrderWithTheirNames()
{
    WindowFixture f;
    QCOMPARE(f.window().objectName(), u"MainF"_s);
    QCOMPARE(f.window().windowTitle(), u"Поиск и замена"_s);
    const QStringList children = {u"FolderDF"_s, u"ProcessF"_s, u"OptionsF"_s};
    QStringList created;
    for (QObject *child : f.window().children()) {
        if (children.contains(child->objectName()))
            created << child->objectName();
    }
    QCOMPARE(created, children);
    for (const QString &name :
         {u"ToolBar2"_s,    u"OperationP"_s,  u"OperationPC"_s, u"SBar"_s,
          u"FilesLB"_s,     u"SourceRE"_s,    u"TargetRE"_s,    u"ReportRE"_s,
          u"CountFilesL"_s, u"FilesBP"_s,     u"FileListBB"_s,  u"AddFileB"_s,
          u"SubFileB"_s,    u"BitBtn2"_s,     u"MSCB"_s,        u"RCB"_s,
          u"MRCB"_s,        u"SourceBP"_s,    u"TargetBP"_s,    u"S1ClearB"_s,
          u"InsertSB"_s,    u"TClearB"_s,     u"InsertTB"_s,    u"ToolButton2"_s,
          u"ToolButton3"_s, u"ToolButton5"_s, u"ToolButton7"_s, u"FilesPM"_s,
          u"AddFilePM"_s,   u"SubFilePM"_s,   u"FileListPM"_s,  u"EditPM"_s,
          u"InsertPM"_s,    u"MainMenu1"_s,   u"PreviewB"_s,    u"ToolButtonPreview"_s})
        QVERIFY2(f.window().findChild<QObject *>(name), qPrintable(name));
    const double scale = f.window().logicalDpiX() / 96.0;
    QVERIFY(f.window().minimumWidth() >= qRound(640 * scale));
    QVERIFY(f.window().minimumHeight() >= qRound(435 * scale));
}

void TestMainWindow::actionTable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<QString>("category");
    const struct {
        const char *name;
        const char16_t *caption;
        const char *shortcut;
        const char *category;
    } rows[] = {
        {"ClearCurrentRE", u"&Очистить", "", "Edit"},
        {"AddFile", u"&Файл(ы)", "Ctrl+A", "File"},
        {"InsertToCurrentRE", u"&Вставить", "", "Edit"},
        {"AddDir", u"&Каталог", "Ctrl+Alt+A", "File"},
        {"RemoveFiles", u"&Файл(ы)", "Ctrl+D", "File"},
        {"RemoveAll", u"&Все", "Ctrl+Alt+D", "File"},
        {"ProcessFiles", u"&Обработать", "F9", "File"},
        {"PreviewFiles", u"Прос&мотр", "Shift+F9", "File"},
        {"UndoRun", u"Отменить последнюю обработку", "Ctrl+Z", "File"},
        {"PasteFromFile", u"Из &файла", "", "Edit"},
        {"PasteFromClipboard", u"Из &буфера", "", "Edit"},
        {"ChangeOptions", u"&Настройка", "", "Options"},
        {"ShowHelp", u"Содер&жание", "", ""},
        {"LoadFileList", u"&Загрузить", "Ctrl+L", "File"},
        {"SaveFileList", u"З&аписать", "Ctrl+S", "File"},
        {"ShowHideRTS", u"Заменять", "", ""},
        {"ExitProg", u"&Выход", "Alt+F4", ""},
        {"PrintReport", u"&Печать", "", ""},
        {"SaveReport", u"&Сохранить", "", ""},
        {"PasteFile", u"PasteFile", "", "Edit"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << QString::fromLatin1(row.name) << QString::fromUtf16(row.caption)
                                << QString::fromLatin1(row.shortcut)
                                << QString::fromLatin1(row.category);
}

void TestMainWindow::actionTable()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(QString, category);
    WindowFixture f;
    auto *action = f.window().findChild<QAction *>(name);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut().toString(), shortcut);
    QCOMPARE(action->property("category").toString(), category);
}

void TestMainWindow::menusHoldTheirItems()
{
    WindowFixture f;
    Ui::MainF &ui = f.ui();
    const auto names = [](QMenu *menu) {
        QStringList list;
        for (QAction *a : menu->actions())
            list << (a->menu() ? a->menu()->objectName() : a->objectName());
        return list;
    };
    QCOMPARE(names(ui.FilesI),
             (QStringList{u"N11"_s, u"N12"_s, u"ProcessFiles"_s, u"PreviewFiles"_s, u"UndoRun"_s,
                          u"Divisor1"_s, u"ExitProg"_s}));
    QCOMPARE(names(ui.N11), (QStringList{u"AddFile"_s, u"AddDir"_s}));
    QCOMPARE(names(ui.N12), (QStringList{u"RemoveFiles"_s, u"RemoveAll"_s}));
    QCOMPARE(names(ui.N1),
             (QStringList{u"ChangeOptions"_s, u"N4"_s, u"LoadOptions"_s, u"SaveOptions"_s,
                          u"RestoreDefault"_s}));
    QCOMPARE(names(ui.HelpI), (QStringList{u"ShowHelp"_s, u"Divisor2"_s, u"AboutProgramI"_s}));
    QCOMPARE(names(ui.InsertPM),
             (QStringList{u"PasteFromClipboard"_s, u"PasteFromFile"_s, u"PasteFile"_s}));
    // What each menu shows for a shared action while it is open: its own caption and keys
    // (after a tab), else the action's.
    const struct {
        QMenu *menu;
        QAction *action;
        const char16_t *shown;
    } items[] = {
        {ui.N11, ui.AddFile, u"&Файл(ы)"},
        {ui.N11, ui.AddDir, u"&Каталог\tCtrl+S"},
        {ui.N12, ui.RemoveAll, u"&Все\t"},
        {ui.FilesI, ui.ExitProg, u"&Выход"},
        {ui.N1, f.program().optionsDialog().restoreDefaultAction(), u"&Восстановить по умолчанию"},
        {ui.FilesPM, ui.SaveFileList, u"Сохранить список"},
        {ui.EditPM, ui.ClearCurrentRE, u"Очистить"},
        {ui.InsertPM, ui.PasteFromClipboard, u"Из буфера"},
    };
    for (const auto &item : items) {
        const QString own = item.action->text();
        item.menu->popup(QPoint(0, 0));
        QCOMPARE(item.action->text(), QString::fromUtf16(item.shown));
        item.menu->hide();
        QCOMPARE(item.action->text(), own);
    }
    QCOMPARE(ui.AddDir->shortcut().toString(), u"Ctrl+Alt+A"_s);
    QCOMPARE(ui.SaveFileList->shortcut().toString(), u"Ctrl+S"_s);
}

void TestMainWindow::eachCommandIsOneAction_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QString>("button");
    const struct {
        const char *command;
        const char *menus;
        const char *button;
    } rows[] = {
        {"ProcessFiles", "FilesI", "ToolButton2"},
        {"ChangeOptions", "N1", "ToolButton3"},
        {"PreviewFiles", "FilesI", "ToolButtonPreview"},
        {"UndoRun", "FilesI", ""},
        {"ShowHelp", "HelpI", "ToolButton5"},
        {"ExitProg", "FilesI", "ToolButton7"},
        {"AddFile", "N11 AddFilePM FilesPM", ""},
        {"AddDir", "N11 AddFilePM FilesPM", ""},
        {"RemoveFiles", "N12 SubFilePM FilesPM", ""},
        {"RemoveAll", "N12 SubFilePM FilesPM", ""},
        {"LoadFileList", "FileListPM FilesPM", ""},
        {"SaveFileList", "FileListPM FilesPM", ""},
        {"PasteFromClipboard", "EditPM InsertPM", ""},
        {"PasteFromFile", "EditPM InsertPM", ""},
        {"PasteFile", "EditPM InsertPM", ""},
        {"ClearCurrentRE", "EditPM", ""},
    };
    for (const auto &row : rows)
        QTest::newRow(row.command)
            << QString::fromLatin1(row.command) << QString::fromLatin1(row.menus).split(u' ')
            << QString::fromLatin1(row.button);
}

// Menus, tool bar and popups hold the command's one action: its state is theirs, and no other
// action carries its name or its keys (Qt fires neither of two actions that share a key).
void TestMainWindow::eachCommandIsOneAction()
{
    QFETCH(QString, command);
    QFETCH(QStringList, menus);
    QFETCH(QString, button);
    WindowFixture f;
    auto *action = f.window().findChild<QAction *>(command);
    QVERIFY(action);
    QSet<QAction *> reachable;
    for (QAction *other : f.window().findChildren<QAction *>())
        reachable.insert(other);
    for (const QWidget *holder : f.window().findChildren<QWidget *>()) {
        if (qobject_cast<const QMenu *>(holder) || qobject_cast<const QToolBar *>(holder)) {
            for (QAction *other : holder->actions())
                reachable.insert(other);
        }
    }
    for (const QString &name : menus)
        QVERIFY2(f.window().findChild<QMenu *>(name)->actions().contains(action), qPrintable(name));
    for (const QAction *other : std::as_const(reachable)) {
        if (other == action)
            continue;
        QVERIFY2(other->objectName() != command, qPrintable(other->objectName()));
        for (const QKeySequence &keys : action->shortcuts())
            QVERIFY2(!other->shortcuts().contains(keys), qPrintable(other->objectName()));
    }
    QToolButton *tool = button.isEmpty() ? nullptr : f.window().findChild<QToolButton *>(button);
    if (tool)
        QCOMPARE(tool->defaultAction(), action);
    action->setEnabled(false);
    if (tool)
        QVERIFY(!tool->isEnabled());
    if (command == u"ProcessFiles"_s)
        QVERIFY(!f.ui().BitBtn2->isEnabled());
}

void TestMainWindow::pagesAndStartPage()
{
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    Ui::MainF &ui = f.ui();
    QStringList captions;
    for (int i = 0; i < ui.OperationPC->count(); ++i)
        captions << ui.OperationPC->tabText(i);
    QCOMPARE(captions, (QStringList{u"В файлах"_s, u"Найти"_s, u"Заменить на"_s, u"Отчет"_s}));
    QCOMPARE(ui.OperationPC->currentWidget(), ui.FilesTS);
    QCOMPARE(QApplication::focusWidget(), ui.FilesLB);
    QCOMPARE(ui.CountFilesL->text(), u"Общее количество файлов: 0"_s);
    QVERIFY(ui.RCB->isChecked());
    QVERIFY(ui.OperationPC->isTabVisible(2));
}

void TestMainWindow::keyTableByFocus_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("effect");
    const int ctrl = Qt::ControlModifier;
    const int ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
    for (const QString &focus : {u"FilesLB"_s, u"SourceRE"_s, u"TargetRE"_s}) {
        const QByteArray at = focus.toLatin1();
        const bool inList = focus == u"FilesLB"_s;
        QTest::newRow("Ctrl+A in " + at) << int(Qt::Key_A) << ctrl << focus << u"add files"_s;
        QTest::newRow("Ctrl+Alt+A in " + at) << int(Qt::Key_A) << ctrlAlt << focus << u"folder"_s;
        QTest::newRow("Ctrl+S in " + at)
            << int(Qt::Key_S) << ctrl << focus << (inList ? u"save list"_s : u"folder"_s);
        QTest::newRow("Ctrl+D in " + at) << int(Qt::Key_D) << ctrl << focus << u"remove"_s;
        QTest::newRow("Ctrl+Alt+D in " + at)
            << int(Qt::Key_D) << ctrlAlt << focus << u"remove all"_s;
        QTest::newRow("Ctrl+L in " + at) << int(Qt::Key_L) << ctrl << focus << u"load list"_s;
        QTest::newRow("F9 in " + at) << int(Qt::Key_F9) << 0 << focus << u"process"_s;
    }
    // The key triggers the action: a disabled command does nothing, and the editor does not
    // take the key either.
    QTest::newRow("Ctrl+A with AddFile disabled")
        << int(Qt::Key_A) << ctrl << u"SourceRE"_s << u"disabled"_s;
    QTest::newRow("Shift+F10 in FilesLB")
        << int(Qt::Key_F10) << int(Qt::ShiftModifier) << u"FilesLB"_s << u"context menu"_s;
    // Ctrl+Z undoes the last run, but in a pattern editor the typing.
    QTest::newRow("Ctrl+Z in FilesLB") << int(Qt::Key_Z) << ctrl << u"FilesLB"_s << u"undo run"_s;
    QTest::newRow("Ctrl+Z in SourceRE") << int(Qt::Key_Z) << ctrl << u"SourceRE"_s << u"editor"_s;
}

void TestMainWindow::keyTableByFocus()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, focus);
    QFETCH(QString, effect);
    WindowFixture f;
    Ui::MainF &ui = f.ui();
    QVERIFY(f.showAndActivate());
    ui.SourceRE->setPlainText(u"typed"_s);
    if (focus == u"SourceRE"_s)
        S::selectPageAsUser(ui, ui.SourceTS);
    else if (focus == u"TargetRE"_s)
        S::selectPageAsUser(ui, ui.TargetTS);
    QWidget *target = focusTarget(ui, focus);
    QTRY_COMPARE(QApplication::focusWidget(), target);
    bool folderShown = false;
    if (effect == u"folder"_s) {
        WindowFixture::whenModal([&](QWidget *modal) {
            folderShown = modal == &f.program().folderDialog();
            static_cast<QDialog *>(modal)->reject();
        });
    }
    f.prompter.shown.clear();
    ui.AddFile->setEnabled(effect != u"disabled"_s);
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (effect == u"add files"_s) {
        QCOMPARE(f.prompter.shown, QStringList{u"open"_s});
        QVERIFY(!f.prompter.filters.constLast().contains(u"*.lst"_s));
    } else if (effect == u"load list"_s) {
        QCOMPARE(f.prompter.shown, QStringList{u"open"_s});
        QVERIFY(f.prompter.filters.constLast().contains(u"*.lst"_s));
    } else if (effect == u"save list"_s) {
        QCOMPARE(f.prompter.shown, QStringList{u"save 1"_s});
    } else if (effect == u"folder"_s) {
        QTRY_VERIFY(folderShown);
        QVERIFY(f.prompter.shown.isEmpty());
    } else if (effect == u"remove all"_s) {
        QCOMPARE(f.prompter.shown, QStringList{u"question: Подтверждение: Убрать все файлы ?"_s});
    } else if (effect == u"process"_s) {
        QCOMPARE(f.prompter.shown, QStringList{u"message: Нечего обрабатывать"_s});
    } else if (effect == u"disabled"_s) {
        QVERIFY(f.prompter.shown.isEmpty());
    } else if (effect == u"context menu"_s) {
        QTRY_VERIFY(ui.FilesPM->isVisible());
        ui.FilesPM->hide();
    } else if (effect == u"remove"_s) {
        QVERIFY(f.prompter.shown.isEmpty());
        QCOMPARE(ui.CountFilesL->text(), u"Общее количество файлов: 0"_s);
    } else if (effect == u"undo run"_s || effect == u"editor"_s) {
        QCOMPARE(f.window().reportPage()->reportEditor()->toPlainText().contains(
                     u"Нет обработки, которую можно отменить"_s),
                 effect == u"undo run"_s);
    }
    // The key never reached the editor: its text is neither selected nor changed.
    QCOMPARE(ui.SourceRE->toPlainText(), u"typed"_s);
    QVERIFY(!ui.SourceRE->textCursor().hasSelection());
}

void TestMainWindow::replacePageFollowsRcb()
{
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    Ui::MainF &ui = f.ui();
    S::selectPageAsUser(ui, ui.SourceTS);
    QTest::mouseClick(ui.RCB, Qt::LeftButton, {}, QPoint(4, ui.RCB->height() / 2));
    QVERIFY(!ui.RCB->isChecked());
    QVERIFY(!ui.ShowHideRTS->isChecked());
    QVERIFY(!ui.OperationPC->isTabVisible(ui.OperationPC->indexOf(ui.TargetTS)));
    QCOMPARE(ui.OperationPC->currentWidget(), ui.SourceTS);
    QVERIFY(!f.window().runRequest().replaceMode);
    QTest::mouseClick(ui.RCB, Qt::LeftButton, {}, QPoint(4, ui.RCB->height() / 2));
    QVERIFY(ui.OperationPC->isTabVisible(ui.OperationPC->indexOf(ui.TargetTS)));
    QCOMPARE(ui.OperationPC->currentWidget(), ui.SourceTS);
    QVERIFY(f.window().runRequest().replaceMode);
}

void TestMainWindow::hiddenReplacePageIsNeverCurrent_data()
{
    QTest::addColumn<bool>("byLanguageSwitch");
    QTest::newRow("settings uncheck RCB") << false;
    QTest::newRow("language switch after RCB was unchecked") << true;
}

void TestMainWindow::hiddenReplacePageIsNeverCurrent()
{
    QFETCH(bool, byLanguageSwitch);
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    Ui::MainF &ui = f.ui();
    ui.SourceRE->setPlainText(u"search"_s);
    ui.TargetRE->setPlainText(u"keep"_s);
    S::selectPageAsUser(ui, ui.TargetTS);
    QCOMPARE(f.window().patternCommands().CurrentEditor(), ui.TargetRE);
    if (byLanguageSwitch) {
        const QSignalBlocker blocker(ui.RCB);
        ui.RCB->setChecked(false);
        QEvent change(QEvent::LanguageChange);
        QApplication::sendEvent(&f.window(), &change);
    } else {
        ui.RCB->setChecked(false);
    }
    QCOMPARE(ui.OperationPC->currentWidget(), ui.SourceTS);
    QCOMPARE(f.window().patternCommands().CurrentEditor(), ui.SourceRE);
    ui.ClearCurrentRE->trigger();
    QCOMPARE(ui.TargetRE->toPlainText(), u"keep"_s);
    QCOMPARE(ui.SourceRE->toPlainText(), QString());
}

void TestMainWindow::currentEditorFollowsOnlyUserPageChanges()
{
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    Ui::MainF &ui = f.ui();
    QCOMPARE(f.window().patternCommands().CurrentEditor(), nullptr);
    S::selectPageAsUser(ui, ui.TargetTS);
    QCOMPARE(f.window().patternCommands().CurrentEditor(), ui.TargetRE);
    QTRY_COMPARE(QApplication::focusWidget(), ui.TargetRE);
    // The program's own page changes: a run's start and end, and the report's Ok.
    S::setList(f, S::files(f, 1));
    ui.SourceRE->setPlainText(u"one"_s);
    f.window().core().options.ConfirmReplace = false;
    f.window().ProcessFilesExecute();
    QCOMPARE(ui.OperationPC->currentWidget(), ui.ReportTS);
    emit f.window().reportPage()->okClicked();
    QCOMPARE(ui.OperationPC->currentWidget(), ui.FilesTS);
    QCOMPARE(f.window().patternCommands().CurrentEditor(), ui.TargetRE);
    ui.TargetRE->setPlainText(u"x"_s);
    ui.ClearCurrentRE->trigger();
    QVERIFY(ui.TargetRE->toPlainText().isEmpty());
    QCOMPARE(ui.SourceRE->toPlainText(), u"one"_s);
    S::selectPageAsUser(ui, ui.SourceTS);
    QCOMPARE(f.window().patternCommands().CurrentEditor(), ui.SourceRE);
}

void TestMainWindow::helpContexts_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<int>("context");
    QTest::newRow("main window") << u"MainF"_s << 100;
    QTest::newRow("search pattern") << u"SourceRE"_s << 150;
    QTest::newRow("replace switch") << u"RCB"_s << 150;
    QTest::newRow("replacement") << u"TargetRE"_s << 200;
    QTest::newRow("search wildcards") << u"MSCB"_s << 250;
    QTest::newRow("replacement wildcards") << u"MRCB"_s << 300;
    QTest::newRow("regular expressions") << u"RegexCB"_s << 260;
    QTest::newRow("file list falls back") << u"FilesLB"_s << 100;
    QTest::newRow("report falls back") << u"ReportRE"_s << 100;
    QTest::newRow("button falls back") << u"S1ClearB"_s << 100;
    QTest::newRow("preview page") << u"PreviewTV"_s << 350;
}

void TestMainWindow::helpContexts()
{
    QFETCH(QString, widget);
    QFETCH(int, context);
    WindowFixture f;
    auto *w = widget == u"MainF"_s ? &f.window() : f.window().findChild<QWidget *>(widget);
    QVERIFY(w);
    QCOMPARE(MainWindow::helpContextOf(w), context);
}

void TestMainWindow::languageChangeKeepsState()
{
    WindowFixture f;
    Ui::MainF &ui = f.ui();
    S::setList(f, S::files(f, 2));
    ui.SourceRE->setPlainText(u"find"_s);
    ui.TargetRE->setPlainText(u"repl"_s);
    ui.MSCB->setChecked(true);
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(&f.window(), &change);
    QCOMPARE(f.window().fileList().size(), 2);
    QCOMPARE(ui.CountFilesL->text(), u"Общее количество файлов: 2"_s);
    QCOMPARE(ui.SourceRE->toPlainText(), u"find"_s);
    QCOMPARE(ui.TargetRE->toPlainText(), u"repl"_s);
    QVERIFY(ui.MSCB->isChecked());
    QVERIFY(ui.RCB->isChecked());
    QCOMPARE(ui.OperationPC->tabText(0), u"В файлах"_s);
}

void TestMainWindow::menusTakeTheirLetterFirst_data()
{
    QTest::addColumn<int>("letter");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("menu");
    // "&Обработать" on "В файлах", "&Очистить" on "Найти" and "&Печать" on "Отчет" share their
    // letter with a menu.
    QTest::newRow("Alt+О on В файлах") << 0x41E << u"FilesTS"_s << u"N1"_s;
    QTest::newRow("Alt+О on Найти") << 0x41E << u"SourceTS"_s << u"N1"_s;
    QTest::newRow("Alt+П on Отчет") << 0x41F << u"ReportTS"_s << u"HelpI"_s;
    QTest::newRow("Alt+Ф on Найти") << 0x424 << u"SourceTS"_s << u"FilesI"_s;
}

void TestMainWindow::menusTakeTheirLetterFirst()
{
    QFETCH(int, letter);
    QFETCH(QString, page);
    QFETCH(QString, menu);
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    Ui::MainF &ui = f.ui();
    S::selectPageAsUser(ui, f.window().findChild<QWidget *>(page));
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::sendKeyEvent(QTest::Click, focus, Qt::Key(letter), QString(QChar(letter).toLower()),
                        Qt::AltModifier);
    auto *opened = f.window().findChild<QMenu *>(menu);
    QTRY_VERIFY(opened->isVisible());
    opened->hide();
    QCOMPARE(f.prompter.shown, QStringList());
    QCOMPARE(ui.OperationPC->currentWidget(), f.window().findChild<QWidget *>(page));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
