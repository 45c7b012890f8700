#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// The built tool speaks the user's language with the program's modules beside it.
class TestBatchLanguage : public QObject {
    Q_OBJECT
private slots:
    void reportInTheLocalesLanguage_data();
    void reportInTheLocalesLanguage();
};

void TestBatchLanguage::reportInTheLocalesLanguage_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("C") << u"C"_s << QStringList() << u"File %1. Occurrences: 2"_s;
    QTest::newRow("Russian locale")
        << u"ru_RU.UTF-8"_s << QStringList() << u"Файл %1. Кол-во вхождений - 2"_s;
    QTest::newRow("--lang en over a Russian locale")
        << u"ru_RU.UTF-8"_s << QStringList{u"--lang"_s, u"en"_s} << u"File %1. Occurrences: 2"_s;
    QTest::newRow("--lang ru") << u"C"_s << QStringList{u"--lang"_s, u"ru"_s}
                               << u"Файл %1. Кол-во вхождений - 2"_s;
}

void TestBatchLanguage::reportInTheLocalesLanguage()
{
    QFETCH(QString, lang);
    QFETCH(QStringList, options);
    QFETCH(QString, firstLine);
    QTemporaryDir dir;
    const QString file = dir.filePath(u"a.txt"_s);
    QFile text(file);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("colour, colour\n");
    text.close();

    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"LC_ALL"_s);
    environment.remove(u"LC_MESSAGES"_s);
    environment.insert(u"LANG"_s, lang);
    tool.setProcessEnvironment(environment);
    tool.start(QString::fromUtf8(QUORVEX_BINARY_DIR "/src/cli/quorvex-batch"),
               options + QStringList{u"-f"_s, u"colour"_s, file});
    QVERIFY(tool.waitForFinished(60000));
    const QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n');
    QCOMPARE(lines.value(0), firstLine.arg(file));
    QCOMPARE(tool.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestBatchLanguage)
#include "tst_batchlanguage.moc"
