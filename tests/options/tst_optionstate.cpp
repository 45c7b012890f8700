#include "options/OptionState.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestOptionState : public QObject {
    Q_OBJECT

private slots:
    void derivedPaths_data();
    void derivedPaths();
};

void TestOptionState::derivedPaths_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << u"/opt/quorvex"_s << u"/opt/quorvex/"_s;
    QTest::newRow("trailing separator") << u"/opt/quorvex/"_s << u"/opt/quorvex/"_s;
    QTest::newRow("dots") << u"/opt/./x/../quorvex//"_s << u"/opt/quorvex/"_s;
    QTest::newRow("root") << u"/"_s << u"/"_s;
    QTest::newRow("empty") << QString() << QDir::currentPath() + u'/';
}

void TestOptionState::derivedPaths()
{
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    const OptionState options(folder);
    QCOMPARE(options.ProgramFolder, expected);
    QCOMPARE(options.SettingsFilePath, expected + u"Quorvex.ini"_s);
    QCOMPARE(options.RussianHelpFolder, expected + u"Help/rus/"_s);
    QCOMPARE(options.EnglishHelpFolder, expected + u"Help/eng/"_s);
}

QTEST_APPLESS_MAIN(TestOptionState)
#include "tst_optionstate.moc"
