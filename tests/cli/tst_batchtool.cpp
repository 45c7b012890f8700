#include "cli/BatchTool.h"
#include "cli/CliOptions.h"
#include "document/Document.h"
#include "document/DocumentFile.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

struct Tool {
    QTemporaryDir dir;
    QString input;
    QString out;
    QString err;

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(bytes);
        return path;
    }

    QByteArray read(const QString &name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    int run(QStringList arguments)
    {
        arguments.prepend(u"quorvex-batch"_qs);
        QTextStream in(&input);
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return BatchTool::Run(arguments, in, outStream, errStream, false);
    }
};

} // namespace

class TestBatchTool : public QObject {
    Q_OBJECT

private slots:
    void exitStatus_data();
    void exitStatus();
    void replacesAcrossAFolderTree();
    void dryRunWritesNothing();
    void jsonLines();
    void interactiveAnswers();
    void backupsAreMade();
    void readsListsAndPatternFiles();
    void reportFile();
    void normalizeLineBreaks();
    void rtfFilesKeepTheirFormatting();
};

void TestBatchTool::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("stderrHas");

    QTest::newRow("found") << QStringList{u"-f"_qs, u"cat"_qs, u"@/a.txt"_qs} << 0 << QString();
    QTest::newRow("nothing found")
        << QStringList{u"-f"_qs, u"dog"_qs, u"@/a.txt"_qs} << 1 << QString();
    QTest::newRow("no pattern") << QStringList{u"@/a.txt"_qs} << 2 << u"no search pattern"_qs;
    QTest::newRow("no files") << QStringList{u"-f"_qs, u"x"_qs} << 2 << u"no files"_qs;
    QTest::newRow("missing operand")
        << QStringList{u"-f"_qs, u"x"_qs, u"@/none"_qs} << 2 << u"no such file"_qs;
    QTest::newRow("unknown option") << QStringList{u"--frobnicate"_qs} << 2 << u"frobnicate"_qs;
    QTest::newRow("unreadable list") << QStringList{u"-f"_qs, u"x"_qs, u"-l"_qs, u"@/none.lst"_qs}
                                     << 2 << u"cannot read the file list"_qs;
    QTest::newRow("nothing to find")
        << QStringList{u"-w"_qs, u"-f"_qs, u"[*]"_qs, u"@/a.txt"_qs} << 2 << u"Нечего искать"_qs;
    QTest::newRow("backup folder below a file")
        << QStringList{u"-f"_qs, u"cat"_qs,         u"-r"_qs,     u"dog"_qs,
                       u"-b"_qs, u"@/a.txt/bak"_qs, u"@/a.txt"_qs}
        << 2 << u"cannot create the backup folder"_qs;
    QTest::newRow("both pattern sources")
        << QStringList{u"-f"_qs, u"x"_qs, u"--find-file"_qs, u"@/a.txt"_qs, u"@/a.txt"_qs} << 2
        << u"exclude"_qs;
}

void TestBatchTool::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, stderrHas);
    Tool tool;
    tool.write(u"a.txt"_qs, "cat");
    for (QString &argument : arguments)
        argument.replace(u"@"_qs, tool.dir.path());
    QCOMPARE(tool.run(arguments), status);
    QVERIFY2(tool.err.contains(stderrHas), qPrintable(tool.err));
    QCOMPARE(tool.read(u"a.txt"_qs), QByteArray("cat"));
}

void TestBatchTool::replacesAcrossAFolderTree()
{
    Tool tool;
    tool.write(u"site/index.htm"_qs, "<h2>A</h2><h2>B</h2>");
    tool.write(u"site/sub/page.HTML"_qs, "<h2>C</h2>");
    tool.write(u"site/skip.png"_qs, "<h2>");
    tool.write(u"site/.hidden/x.htm"_qs, "<h2>");
    const QStringList args{u"-f"_qs,
                           u"<h2>"_qs,
                           u"-r"_qs,
                           u"<h2>[1I]. "_qs,
                           u"-W"_qs,
                           u"-R"_qs,
                           tool.dir.filePath(u"site"_qs)};
    QCOMPARE(tool.run(args), 0);
    QCOMPARE(tool.read(u"site/index.htm"_qs), QByteArray("<h2>1. A</h2><h2>2. B</h2>"));
    QCOMPARE(tool.read(u"site/sub/page.HTML"_qs), QByteArray("<h2>3. C</h2>"));
    QCOMPARE(tool.read(u"site/skip.png"_qs), QByteArray("<h2>"));
    QCOMPARE(tool.read(u"site/.hidden/x.htm"_qs), QByteArray("<h2>"));
    QVERIFY(tool.out.endsWith(u"Произведено 3/3 замен\n"_qs));
}

void TestBatchTool::dryRunWritesNothing()
{
    Tool tool;
    const QString file = tool.write(u"a.txt"_qs, "a a");
    QCOMPARE(tool.run({u"-n"_qs, u"-f"_qs, u"a"_qs, u"-r"_qs, u"b"_qs, u"-b"_qs,
                       tool.dir.filePath(u"bak"_qs), file}),
             0);
    QCOMPARE(tool.read(u"a.txt"_qs), QByteArray("a a"));
    QVERIFY(!QFileInfo::exists(tool.dir.filePath(u"bak"_qs)));
    QVERIFY(tool.out.contains(u"Произведено 2/2 замен"_qs));
}

void TestBatchTool::jsonLines()
{
    Tool tool;
    const QString file = tool.write(u"a.txt"_qs, "one\r\ntwo cat\ncat");
    QCOMPARE(tool.run({u"--json"_qs, u"-f"_qs, u"cat"_qs, u"-r"_qs, u"dog"_qs, file}), 0);
    const QStringList lines = tool.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    const QJsonObject first = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    QCOMPARE(first[u"path"_qs].toString(), file);
    QCOMPARE(first[u"offset"_qs].toInt(), 9);
    QCOMPARE(first[u"line"_qs].toInt(), 2);
    QCOMPARE(first[u"column"_qs].toInt(), 5);
    QCOMPARE(first[u"match"_qs].toString(), u"cat"_qs);
    QCOMPARE(first[u"replacement"_qs].toString(), u"dog"_qs);
    const QJsonObject second = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    QCOMPARE(second[u"line"_qs].toInt(), 3);
    QCOMPARE(second[u"column"_qs].toInt(), 1);
    const QJsonObject totals
        = QJsonDocument::fromJson(lines[2].toUtf8()).object()[u"totals"_qs].toObject();
    QCOMPARE(totals[u"replacements"_qs].toInt(), 2);
    QCOMPARE(totals[u"files_changed"_qs].toInt(), 1);
}

void TestBatchTool::interactiveAnswers()
{
    Tool tool;
    const QString a = tool.write(u"a.txt"_qs, "x x x");
    const QString b = tool.write(u"b.txt"_qs, "x");
    tool.input = u"y\nn\nq\ny\n"_qs; // yes, no, quit, confirm the abort
    QCOMPARE(tool.run({u"-i"_qs, u"-f"_qs, u"x"_qs, u"-r"_qs, u"y"_qs, a, b}), 2);
    QCOMPARE(tool.read(u"a.txt"_qs), QByteArray("x x x")); // aborted: the file in hand is dropped
    QVERIFY2(tool.err.contains(u"a.txt:1:1: [[x]] x x"_qs), qPrintable(tool.err));
    QVERIFY(tool.err.contains(u"Прервать операцию ?"_qs));
    QVERIFY(tool.err.contains(u"Операция прервана по желанию пользователя"_qs));
    QVERIFY(tool.out.contains(u"Не обработано 2 файлов."_qs));

    tool.input = u"a\n"_qs;
    tool.err.clear();
    QCOMPARE(tool.run({u"-i"_qs, u"-f"_qs, u"x"_qs, u"-r"_qs, u"y"_qs, a, b}), 0);
    QCOMPARE(tool.read(u"a.txt"_qs), QByteArray("y y y"));
    QCOMPARE(tool.read(u"b.txt"_qs), QByteArray("y"));
}

void TestBatchTool::backupsAreMade()
{
    Tool tool;
    const QString file = tool.write(u"docs/a.txt"_qs, "old");
    const QString backup = tool.dir.filePath(u"bak"_qs);
    QCOMPARE(tool.run({u"-f"_qs, u"old"_qs, u"-r"_qs, u"new"_qs, u"-b"_qs, backup, file}), 0);
    QCOMPARE(tool.read(u"docs/a.txt"_qs), QByteArray("new"));
    QFile copy(backup + file);
    QVERIFY2(copy.open(QIODevice::ReadOnly), qPrintable(copy.fileName()));
    QCOMPARE(copy.readAll(), QByteArray("old"));
}

void TestBatchTool::readsListsAndPatternFiles()
{
    Tool tool;
    const QString a = tool.write(u"a.txt"_qs, "line one\r\nline two");
    const QString list = tool.write(u"files.lst"_qs, (a + u"\r\n"_qs).toUtf8());
    const QString pattern = tool.write(u"find.txt"_qs, "one\nline\n"); // the final break is dropped
    QCOMPARE(tool.run({u"--find-file"_qs, pattern, u"-r"_qs, u"1 "_qs, u"-l"_qs, list}), 0);
    QCOMPARE(tool.read(u"a.txt"_qs), QByteArray("line 1  two"));
}

void TestBatchTool::reportFile()
{
    Tool tool;
    const QString file = tool.write(u"a.txt"_qs, "x");
    const QString report = tool.dir.filePath(u"report.txt"_qs);
    QCOMPARE(tool.run({u"-f"_qs, u"x"_qs, u"--report"_qs, report, file}), 0);
    QFile saved(report);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), tool.out);
}

void TestBatchTool::normalizeLineBreaks()
{
    QCOMPARE(CliParser::NormalizeLineBreaks(u"a\nb\r\nc\rd\n\n"_qs),
             u"a\r\nb\r\nc\r\nd\r\n\r\n"_qs);
}

void TestBatchTool::rtfFilesKeepTheirFormatting()
{
    Tool tool;
    QFile source(QStringLiteral(QUORVEX_TESTS_ROOT "/rtf/data/mixed.rtf"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray original = source.readAll();
    const QString file = tool.write(u"mixed.rtf"_qs, original);
    Document before;
    QCOMPARE(LoadDocument(before, file), LoadStatus::Loaded);
    QCOMPARE(tool.run({u"-c"_qs, u"-f"_qs, u"word"_qs, u"-r"_qs, u"слово"_qs, file}), 0);
    Document after;
    QCOMPARE(LoadDocument(after, file), LoadStatus::Loaded);
    QVERIFY(after.format() == FileFormat::Rtf);
    QCOMPARE(after.text(), before.text().replace(u"word"_qs, u"слово"_qs));
    const QByteArray saved = tool.read(u"mixed.rtf"_qs);
    for (const char *kept : {"\\pict", "\\field", "\\trowd", "\\footnote", "\\fonttbl"})
        QCOMPARE(saved.count(kept), original.count(kept));
}

QTEST_GUILESS_MAIN(TestBatchTool)
#include "tst_batchtool.moc"
