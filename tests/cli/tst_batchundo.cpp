#include "BatchToolFixture.h"

#include "io/RunHistory.h"

#include <QProcess>
#include <QtTest>

using namespace Qt::StringLiterals;

// quorvex-batch --undo puts back what a run changed, byte for byte, and only files still as
// the run left them.
class TestBatchUndo : public QObject {
    Q_OBJECT
private slots:
    void undo_data();
    void undo();
    void undoAfterKill();
    void listsRuns();
};

namespace {

// Bytes a rewrite could not keep unless it put back the very bytes: CR LF, CP1251, no final
// line break.
const QList<QByteArray> Originals = {"a\r\n\xe1\xe2 a", "xa ya\n", "nothing here\n"};

QStringList contents(const BatchToolFixture &f)
{
    QStringList list;
    for (qsizetype i = 0; i < Originals.size(); ++i)
        list << QString::fromLatin1(f.read(QString::number(i) + u".txt"_s));
    return list;
}

QStringList latin1(const QList<QByteArray> &bytes)
{
    QStringList list;
    for (const QByteArray &b : bytes)
        list << QString::fromLatin1(b);
    return list;
}

// A run killed after its renames wrote none of its "done" records, nor its end.
void forgetEnd(const QString &runFolder)
{
    QFile index(runFolder + u'/' + JournalIndex::fileName());
    QVERIFY(index.open(QIODevice::ReadOnly));
    QByteArray kept;
    for (const QByteArray &line : index.readAll().split('\n')) {
        if (!line.contains("\"t\":\"done\"") && !line.contains("\"t\":\"end\""))
            kept += line + '\n';
    }
    index.close();
    QVERIFY(index.open(QIODevice::WriteOnly | QIODevice::Truncate));
    index.write(kept);
    QFile::remove(runFolder + u"/summary"_s);
}

} // namespace

void TestBatchUndo::undo_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("undoRun"); // "": the last; "first": the oldest kept
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("reported");

    const QStringList original = latin1(Originals);
    const QStringList afterAB = latin1({"b\r\n\xe1\xe2 b", "xb yb\n", "nothing here\n"});
    QStringList edited = original;
    edited[1] = u"edited"_s;
    QTest::newRow("one run") << QStringList{u"run a b"_s} << QString() << 0 << original << "";
    QTest::newRow("the last of two runs")
        << QStringList{u"run a b"_s, u"run b c"_s} << QString() << 0 << afterAB << "";
    QTest::newRow("an undo redoes")
        << QStringList{u"run a b"_s, u"undo"_s} << QString() << 0 << afterAB << "";
    QTest::newRow("a file changed since")
        << QStringList{u"run a b"_s, u"edit 1"_s} << QString() << 1 << edited << "1.txt";
    QTest::newRow("an older run, its files changed since")
        << QStringList{u"run a b"_s, u"run b c"_s} << u"first"_s << 1
        << latin1({"c\r\n\xe1\xe2 c", "xc yc\n", "nothing here\n"}) << "0.txt";
    QTest::newRow("killed after its renames")
        << QStringList{u"run a b"_s, u"forget end"_s} << QString() << 0 << original << "";
    QTest::newRow("no run") << QStringList{} << QString() << 2 << original << "";
}

void TestBatchUndo::undo()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, undoRun);
    QFETCH(int, status);
    QFETCH(QStringList, expected);
    QFETCH(QString, reported);
    BatchToolFixture f;
    for (qsizetype i = 0; i < Originals.size(); ++i)
        f.write(QString::number(i) + u".txt"_s, Originals[i]);
    const RunHistory history(f.journal.path());
    for (const QString &step : std::as_const(steps)) {
        const QStringList words = step.split(u' ');
        if (words[0] == u"run")
            QCOMPARE(f.run({u"-f"_s, words[1], u"-r"_s, words[2], f.dir.path()}), 0);
        else if (words[0] == u"undo")
            QCOMPARE(f.run({u"--undo"_s}), 0);
        else if (words[0] == u"edit")
            f.write(words[1] + u".txt"_s, "edited");
        else
            forgetEnd(history.find()->folder);
    }
    f.out.clear();
    const QString id = undoRun.isEmpty() ? QString() : history.ids().constLast();
    QCOMPARE(f.run(id.isEmpty() ? QStringList{u"--undo"_s} : QStringList{u"--undo"_s, id}), status);
    QCOMPARE(contents(f), expected);
    if (!reported.isEmpty())
        QVERIFY2(f.out.contains(reported), qPrintable(f.out));
}

// A run killed with SIGKILL half way, in the middle of its questions: the files it wrote are
// put back, the others were never touched.
void TestBatchUndo::undoAfterKill()
{
    BatchToolFixture f;
    QStringList files;
    for (int i = 0; i < 4; ++i)
        files << f.write(QString::number(i) + u".txt"_s, "one a\n");
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QUORVEX_JOURNAL_FOLDER"_s, f.journal.path());
    tool.setProcessEnvironment(environment);
    tool.start(QString::fromUtf8(QUORVEX_BINARY_DIR "/src/cli/quorvex-batch"),
               QStringList{u"-i"_s, u"-f"_s, u"a"_s, u"-r"_s, u"b"_s} + files);
    QVERIFY(tool.waitForStarted());
    tool.write("y\ny\n"); // the third question is never answered
    QTRY_COMPARE_WITH_TIMEOUT(f.read(u"1.txt"_s), QByteArray("one b\n"), 20000);
    tool.kill();
    QVERIFY(tool.waitForFinished());
    QCOMPARE(f.read(u"2.txt"_s), QByteArray("one a\n"));
    QCOMPARE(f.run({u"--undo"_s}), 0);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(f.read(QString::number(i) + u".txt"_s), QByteArray("one a\n"));
}

void TestBatchUndo::listsRuns()
{
    BatchToolFixture f;
    f.write(u"0.txt"_s, "a a\n");
    QCOMPARE(f.run({u"-f"_s, u"a"_s, u"-r"_s, u"b"_s, f.dir.path()}), 0);
    QCOMPARE(f.run({u"--undo"_s}), 0);
    f.out.clear();
    QCOMPARE(f.run({u"--runs"_s}), 0);
    const QStringList lines = f.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    // Newest first; the undo replaced the replacement by the pattern.
    QVERIFY2(lines[0].contains(u"«b» → «a»"_s), qPrintable(lines[0]));
    QVERIFY2(lines[1].contains(u"«a» → «b»"_s) && lines[1].endsWith(u'1'), qPrintable(lines[1]));
}

QTEST_GUILESS_MAIN(TestBatchUndo)
#include "tst_batchundo.moc"
