#include "options/OptionState.h"
#include "options/SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

class TestSettingsLocation : public QObject {
    Q_OBJECT

private slots:
    void init();
    void writableProgramFolder();
    void writableFileInProgramFolder();
    void folderInPlaceOfTheFile();
    void missingProgramFolder();
    void readOnlyProgramFolder();
    void installedProgramFolder();
    void startingValues();
    void settingsFolderHoldsTheDefaultBackupFolder();
    void fileDialogFilter_data();
    void fileDialogFilter();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program;
    QString m_config;
};

void TestSettingsLocation::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_program = m_dir->filePath(u"program/"_s);
    m_config = m_dir->filePath(u"config"_s);
    QVERIFY(QDir().mkpath(m_program));
}

void TestSettingsLocation::writableProgramFolder()
{
    QCOMPARE(SettingsLocation::settingsFilePath(m_program, m_config), m_program + u"Quorvex.ini"_s);
}

void TestSettingsLocation::writableFileInProgramFolder()
{
    QFile file(m_program + u"Quorvex.ini"_s);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(SettingsLocation::settingsFilePath(m_program, m_config), m_program + u"Quorvex.ini"_s);
}

void TestSettingsLocation::folderInPlaceOfTheFile()
{
    QVERIFY(QDir().mkdir(m_program + u"Quorvex.ini"_s));
    QCOMPARE(SettingsLocation::settingsFilePath(m_program, m_config),
             m_config + u"/quorvex/Quorvex.ini"_s);
}

void TestSettingsLocation::missingProgramFolder()
{
    QCOMPARE(SettingsLocation::settingsFilePath(m_dir->filePath(u"gone/"_s), m_config),
             m_config + u"/quorvex/Quorvex.ini"_s);
}

void TestSettingsLocation::readOnlyProgramFolder()
{
    if (::geteuid() == 0)
        QSKIP("the superuser may write into any folder");
    QVERIFY(QFile::setPermissions(m_program, QFile::ReadOwner | QFile::ExeOwner));
    const QString path = SettingsLocation::settingsFilePath(m_program, m_config);
    QFile::setPermissions(m_program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(path, m_config + u"/quorvex/Quorvex.ini"_s);
}

void TestSettingsLocation::installedProgramFolder()
{
    // Whoever runs it (the superuser may write into /usr/bin), the user's folder is used.
    for (const QString &folder : {u"/usr/bin/"_s, u"/usr/local/bin/"_s, u"/opt/quorvex/bin/"_s})
        QCOMPARE(SettingsLocation::settingsFilePath(folder, m_config),
                 m_config + u"/quorvex/Quorvex.ini"_s);
    QVERIFY(!SettingsLocation::isSystemFolder(u"/usrlocal/bin/"_s));
    QVERIFY(!SettingsLocation::isSystemFolder(m_program));
}

void TestSettingsLocation::startingValues()
{
    const QString local = m_program + u"Quorvex.ini"_s;
    const QString user = m_config + u"/quorvex/Quorvex.ini"_s;
    QCOMPARE(SettingsLocation::startingValuesPath(m_program, user), QString());
    QFile file(local);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(SettingsLocation::startingValuesPath(m_program, user), local);
    QCOMPARE(SettingsLocation::startingValuesPath(m_program, local), QString());
}

void TestSettingsLocation::settingsFolderHoldsTheDefaultBackupFolder()
{
    OptionState options(m_program);
    QCOMPARE(options.SettingsFolder(), m_program);
    options.SettingsFilePath = m_config + u"/quorvex/Quorvex.ini"_s;
    QCOMPARE(options.SettingsFolder(), m_config + u"/quorvex/"_s);
    options.SettingsFilePath.clear();
    QCOMPARE(options.SettingsFolder(), m_program);
}

void TestSettingsLocation::fileDialogFilter_data()
{
    QTest::addColumn<QString>("openFilter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("all") << u"Все поддерживаемые расширения|*.HTM;*.HTML;*.RTF;"_s
                         << u"Все поддерживаемые расширения (*.HTM *.HTML *.RTF)"_s;
    QTest::newRow("none checked") << u"All supported extensions|*.htm;*.html;*.shtml;*.shtm"_s
                                  << u"All supported extensions (*.htm *.html *.shtml *.shtm)"_s;
    QTest::newRow("file lists") << u"Списки Quorvex|*.lst"_s << u"Списки Quorvex (*.lst)"_s;
    QTest::newRow("two entries") << u"Текстовый файл|*.txt|Документ RTF|*.rtf"_s
                                 << u"Текстовый файл (*.txt);;Документ RTF (*.rtf)"_s;
    QTest::newRow("no patterns") << u"Anything"_s << u"Anything"_s;
}

void TestSettingsLocation::fileDialogFilter()
{
    QFETCH(QString, openFilter);
    QFETCH(QString, expected);
    QCOMPARE(OptionState::fileDialogFilter(openFilter), expected);
}

QTEST_APPLESS_MAIN(TestSettingsLocation)
#include "tst_settingslocation.moc"
