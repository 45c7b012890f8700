#include "ui/FileBytes.h"
#include "ui/OptionsDialogStart.h"
#include "ui/SettingsText.h"

#include "document/Cp1251.h"

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
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

// The options dialog's controls and the settings file it reads and writes.
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
};

// The first start follows the desktop's language: these tests start on an English one.
void TestOptionsDialog::initTestCase()
{
    qputenv("LC_ALL", "C");
}

void TestOptionsDialog::controlsAndDefaults()
{
    OptionsDialogStart s;
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
    OptionsDialogStart s;
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
    OptionsDialogStart s;
    OptionsDialog &dialog = s.start();
    const QByteArray first = s.iniBytes();
    QVERIFY(dialog.SaveOptions());
    QCOMPARE(s.iniBytes(), first);
    // A second start reads what the first wrote and writes it back unchanged.
    OptionsDialogStart again;
    FileBytes::write(again.ini(), first);
    again.start();
    QVERIFY(again.dialog->SaveOptions());
    QCOMPARE(again.iniBytes(), first);
}

void TestOptionsDialog::handEditedFile()
{
    OptionsDialogStart s;
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
    FileBytes::write(s.ini(), bytes);

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
    OptionsDialogStart s;
    FileBytes::write(s.ini(), (u'[' + section + u"]\n"_s + line + u'\n').toUtf8());
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
    OptionsDialogStart s;
    FileBytes::write(s.ini(),
                     (u"[Options]\nLanguageEnglish_Checked="_s + english
                      + u"\nLanguageRussian_Checked="_s + russian + u'\n')
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
    OptionsDialogStart s;
    FileBytes::write(s.ini(), (u"[Main]\n"_s + lines).toUtf8());
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
    OptionsDialogStart s;
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
    OptionsDialogStart s;
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
    OptionsDialogStart s;
    FileBytes::write(s.program + u"Quorvex.ini"_s,
                     "; shipped with the program\n[Options]\nCaseSensitiveCB_Checked=True\n");
    s.core.options.SettingsFilePath = s.dir.filePath(u"config/quorvex/Quorvex.ini"_s);
    s.start();
    QVERIFY(s.box(u"CaseSensitiveCB"_s)->isChecked());
    const QString written = QString::fromUtf8(s.iniBytes());
    QVERIFY(written.startsWith(u"; shipped with the program\n[Options]\n"_s));
    QVERIFY(written.contains(u"CaseSensitiveCB_Checked=True\n"_s));
    QVERIFY(written.contains(u"[Main]\n"_s));
    QCOMPARE(FileBytes::read(s.program + u"Quorvex.ini"_s),
             QByteArray("; shipped with the program\n[Options]\nCaseSensitiveCB_Checked=True\n"));
}

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
