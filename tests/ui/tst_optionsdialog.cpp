#include "ScriptedHost.h"
#include "document/Cp1251.h"
#include "lang/MessageId.h"
#include "run/QuorvexCore.h"
#include "ui/FormTexts.h"
#include "ui/OptionsDialog.h"
#include "ui/ScriptedPrompter.h"
#include "ui/SettingsText.h"
#include "ui/StandInFolderChooser.h"
#include "ui/StandInMainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString BuiltModules = QString::fromUtf8(QUORVEX_BINARY_DIR "/lang/");

template <typename T = QWidget>
T *child(QWidget *form, const QString &name)
{
    T *found = form->findChild<T *>(name);
    if (!found)
        qFatal("no %s", qPrintable(name));
    return found;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The desktop's locale: LC_ALL, LC_MESSAGES and LANG (empty: unset).
void setDesktopLocale(const QByteArrayList &values)
{
    const char *const names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (int i = 0; i < 3; ++i) {
        if (values[i].isEmpty())
            qunsetenv(names[i]);
        else
            qputenv(names[i], values[i]);
    }
}

// The start of the program as far as the options dialog is concerned: the core, the main
// window and the folder chooser (stand-ins), then the dialog, whose setUp reads the settings.
class Start {
public:
    Start()
    {
        QVERIFY(QDir().mkpath(program));
        core.options.SetProgramFolder(program);
        core.language.setExecutablePath(program + u"quorvex"_s);
    }

    void addModule(const QString &built, const QString &as)
    {
        QFile::remove(program + as);
        QVERIFY(QFile::copy(BuiltModules + built, program + as));
    }

    OptionsDialog &create()
    {
        dialog = std::make_unique<OptionsDialog>(core, prompter);
        return *dialog;
    }

    OptionsDialog &start()
    {
        if (!dialog)
            create();
        dialog->setUp(&main, &folders);
        return *dialog;
    }

    QString ini() const { return core.options.SettingsFilePath; }
    QByteArray iniBytes() const { return readFile(ini()); }

    template <typename T = QWidget>
    T *control(const QString &name)
    {
        return child<T>(dialog.get(), name);
    }
    QCheckBox *box(const QString &name) { return control<QCheckBox>(name); }
    QRadioButton *radio(const QString &name) { return control<QRadioButton>(name); }

    QTemporaryDir dir;
    QString program = dir.filePath(u"prog/"_s);
    ScriptedHost host;
    QuorvexCore core{host};
    bool builtin = core.language.installBuiltin();
    ScriptedPrompter prompter;
    StandInMainWindow main;
    StandInFolderChooser folders;
    std::unique_ptr<OptionsDialog> dialog;
};

} // namespace

class TestOptionsDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void controlsAndDefaults();
    void firstStartWritesTheFile();
    void secondSaveGivesTheSameBytes();
    void handEditedFile();
    void restoredValues_data();
    void restoredValues();
    void languageKeysBothRead_data();
    void languageKeysBothRead();
    void placement_data();
    void placement();
    void writeFailure();
    void unreadableFileIsNotReplaced();
    void startingValuesOfAnInstalledProgram();
    void buildFilter_data();
    void buildFilter();
    void checkBoxesActAtOnce();
    void acceptWithBackupFolder_data();
    void acceptWithBackupFolder();
    void cancelAppliesNoBackupChoice();
    void restoreDefault();
    void chooseBackupFolder();
    void loadOptionsFromTheMenu();
    void englishAtFirstStart_data();
    void englishAtFirstStart();
    void firstStartSpeaksTheDesktopLanguage_data();
    void firstStartSpeaksTheDesktopLanguage();
    void noteWhileARunGoesOn();
    void switchingBackRestoresExactly();
    void noModuleChangesNothing();
    void acceptingWithoutChangeDoesNotSwitch();
    void helpFilesFollowTheLanguage();
};

// The first start follows the desktop's language: these tests start on an English one.
void TestOptionsDialog::initTestCase()
{
    qputenv("LC_ALL", "C");
}

void TestOptionsDialog::controlsAndDefaults()
{
    Start s;
    OptionsDialog &dialog = s.start();
    QCOMPARE(dialog.objectName(), u"OptionsF"_s);
    QCOMPARE(dialog.windowTitle(), u"Опции"_s);
    QCOMPARE(dialog.property("helpContext").toInt(), 10);
    const QList<std::tuple<QString, QString, bool>> boxes = {
        {u"HTMCB"_s, u"&HTM"_s, true},
        {u"SHTMCB"_s, u"&SHTM"_s, true},
        {u"HTMLCB"_s, u"HT&ML"_s, true},
        {u"SHTMLCB"_s, u"SHTM&L"_s, true},
        {u"RTFCB"_s, u"&RTF"_s, true},
        {u"TXTCB"_s, u"&TXT"_s, true},
        {u"CaseSensitiveCB"_s, u"С учетом &регистра"_s, false},
        {u"ConfirmCB"_s, u"Подтверждать &замену"_s, true},
        {u"DynamicEditCB"_s, u"Д&инамическое редактирование"_s, true},
        {u"AutoSaveCB"_s, u"&Автосохранение"_s, true},
    };
    for (const auto &[name, text, checked] : boxes) {
        QCOMPARE(s.box(name)->text(), text);
        QCOMPARE(s.box(name)->isChecked(), checked);
    }
    QCOMPARE(s.control<QGroupBox>(u"FileTypes"_s)->title(), u"Обрабатывать файлы с расширениями"_s);
    auto *table = s.control<QGroupBox>(u"TableRG"_s);
    QCOMPARE(table->title(), u"Кодировка файлов"_s);
    QVERIFY(table->isEnabled());
    QCOMPARE(s.radio(u"TableRGItem1"_s)->text(), u"Dos      (CP866)"_s);
    QCOMPARE(s.control<QLabel>(u"SkipL"_s)->text(), u"Не прос&матривать"_s);
    QCOMPARE(s.control<QLineEdit>(u"SkipE"_s)->text(), u".git;.svn;.hg"_s);
    QVERIFY(s.radio(u"TableRGItem0"_s)->isChecked());
    QCOMPARE(s.radio(u"BackupRGItem0"_s)->text(), u"&Не делать"_s);
    QCOMPARE(s.radio(u"BackupRGItem1"_s)->text(), u"&Делать"_s);
    QVERIFY(s.radio(u"BackupRGItem0"_s)->isChecked());
    QVERIFY(!s.control(u"BackupDirE"_s)->isEnabled());
    auto *select = s.control<QPushButton>(u"SelectBackupFolderB"_s);
    QVERIFY(!select->isEnabled());
    QCOMPARE(select->text(), u"..."_s);
    QVERIFY(!(select->focusPolicy() & Qt::TabFocus));
    QVERIFY(s.radio(u"LanguageEnglish"_s)->isChecked());
    QCOMPARE(s.radio(u"LanguageRussian"_s)->text(), u"Русский"_s);
    QCOMPARE(s.control<QTabWidget>(u"OptionsPC"_s)->tabText(0), u"Общие"_s);
    QCOMPARE(s.control<QPushButton>(u"OkB"_s)->text(), u"&Принять"_s);
    QVERIFY(s.control<QPushButton>(u"OkB"_s)->isDefault());
    QCOMPARE(s.control<QPushButton>(u"CancelB"_s)->text(), u"О&тменить"_s);
    QCOMPARE(dialog.loadOptionsAction()->text(), u"&Загрузить"_s);
    QCOMPARE(dialog.saveOptionsAction()->text(), u"&Сохранить"_s);
    QCOMPARE(dialog.restoreDefaultAction()->text(), u"&Восстановить по умолчанию"_s);
    QCOMPARE(dialog.restoreDefaultAction()->objectName(), u"RestoreDefault"_s);
    QVERIFY(dialog.autoSave());
    QCOMPARE(dialog.iniFileName(), s.ini());
    QCOMPARE(s.core.options.ExtensionList, OptionState::DefaultExtensionList());
    QVERIFY(s.core.options.ConfirmReplace);
    QVERIFY(!s.core.options.MakeBackups);
    QVERIFY(s.core.options.DynamicEdit);
}

void TestOptionsDialog::firstStartWritesTheFile()
{
    Start s;
    OptionsDialog &dialog = s.create();
    dialog.layout()->activate();
    const QSize optionsSize = dialog.size();
    s.start();
    const QString expected = u"[Main]\n"_s
        + SettingsText::placementKeys(SettingsText::centred(QSize(640, 463)))
        + u"MRCB_Checked=False\nMSCB_Checked=False\nRCB_Checked=True\nRegexCB_Checked=False\n"
          u"\n[Folders]\n"_s
        + SettingsText::placementKeys(SettingsText::centred(QSize(305, 311)))
        + u"DirLabel_Caption=/home/user/site\nRecurseCB_Checked=False\n"
          u"\n[Options]\n"_s
        + SettingsText::placementKeys(SettingsText::centred(optionsSize))
        + SettingsText::defaultOptionsItems();
    QCOMPARE(QString::fromUtf8(s.iniBytes()), expected);
    QVERIFY(s.prompter.shown.isEmpty());
}

void TestOptionsDialog::secondSaveGivesTheSameBytes()
{
    Start s;
    OptionsDialog &dialog = s.start();
    const QByteArray first = s.iniBytes();
    QVERIFY(dialog.SaveOptions());
    QCOMPARE(s.iniBytes(), first);
    // A second start reads what the first wrote and writes it back unchanged.
    Start again;
    writeFile(again.ini(), first);
    again.start();
    QVERIFY(again.dialog->SaveOptions());
    QCOMPARE(again.iniBytes(), first);
}

void TestOptionsDialog::handEditedFile()
{
    Start s;
    OptionsDialog &dialog = s.create();
    dialog.layout()->activate();
    const QRect options(QPoint(50, 60), dialog.size());
    QString text = u"; Quorvex settings, kept by hand\r\n"
                   u"[ main ]\r\n"_s
        + SettingsText::placementKeys(QRect(10, 20, 640, 463))
        + u"rcb_checked = false\r\n"
          u"mscb_checked=True\r\n"
          u"MRCB_Checked=False\r\n"
          u"Unknown=keep me\r\n"
          u"\r\n"
          u"[OPTIONS]\r\n"_s
        + SettingsText::placementKeys(options)
        + u"AutoSaveCB_Checked=True\r\n"
          u"BackupDirE_Text=\"'D:\\Резерв'\"\r\n"
          u"BackupRG_ItemIndex=1\r\n"
          u"CaseSensitiveCB_Checked=False\r\n"
          u"ConfirmCB_Checked=FALSE\r\n"
          u"DynamicEditCB_Checked=True\r\n"
          u"HTMCB_Checked=True\r\n"
          u"HTMLCB_Checked=True\r\n"
          u"LanguageEnglish_Checked=False\r\n"
          u"LanguageRussian_Checked=True\r\n"
          u"RTFCB_Checked=False\r\n"
          u"SHTMCB_Checked=True\r\n"
          u"SHTMLCB_Checked=True\r\n"
          u"TXTCB_Checked=True\r\n"
          u"# the folder chooser\r\n"
          u"[Folders]\r\n"_s
        + SettingsText::placementKeys(QRect(30, 40, 305, 311))
        + u"DirLabel_Caption = \"C:\\Документы\"\r\n"
          u"RecurseCB_Checked=True\r\n"_s;
    text.replace(u"\r\n"_s, u"\n"_s).replace(u"\n"_s, u"\r\n"_s);
    QByteArray bytes;
    QVERIFY(Cp1251::encode(text, bytes));
    writeFile(s.ini(), bytes);

    s.start();
    QVERIFY(!s.main.RCB->isChecked());
    QVERIFY(s.main.MSCB->isChecked());
    QVERIFY(!s.main.RegexCB->isChecked()); // a file from before the key: off
    QCOMPARE(s.main.geometry(), QRect(10, 20, 640, 463));
    QCOMPARE(s.folders.DirLabel->text(), u"C:\\Документы"_s);
    QVERIFY(s.folders.RecurseCB->isChecked());
    QCOMPARE(s.folders.geometry().topLeft(), QPoint(30, 40));
    QCOMPARE(s.control<QLineEdit>(u"BackupDirE"_s)->text(), u"'D:\\Резерв'"_s);
    QVERIFY(s.radio(u"BackupRGItem1"_s)->isChecked());
    QVERIFY(s.control(u"BackupDirE"_s)->isEnabled());
    QVERIFY(!s.box(u"ConfirmCB"_s)->isChecked());
    QVERIFY(!s.core.options.ConfirmReplace);
    QVERIFY(s.radio(u"LanguageRussian"_s)->isChecked());
    QVERIFY(!s.core.options.ExtensionList.contains(u".RTF"_s));
    QVERIFY(s.core.options.MakeBackups);
    QCOMPARE(s.iniBytes(), bytes);

    s.box(u"CaseSensitiveCB"_s)->setChecked(true);
    QVERIFY(dialog.SaveOptions());
    QByteArray expected = bytes;
    expected.replace("CaseSensitiveCB_Checked=False", "CaseSensitiveCB_Checked=True");
    // A file from before the skip masks, the code page and the journal keeps their defaults
    // and gains them.
    expected.replace("TXTCB_Checked=True\r\n",
                     "TXTCB_Checked=True\r\nJournalCB_Checked=True\r\nJournalRunsE_Value=20\r\n"
                     "JournalSizeE_Value=2\r\nSkipE_Text=.git;.svn;.hg\r\nTableRG_ItemIndex=0\r\n");
    // A key the file did not have yet is added to its section.
    expected.replace("Unknown=keep me\r\n", "Unknown=keep me\r\nRegexCB_Checked=False\r\n");
    QCOMPARE(s.iniBytes(), expected);
}

void TestOptionsDialog::restoredValues_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("check"); // what to look at: control=value
    QTest::newRow("false unchecks ConfirmCB")
        << u"Options"_s << u"ConfirmCB_Checked=false"_s << u"ConfirmReplace=false"_s;
    QTest::newRow("0 leaves ConfirmCB")
        << u"Options"_s << u"ConfirmCB_Checked=0"_s << u"ConfirmReplace=true"_s;
    QTest::newRow("x selects item 0")
        << u"Options"_s << u"BackupRG_ItemIndex=x"_s << u"BackupRG=0"_s;
    QTest::newRow("1 selects item 1")
        << u"Options"_s << u"BackupRG_ItemIndex=1"_s << u"BackupRG=1"_s;
    QTest::newRow("5 leaves the choice")
        << u"Options"_s << u"BackupRG_ItemIndex=5"_s << u"BackupRG=0"_s;
    QTest::newRow("-1 leaves the choice")
        << u"Options"_s << u"BackupRG_ItemIndex=-1"_s << u"BackupRG=0"_s;
    QTest::newRow("case sensitivity")
        << u"Options"_s << u"CaseSensitiveCB_Checked=True"_s << u"MatchCase=true"_s;
    QTest::newRow("dynamic editing")
        << u"Options"_s << u"DynamicEditCB_Checked=False"_s << u"DynamicEdit=false"_s;
    QTest::newRow("extension") << u"Options"_s << u"TXTCB_Checked=False"_s
                               << u"Extensions=.HTM .HTML .SHTML .SHTM .RTF"_s;
    QTest::newRow("folder with blanks")
        << u"Options"_s << u"BackupDirE_Text=  D:\\Bak  "_s << u"BackupDirE=D:\\Bak"_s;
    QTest::newRow("code page") << u"Options"_s << u"TableRG_ItemIndex=2"_s << u"CodePage=KOI8-R"_s;
    QTest::newRow("no code page key: CP1251")
        << u"Options"_s << u"Other=1"_s << u"CodePage=windows-1251"_s;
    QTest::newRow("code page out of range")
        << u"Options"_s << u"TableRG_ItemIndex=7"_s << u"CodePage=windows-1251"_s;
    QTest::newRow("skip masks") << u"Options"_s << u"SkipE_Text= .git; node_modules ;*.min.js"_s
                                << u"SkipMasks=.git node_modules *.min.js"_s;
    QTest::newRow("no skip key: the defaults")
        << u"Options"_s << u"Other=1"_s << u"SkipMasks=.git .svn .hg"_s;
    QTest::newRow("empty skip line: nothing left out")
        << u"Options"_s << u"SkipE_Text="_s << u"SkipMasks="_s;
    QTest::newRow("replace off") << u"Main"_s << u"RCB_Checked=False"_s << u"RCB=false"_s;
    QTest::newRow("folder label") << u"Folders"_s << u"DirLabel_Caption=C:\\Temp"_s
                                  << u"DirLabel=C:\\Temp"_s;
    QTest::newRow("missing key leaves the label")
        << u"Folders"_s << u"Other=1"_s << u"DirLabel=/home/user/site"_s;
}

void TestOptionsDialog::restoredValues()
{
    QFETCH(QString, section);
    QFETCH(QString, line);
    QFETCH(QString, check);
    Start s;
    writeFile(s.ini(), (u'[' + section + u"]\n"_s + line + u'\n').toUtf8());
    s.start();
    const QString name = check.section(u'=', 0, 0);
    const QString expected = check.section(u'=', 1);
    QString actual;
    const OptionState &o = s.core.options;
    auto text = [](bool value) { return value ? u"true"_s : u"false"_s; };
    if (name == u"ConfirmReplace")
        actual = text(o.ConfirmReplace);
    else if (name == u"MatchCase")
        actual = text(o.SearchOptions.MatchCase);
    else if (name == u"DynamicEdit")
        actual = text(o.DynamicEdit);
    else if (name == u"Extensions")
        actual = o.ExtensionList.join(u' ');
    else if (name == u"CodePage")
        actual = QString::fromLatin1(CodePages::name(o.FileCodePage));
    else if (name == u"SkipMasks")
        actual = o.SkipMasks.join(u' ');
    else if (name == u"BackupRG")
        actual = s.radio(u"BackupRGItem1"_s)->isChecked() ? u"1"_s : u"0"_s;
    else if (name == u"BackupDirE")
        actual = s.control<QLineEdit>(u"BackupDirE"_s)->text();
    else if (name == u"RCB")
        actual = text(s.main.RCB->isChecked());
    else if (name == u"DirLabel")
        actual = s.folders.DirLabel->text();
    QCOMPARE(actual, expected);
}

void TestOptionsDialog::languageKeysBothRead_data()
{
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    QTest::addColumn<QString>("checked"); // "", "English", "Russian"
    QTest::addColumn<QString>("chosen"); // GetLanguageRB
    QTest::newRow("English") << u"True"_s << u"False"_s << u"English"_s << u"English"_s;
    QTest::newRow("Russian") << u"False"_s << u"True"_s << u"Russian"_s << u"Russian"_s;
    QTest::newRow("neither counts as English")
        << u"False"_s << u"False"_s << QString() << u"English"_s;
    QTest::newRow("both: the later key wins")
        << u"True"_s << u"True"_s << u"Russian"_s << u"Russian"_s;
}

void TestOptionsDialog::languageKeysBothRead()
{
    QFETCH(QString, english);
    QFETCH(QString, russian);
    QFETCH(QString, checked);
    QFETCH(QString, chosen);
    Start s;
    writeFile(s.ini(),
              (u"[Options]\nLanguageEnglish_Checked="_s + english + u"\nLanguageRussian_Checked="_s
               + russian + u'\n')
                  .toUtf8());
    OptionsDialog &dialog = s.start();
    QCOMPARE(s.radio(u"LanguageEnglish"_s)->isChecked(), checked == u"English");
    QCOMPARE(s.radio(u"LanguageRussian"_s)->isChecked(), checked == u"Russian");
    QCOMPARE(dialog.GetLanguageRB()->objectName(), u"Language"_s + chosen);
    QVERIFY(dialog.SaveOptions());
    const QString saved = QString::fromUtf8(s.iniBytes());
    QVERIFY(saved.contains(u"LanguageEnglish_Checked="_s
                           + (checked == u"English" ? u"True"_s : u"False"_s)));
}

void TestOptionsDialog::placement_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("geometry"); // x,y,w,h of MainF; "centred" when left alone
    QTest::addColumn<bool>("maximized");
    QTest::addColumn<bool>("rcb");
    QTest::newRow("stored rectangle")
        << u"NormPos=10,20,710,520\n"_s << u"10,20,700,500"_s << false << true;
    QTest::newRow("maximized") << u"NormPos=10,20,710,520\nShowCmd=3\n"_s << u"10,20,700,500"_s
                               << true << true;
    QTest::newRow("negative form version skips the section")
        << u"FormVersion=-1\nNormPos=10,20,710,520\nShowCmd=3\nRCB_Checked=False\n"_s
        << u"centred"_s << false << true;
    QTest::newRow("other pixels per inch keeps the place, not the state")
        << u"PixelsPerInch=144\nNormPos=10,20,710,520\nShowCmd=3\n"_s << u"centred"_s << true
        << true;
    QTest::newRow("off every screen")
        << u"NormPos=-5000,-5000,-4360,-4537\n"_s << u"centred"_s << false << true;
    QTest::newRow("barely on a screen")
        << u"NormPos=-630,-450,10,13\n"_s << u"centred"_s << false << true;
    QTest::newRow("no width") << u"NormPos=10,20,10,520\n"_s << u"centred"_s << false << true;
    QTest::newRow("no height") << u"NormPos=10,20,710,20\n"_s << u"centred"_s << false << true;
}

void TestOptionsDialog::placement()
{
    QFETCH(QString, lines);
    QFETCH(QString, geometry);
    QFETCH(bool, maximized);
    QFETCH(bool, rcb);
    Start s;
    writeFile(s.ini(), (u"[Main]\n"_s + lines).toUtf8());
    s.start();
    QCOMPARE(s.main.RCB->isChecked(), rcb);
    QCOMPARE(bool(s.main.windowState() & Qt::WindowMaximized), maximized);
    if (geometry == u"centred") {
        QVERIFY(!s.main.testAttribute(Qt::WA_Moved));
        QVERIFY(s.dialog->SaveOptions());
        QVERIFY(QString::fromUtf8(s.iniBytes())
                    .contains(u"NormPos="_s
                              + SettingsText::normPos(SettingsText::centred(QSize(640, 463)))));
    } else {
        const QStringList n = geometry.split(u',');
        QCOMPARE(s.main.geometry(), QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt()));
    }
}

void TestOptionsDialog::writeFailure()
{
    Start s;
    s.addModule(u"quorvex.ENG"_s, u"quorvex.ENG"_s);
    QVERIFY(QDir().mkpath(s.ini()));
    OptionsDialog &dialog = s.start();
    const QString error = u"error: Unable to write to "_s + QDir::toNativeSeparators(s.ini());
    QCOMPARE(s.prompter.shown, QStringList{error});
    // The start went on: the language and the option state are set up all the same.
    QCOMPARE(dialog.windowTitle(), u"Options"_s);
    QCOMPARE(s.core.options.ExtensionList, OptionState::DefaultExtensionList());
    QVERIFY(s.core.options.OpenFilter.startsWith(u"All supported extensions|"_s));
    // Ending the program with auto-save on would be refused.
    QVERIFY(dialog.autoSave());
    QVERIFY(!dialog.SaveOptions());
    QCOMPARE(s.prompter.shown, QStringList({error, error}));
    QVERIFY(QFileInfo(s.ini()).isDir());
}

void TestOptionsDialog::unreadableFileIsNotReplaced()
{
    Start s;
    OptionsDialog &dialog = s.start();
    const QByteArray first = s.iniBytes();
    QFile::setPermissions(s.ini(), QFileDevice::WriteOwner);
    QFile probe(s.ini());
    if (probe.open(QIODevice::ReadOnly))
        QSKIP("the superuser reads every file");
    QVERIFY(!dialog.SaveOptions());
    QFile::setPermissions(s.ini(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(s.iniBytes(), first);
}

void TestOptionsDialog::startingValuesOfAnInstalledProgram()
{
    Start s;
    writeFile(s.program + u"Quorvex.ini"_s,
              "; shipped with the program\n[Options]\nCaseSensitiveCB_Checked=True\n");
    s.core.options.SettingsFilePath = s.dir.filePath(u"config/quorvex/Quorvex.ini"_s);
    s.start();
    QVERIFY(s.box(u"CaseSensitiveCB"_s)->isChecked());
    const QString written = QString::fromUtf8(s.iniBytes());
    QVERIFY(written.startsWith(u"; shipped with the program\n[Options]\n"_s));
    QVERIFY(written.contains(u"CaseSensitiveCB_Checked=True\n"_s));
    QVERIFY(written.contains(u"[Main]\n"_s));
    QCOMPARE(readFile(s.program + u"Quorvex.ini"_s),
             QByteArray("; shipped with the program\n[Options]\nCaseSensitiveCB_Checked=True\n"));
}

void TestOptionsDialog::buildFilter_data()
{
    QTest::addColumn<QStringList>("unchecked");
    QTest::addColumn<QStringList>("extensions");
    QTest::addColumn<QString>("filter");
    QTest::newRow("all") << QStringList() << OptionState::DefaultExtensionList()
                         << u"Все поддерживаемые расширения|"
                            u"*.HTM;*.HTML;*.SHTML;*.SHTM;*.RTF;*.TXT;"_s;
    QTest::newRow("RTF off")
        << QStringList{u"RTFCB"_s}
        << QStringList{u".HTM"_s, u".HTML"_s, u".SHTML"_s, u".SHTM"_s, u".TXT"_s}
        << u"Все поддерживаемые расширения|*.HTM;*.HTML;*.SHTML;*.SHTM;*.TXT;"_s;
    QTest::newRow("two") << QStringList{u"HTMCB"_s, u"SHTMCB"_s, u"SHTMLCB"_s, u"TXTCB"_s}
                         << QStringList{u".HTML"_s, u".RTF"_s}
                         << u"Все поддерживаемые расширения|*.HTML;*.RTF;"_s;
    QTest::newRow("none") << QStringList{u"HTMCB"_s,  u"HTMLCB"_s, u"SHTMLCB"_s,
                                         u"SHTMCB"_s, u"RTFCB"_s,  u"TXTCB"_s}
                          << QStringList()
                          << u"Все поддерживаемые расширения|*.htm;*.html;*.shtml;*.shtm"_s;
}

void TestOptionsDialog::buildFilter()
{
    QFETCH(QStringList, unchecked);
    QFETCH(QStringList, extensions);
    QFETCH(QString, filter);
    Start s;
    s.start();
    for (const QString &name : unchecked)
        s.box(name)->setChecked(false);
    QCOMPARE(s.core.options.ExtensionList, extensions);
    QCOMPARE(s.core.options.OpenFilter, filter);
}

void TestOptionsDialog::checkBoxesActAtOnce()
{
    Start s;
    OptionsDialog &dialog = s.start();
    dialog.show();
    s.box(u"CaseSensitiveCB"_s)->setChecked(true);
    s.box(u"ConfirmCB"_s)->setChecked(false);
    s.box(u"DynamicEditCB"_s)->setChecked(false);
    QTest::mouseClick(s.control<QPushButton>(u"CancelB"_s), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QVERIFY(s.core.options.SearchOptions.MatchCase);
    QVERIFY(!s.core.options.ConfirmReplace);
    QVERIFY(!s.core.options.DynamicEdit);
    // Showing the dialog takes ConfirmReplace from its box again.
    s.core.options.ConfirmReplace = true;
    dialog.show();
    QVERIFY(!s.core.options.ConfirmReplace);
}

void TestOptionsDialog::acceptWithBackupFolder_data()
{
    QTest::addColumn<QString>("folder"); // below the test folder when rooted
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QString>("shown"); // with <p> for the folder's full path
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("backupFolder"); // below the test folder; when accepted
    QTest::newRow("missing, No stays")
        << u"/bak"_s << QList<bool>{false}
        << u"question: : Каталога <p> не существует. Создать каталог <p> ?"_s << false << QString();
    QTest::newRow("missing, Yes creates")
        << u"/bak/deep"_s << QList<bool>{true}
        << u"question: : Каталога <p> не существует. Создать каталог <p> ?"_s << true
        << u"/bak/deep/"_s;
    QTest::newRow("existing: no question")
        << u"/prog"_s << QList<bool>() << QString() << true << u"/prog/"_s;
    QTest::newRow("cannot be created")
        << u"/file/bak"_s << QList<bool>{true}
        << u"question: : Каталога <p> не существует. Создать каталог <p> ?|"
           u"error: Не могу создать каталог <p>"_s
        << false << QString();
    QTest::newRow("empty: the default, no question")
        << QString() << QList<bool>() << QString() << true << u"/prog/Backup/"_s;
    QTest::newRow("relative: beside the settings")
        << u"rel"_s << QList<bool>{true}
        << u"question: : Каталога <p> не существует. Создать каталог <p> ?"_s << true
        << u"/prog/rel/"_s;
}

void TestOptionsDialog::acceptWithBackupFolder()
{
    QFETCH(QString, folder);
    QFETCH(QList<bool>, answers);
    QFETCH(QString, shown);
    QFETCH(bool, accepted);
    QFETCH(QString, backupFolder);
    Start s;
    const QString root = QDir(s.dir.path()).absolutePath();
    writeFile(root + u"/file"_s, "not a folder");
    OptionsDialog &dialog = s.start();
    dialog.show();
    s.radio(u"BackupRGItem1"_s)->setChecked(true);
    const QString typed = folder.startsWith(u'/') ? root + folder : folder;
    s.control<QLineEdit>(u"BackupDirE"_s)->setText(typed);
    s.prompter.yesNo = answers;
    QTest::mouseClick(s.control<QPushButton>(u"OkB"_s), Qt::LeftButton);

    const QString full = folder.startsWith(u'/') ? root + folder : root + u"/prog/"_s + folder;
    QString expectedShown = shown;
    expectedShown.replace(u"<p>"_s, QDir::toNativeSeparators(full));
    QCOMPARE(s.prompter.shown.join(u'|'), expectedShown);
    QCOMPARE(dialog.isVisible(), !accepted);
    QCOMPARE(s.core.options.MakeBackups, accepted);
    if (accepted) {
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(s.core.options.BackupFolder, root + backupFolder);
    } else {
        QVERIFY(s.core.options.BackupFolder.isEmpty());
        QVERIFY(!QFileInfo(full).isDir());
    }
}

void TestOptionsDialog::cancelAppliesNoBackupChoice()
{
    Start s;
    OptionsDialog &dialog = s.start();
    dialog.show();
    s.radio(u"BackupRGItem1"_s)->setChecked(true);
    QVERIFY(s.control(u"BackupDirE"_s)->isEnabled());
    QVERIFY(s.control(u"SelectBackupFolderB"_s)->isEnabled());
    dialog.reject();
    QVERIFY(!s.core.options.MakeBackups);
    // Choosing "&Не делать" and accepting turns backups off and keeps the folder.
    dialog.show();
    QTest::mouseClick(s.control<QPushButton>(u"OkB"_s), Qt::LeftButton);
    QVERIFY(s.core.options.MakeBackups);
    const QString folder = s.core.options.BackupFolder;
    dialog.show();
    s.radio(u"BackupRGItem0"_s)->setChecked(true);
    QVERIFY(!s.control(u"SelectBackupFolderB"_s)->isEnabled());
    QTest::mouseClick(s.control<QPushButton>(u"OkB"_s), Qt::LeftButton);
    QVERIFY(!s.core.options.MakeBackups);
    QCOMPARE(s.core.options.BackupFolder, folder);
}

void TestOptionsDialog::restoreDefault()
{
    Start s;
    OptionsDialog &dialog = s.start();
    const QByteArray saved = s.iniBytes();
    for (const QString &name :
         {u"HTMCB"_s, u"RTFCB"_s, u"TXTCB"_s, u"ConfirmCB"_s, u"AutoSaveCB"_s, u"DynamicEditCB"_s})
        s.box(name)->setChecked(false);
    s.box(u"CaseSensitiveCB"_s)->setChecked(true);
    s.main.RCB->setChecked(false);
    s.main.resize(900, 700);
    dialog.restoreDefaultAction()->trigger();
    QCOMPARE(s.main.size(), QSize(640, 435));
    for (const QString &name : {u"HTMCB"_s, u"TXTCB"_s, u"ConfirmCB"_s})
        QVERIFY2(s.box(name)->isChecked(), qPrintable(name));
    for (const QString &name : {u"RTFCB"_s, u"AutoSaveCB"_s, u"DynamicEditCB"_s})
        QVERIFY2(!s.box(name)->isChecked(), qPrintable(name));
    QVERIFY(s.box(u"CaseSensitiveCB"_s)->isChecked());
    QVERIFY(!s.main.RCB->isChecked());
    QVERIFY(s.core.options.ConfirmReplace);
    QCOMPARE(s.core.options.ExtensionList,
             QStringList({u".HTM"_s, u".HTML"_s, u".SHTML"_s, u".SHTM"_s, u".TXT"_s}));
    QCOMPARE(s.iniBytes(), saved);
}

void TestOptionsDialog::chooseBackupFolder()
{
    Start s;
    OptionsDialog &dialog = s.start();
    QStringList calls;
    QList<std::optional<QString>> answers = {s.dir.filePath(u"chosen"_s), std::nullopt};
    dialog.setFolderChooser([&](const QString &start) {
        calls.append(start + (s.folders.RecurseCB->isHidden() ? u" hidden"_s : u" shown"_s));
        return answers.takeFirst();
    });
    dialog.show();
    s.radio(u"BackupRGItem1"_s)->setChecked(true);
    s.control<QLineEdit>(u"BackupDirE"_s)->setText(s.dir.filePath(u"old"_s));
    auto *select = s.control<QPushButton>(u"SelectBackupFolderB"_s);
    QTest::mouseClick(select, Qt::LeftButton);
    QCOMPARE(s.control<QLineEdit>(u"BackupDirE"_s)->text(),
             QDir::toNativeSeparators(s.dir.filePath(u"chosen"_s)));
    QVERIFY(!s.folders.RecurseCB->isHidden());
    QTest::mouseClick(select, Qt::LeftButton);
    QCOMPARE(s.control<QLineEdit>(u"BackupDirE"_s)->text(),
             QDir::toNativeSeparators(s.dir.filePath(u"chosen"_s)));
    QCOMPARE(calls,
             QStringList({s.dir.filePath(u"old"_s) + u" hidden"_s,
                          s.dir.filePath(u"chosen"_s) + u" hidden"_s}));
    QVERIFY(!s.folders.RecurseCB->isHidden());
}

void TestOptionsDialog::loadOptionsFromTheMenu()
{
    Start s;
    OptionsDialog &dialog = s.start();
    writeFile(s.ini(),
              "[Main]\nRCB_Checked=False\n[Options]\nBackupRG_ItemIndex=1\n"
              "BackupDirE_Text=/elsewhere\nHTMCB_Checked=False\n");
    dialog.loadOptionsAction()->trigger();
    QVERIFY(!s.main.RCB->isChecked());
    QVERIFY(!s.core.options.ExtensionList.contains(u".HTM"_s));
    QVERIFY(s.radio(u"BackupRGItem1"_s)->isChecked());
    // The backup choice follows only when the dialog is next accepted.
    QVERIFY(!s.core.options.MakeBackups);
    QVERIFY(s.core.options.BackupFolder.isEmpty());
}

void TestOptionsDialog::englishAtFirstStart_data()
{
    QTest::addColumn<QString>("moduleName");
    QTest::newRow("three letters") << u"quorvex.ENG"_s;
    QTest::newRow("only two letters") << u"quorvex.EN"_s;
}

void TestOptionsDialog::englishAtFirstStart()
{
    QFETCH(QString, moduleName);
    Start s;
    s.addModule(u"quorvex.ENG"_s, moduleName);
    OptionsDialog &dialog = s.start();
    QCOMPARE(dialog.windowTitle(), u"Options"_s);
    QCOMPARE(s.control<QPushButton>(u"OkB"_s)->text(), u"&Accept"_s);
    QCOMPARE(s.main.windowTitle(), u"Confirmation"_s);
    QCOMPARE(s.core.messages.LoadMessage(65299), u"Nothing to find"_s);
    QVERIFY(s.core.options.OpenFilter.startsWith(u"All supported extensions|"_s));
    for (QWidget *form : {static_cast<QWidget *>(&dialog), static_cast<QWidget *>(&s.main)}) {
        const QMap<QString, QString> texts = FormTexts::of(form);
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            QVERIFY2(!FormTexts::hasCyrillic(it.value()),
                     qPrintable(it.key() + u": "_s + it.value()));
    }
}

void TestOptionsDialog::firstStartSpeaksTheDesktopLanguage_data()
{
    QTest::addColumn<QByteArray>("all");
    QTest::addColumn<QByteArray>("messages");
    QTest::addColumn<QByteArray>("lang");
    QTest::addColumn<QByteArray>("settings"); // empty: a first start, without a file
    QTest::addColumn<bool>("russian");
    const QByteArray ru = "ru_RU.UTF-8";
    QTest::newRow("Russian desktop") << QByteArray() << QByteArray() << ru << QByteArray() << true;
    QTest::newRow("C locale") << "C"_ba << QByteArray() << QByteArray() << QByteArray() << false;
    QTest::newRow("LC_MESSAGES before LANG")
        << QByteArray() << ru << "en_GB.UTF-8"_ba << QByteArray() << true;
    QTest::newRow("LC_ALL before both") << "en_US.UTF-8"_ba << ru << ru << QByteArray() << false;
    QTest::newRow("Russian desktop, settings without a language")
        << QByteArray() << QByteArray() << ru << "[Options]\nConfirmCB_Checked=True\n"_ba << true;
    QTest::newRow("Russian desktop, English stored")
        << QByteArray() << QByteArray() << ru
        << "[Options]\nLanguageEnglish_Checked=True\nLanguageRussian_Checked=False\n"_ba << false;
    QTest::newRow("C locale, Russian stored")
        << "C"_ba << QByteArray() << QByteArray()
        << "[Options]\nLanguageEnglish_Checked=False\nLanguageRussian_Checked=True\n"_ba << true;
}

// A first start speaks the desktop's language and writes that choice; a stored one wins.
void TestOptionsDialog::firstStartSpeaksTheDesktopLanguage()
{
    QFETCH(QByteArray, all);
    QFETCH(QByteArray, messages);
    QFETCH(QByteArray, lang);
    QFETCH(QByteArray, settings);
    QFETCH(bool, russian);
    setDesktopLocale({all, messages, lang});
    const auto back = qScopeGuard([] { setDesktopLocale({"C", {}, {}}); });
    Start s;
    s.addModule(u"quorvex.ENG"_s, u"quorvex.ENG"_s);
    s.addModule(u"quorvex.RUS"_s, u"quorvex.RUS"_s);
    if (!settings.isEmpty())
        writeFile(s.ini(), settings);
    OptionsDialog &dialog = s.start();
    QCOMPARE(s.radio(u"LanguageRussian"_s)->isChecked(), russian);
    QCOMPARE(s.radio(u"LanguageEnglish"_s)->isChecked(), !russian);
    QCOMPARE(dialog.windowTitle(), russian ? u"Опции"_s : u"Options"_s);
    QCOMPARE(s.main.windowTitle(), russian ? u"Подтверждение"_s : u"Confirmation"_s);
    QCOMPARE(s.core.messages.LoadMessage(65299),
             russian ? u"Нечего искать"_s : u"Nothing to find"_s);
    if (settings.isEmpty()) {
        const QString written = QString::fromUtf8(s.iniBytes());
        const auto key = [](const char *name, bool on) {
            return QString::fromLatin1(name) + (on ? u"=True\n"_s : u"=False\n"_s);
        };
        QVERIFY2(written.contains(key("LanguageEnglish_Checked", !russian)), qPrintable(written));
        QVERIFY2(written.contains(key("LanguageRussian_Checked", russian)), qPrintable(written));
    }
}

// While a run goes on the dialog says that its changes take effect with the next run.
void TestOptionsDialog::noteWhileARunGoesOn()
{
    Start s;
    OptionsDialog &dialog = s.start();
    auto *note = s.control<QLabel>(u"RunNoteL"_s);
    s.core.engine.RunInProgress = true;
    dialog.FormShow();
    QVERIFY(note->isVisibleTo(&dialog));
    QCOMPARE(note->text(), s.core.messages.LoadMessage(MsgOptionsApplyNextRun));
    s.core.engine.RunInProgress = false;
    dialog.FormShow();
    QVERIFY(!note->isVisibleTo(&dialog));
}

void TestOptionsDialog::switchingBackRestoresExactly()
{
    Start s;
    writeFile(s.ini(), "[Options]\nLanguageEnglish_Checked=False\nLanguageRussian_Checked=True\n");
    OptionsDialog &dialog = s.start();
    const QMap<QString, QString> russianDialog = FormTexts::of(&dialog);
    const QMap<QString, QString> russianMain = FormTexts::of(&s.main);
    QCOMPARE(russianDialog.value(u"OptionsF.windowTitle"_s), u"Опции"_s);
    s.addModule(u"quorvex.ENG"_s, u"quorvex.ENG"_s);
    s.addModule(u"quorvex.RUS"_s, u"quorvex.RUS"_s);
    // Data and states the switch must keep.
    s.main.SourceRE->setText(u"образец"_s);
    s.main.MSCB->setChecked(true);
    s.control<QLineEdit>(u"BackupDirE"_s)->setText(u"D:\\Резерв"_s);
    s.box(u"RTFCB"_s)->setChecked(false);

    dialog.show();
    s.radio(u"LanguageEnglish"_s)->setChecked(true);
    QTest::mouseClick(s.control<QPushButton>(u"OkB"_s), Qt::LeftButton);
    for (const auto &[form, russian] : {std::pair{static_cast<QWidget *>(&dialog), russianDialog},
                                        std::pair{static_cast<QWidget *>(&s.main), russianMain}}) {
        const QMap<QString, QString> english = FormTexts::of(form);
        QCOMPARE(english.keys(), russian.keys());
        for (auto it = english.cbegin(); it != english.cend(); ++it) {
            QVERIFY2(!FormTexts::hasCyrillic(it.value()),
                     qPrintable(it.key() + u": "_s + it.value()));
            if (FormTexts::hasCyrillic(russian.value(it.key())))
                QVERIFY2(it.value() != russian.value(it.key()), qPrintable(it.key()));
        }
    }
    QCOMPARE(s.main.SourceRE->text(), u"образец"_s);
    QVERIFY(s.main.MSCB->isChecked());
    QCOMPARE(s.control<QLineEdit>(u"BackupDirE"_s)->text(), u"D:\\Резерв"_s);
    QVERIFY(!s.box(u"RTFCB"_s)->isChecked());
    QVERIFY(s.radio(u"LanguageEnglish"_s)->isChecked());
    QCOMPARE(s.core.options.OpenFilter,
             u"All supported extensions|*.HTM;*.HTML;*.SHTML;*.SHTM;*.TXT;"_s);

    dialog.show();
    s.radio(u"LanguageRussian"_s)->setChecked(true);
    QTest::mouseClick(s.control<QPushButton>(u"OkB"_s), Qt::LeftButton);
    QCOMPARE(FormTexts::of(&dialog), russianDialog);
    QCOMPARE(FormTexts::of(&s.main), russianMain);
    QCOMPARE(s.core.messages.LoadMessage(65264), u"Русский"_s);
    QCOMPARE(s.main.SourceRE->text(), u"образец"_s);
}

void TestOptionsDialog::noModuleChangesNothing()
{
    Start s;
    OptionsDialog &dialog = s.start();
    const QMap<QString, QString> before = FormTexts::of(&dialog);
    const QMap<QString, QString> mainBefore = FormTexts::of(&s.main);
    const int retranslations = s.main.retranslations;
    dialog.show();
    s.radio(u"LanguageRussian"_s)->setChecked(true);
    QTest::mouseClick(s.control<QPushButton>(u"OkB"_s), Qt::LeftButton);
    dialog.show();
    s.radio(u"LanguageEnglish"_s)->setChecked(true);
    QTest::mouseClick(s.control<QPushButton>(u"OkB"_s), Qt::LeftButton);
    QCOMPARE(FormTexts::of(&dialog), before);
    QCOMPARE(FormTexts::of(&s.main), mainBefore);
    QCOMPARE(s.main.retranslations, retranslations);
    QVERIFY(s.radio(u"LanguageEnglish"_s)->isChecked());
    QCOMPARE(s.core.language.currentModule(), nullptr);
    QVERIFY(dialog.SaveOptions());
    QVERIFY(QString::fromUtf8(s.iniBytes()).contains(u"LanguageEnglish_Checked=True\n"_s));
}

void TestOptionsDialog::acceptingWithoutChangeDoesNotSwitch()
{
    Start s;
    OptionsDialog &dialog = s.start();
    // English is chosen but its module was missing at the start.
    s.addModule(u"quorvex.ENG"_s, u"quorvex.ENG"_s);
    dialog.show();
    QTest::mouseClick(s.control<QPushButton>(u"OkB"_s), Qt::LeftButton);
    QCOMPARE(dialog.windowTitle(), u"Опции"_s);
    QCOMPARE(s.core.language.currentModule(), nullptr);
}

void TestOptionsDialog::helpFilesFollowTheLanguage()
{
    Start s;
    s.addModule(u"quorvex.ENG"_s, u"quorvex.ENG"_s);
    s.addModule(u"quorvex.RUS"_s, u"quorvex.RUS"_s);
    OptionsDialog &dialog = s.create();
    QStringList chosen;
    QObject::connect(&dialog, &OptionsDialog::helpFolderChosen,
                     [&chosen](const QString &folder) { chosen << folder; });
    s.start();
    QCOMPARE(chosen, QStringList{s.program + u"Help/eng/"_s});
    dialog.show();
    s.radio(u"LanguageRussian"_s)->setChecked(true);
    QTest::mouseClick(s.control<QPushButton>(u"OkB"_s), Qt::LeftButton);
    QCOMPARE(chosen, QStringList({s.program + u"Help/eng/"_s, s.program + u"Help/rus/"_s}));
    // The help is read in place: nothing is copied into the program's folder.
    QVERIFY(!QFileInfo::exists(s.program + u"Quorvex.hlp"_s));
    // Without a module nothing switches, and the help stays.
    QFile::remove(s.program + u"quorvex.ENG"_s);
    dialog.show();
    s.radio(u"LanguageEnglish"_s)->setChecked(true);
    QTest::mouseClick(s.control<QPushButton>(u"OkB"_s), Qt::LeftButton);
    QCOMPARE(chosen.size(), 2);
}

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
