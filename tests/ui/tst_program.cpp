#include "ui/WindowFixture.h"

#include "ui/FormTexts.h"
#include "ui/SettingsText.h"

#include "review/ReviewDialog.h"
#include "ui/FileListCommands.h"
#include "ui/FolderDialog.h"
#include "ui/HelpWindow.h"
#include "ui/MenuCaptions.h"
#include "ui/OptionsDialog.h"
#include "ui/PatternCommands.h"
#include "ui/ReportPage.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

// The program as a whole: the start-up order and the settings file the real forms write, the
// language at start and switched at run time over all four forms, and how the program ends.
class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void languageAtStart_data();
    void languageAtStart();
    void firstStartWritesTheFile();
    void shownWhereStoredElseCentred_data();
    void shownWhereStoredElseCentred();
    void writeFailureAtStart();
    void everyWindowFitsTheScreen_data();
    void everyWindowFitsTheScreen();
    void endingSavesOnce_data();
    void endingSavesOnce();
    void failedWriteRefusesTheEnd_data();
    void failedWriteRefusesTheEnd();
    void endingDuringARunSavesAfterIt();
    void switchingLanguageRetranslatesEveryForm();
    void switchWithoutModuleChangesNothing();
    void englishMnemonicsDoNotCollide();
};

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The placement keys of a window not shown yet: centred on the primary screen.
QString placementKeys(const QWidget *form)
{
    return SettingsText::placementKeys(SettingsText::centred(form->size()));
}

void writeSettings(WindowFixture &f, const QByteArray &bytes)
{
    QFile file(f.settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QByteArray RussianChosen
    = "[Options]\nLanguageEnglish_Checked=False\nLanguageRussian_Checked=True\n";

// Accepts the options dialog with the language button `name` chosen.
void chooseLanguage(WindowFixture &f, const QString &name)
{
    OptionsDialog &options = f.program().optionsDialog();
    options.show();
    options.findChild<QRadioButton *>(name)->setChecked(true);
    QTest::mouseClick(options.findChild<QAbstractButton *>(u"OkB"_s), Qt::LeftButton);
}

QList<QWidget *> fourForms(WindowFixture &f)
{
    return {&f.window(), &f.program().folderDialog(), &f.program().reviewDialog(),
            &f.program().optionsDialog()};
}

// The underlined letters of the controls below `container` (a control's own text or a label's),
// with the controls that use them.
QMultiMap<QChar, QString> mnemonics(const QWidget *container)
{
    QMultiMap<QChar, QString> letters;
    const auto add = [&letters](const QString &text, const QString &name) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(text);
        if (!mnemonic.isEmpty())
            letters.insert(QChar(mnemonic[0].key()).toUpper(), name);
    };
    for (const QWidget *widget : container->findChildren<QWidget *>()) {
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            add(button->text(), widget->objectName());
        else if (const auto *label = qobject_cast<const QLabel *>(widget))
            add(label->text(), widget->objectName());
        else if (const auto *group = qobject_cast<const QGroupBox *>(widget))
            add(group->title(), widget->objectName());
    }
    return letters;
}

// The letters of a menu bar's items, or of a menu's items as the menu shows them.
QMultiMap<QChar, QString> mnemonics(const QList<QAction *> &actions, const QMenu *menu = nullptr)
{
    QMultiMap<QChar, QString> letters;
    for (const QAction *action : actions) {
        const QString text = menu ? MenuCaptions::textIn(menu, action) : action->text();
        const QKeySequence mnemonic = QKeySequence::mnemonic(text);
        if (!mnemonic.isEmpty())
            letters.insert(QChar(mnemonic[0].key()).toUpper(), action->objectName());
    }
    return letters;
}

// Ends the program as the user would.
void end(WindowFixture &f, const QString &how)
{
    if (how == u"exit command")
        f.ui().ExitProg->trigger();
    else if (how == u"close box")
        f.window().close();
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::AltModifier);
}

// Points the user's configuration folder somewhere else for as long as it lives.
class ConfigFolder {
public:
    explicit ConfigFolder(const QString &folder) : m_old(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder));
    }
    ~ConfigFolder()
    {
        if (m_old.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_old);
    }
    ConfigFolder(const ConfigFolder &) = delete;
    ConfigFolder &operator=(const ConfigFolder &) = delete;

private:
    QByteArray m_old;
};

} // namespace

void TestProgram::languageAtStart_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("modules");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("help");
    QTest::newRow("first start, modules there: English")
        << QByteArray() << u"ENG RUS"_s << u"Search and Replace"_s << u"eng"_s;
    QTest::newRow("first start, no module: the built-in Russian")
        << QByteArray() << QString() << u"Поиск и замена"_s << u"rus"_s;
    QTest::newRow("Russian stored")
        << RussianChosen << u"ENG RUS"_s << u"Поиск и замена"_s << u"rus"_s;
    QTest::newRow("English stored, only quorvex.EN")
        << QByteArray("[Options]\nLanguageEnglish_Checked=True\n") << u"EN"_s
        << u"Search and Replace"_s << u"eng"_s;
}

void TestProgram::languageAtStart()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, modules);
    QFETCH(QString, title);
    QFETCH(QString, help);
    WindowFixture f(WindowFixture::Start::Later);
    f.addLanguageModules();
    if (!modules.contains(u"ENG"_s))
        QFile::remove(f.path(u"quorvex.ENG"_s));
    if (!modules.contains(u"RUS"_s))
        QFile::remove(f.path(u"quorvex.RUS"_s));
    if (modules == u"EN"_s)
        QVERIFY(QFile::copy(QString::fromUtf8(QUORVEX_BINARY_DIR "/lang/quorvex.ENG"),
                            f.path(u"quorvex.EN"_s)));
    if (!settings.isEmpty())
        writeSettings(f, settings);
    f.start();
    QCOMPARE(f.window().windowTitle(), title);
    QCOMPARE(f.window().helpFolder(), f.path(u"Help/"_s) + help + u'/');
    QVERIFY(f.prompter.shown.isEmpty());
    // The option state is built in every case.
    QCOMPARE(f.window().core().options.ExtensionList, OptionState::DefaultExtensionList());
    QVERIFY(f.ui().CountFilesL->text().endsWith(u": 0"_s));
}

void TestProgram::firstStartWritesTheFile()
{
    WindowFixture f(WindowFixture::Start::Later);
    f.addLanguageModules();
    f.start();
    const QString expected = u"[Main]\n"_s + placementKeys(&f.window())
        + u"MRCB_Checked=False\nMSCB_Checked=False\nRCB_Checked=True\nRegexCB_Checked=False\n"
          u"\n[Folders]\n"_s
        + placementKeys(&f.program().folderDialog()) + u"DirLabel_Caption="_s
        + QDir::toNativeSeparators(QDir::currentPath())
        + u"\nRecurseCB_Checked=False\n"
          u"\n[Options]\n"_s
        + placementKeys(&f.program().optionsDialog()) + SettingsText::defaultOptionsItems();
    const QByteArray written = readFile(f.settingsFile());
    QCOMPARE(QString::fromUtf8(written), expected);
    QCOMPARE(f.window().windowTitle(), u"Search and Replace"_s);
    // Saving again, and the next start, give the same bytes.
    QVERIFY(f.program().optionsDialog().SaveOptions());
    QCOMPARE(readFile(f.settingsFile()), written);
    Program again(f.prompter, f.path(u"quorvex"_s));
    QVERIFY(again.optionsDialog().SaveOptions());
    QCOMPARE(readFile(f.settingsFile()), written);
    QVERIFY(f.prompter.shown.isEmpty());
}

void TestProgram::shownWhereStoredElseCentred_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QRect>("expected"); // null: centred
    QTest::newRow("first start: centred") << QByteArray() << QRect();
    QTest::newRow("stored placement")
        << QByteArray("[Main]\nNormPos=10,20,710,520\n") << QRect(10, 20, 700, 500);
    QTest::newRow("placement off every screen: centred")
        << QByteArray("[Main]\nNormPos=-5000,-5000,-4300,-4500\n") << QRect();
}

void TestProgram::shownWhereStoredElseCentred()
{
    QFETCH(QByteArray, settings);
    QFETCH(QRect, expected);
    WindowFixture f(WindowFixture::Start::Later);
    if (!settings.isEmpty())
        writeSettings(f, settings);
    f.start();
    QVERIFY(f.showAndActivate());
    if (!expected.isNull()) {
        QCOMPARE(f.window().geometry(), expected);
        return;
    }
    // Centred as far as the frame, unknown before the first show, allows.
    const QPoint off = f.window().frameGeometry().center()
        - SettingsText::centred(f.window().frameGeometry().size()).center();
    QVERIFY2(off.manhattanLength() <= 8, qPrintable(u"%1,%2"_s.arg(off.x()).arg(off.y())));
}

void TestProgram::everyWindowFitsTheScreen_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("language");
    QTest::newRow("English, second start") << QByteArray() << u"LanguageEnglish"_s;
    QTest::newRow("Russian, second start") << RussianChosen << u"LanguageRussian"_s;
    QTest::newRow("Russian, dialogs stored half off the screen")
        << QByteArray("[Folders]\nNormPos=700,500,1005,811\n[Options]\nNormPos=600,-100,1200,300\n"
                      "LanguageEnglish_Checked=False\nLanguageRussian_Checked=True\n")
        << u"LanguageRussian"_s;
}

// Each form shown in its language lies inside the free area of the screen (the offscreen
// screen is 800 x 600); a dialog never placed by the user is centred in its final size.
void TestProgram::everyWindowFitsTheScreen()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, language);
    WindowFixture f(WindowFixture::Start::Later);
    f.addLanguageModules();
    if (!settings.isEmpty())
        writeSettings(f, settings);
    f.start();
    QVERIFY(f.program().optionsDialog().findChild<QRadioButton *>(language)->isChecked());
    // The second start restores what the first one (or the test) wrote.
    Program again(f.prompter, f.path(u"quorvex"_s));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    again.show();
    QList<QWidget *> windows{&again.mainWindow(), &again.folderDialog(), &again.reviewDialog(),
                             &again.optionsDialog()};
    again.mainWindow().setHelpFolder(f.path(u"Help/eng/"_s));
    for (QWidget *window : windows) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QRect frame = window->frameGeometry();
        // Small screens: every form fits 800 x 600.
        QVERIFY(frame.width() <= 800 && frame.height() <= 600);
        QVERIFY2(area.contains(frame),
                 qPrintable(window->objectName()
                            + u" %1,%2 %3x%4"_s.arg(frame.x())
                                  .arg(frame.y())
                                  .arg(frame.width())
                                  .arg(frame.height())));
        if (settings.contains("NormPos") || window == &again.reviewDialog())
            continue;
        const QPoint off = frame.center() - area.center();
        QVERIFY2(off.manhattanLength() <= 16,
                 qPrintable(window->objectName() + u" off by %1,%2"_s.arg(off.x()).arg(off.y())));
    }
}

void TestProgram::writeFailureAtStart()
{
    WindowFixture f(WindowFixture::Start::Later);
    f.addLanguageModules();
    const ConfigFolder config(f.path(u"config"_s));
    // The file in the program's folder and the one in the user's folder are folders.
    const QString fallback = f.path(u"config/quorvex/Quorvex.ini"_s);
    QVERIFY(QDir().mkpath(f.settingsFile()));
    QVERIFY(QDir().mkpath(fallback));
    f.start();
    const QString error = u"error: Unable to write to "_s + QDir::toNativeSeparators(fallback);
    QCOMPARE(f.prompter.shown, QStringList{error});
    // The start went on: the language, the option state and the window.
    QCOMPARE(f.window().windowTitle(), u"Search and Replace"_s);
    QCOMPARE(f.window().core().options.ExtensionList, OptionState::DefaultExtensionList());
    QVERIFY(f.window().core().options.OpenFilter.startsWith(u"All supported extensions|"_s));
    QVERIFY(f.showAndActivate());
    // With auto-save on, neither way of ending gets past the failed write.
    f.ui().ExitProg->trigger();
    QVERIFY(f.window().isVisible());
    QVERIFY(!f.window().close());
    QVERIFY(f.window().isVisible());
    QCOMPARE(f.prompter.shown, QStringList({error, error, error}));
    // With auto-save off the program ends and writes nothing.
    f.program().optionsDialog().findChild<QCheckBox *>(u"AutoSaveCB"_s)->setChecked(false);
    f.ui().ExitProg->trigger();
    QVERIFY(!f.window().isVisible());
    QCOMPARE(f.prompter.shown.size(), 3);
    QVERIFY(QFileInfo(fallback).isDir());
}

void TestProgram::endingSavesOnce_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("autoSave");
    for (const QString &how : {u"exit command"_s, u"close box"_s, u"Alt+F4"_s}) {
        QTest::newRow(qPrintable(how + u", auto-save on"_s)) << how << true;
        QTest::newRow(qPrintable(how + u", auto-save off"_s)) << how << false;
    }
}

void TestProgram::endingSavesOnce()
{
    QFETCH(QString, how);
    QFETCH(bool, autoSave);
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    f.program().optionsDialog().findChild<QCheckBox *>(u"AutoSaveCB"_s)->setChecked(autoSave);
    f.ui().MSCB->setChecked(true);
    QVERIFY(QFile::remove(f.settingsFile()));
    end(f, how);
    QVERIFY(!f.window().isVisible());
    QCOMPARE(QFileInfo::exists(f.settingsFile()), autoSave);
    if (autoSave)
        QVERIFY(readFile(f.settingsFile()).contains("MSCB_Checked=True\n"));
    QVERIFY(f.prompter.shown.isEmpty());
}

void TestProgram::failedWriteRefusesTheEnd_data()
{
    QTest::addColumn<QString>("how");
    for (const QString &how : {u"exit command"_s, u"close box"_s, u"Alt+F4"_s})
        QTest::newRow(qPrintable(how)) << how;
}

void TestProgram::failedWriteRefusesTheEnd()
{
    QFETCH(QString, how);
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    QVERIFY(QFile::remove(f.settingsFile()));
    QVERIFY(QDir().mkpath(f.settingsFile()));
    end(f, how);
    // One attempt to write, one message, and the program goes on.
    QCOMPARE(
        f.prompter.shown,
        QStringList{u"error: Unable to write to "_s + QDir::toNativeSeparators(f.settingsFile())});
    QVERIFY(f.window().isVisible());
}

void TestProgram::endingDuringARunSavesAfterIt()
{
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    QStringList paths;
    for (int i = 0; i < 20; ++i)
        paths << f.write(u"data/f%1.txt"_s.arg(i), "one two\r\n");
    f.prompter.openFiles = {paths};
    f.window().fileCommands().AddFileExecute();
    f.ui().SourceRE->setPlainText(u"one"_s);
    f.window().core().options.ConfirmReplace = false;
    QVERIFY(QFile::remove(f.settingsFile()));
    f.prompter.yesNo = {true};
    bool savedDuringRun = true;
    QTimer::singleShot(0, &f.window(), [&] {
        f.ui().ExitProg->trigger();
        savedDuringRun = QFileInfo::exists(f.settingsFile());
    });
    f.window().ProcessFilesExecute();
    QVERIFY(!savedDuringRun);
    QVERIFY(!f.window().isVisible());
    QVERIFY(QFileInfo::exists(f.settingsFile()));
}

void TestProgram::switchingLanguageRetranslatesEveryForm()
{
    WindowFixture f(WindowFixture::Start::Later);
    f.addLanguageModules();
    writeSettings(f, RussianChosen);
    f.start();
    QVERIFY(f.showAndActivate());
    Ui::MainF &ui = f.ui();
    OptionState &options = f.window().core().options;

    // Data and states that a switch must keep, Cyrillic where it can be.
    const QString folder = f.path(u"Папка"_s);
    QStringList paths = {f.write(u"Папка/отчёт.txt"_s, "один два\r\n"),
                         f.write(u"Папка/b.htm"_s, "<p>один</p>\r\n")};
    f.prompter.openFiles = {paths};
    f.window().fileCommands().AddFileExecute();
    ui.SourceRE->setPlainText(u"один"_s);
    ui.TargetRE->setPlainText(u"три"_s);
    ui.MSCB->setChecked(true);
    ui.MRCB->setChecked(true);
    ui.RCB->setChecked(false);
    WindowFixture::whenModal(
        [](QWidget *modal) { modal->findChild<QAbstractButton *>(u"YesToAll1B"_s)->click(); });
    f.window().ProcessFilesExecute();
    const QStringList report = f.window().reportPage()->lines();
    QVERIFY(FormTexts::hasCyrillic(report.join(u'\n')));
    ui.OperationPC->setCurrentWidget(ui.SourceTS);
    FolderDialog &folders = f.program().folderDialog();
    QVERIFY(folders.setOpenFolder(folder));
    folders.findChild<QCheckBox *>(u"RecurseCB"_s)->setChecked(true);
    OptionsDialog &dialog = f.program().optionsDialog();
    dialog.findChild<QCheckBox *>(u"RTFCB"_s)->setChecked(false);
    dialog.findChild<QLineEdit *>(u"BackupDirE"_s)->setText(u"Резерв"_s);
    f.window().helpWindow();

    QMap<const QWidget *, QMap<QString, QString>> russian;
    for (const QWidget *form : fourForms(f))
        russian.insert(form, FormTexts::of(form));
    QCOMPARE(russian.value(&f.window()).value(u"MainF.windowTitle"_s), u"Поиск и замена"_s);
    const QString russianCount = ui.CountFilesL->text();

    const auto dataKept = [&] {
        QCOMPARE(
            f.window().fileList(),
            QStringList({QDir::toNativeSeparators(paths[0]), QDir::toNativeSeparators(paths[1])}));
        QCOMPARE(ui.SourceRE->patternText(), u"один"_s);
        QCOMPARE(ui.TargetRE->patternText(), u"три"_s);
        QCOMPARE(f.window().reportPage()->lines(), report);
        QVERIFY(f.window().reportPage()->reportEditor()->isReadOnly());
        QVERIFY(ui.MSCB->isChecked());
        QVERIFY(ui.MRCB->isChecked());
        QVERIFY(!ui.RCB->isChecked());
        QVERIFY(!ui.OperationPC->isTabVisible(ui.OperationPC->indexOf(ui.TargetTS)));
        QCOMPARE(ui.OperationPC->currentWidget(), ui.SourceTS);
        QCOMPARE(f.window().patternCommands().CurrentEditor(), ui.SourceRE);
        QCOMPARE(folders.openFolder(), folder);
        QCOMPARE(folders.findChild<QLabel *>(u"DirLabel"_s)->text(),
                 QDir::toNativeSeparators(folder));
        QVERIFY(folders.recurse());
        QVERIFY(!dialog.findChild<QCheckBox *>(u"RTFCB"_s)->isChecked());
        QCOMPARE(dialog.findChild<QLineEdit *>(u"BackupDirE"_s)->text(), u"Резерв"_s);
        QVERIFY(!options.ExtensionList.contains(u".RTF"_s));
    };

    chooseLanguage(f, u"LanguageEnglish"_s);
    // Every form has its new texts as soon as the dialog is accepted.
    for (const QWidget *form : fourForms(f)) {
        const QMap<QString, QString> english = FormTexts::of(form);
        const QMap<QString, QString> before = russian.value(form);
        QCOMPARE(english.keys(), before.keys());
        for (auto it = english.cbegin(); it != english.cend(); ++it) {
            QVERIFY2(!FormTexts::hasCyrillic(it.value()),
                     qPrintable(it.key() + u": "_s + it.value()));
            if (FormTexts::hasCyrillic(before.value(it.key())))
                QVERIFY2(it.value() != before.value(it.key()), qPrintable(it.key()));
        }
    }
    QCOMPARE(ui.CountFilesL->text(), u"Total number of files: 2"_s);
    QCOMPARE(f.window().helpFolder(), options.EnglishHelpFolder);
    QCOMPARE(f.window().helpWindow()->folder(), options.EnglishHelpFolder);
    QCOMPARE(f.program().reviewDialog().windowTitle(), u"Processing File"_s);
    QCOMPARE(options.OpenFilter, u"All supported extensions|*.HTM;*.HTML;*.SHTML;*.SHTM;*.TXT;"_s);
    QCOMPARE(f.window().core().messages.LoadMessage(65299), u"Nothing to find"_s);
    dataKept();

    chooseLanguage(f, u"LanguageRussian"_s);
    for (const QWidget *form : fourForms(f))
        QCOMPARE(FormTexts::of(form), russian.value(form));
    QCOMPARE(ui.CountFilesL->text(), russianCount);
    QCOMPARE(f.window().helpFolder(), options.RussianHelpFolder);
    dataKept();
}

void TestProgram::switchWithoutModuleChangesNothing()
{
    WindowFixture f;
    QMap<const QWidget *, QMap<QString, QString>> before;
    for (const QWidget *form : fourForms(f))
        before.insert(form, FormTexts::of(form));
    const QString help = f.window().helpFolder();
    chooseLanguage(f, u"LanguageRussian"_s);
    chooseLanguage(f, u"LanguageEnglish"_s);
    for (const QWidget *form : fourForms(f))
        QCOMPARE(FormTexts::of(form), before.value(form));
    QCOMPARE(f.window().helpFolder(), help);
    QVERIFY(f.prompter.shown.isEmpty());
}

void TestProgram::englishMnemonicsDoNotCollide()
{
    WindowFixture f(WindowFixture::Start::Later);
    f.addLanguageModules();
    f.start();
    QCOMPARE(f.window().windowTitle(), u"Search and Replace"_s);
    Ui::MainF &ui = f.ui();
    const QMultiMap<QChar, QString> menuBar = mnemonics(ui.MainMenu1->actions());
    // What is in sight at one time: the menu bar with one page; one menu; a dialog, or one
    // question panel of the review dialog.
    QList<std::pair<QString, QMultiMap<QChar, QString>>> groups;
    for (QWidget *page : {ui.FilesTS, ui.SourceTS, ui.TargetTS, ui.ReportTS}) {
        QMultiMap<QChar, QString> letters = mnemonics(page);
        letters.unite(menuBar);
        groups.append({page->objectName(), letters});
    }
    for (const QMenu *menu : f.window().findChildren<QMenu *>())
        groups.append({menu->objectName(), mnemonics(menu->actions(), menu)});
    groups.append({u"OptionsF"_s, mnemonics(&f.program().optionsDialog())});
    groups.append({u"FolderDF"_s, mnemonics(&f.program().folderDialog())});
    for (const char *panel : {"RP", "FP", "SP", "PContinue"}) {
        groups.append({QString::fromLatin1(panel),
                       mnemonics(f.program().reviewDialog().findChild<QWidget *>(
                           QString::fromLatin1(panel)))});
    }
    for (const auto &[group, letters] : groups) {
        for (const QChar letter : letters.uniqueKeys()) {
            const QStringList users = letters.values(letter);
            QVERIFY2(users.size() == 1,
                     qPrintable(group + u": "_s + letter + u" in "_s + users.join(u", "_s)));
        }
    }
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
