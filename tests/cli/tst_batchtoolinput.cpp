// What the command-line tool takes in (arguments in the locale's character set, lists of
// names, answers that may never come) and how it tells what happened.
#include "BatchToolFixture.h"

#include "cli/EncodingDevice.h"
#include "cli/TerminalHost.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"

#include <QBuffer>
#include <QTest>

using namespace Qt::StringLiterals;

class TestBatchToolInput : public QObject {
    Q_OBJECT

private slots:
    void localeArguments_data();
    void localeArguments();
    void messagesInTheTerminalsCharacterSet();
    void filesFrom_data();
    void filesFrom();
    void interruptAtAPromptAborts();
    void jsonStreamsOccurrences();
    void failedSaveAsksNothingUnasked();
    void progressLineIsClearedBeforeReportLines();
};

void TestBatchToolInput::localeArguments_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QByteArray>("replacement");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("after");

    QTest::newRow("KOI8-R replacement")
        << QByteArray("KOI8-R") << QByteArray("\xD0\xA3\xD3") << 0 << u"пёс"_s;
    QTest::newRow("the C locale reads UTF-8")
        << QByteArray("ANSI_X3.4-1968") << u"пёс"_s.toUtf8() << 0 << u"пёс"_s;
    // Never a U+FFFD that the user did not type.
    QTest::newRow("bytes that are not UTF-8 refused")
        << QByteArray("UTF-8") << QByteArray("\xFF") << 2 << u"cat"_s;
}

void TestBatchToolInput::localeArguments()
{
    QFETCH(QByteArray, codec);
    QFETCH(QByteArray, replacement);
    QFETCH(int, status);
    QFETCH(QString, after);
    BatchToolFixture f;
    f.environment.localeText = LocaleText(codec);
    const QString file = f.write(u"a.txt"_s, "cat");
    QCOMPARE(f.run(QList<QByteArray>{"-f", "cat", "-r", replacement, QFile::encodeName(file)}),
             status);
    QCOMPARE(QString::fromUtf8(f.read(u"a.txt"_s)), after);
    if (status == 2)
        QVERIFY2(f.err.contains(u"\\xff"_s), qPrintable(f.err));
}

void TestBatchToolInput::messagesInTheTerminalsCharacterSet()
{
    QBuffer terminal;
    terminal.open(QIODevice::WriteOnly);
    EncodingDevice device(terminal, LocaleText("KOI8-R"));
    QTextStream err(&device);
    err << u"Итого: 中"_s << Qt::flush;
    QCOMPARE(terminal.data(), QByteArray("\xE9\xD4\xCF\xC7\xCF: ?"));
}

void TestBatchToolInput::filesFrom_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("names");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("b");

    QTest::newRow("one a line, from a file")
        << QStringList{u"--files-from"_s, u"@/names"_s} << QByteArray("@/a.txt\r\n@/b.txt\n") << 0
        << QByteArray("dog");
    QTest::newRow("NUL-separated, from standard input")
        << QStringList{u"-0"_s, u"--files-from"_s, u"-"_s} << QByteArray("@/a.txt\0@/b.txt\0", 16)
        << 0 << QByteArray("dog");
    QTest::newRow("a name that is not UTF-8")
        << QStringList{u"--null"_s, u"--files-from=-"_s}
        << QByteArray("@/a.txt") + '\0' + "@/b\xFF.txt" + '\0' << 2 << QByteArray("cat");
}

void TestBatchToolInput::filesFrom()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, names);
    QFETCH(int, status);
    QFETCH(QByteArray, b);
    BatchToolFixture f;
    f.write(u"a.txt"_s, "cat");
    f.write(u"b.txt"_s, "cat");
    names.replace("@", QFile::encodeName(f.dir.path()));
    f.write(u"names"_s, names);
    QBuffer standardInput(&names);
    standardInput.open(QIODevice::ReadOnly);
    f.environment.standardInput = &standardInput;
    for (QString &option : options)
        option.replace(u"@"_s, f.dir.path());
    QCOMPARE(f.run(options + QStringList{u"-f"_s, u"cat"_s, u"-r"_s, u"dog"_s}), status);
    QCOMPARE(f.read(u"a.txt"_s), QByteArray("dog"));
    QCOMPARE(f.read(u"b.txt"_s), b);
}

// Ctrl-C while a question waits: the run stops at once, as the abort answer would.
void TestBatchToolInput::interruptAtAPromptAborts()
{
    BatchToolFixture f;
    const QString a = f.write(u"a.txt"_s, "x x");
    bool interrupted = false;
    f.environment.readAnswer = [&interrupted](QString &) {
        interrupted = true;
        return InterruptSignals::Read::Stopped;
    };
    f.environment.stopRequested = [&interrupted] { return interrupted; };
    QCOMPARE(f.run({u"-i"_s, u"-f"_s, u"x"_s, u"-r"_s, u"y"_s, a}), 2);
    QCOMPARE(f.read(u"a.txt"_s), QByteArray("x x"));
    QVERIFY(f.err.contains(MessageCatalogue().LoadMessage(MsgAborted)));
    QVERIFY(!f.err.contains(MessageCatalogue().LoadMessage(MsgAbortQuestion)));
    QVERIFY(f.out.contains(u"Не обработано 1 файлов."_s));
}

// An occurrence is printed when it is met, not held until its file is done: a stop after
// the first one leaves it printed.
void TestBatchToolInput::jsonStreamsOccurrences()
{
    BatchToolFixture f;
    const QString a = f.write(u"a.txt"_s, "cat cat cat");
    f.environment.stopRequested = [&f] { return f.out.contains(u"\"match\""_s); };
    QCOMPARE(f.run({u"--json"_s, u"-f"_s, u"cat"_s, u"-r"_s, u"dog"_s, a}), 2);
    QCOMPARE(f.out.count(u"\"match\""_s), 1);
    QCOMPARE(f.read(u"a.txt"_s), QByteArray("cat cat cat"));
}

void TestBatchToolInput::failedSaveAsksNothingUnasked()
{
    const MessageCatalogue messages;
    QString input, out, err;
    QTextStream in(&input), outStream(&out), errStream(&err);
    TerminalHost host({}, messages, in, outStream, errStream);
    host.WriteFailed(u"/d/a.txt"_s, u"Read-only file system"_s);
    QVERIFY(!host.AskYesNo(messages.LoadMessage(MsgSaveError),
                           messages.LoadMessage(MsgSaveErrorCaption), true));
    QVERIFY(err.contains(u"/d/a.txt: Read-only file system"_s));
    QVERIFY2(!err.contains(messages.LoadMessage(MsgSaveError)), qPrintable(err));
}

// Stdout and stderr on one terminal: a line that clears itself ("\r\x1b[K") leaves only what
// follows; no report line may share its line with the progress bar.
void TestBatchToolInput::progressLineIsClearedBeforeReportLines()
{
    BatchToolFixture f;
    QStringList files;
    for (int i = 0; i < 3; ++i)
        files << f.write(u"f%1.txt"_s.arg(i), "cat");
    QBuffer terminal;
    terminal.open(QIODevice::WriteOnly);
    QTextStream out(&terminal), err(&terminal);
    QCOMPARE(f.run(QStringList{u"--progress"_s, u"-f"_s, u"cat"_s} + files, out, err), 0);
    out.flush();
    err.flush();
    QStringList screen;
    for (const QString &line : QString::fromUtf8(terminal.data()).split(u'\n')) {
        const QString shown = line.mid(line.lastIndexOf(u"\r\x1b[K"_s) + 1).remove(u"\x1b[K"_s);
        if (!shown.isEmpty())
            screen << shown;
    }
    QCOMPARE(screen.size(), 8); // three files, the separator and four lines of totals
    for (const QString &line : std::as_const(screen))
        QVERIFY2(!line.contains(u"] "_s), qPrintable(line));
}

QTEST_GUILESS_MAIN(TestBatchToolInput)
#include "tst_batchtoolinput.moc"
