#include "ui/FileBytes.h"
#include "ui/OptionsDialogStart.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

// What the options dialog's controls do: the file filter, the backup folder, the menu's
// commands.
class TestOptionsControls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void buildFilter_data();
    void buildFilter();
    void checkBoxesActAtOnce();
    void acceptWithBackupFolder_data();
    void acceptWithBackupFolder();
    void cancelAppliesNoBackupChoice();
    void restoreDefault();
    void chooseBackupFolder();
    void loadOptionsFromTheMenu();
};

// The first start follows the desktop's language: these tests start on an English one.
void TestOptionsControls::initTestCase()
{
    qputenv("LC_ALL", "C");
}

void TestOptionsControls::buildFilter_data()
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

void TestOptionsControls::buildFilter()
{
    QFETCH(QStringList, unchecked);
    QFETCH(QStringList, extensions);
    QFETCH(QString, filter);
    OptionsDialogStart s;
    s.start();
    for (const QString &name : unchecked)
        s.box(name)->setChecked(false);
    QCOMPARE(s.core.options.ExtensionList, extensions);
    QCOMPARE(s.core.options.OpenFilter, filter);
}

void TestOptionsControls::checkBoxesActAtOnce()
{
    OptionsDialogStart s;
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

void TestOptionsControls::acceptWithBackupFolder_data()
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

void TestOptionsControls::acceptWithBackupFolder()
{
    QFETCH(QString, folder);
    QFETCH(QList<bool>, answers);
    QFETCH(QString, shown);
    QFETCH(bool, accepted);
    QFETCH(QString, backupFolder);
    OptionsDialogStart s;
    const QString root = QDir(s.dir.path()).absolutePath();
    FileBytes::write(root + u"/file"_s, "not a folder");
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

void TestOptionsControls::cancelAppliesNoBackupChoice()
{
    OptionsDialogStart s;
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

void TestOptionsControls::restoreDefault()
{
    OptionsDialogStart s;
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

void TestOptionsControls::chooseBackupFolder()
{
    OptionsDialogStart s;
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

void TestOptionsControls::loadOptionsFromTheMenu()
{
    OptionsDialogStart s;
    OptionsDialog &dialog = s.start();
    FileBytes::write(s.ini(),
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

QTEST_MAIN(TestOptionsControls)
#include "tst_optionscontrols.moc"
