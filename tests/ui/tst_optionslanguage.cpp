#include "ui/FileBytes.h"
#include "ui/FormTexts.h"
#include "ui/OptionsDialogStart.h"

#include "lang/MessageId.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

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

} // namespace

// The interface language chosen in the options dialog: at the first start, on a switch and
// without a module.
class TestOptionsLanguage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
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
void TestOptionsLanguage::initTestCase()
{
    qputenv("LC_ALL", "C");
}

void TestOptionsLanguage::englishAtFirstStart_data()
{
    QTest::addColumn<QString>("moduleName");
    QTest::newRow("three letters") << u"quorvex.ENG"_s;
    QTest::newRow("only two letters") << u"quorvex.EN"_s;
}

void TestOptionsLanguage::englishAtFirstStart()
{
    QFETCH(QString, moduleName);
    OptionsDialogStart s;
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

void TestOptionsLanguage::firstStartSpeaksTheDesktopLanguage_data()
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
void TestOptionsLanguage::firstStartSpeaksTheDesktopLanguage()
{
    QFETCH(QByteArray, all);
    QFETCH(QByteArray, messages);
    QFETCH(QByteArray, lang);
    QFETCH(QByteArray, settings);
    QFETCH(bool, russian);
    setDesktopLocale({all, messages, lang});
    const auto back = qScopeGuard([] { setDesktopLocale({"C", {}, {}}); });
    OptionsDialogStart s;
    s.addModule(u"quorvex.ENG"_s, u"quorvex.ENG"_s);
    s.addModule(u"quorvex.RUS"_s, u"quorvex.RUS"_s);
    if (!settings.isEmpty())
        FileBytes::write(s.ini(), settings);
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
void TestOptionsLanguage::noteWhileARunGoesOn()
{
    OptionsDialogStart s;
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

void TestOptionsLanguage::switchingBackRestoresExactly()
{
    OptionsDialogStart s;
    FileBytes::write(s.ini(),
                     "[Options]\nLanguageEnglish_Checked=False\nLanguageRussian_Checked=True\n");
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

void TestOptionsLanguage::noModuleChangesNothing()
{
    OptionsDialogStart s;
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

void TestOptionsLanguage::acceptingWithoutChangeDoesNotSwitch()
{
    OptionsDialogStart s;
    OptionsDialog &dialog = s.start();
    // English is chosen but its module was missing at the start.
    s.addModule(u"quorvex.ENG"_s, u"quorvex.ENG"_s);
    dialog.show();
    QTest::mouseClick(s.control<QPushButton>(u"OkB"_s), Qt::LeftButton);
    QCOMPARE(dialog.windowTitle(), u"Опции"_s);
    QCOMPARE(s.core.language.currentModule(), nullptr);
}

void TestOptionsLanguage::helpFilesFollowTheLanguage()
{
    OptionsDialogStart s;
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

QTEST_MAIN(TestOptionsLanguage)
#include "tst_optionslanguage.moc"
