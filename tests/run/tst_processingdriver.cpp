#include "RunFixture.h"

#include "engine/EngineState.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestProcessingDriver : public QObject {
    Q_OBJECT

private slots:
    void refusals_data();
    void refusals();
    void busyWhileRunning();
    void findModeLeavesTheReplacementAlone();
    void plainModeLeavesCompiledBlocks();
    void runWorksOnACopyOfTheList();
};

void TestProcessingDriver::refusals_data()
{
    QTest::addColumn<bool>("withFiles");
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("wildcards");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("backupFolder"); // empty: no backups

    QTest::newRow("no files, no pattern")
        << false << QString() << false << u"Нечего обрабатывать"_s << QString();
    QTest::newRow("no pattern") << true << QString() << false << u"Нечего искать"_s << QString();
    QTest::newRow("only a star") << true << u"[*]"_s << true << u"Нечего искать"_s << QString();
    QTest::newRow("only unknown tokens")
        << true << u"[q][I]"_s << true << u"Нечего искать"_s << QString();
    // Each copy would land on its file: never made, never taken for another program's change.
    QTest::newRow("backup folder holds the file")
        << true << u"[*]"_s << false
        << u"Папка резервных копий / содержит обрабатываемый файл <file>. Выберите другую папку."_s
        << u"/"_s;
}

void TestProcessingDriver::refusals()
{
    QFETCH(bool, withFiles);
    QFETCH(QString, search);
    QFETCH(bool, wildcards);
    QFETCH(QString, message);
    QFETCH(QString, backupFolder);
    RunFixture f;
    f.wildcards = wildcards;
    f.core.options.MakeBackups = !backupFolder.isEmpty();
    f.core.options.BackupFolder = backupFolder;
    const QString file = f.write(u"a.txt"_s, "[*]");
    f.replace(withFiles ? QStringList{file} : QStringList{}, search, u"x"_s);
    QCOMPARE(f.host.messages, QStringList{message.replace(u"<file>"_s, file)});
    QVERIFY(f.host.reportLines.isEmpty());
    QCOMPARE(f.read(file), QByteArray("[*]"));
    QVERIFY(!f.core.engine.RunInProgress);
}

void TestProcessingDriver::busyWhileRunning()
{
    RunFixture f;
    const QString file = f.write(u"a.txt"_s, "a");
    ProcessingDriver::Outcome inner = ProcessingDriver::Outcome::Ran;
    f.host.reviews << [&](ReviewSession &) {
        inner = f.find({file}, u"a"_s); // the command pressed again while a run shows
        return ModalResult::Yes;
    };
    f.replace({file}, u"a"_s, u"b"_s);
    QCOMPARE(inner, ProcessingDriver::Outcome::Busy);
    QCOMPARE(f.read(file), QByteArray("b"));
}

void TestProcessingDriver::findModeLeavesTheReplacementAlone()
{
    RunFixture f;
    f.wildcards = true;
    const QString file = f.write(u"a.txt"_s, "ab");
    f.replace({file}, u"a"_s, u"[1I]"_s);
    QCOMPARE(f.core.engine.ReplaceBlockCount, 1);
    RunRequest request;
    request.files = {file};
    request.searchPattern = u"b"_s;
    request.replacementPattern = u"x[2I]y"_s;
    request.replaceWildcards = true;
    request.replaceMode = false;
    f.run(request);
    QCOMPARE(f.core.engine.ReplaceBlockCount, 1);
    QCOMPARE(f.core.engine.ReplaceBlocks[1].Kind, mkCounter);
}

void TestProcessingDriver::plainModeLeavesCompiledBlocks()
{
    RunFixture f;
    f.wildcards = true;
    const QString file = f.write(u"a.txt"_s, "a[?]");
    f.find({file}, u"a[?]"_s);
    QCOMPARE(f.core.engine.FindBlockCount, 2);
    f.wildcards = false;
    f.host.shownText.clear();
    f.find({file}, u"a[?]"_s);
    QCOMPARE(f.host.shownText, QStringList{u"a[?]"_s});
    QCOMPARE(f.core.engine.FindBlockCount, 2);
}

void TestProcessingDriver::runWorksOnACopyOfTheList()
{
    RunFixture f;
    const QString a = f.write(u"a.txt"_s, "x");
    const QString b = f.write(u"b.txt"_s, "x");
    RunRequest request;
    request.files = {a, b};
    request.searchPattern = u"x"_s;
    request.replacementPattern = u"y"_s;
    f.host.reviews << [&](ReviewSession &) {
        request.files.clear(); // the window's list changes while the run shows an occurrence
        return ModalResult::Yes;
    };
    f.core.driver.ProcessFilesExecute(request);
    QCOMPARE(f.read(b), QByteArray("y"));
}

QTEST_GUILESS_MAIN(TestProcessingDriver)
#include "tst_processingdriver.moc"
