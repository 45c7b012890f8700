// The command-line tool never loses a user's work and tells the truth about what it did.
#include "BatchToolFixture.h"

#include "cli/InterruptSignals.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "lang/MessageSource.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <csignal>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

QString text(int id)
{
    return MessageCatalogue().LoadMessage(id);
}

// The start of a message, before its first placeholder.
QString start(int id)
{
    const QString t = text(id);
    return t.left(t.indexOf(u'%'));
}

QList<QJsonObject> jsonLines(const QString &out)
{
    QList<QJsonObject> objects;
    for (const QString &line : out.split(u'\n', Qt::SkipEmptyParts))
        objects << QJsonDocument::fromJson(line.toUtf8()).object();
    return objects;
}

// Texts of another language, to show that one call plugs a language in.
class Tagged final : public MessageSource {
public:
    std::optional<QString> text(int id) const override
    {
        return u"EN"_s + QString::number(id) + u' ' + m_builtin.text(id).value_or(QString());
    }

private:
    BuiltinMessages m_builtin;
};

} // namespace

class TestBatchToolSafety : public QObject {
    Q_OBJECT

private slots:
    void endOfInputKeepsConfirmedReplacements();
    void endOfInputDoesNotRetryForever();
    void repeatsAreProcessedOnce_data();
    void repeatsAreProcessedOnce();
    void interruptStopsLikeAnAbort();
    void interruptSignalIsCaught_data();
    void interruptSignalIsCaught();
    void closedOutputDoesNotStopTheRun();
    void asciiFilesTakeAnyCharacter_data();
    void asciiFilesTakeAnyCharacter();
    void jsonNamesEveryFile();
    void listEntriesAreTakenFromTheListsFolder();
    void undecodableNamesAreReported();
    void dryRunReportSaysNothingWasWritten();
    void helpNamesTheToolAndShowsExamples();
    void everyExtension();
    void backupFailureSaysWhy();
    void languageChoice_data();
    void languageChoice();
    void translatedSourcePlugsIn();
};

void TestBatchToolSafety::endOfInputKeepsConfirmedReplacements()
{
    BatchToolFixture f;
    f.write(u"a.txt"_s, "x x x");
    f.input = u"y\n"_s; // one answer, then the input ends
    QCOMPARE(f.run({u"-i"_s, u"-f"_s, u"x"_s, u"-r"_s, u"y"_s, f.path(u"a.txt"_s)}), 0);
    QCOMPARE(f.read(u"a.txt"_s), QByteArray("y x x"));
    QVERIFY2(f.err.contains(u"(Enter)"_s), qPrintable(f.err)); // the default answer is marked
}

// A save that keeps failing (a file size limit) asked again for ever when the input ended.
void TestBatchToolSafety::endOfInputDoesNotRetryForever()
{
#ifdef Q_OS_UNIX
    BatchToolFixture f;
    f.write(u"a.txt"_s, "x");
    f.input = u"y\n"_s;
    struct rlimit old { };
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1024;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const int status
        = f.run({u"-i"_s, u"-f"_s, u"x"_s, u"-r"_s, QString(5000, u'z'), f.path(u"a.txt"_s)});
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(status, 2);
    QCOMPARE(f.read(u"a.txt"_s), QByteArray("x"));
    QVERIFY(f.out.contains(MessageCatalogue().message(MsgFileNotSaved, f.path(u"a.txt"_s))));
    // The system's reason, on a line of the tool's own.
    QVERIFY2(f.err.contains(u"quorvex-batch: "_s + start(MsgCliWriteFailed)), qPrintable(f.err));
    QVERIFY(f.err.contains(qt_error_string(EFBIG)));
#else
    QSKIP("needs a file size limit");
#endif
}

void TestBatchToolSafety::repeatsAreProcessedOnce_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<QString>("changedLine");

    QTest::newRow("bytes") << QStringList{} << QByteArray("aa") << u"Изменено 1 файлов."_s;
    QTest::newRow("documents (wildcards)")
        << QStringList{u"-w"_s} << QByteArray("aa") << u"Изменено 1 файлов."_s;
    QTest::newRow("dry run") << QStringList{u"-n"_s} << QByteArray("a") << u"Изменено 1 файлов."_s;
    QTest::newRow("sync per file")
        << QStringList{u"--sync=file"_s} << QByteArray("aa") << u"Изменено 1 файлов."_s;
}

void TestBatchToolSafety::repeatsAreProcessedOnce()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, result);
    QFETCH(QString, changedLine);
    BatchToolFixture f;
    const QString a = f.write(u"a.txt"_s, "a");
    QVERIFY(QFile::link(a, f.path(u"link.txt"_s)));
    f.run(options + QStringList{u"-f"_s, u"a"_s, u"-r"_s, u"aa"_s, a, a, f.path(u"link.txt"_s)});
    QCOMPARE(f.read(u"a.txt"_s), result);
    QCOMPARE(f.out.count(MessageCatalogue().message(MsgFileAlreadyProcessed, a)), 1);
    QVERIFY(
        f.out.contains(MessageCatalogue().message(MsgFileAlreadyProcessed, f.path(u"link.txt"_s))));
    QVERIFY2(f.out.contains(changedLine), qPrintable(f.out));
}

void TestBatchToolSafety::interruptStopsLikeAnAbort()
{
    BatchToolFixture f;
    f.write(u"a.txt"_s, "x");
    f.write(u"b.txt"_s, "x");
    // Ctrl-C once the first file is written: the second is not touched.
    f.environment.stopRequested = [&f] { return f.read(u"a.txt"_s) == "y"; };
    QCOMPARE(f.run({u"--sync=file"_s, u"-w"_s, u"-f"_s, u"x"_s, u"-r"_s, u"y"_s, f.path(u"a.txt"_s),
                    f.path(u"b.txt"_s)}),
             2);
    QCOMPARE(f.read(u"a.txt"_s), QByteArray("y"));
    QCOMPARE(f.read(u"b.txt"_s), QByteArray("x"));
    QVERIFY(f.err.contains(u"quorvex-batch: "_s + text(MsgAborted)));
    QVERIFY(f.out.contains(u"Не обработано 1 файлов."_s));
    QVERIFY(f.out.contains(text(MsgTotals)));
}

void TestBatchToolSafety::interruptSignalIsCaught_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("Ctrl-C") << int(SIGINT);
#ifdef Q_OS_UNIX
    QTest::newRow("kill") << int(SIGTERM);
    QTest::newRow("terminal closed") << int(SIGHUP);
#endif
}

void TestBatchToolSafety::interruptSignalIsCaught()
{
    QFETCH(int, signal);
    InterruptSignals::install();
    QVERIFY(!InterruptSignals::stopRequested());
    std::raise(signal); // the first one only asks the run to stop
    QVERIFY(InterruptSignals::stopRequested());
    QVERIFY(!InterruptSignals::waitForInput(0)); // a question waiting returns at once
    for (int each : {SIGINT, SIGTERM, SIGHUP})
        std::signal(each, SIG_DFL);
}

// A reader that quits (`| head`) must not kill the run half way.
void TestBatchToolSafety::closedOutputDoesNotStopTheRun()
{
#ifdef Q_OS_UNIX
    BatchToolFixture f;
    QStringList files;
    for (int i = 0; i < 50; ++i)
        files << f.write(u"f%1.txt"_s.arg(i), "x");
    int fds[2];
    QCOMPARE(::pipe(fds), 0);
    ::close(fds[0]);
    const auto oldHandler = std::signal(SIGPIPE, SIG_IGN);
    QFile pipe;
    QVERIFY(pipe.open(fds[1], QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    QTextStream out(&pipe);
    const int status = f.run(QStringList{u"-f"_s, u"x"_s, u"-r"_s, u"y"_s} + files, out);
    std::signal(SIGPIPE, oldHandler);
    QCOMPARE(status, 2);
    for (int i = 0; i < 50; ++i)
        QCOMPARE(f.read(u"f%1.txt"_s.arg(i)), QByteArray("y"));
    QVERIFY2(f.err.contains(text(MsgCliOutputClosed)), qPrintable(f.err));
#else
    QSKIP("needs pipes");
#endif
}

void TestBatchToolSafety::asciiFilesTakeAnyCharacter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("ascii text becomes UTF-8")
        << u"a.txt"_s << QByteArray("a b") << u"ä中😀"_s << u"a ä中😀"_s.toUtf8();
    QTest::newRow("ascii html without a charset becomes UTF-8")
        << u"a.htm"_s << QByteArray("<p>b</p>") << u"中"_s << u"<p>中</p>"_s.toUtf8();
    QTest::newRow("html declaring 1251 follows it")
        << u"b.htm"_s << QByteArray("<meta charset=windows-1251>b") << u"Ж"_s
        << QByteArray("<meta charset=windows-1251>\xC6");
    QTest::newRow("html declaring 1251 refuses what it cannot hold")
        << u"c.htm"_s << QByteArray("<meta charset=windows-1251>b") << u"中"_s
        << QByteArray("<meta charset=windows-1251>b");
    QTest::newRow("cyrillic 1251 stays 1251")
        << u"d.txt"_s << QByteArray("\xC6 b") << u"Ж"_s << QByteArray("\xC6 \xC6");
}

void TestBatchToolSafety::asciiFilesTakeAnyCharacter()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, before);
    QFETCH(QString, replacement);
    QFETCH(QByteArray, after);
    BatchToolFixture f;
    f.write(name, before);
    f.run({u"-c"_s, u"-f"_s, u"b"_s, u"-r"_s, replacement, f.path(name)});
    QCOMPARE(f.read(name), after);
}

void TestBatchToolSafety::jsonNamesEveryFile()
{
    BatchToolFixture f;
    const QString ok = f.write(u"ok.txt"_s, "cat");
    const QString cp1251 = f.write(u"cp.txt"_s, "\xCA\xEE\xF2 cat"); // "Кот cat"
    const QString binary = f.write(u"bin.txt"_s, QByteArray("cat\0", 4));
    const QString none = f.write(u"none.txt"_s, "dog");
    const QString gone = f.path(u"gone.txt"_s);
    QCOMPARE(f.run({u"--json"_s, u"-c"_s, u"-f"_s, u"cat"_s, u"-r"_s, u"中"_s, ok, cp1251, binary,
                    none, gone}),
             2);
    // Files in a batch are told once the batch is in place: occurrences of the next files may
    // come first, so objects are taken by name.
    const QList<QJsonObject> lines = jsonLines(f.out);
    QCOMPARE(lines.size(), 8);
    QHash<QString, QJsonObject> files;
    for (const QJsonObject &line : lines)
        files.insert(line[u"file"_s].toString(), line);
    QCOMPARE(files[ok][u"status"_s].toString(), u"written"_s);
    QCOMPARE(files[ok][u"written"_s].toBool(), true);
    // The file that could not be written says so.
    QCOMPARE(files[cp1251][u"written"_s].toBool(), false);
    QCOMPARE(files[cp1251][u"status"_s].toString(), u"failed"_s);
    QCOMPARE(files[cp1251][u"reason"_s].toString(), u"not-encodable"_s);
    QCOMPARE(files[cp1251][u"replacements"_s].toInt(), 0);
    QCOMPARE(files[binary][u"status"_s].toString(), u"skipped"_s);
    QCOMPARE(files[binary][u"reason"_s].toString(), u"binary"_s);
    QCOMPARE(files[none][u"status"_s].toString(), u"unchanged"_s);
    QCOMPARE(files[none][u"occurrences"_s].toInt(), 0);
    QCOMPARE(files[gone][u"status"_s].toString(), u"skipped"_s);
    QCOMPARE(files[gone][u"reason"_s].toString(), u"missing"_s);
    QVERIFY(lines[7].contains(u"totals"_s));
    QCOMPARE(f.read(u"cp.txt"_s), QByteArray("\xCA\xEE\xF2 cat"));
}

void TestBatchToolSafety::listEntriesAreTakenFromTheListsFolder()
{
    BatchToolFixture f;
    f.write(u"lists/x.txt"_s, "cat");
    f.write(u"y.txt"_s, "cat");
    const QString list = f.write(u"lists/files.lst"_s, "x.txt\r\n../y.txt\r\ngone.txt\r\n");
    const QString here = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    const int status = f.run({u"-f"_s, u"cat"_s, u"-r"_s, u"dog"_s, u"-l"_s, list});
    QDir::setCurrent(here);
    QCOMPARE(status, 2); // a missing entry: reported, the rest done
    QCOMPARE(f.read(u"lists/x.txt"_s), QByteArray("dog"));
    QCOMPARE(f.read(u"y.txt"_s), QByteArray("dog"));
    QVERIFY2(
        f.err.contains(MessageCatalogue().message(MsgCliNoSuchFile, f.path(u"lists/gone.txt"_s))),
        qPrintable(f.err));
    // An entry given and not processed, as the window counts it.
    QVERIFY2(f.out.contains(u"Не обработано 1 файлов."_s), qPrintable(f.out));
}

void TestBatchToolSafety::undecodableNamesAreReported()
{
#ifdef Q_OS_UNIX
    BatchToolFixture f;
    f.write(u"site/good.txt"_s, "cat");
    const QByteArray bad = QFile::encodeName(f.path(u"site/"_s)) + "bad\xFF.txt";
    const int fd = ::open(bad.constData(), O_WRONLY | O_CREAT, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, "cat", 3), 3);
    ::close(fd);
    QCOMPARE(f.run({u"-f"_s, u"cat"_s, u"-r"_s, u"dog"_s, f.path(u"site"_s)}), 2);
    QCOMPARE(f.read(u"site/good.txt"_s), QByteArray("dog"));
    QVERIFY2(f.err.contains(u"quorvex-batch: "_s + start(MsgCliBadFileName)), qPrintable(f.err));
#else
    QSKIP("file names are UTF-16 here");
#endif
}

// A dry run reports what the real run does, a file it could not write included, and writes
// nothing.
void TestBatchToolSafety::dryRunReportSaysNothingWasWritten()
{
    BatchToolFixture f;
    f.write(u"a.txt"_s, "cat");
    f.write(u"cp.txt"_s, "\xCA\xEE\xF2 cat"); // "Кот cat": no room for the replacement's 中
    const QStringList job{u"-f"_s,    u"cat"_s,           u"-r"_s,
                          u"dog中"_s, f.path(u"a.txt"_s), f.path(u"cp.txt"_s)};
    const int dryStatus = f.run(QStringList{u"-n"_s} + job);
    QStringList dry = f.out.split(u'\n');
    QCOMPARE(dry.takeFirst(), text(MsgDryRun));
    QCOMPARE(f.read(u"a.txt"_s), QByteArray("cat"));
    f.out.clear();
    QCOMPARE(f.run(job), dryStatus);
    QCOMPARE(dry, f.out.split(u'\n'));
    QCOMPARE(f.read(u"cp.txt"_s), QByteArray("\xCA\xEE\xF2 cat"));
}

void TestBatchToolSafety::helpNamesTheToolAndShowsExamples()
{
    BatchToolFixture f;
    QCOMPARE(f.run({u"--help"_s}), 0);
    QVERIFY(f.out.startsWith(text(MsgCliUsage)));
    QVERIFY(f.out.contains(text(MsgCliExamples)));
    QCOMPARE(f.out.count(u"quorvex-batch -"_s) >= 4, true); // the usage line and three examples
}

void TestBatchToolSafety::everyExtension()
{
    BatchToolFixture f;
    f.write(u"d/a.xyz"_s, "cat");
    f.write(u"d/noext"_s, "cat");
    QCOMPARE(f.run({u"-e"_s, u"*"_s, u"-f"_s, u"cat"_s, u"-r"_s, u"dog"_s, f.path(u"d"_s)}), 0);
    QCOMPARE(f.read(u"d/a.xyz"_s), QByteArray("dog"));
    QCOMPARE(f.read(u"d/noext"_s), QByteArray("dog"));
}

// Without a way to answer, the tool aborts by itself: it first says why.
void TestBatchToolSafety::backupFailureSaysWhy()
{
    BatchToolFixture f;
    const QString file = f.write(u"docs/a.txt"_s, "cat");
    const QString backup = f.path(u"bak"_s);
    // A regular file where the mirrored folder must go.
    f.write(u"bak"_s + file.section(u'/', 0, 1), "in the way");
    QCOMPARE(f.run({u"-f"_s, u"cat"_s, u"-r"_s, u"dog"_s, u"-b"_s, backup, file}), 2);
    QCOMPARE(f.read(u"docs/a.txt"_s), QByteArray("cat"));
    QVERIFY2(f.err.contains(u"quorvex-batch: "_s + start(MsgCliBackupAbort)
                            + start(MsgCannotCreateFolder)),
             qPrintable(f.err));
    QVERIFY(f.err.contains(text(MsgAborted)));
}

void TestBatchToolSafety::languageChoice_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QString>("language");

    QTest::newRow("russian locale") << QStringList{} << QByteArray("ru_RU.UTF-8") << u"ru"_s;
    QTest::newRow("C locale") << QStringList{} << QByteArray("C") << u"en"_s;
    QTest::newRow("no locale") << QStringList{} << QByteArray() << u"en"_s;
    QTest::newRow("option wins") << QStringList{u"--lang"_s, u"en"_s} << QByteArray("ru_RU")
                                 << u"en"_s;
    QTest::newRow("option with =") << QStringList{u"--lang=ru"_s} << QByteArray("en_GB") << u"ru"_s;
}

void TestBatchToolSafety::languageChoice()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, locale);
    QFETCH(QString, language);
    arguments.prepend(u"quorvex-batch"_s);
    QCOMPARE(BatchTool::chooseLanguage(arguments, locale), language);
}

void TestBatchToolSafety::translatedSourcePlugsIn()
{
    BatchToolFixture f;
    const Tagged english;
    f.tool.setMessageSource(u"en"_s, &english);
    f.environment.locale = "C";
    f.write(u"a.txt"_s, "cat");
    QCOMPARE(f.run({u"-f"_s, u"cat"_s, f.path(u"a.txt"_s)}), 0);
    QVERIFY2(f.out.contains(u"EN%1 "_s.arg(int(MsgTotalHits))), qPrintable(f.out));
    f.out.clear();
    QCOMPARE(f.run({u"--lang"_s, u"ru"_s, u"-f"_s, u"cat"_s, f.path(u"a.txt"_s)}), 0);
    QVERIFY(!f.out.contains(u"EN"_s));
}

QTEST_GUILESS_MAIN(TestBatchToolSafety)
#include "tst_batchtoolsafety.moc"
