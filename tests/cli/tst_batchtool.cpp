#include "cli/BatchTool.h"
#include "cli/CliOptions.h"
#include "document/Document.h"
#include "document/DocumentFile.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace Qt::StringLiterals;

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
        arguments.prepend(u"quorvex-batch"_s);
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
    void regexRunLeavesAFileAtTheLimit();
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

    const MessageCatalogue m;
    // The start of a message, before its first placeholder.
    auto says = [&m](int id) {
        const QString text = m.LoadMessage(id);
        return u"quorvex-batch: "_s + text.left(text.indexOf(u'%'));
    };
    QTest::newRow("found") << QStringList{u"-f"_s, u"cat"_s, u"@/a.txt"_s} << 0 << QString();
    QTest::newRow("nothing found")
        << QStringList{u"-f"_s, u"dog"_s, u"@/a.txt"_s} << 1 << QString();
    QTest::newRow("no pattern") << QStringList{u"@/a.txt"_s} << 2 << says(MsgCliNoPattern);
    QTest::newRow("no files") << QStringList{u"-f"_s, u"x"_s} << 2 << says(MsgCliNoFiles);
    QTest::newRow("missing operand")
        << QStringList{u"-f"_s, u"x"_s, u"@/none"_s} << 2 << says(MsgCliNoSuchFile);
    QTest::newRow("missing operand beside a file")
        << QStringList{u"-f"_s, u"cat"_s, u"@/none"_s, u"@/a.txt"_s} << 2 << says(MsgCliNoSuchFile);
    QTest::newRow("unknown option")
        << QStringList{u"--frobnicate"_s} << 2 << says(MsgCliUnknownOption) + u"--frobnicate"_s;
    QTest::newRow("unreadable list") << QStringList{u"-f"_s, u"x"_s, u"-l"_s, u"@/none.lst"_s} << 2
                                     << says(MsgCliListUnreadable);
    QTest::newRow("nothing to find") << QStringList{u"-w"_s, u"-f"_s, u"[*]"_s, u"@/a.txt"_s} << 2
                                     << u"quorvex-batch: Нечего искать"_s;
    QTest::newRow("backup folder below a file")
        << QStringList{u"-f"_s, u"cat"_s,         u"-r"_s,     u"dog"_s,
                       u"-b"_s, u"@/a.txt/bak"_s, u"@/a.txt"_s}
        << 2 << says(MsgCliBackupFolder);
    QTest::newRow("both pattern sources")
        << QStringList{u"-f"_s, u"x"_s, u"--find-file"_s, u"@/a.txt"_s, u"@/a.txt"_s} << 2
        << says(MsgCliExclusive);
    QTest::newRow("NUL in the pattern file")
        << QStringList{u"--find-file"_s, u"@/nul.txt"_s, u"@/a.txt"_s} << 2
        << says(MsgCliPatternHasNul);
    QTest::newRow("bad sync value")
        << QStringList{u"--sync=sometimes"_s, u"-f"_s, u"x"_s, u"@/a.txt"_s} << 2
        << says(MsgCliBadValue);
    QTest::newRow("bad language") << QStringList{u"--lang"_s, u"fr"_s, u"-f"_s, u"x"_s,
                                                 u"@/a.txt"_s}
                                  << 2 << says(MsgCliBadValue);
    QTest::newRow("-0 without --files-from")
        << QStringList{u"-0"_s, u"-f"_s, u"x"_s, u"@/a.txt"_s} << 2 << says(MsgCliNullWithoutList);
    QTest::newRow("answers and names both from standard input")
        << QStringList{u"-i"_s, u"--files-from"_s, u"-"_s, u"-f"_s, u"x"_s} << 2
        << says(MsgCliExclusive);
    QTest::newRow("backup folder holding a file")
        << QStringList{u"-f"_s, u"cat"_s, u"-r"_s, u"dog"_s, u"-b"_s, u"@"_s, u"@/a.txt"_s} << 2
        << says(MsgBackupFolderHoldsFile);
    QTest::newRow("backup folder /")
        << QStringList{u"-f"_s, u"cat"_s, u"-r"_s, u"dog"_s, u"-b"_s, u"/"_s, u"@/a.txt"_s} << 2
        << says(MsgBackupFolderHoldsFile);
    QTest::newRow("report that cannot be written, with the reason")
        << QStringList{u"-f"_s, u"cat"_s, u"--report"_s, u"@/a.txt/r"_s, u"@/a.txt"_s} << 2
        << says(MsgCliReportNotWritten) + u"@/a.txt/r: "_s;
    QTest::newRow("regular expression refused")
        << QStringList{u"-x"_s, u"-f"_s, u"c(a"_s, u"-r"_s, u"x"_s, u"@/a.txt"_s} << 2
        << says(MsgRegexRefused);
    QTest::newRow("replacement names no group")
        << QStringList{u"-x"_s, u"-f"_s, u"c"_s, u"-r"_s, u"$3"_s, u"@/a.txt"_s} << 2
        << says(MsgRegexNoSuchGroup);
    QTest::newRow("-x with -w") << QStringList{u"-x"_s, u"-w"_s, u"-f"_s, u"c"_s, u"@/a.txt"_s} << 2
                                << says(MsgCliExclusive);
    QTest::newRow("no arguments: usage")
        << QStringList{} << 2 << m.LoadMessage(MsgCliUsage) + u'\n' + m.LoadMessage(MsgCliTryHelp);
}

void TestBatchTool::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, stderrHas);
    Tool tool;
    tool.write(u"a.txt"_s, "cat");
    tool.write(u"nul.txt"_s, QByteArray("ca\0t", 4));
    for (QString &argument : arguments)
        argument.replace(u"@"_s, tool.dir.path());
    stderrHas.replace(u"@"_s, tool.dir.path());
    QCOMPARE(tool.run(arguments), status);
    QVERIFY2(tool.err.contains(stderrHas), qPrintable(tool.err));
    QCOMPARE(tool.read(u"a.txt"_s), QByteArray("cat"));
}

void TestBatchTool::replacesAcrossAFolderTree()
{
    Tool tool;
    tool.write(u"site/index.htm"_s, "<h2>A</h2><h2>B</h2>");
    tool.write(u"site/sub/page.HTML"_s, "<h2>C</h2>");
    tool.write(u"site/skip.png"_s, "<h2>");
    tool.write(u"site/.hidden/x.htm"_s, "<h2>");
    const QStringList args{u"-f"_s,
                           u"<h2>"_s,
                           u"-r"_s,
                           u"<h2>[1I]. "_s,
                           u"-W"_s,
                           u"-R"_s,
                           tool.dir.filePath(u"site"_s)};
    QCOMPARE(tool.run(args), 0);
    QCOMPARE(tool.read(u"site/index.htm"_s), QByteArray("<h2>1. A</h2><h2>2. B</h2>"));
    QCOMPARE(tool.read(u"site/sub/page.HTML"_s), QByteArray("<h2>3. C</h2>"));
    QCOMPARE(tool.read(u"site/skip.png"_s), QByteArray("<h2>"));
    QCOMPARE(tool.read(u"site/.hidden/x.htm"_s), QByteArray("<h2>"));
    QVERIFY(tool.out.endsWith(u"Произведено 3/3 замен\n"_s));
}

void TestBatchTool::dryRunWritesNothing()
{
    Tool tool;
    const QString file = tool.write(u"a.txt"_s, "a a");
    QCOMPARE(tool.run({u"-n"_s, u"-f"_s, u"a"_s, u"-r"_s, u"b"_s, u"-b"_s,
                       tool.dir.filePath(u"bak"_s), file}),
             0);
    QCOMPARE(tool.read(u"a.txt"_s), QByteArray("a a"));
    QVERIFY(!QFileInfo::exists(tool.dir.filePath(u"bak"_s)));
    QVERIFY(tool.out.contains(u"Произведено 2/2 замен"_s));
}

void TestBatchTool::jsonLines()
{
    Tool tool;
    const QString file = tool.write(u"a.txt"_s, "one\r\ntwo cat\ncat");
    QCOMPARE(tool.run({u"--json"_s, u"-f"_s, u"cat"_s, u"-r"_s, u"dog"_s, file}), 0);
    const QStringList lines = tool.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    const QJsonObject first = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    QCOMPARE(first[u"path"_s].toString(), file);
    QCOMPARE(first[u"offset"_s].toInt(), 9);
    QCOMPARE(first[u"line"_s].toInt(), 2);
    QCOMPARE(first[u"column"_s].toInt(), 5);
    QCOMPARE(first[u"match"_s].toString(), u"cat"_s);
    QCOMPARE(first[u"replacement"_s].toString(), u"dog"_s);
    QVERIFY(!first.contains(u"written"_s)); // the file's object tells
    const QJsonObject second = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    QCOMPARE(second[u"line"_s].toInt(), 3);
    QCOMPARE(second[u"column"_s].toInt(), 1);
    const QJsonObject fileObject = QJsonDocument::fromJson(lines[2].toUtf8()).object();
    QCOMPARE(fileObject[u"file"_s].toString(), file);
    QCOMPARE(fileObject[u"status"_s].toString(), u"written"_s);
    QCOMPARE(fileObject[u"written"_s].toBool(), true);
    QCOMPARE(fileObject[u"replacements"_s].toInt(), 2);
    const QJsonObject totals
        = QJsonDocument::fromJson(lines[3].toUtf8()).object()[u"totals"_s].toObject();
    QCOMPARE(totals[u"replacements"_s].toInt(), 2);
    QCOMPARE(totals[u"files_changed"_s].toInt(), 1);
}

// The file where a match reaches the library's limit is left as it was and said so; the
// run goes on with the next one.
void TestBatchTool::regexRunLeavesAFileAtTheLimit()
{
    Tool tool;
    const QByteArray hard = QByteArray(5000, 'a') + "b";
    const QString first = tool.write(u"a.txt"_s, hard);
    const QString second = tool.write(u"b.txt"_s, "ann@mail.com\r\nbob@site.com\r\n");
    QCOMPARE(tool.run({u"--json"_s, u"-x"_s, u"-f"_s, u"^(\\w+)@(\\w+)\\.com$|(a+)+$"_s, u"-r"_s,
                       u"$2:$1"_s, first, second}),
             2);
    QCOMPARE(tool.read(u"a.txt"_s), hard);
    QCOMPARE(tool.read(u"b.txt"_s), QByteArray("mail:ann\r\nsite:bob\r\n"));
    const QStringList lines = tool.out.split(u'\n', Qt::SkipEmptyParts);
    const QJsonObject limited = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    QCOMPARE(limited[u"file"_s].toString(), first);
    QCOMPARE(limited[u"reason"_s].toString(), u"pattern-limit"_s);
    QCOMPARE(limited[u"written"_s].toBool(), false);

    // The same ahead of the run, on the worker threads (no JSON): the run does the file itself.
    const QString third = tool.write(u"c.txt"_s, "x@y.com");
    QCOMPARE(tool.run({u"-x"_s, u"-f"_s, u"(a+)+$|(\\w)@"_s, u"-r"_s, u"$2"_s, first, third}), 2);
    QCOMPARE(tool.read(u"a.txt"_s), hard);
    QCOMPARE(tool.read(u"c.txt"_s), QByteArray("xy.com"));
    const MessageCatalogue m;
    QVERIFY2(tool.out.contains(m.message(MsgFilePatternLimit, first)), qPrintable(tool.out));
}

void TestBatchTool::interactiveAnswers()
{
    Tool tool;
    const QString a = tool.write(u"a.txt"_s, "x x x");
    const QString b = tool.write(u"b.txt"_s, "x");
    tool.input = u"y\nn\nq\ny\n"_s; // yes, no, quit, confirm the abort
    QCOMPARE(tool.run({u"-i"_s, u"-f"_s, u"x"_s, u"-r"_s, u"y"_s, a, b}), 2);
    QCOMPARE(tool.read(u"a.txt"_s), QByteArray("x x x")); // aborted: the file in hand is dropped
    QVERIFY2(tool.err.contains(u"a.txt:1:1: [[x]] x x"_s), qPrintable(tool.err));
    QVERIFY(tool.err.contains(u"Прервать операцию ?"_s));
    QVERIFY(tool.err.contains(u"Операция прервана по желанию пользователя"_s));
    QVERIFY(tool.out.contains(u"Не обработано 2 файлов."_s));

    tool.input = u"a\n"_s;
    tool.err.clear();
    QCOMPARE(tool.run({u"-i"_s, u"-f"_s, u"x"_s, u"-r"_s, u"y"_s, a, b}), 0);
    QCOMPARE(tool.read(u"a.txt"_s), QByteArray("y y y"));
    QCOMPARE(tool.read(u"b.txt"_s), QByteArray("y"));
}

void TestBatchTool::backupsAreMade()
{
    Tool tool;
    const QString file = tool.write(u"docs/a.txt"_s, "old");
    const QString backup = tool.dir.filePath(u"bak"_s);
    QCOMPARE(tool.run({u"-f"_s, u"old"_s, u"-r"_s, u"new"_s, u"-b"_s, backup, file}), 0);
    QCOMPARE(tool.read(u"docs/a.txt"_s), QByteArray("new"));
    QFile copy(backup + file);
    QVERIFY2(copy.open(QIODevice::ReadOnly), qPrintable(copy.fileName()));
    QCOMPARE(copy.readAll(), QByteArray("old"));
}

void TestBatchTool::readsListsAndPatternFiles()
{
    Tool tool;
    const QString a = tool.write(u"a.txt"_s, "line one\r\nline two");
    const QString list = tool.write(u"files.lst"_s, (a + u"\r\n"_s).toUtf8());
    const QString pattern = tool.write(u"find.txt"_s, "one\nline\n"); // the final break is dropped
    QCOMPARE(tool.run({u"--find-file"_s, pattern, u"-r"_s, u"1 "_s, u"-l"_s, list}), 0);
    QCOMPARE(tool.read(u"a.txt"_s), QByteArray("line 1  two"));
}

void TestBatchTool::reportFile()
{
    Tool tool;
    const QString file = tool.write(u"a.txt"_s, "x");
    const QString report = tool.dir.filePath(u"report.txt"_s);
    QCOMPARE(tool.run({u"-f"_s, u"x"_s, u"--report"_s, report, file}), 0);
    QFile saved(report);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), tool.out);
}

void TestBatchTool::normalizeLineBreaks()
{
    QCOMPARE(CliParser::NormalizeLineBreaks(u"a\nb\r\nc\rd\n\n"_s), u"a\r\nb\r\nc\r\nd\r\n\r\n"_s);
}

void TestBatchTool::rtfFilesKeepTheirFormatting()
{
    Tool tool;
    QFile source(QString::fromUtf8(QUORVEX_TESTS_ROOT "/rtf/data/mixed.rtf"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray original = source.readAll();
    const QString file = tool.write(u"mixed.rtf"_s, original);
    Document before;
    QCOMPARE(LoadDocument(before, file), LoadStatus::Loaded);
    QCOMPARE(tool.run({u"-c"_s, u"-f"_s, u"word"_s, u"-r"_s, u"слово"_s, file}), 0);
    Document after;
    QCOMPARE(LoadDocument(after, file), LoadStatus::Loaded);
    QVERIFY(after.format() == FileFormat::Rtf);
    QCOMPARE(after.text(), before.text().replace(u"word"_s, u"слово"_s));
    const QByteArray saved = tool.read(u"mixed.rtf"_s);
    for (const char *kept : {"\\pict", "\\field", "\\trowd", "\\footnote", "\\fonttbl"})
        QCOMPARE(saved.count(kept), original.count(kept));
}

QTEST_GUILESS_MAIN(TestBatchTool)
#include "tst_batchtool.moc"
