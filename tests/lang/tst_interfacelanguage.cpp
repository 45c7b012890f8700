#include "lang/InterfaceLanguage.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString BuiltModules = QString::fromUtf8(QUORVEX_BINARY_DIR "/lang/");

void copyModule(const QString &module, const QString &to)
{
    QFile::remove(to);
    QVERIFY2(QFile::copy(BuiltModules + module, to), qPrintable(to));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

bool qtTranslationsInstalled()
{
    return QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                             + u"/qtbase_ru.qm"_s);
}

} // namespace

class TestInterfaceLanguage : public QObject {
    Q_OBJECT

private slots:
    void init();
    void modulePath_data();
    void modulePath();
    void abbreviations();
    void noModuleChangesNothing();
    void englishModule();
    void twoLetterNameIsFoundSecond();
    void threeLetterNameComesFirst();
    void brokenModuleIsNoModule();
    void switchingBackReleasesTheOldModule();
    void unknownLanguageHasNoModule();
    void qtOwnTextsFollow();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_exe;
};

void TestInterfaceLanguage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    // A dot in a folder's name must not count as the executable's extension.
    QVERIFY(QDir().mkpath(m_dir->filePath(u"my.app"_s)));
    m_exe = m_dir->filePath(u"my.app/quorvex"_s);
}

void TestInterfaceLanguage::modulePath_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("abbreviation");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no extension") << u"/opt/q/quorvex"_s << u"ENG"_s << u"/opt/q/quorvex.ENG"_s;
    QTest::newRow("extension replaced")
        << u"/opt/q/Quorvex.exe"_s << u"EN"_s << u"/opt/q/Quorvex.EN"_s;
    QTest::newRow("dot in a folder")
        << u"/opt/q.1/quorvex"_s << u"RUS"_s << u"/opt/q.1/quorvex.RUS"_s;
    QTest::newRow("last dot of the name")
        << u"/opt/q/quorvex.1.bin"_s << u"RU"_s << u"/opt/q/quorvex.1.RU"_s;
}

void TestInterfaceLanguage::modulePath()
{
    QFETCH(QString, executable);
    QFETCH(QString, abbreviation);
    QFETCH(QString, expected);
    QCOMPARE(InterfaceLanguage::modulePath(executable, abbreviation), expected);
}

void TestInterfaceLanguage::abbreviations()
{
    QCOMPARE(InterfaceLanguage::LanguageAbbreviation(InterfaceLanguage::English), u"ENG"_s);
    QCOMPARE(InterfaceLanguage::LanguageAbbreviation(InterfaceLanguage::Russian), u"RUS"_s);
    QCOMPARE(InterfaceLanguage::LanguageAbbreviation(0), QString());
}

void TestInterfaceLanguage::noModuleChangesNothing()
{
    MessageCatalogue messages;
    InterfaceLanguage language(messages);
    QVERIFY(language.installBuiltin());
    language.setExecutablePath(m_exe);
    QCOMPARE(language.LoadLanguageModule(InterfaceLanguage::English), nullptr);
    QCOMPARE(language.currentModule(), nullptr);
    QCOMPARE(messages.source(), nullptr);
    QCOMPARE(messages.LoadMessage(MsgLanguageRussian), u"Русский"_s);
    QCOMPARE(qtTrId("TOptionsF.OkB.Caption"), u"&Принять"_s);
}

void TestInterfaceLanguage::englishModule()
{
    copyModule(u"quorvex.ENG"_s, m_dir->filePath(u"my.app/quorvex.ENG"_s));
    MessageCatalogue messages;
    InterfaceLanguage language(messages);
    QVERIFY(language.installBuiltin());
    language.setExecutablePath(m_exe);
    const LanguageModule *module = language.LoadLanguageModule(InterfaceLanguage::English);
    QVERIFY(module);
    QCOMPARE(module->path(), m_dir->filePath(u"my.app/quorvex.ENG"_s));
    QCOMPARE(language.currentModule(), module);
    QCOMPARE(messages.source(), module);
    QCOMPARE(messages.LoadMessage(MsgLanguageRussian), u"Russian"_s);
    QCOMPARE(messages.message(MsgFolderMissing, u"/b"_s)
                 + messages.message(MsgCreateFolder, u"/b"_s),
             u"Folder /b does not exist. Create folder /b?"_s);
    QCOMPARE(qtTrId("TOptionsF.OkB.Caption"), u"&Accept"_s);
}

void TestInterfaceLanguage::twoLetterNameIsFoundSecond()
{
    copyModule(u"quorvex.ENG"_s, m_dir->filePath(u"my.app/quorvex.EN"_s));
    MessageCatalogue messages;
    InterfaceLanguage language(messages);
    language.setExecutablePath(m_exe);
    const LanguageModule *module = language.LoadLanguageModule(InterfaceLanguage::English);
    QVERIFY(module);
    QCOMPARE(module->path(), m_dir->filePath(u"my.app/quorvex.EN"_s));
    QCOMPARE(messages.LoadMessage(MsgNothingToFind), u"Nothing to find"_s);
}

void TestInterfaceLanguage::threeLetterNameComesFirst()
{
    copyModule(u"quorvex.ENG"_s, m_dir->filePath(u"my.app/quorvex.ENG"_s));
    copyModule(u"quorvex.RUS"_s, m_dir->filePath(u"my.app/quorvex.EN"_s));
    MessageCatalogue messages;
    InterfaceLanguage language(messages);
    language.setExecutablePath(m_exe);
    QVERIFY(language.LoadLanguageModule(InterfaceLanguage::English));
    QCOMPARE(messages.LoadMessage(MsgNothingToFind), u"Nothing to find"_s);
}

void TestInterfaceLanguage::brokenModuleIsNoModule()
{
    writeFile(m_dir->filePath(u"my.app/quorvex.ENG"_s), "not a translation file");
    MessageCatalogue messages;
    InterfaceLanguage language(messages);
    language.setExecutablePath(m_exe);
    QCOMPARE(language.LoadLanguageModule(InterfaceLanguage::English), nullptr);
    QCOMPARE(messages.LoadMessage(MsgNothingToFind), u"Нечего искать"_s);
    // The two-letter name is still tried.
    copyModule(u"quorvex.ENG"_s, m_dir->filePath(u"my.app/quorvex.EN"_s));
    QVERIFY(language.LoadLanguageModule(InterfaceLanguage::English));
}

void TestInterfaceLanguage::switchingBackReleasesTheOldModule()
{
    copyModule(u"quorvex.ENG"_s, m_dir->filePath(u"my.app/quorvex.ENG"_s));
    copyModule(u"quorvex.RUS"_s, m_dir->filePath(u"my.app/quorvex.RUS"_s));
    MessageCatalogue messages;
    InterfaceLanguage language(messages);
    QVERIFY(language.installBuiltin());
    language.setExecutablePath(m_exe);
    QVERIFY(language.LoadLanguageModule(InterfaceLanguage::English));
    const LanguageModule *russian = language.LoadLanguageModule(InterfaceLanguage::Russian);
    QVERIFY(russian);
    QCOMPARE(russian->path(), m_dir->filePath(u"my.app/quorvex.RUS"_s));
    QCOMPARE(messages.source(), russian);
    QCOMPARE(messages.LoadMessage(MsgLanguageRussian), u"Русский"_s);
    // The English texts are no longer installed anywhere.
    QCOMPARE(qtTrId("TOptionsF.OkB.Caption"), u"&Принять"_s);
}

void TestInterfaceLanguage::unknownLanguageHasNoModule()
{
    copyModule(u"quorvex.ENG"_s, m_dir->filePath(u"my.app/quorvex."_s));
    MessageCatalogue messages;
    InterfaceLanguage language(messages);
    language.setExecutablePath(m_exe);
    QCOMPARE(language.LoadLanguageModule(1031), nullptr);
}

void TestInterfaceLanguage::qtOwnTextsFollow()
{
    if (!qtTranslationsInstalled())
        QSKIP("Qt's own translations are not installed (qt6-translations-l10n)");
    copyModule(u"quorvex.ENG"_s, m_dir->filePath(u"my.app/quorvex.ENG"_s));
    MessageCatalogue messages;
    InterfaceLanguage language(messages);
    QVERIFY(language.installBuiltin());
    language.setExecutablePath(m_exe);
    const QString yes = QCoreApplication::translate("QPlatformTheme", "&Yes");
    QVERIFY2(yes != u"&Yes"_s, qPrintable(yes));
    // The file dialog's type column and its dates speak the interface's language too.
    QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"), u"Папка"_s);
    QCOMPARE(QLocale().language(), QLocale::Russian);
    QVERIFY(language.LoadLanguageModule(InterfaceLanguage::English));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), u"&Yes"_s);
    QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"), u"Folder"_s);
    QCOMPARE(QLocale().language(), QLocale::English);
}

QTEST_GUILESS_MAIN(TestInterfaceLanguage)
#include "tst_interfacelanguage.moc"
