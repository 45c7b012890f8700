// JSON told from files' bytes against JSON told from their documents: the same runs over the
// same edge-case files must print the same lines and leave the same bytes on disk.
#include "cli/TerminalHost.h"
#include "document/Cp1251.h"
#include "run/QuorvexCore.h"
#include "run/RunHostRelay.h"
#include "run/RunRequest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Sample {
    const char *name;
    QByteArray bytes;
};

QByteArray cp1251(const QString &text)
{
    QByteArray bytes;
    Cp1251::encode(text, bytes);
    return bytes;
}

QList<Sample> samples()
{
    const QString russian = u"Привет, cat!\r\nПРИВЕТ\r\n\r\nпривет caT привет"_s;
    return {
        {"edges.txt", "cat at the start, cat\n\nand at the end: cat"},
        {"crlf.txt", "one cat\r\n\r\ntwo CAT\r\nthree\r\ncat"},
        {"cr.txt", "\rcat\r\rcAt\r"},
        {"mixed.txt", "\n\r\r\ncat\r\n\ncat\n\rcat"},
        // Put in place by nothing, an occurrence between a CR and an LF joins them.
        {"joins.txt", "\rcat\ncat\r\rcat\ncat"},
        {"overlap.txt", "aaaa\r\naaa cat"},
        {"empty.txt", ""},
        {"utf8.txt", (russian + u" 😀 cat 😀\n😀"_s).toUtf8()},
        {"bom.txt", "\xEF\xBB\xBF" + russian.toUtf8()},
        {"cp1251.txt", cp1251(russian)},
        {"bom-1251.txt", "\xEF\xBB\xBF" + cp1251(russian)},
        {"cp1251.htm", "<meta charset=windows-1251>\r\n" + cp1251(russian)},
        {"koi8.htm", "<meta charset=koi8-r>\n\xf0\xd2\xc9 cat"},
        {"nul.txt", QByteArray("cat\0cat", 7)},
    };
}

// Counts the files read into documents: those the byte path left to the run.
class CountingHost : public RunHostRelay {
public:
    using RunHostRelay::RunHostRelay;
    void DocumentLoaded(const Document &document) override
    {
        ++loads;
        RunHostRelay::DocumentLoaded(document);
    }
    int loads = 0;
};

struct Outcome {
    QString json;
    QStringList files;
    int loads = 0;
};

Outcome runOver(bool bytePath, const QString &search, const QString &replacement, bool replace,
                bool matchCase, bool dryRun)
{
    QTemporaryDir dir;
    QStringList files;
    for (const Sample &s : samples()) {
        QFile file(dir.filePath(QString::fromLatin1(s.name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(s.bytes) != s.bytes.size())
            qFatal("cannot write %s", s.name);
        files << file.fileName();
    }
    // Listed again and reached through a link: told once; and a file that is not there.
    QFile::link(files.first(), dir.filePath(u"link.txt"_s));
    files << files.first() << dir.filePath(u"link.txt"_s) << dir.filePath(u"missing.txt"_s);

    QString input;
    QString out;
    QString err;
    QTextStream in(&input);
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const MessageCatalogue messages;
    TerminalHost::Settings settings;
    settings.json = true;
    settings.replaceMode = replace;
    TerminalHost terminal(settings, messages, in, outStream, errStream);
    CountingHost host(terminal);
    QuorvexCore core(host);
    core.options.SetProgramFolder(dir.filePath(u"program"_s));
    core.options.ConfirmReplace = false;
    core.options.KeepJournal = false;
    core.options.SearchOptions.MatchCase = matchCase;
    RunRequest request;
    request.files = files;
    request.searchPattern = search;
    request.replacementPattern = replacement;
    request.replaceMode = replace;
    request.dryRun = dryRun;
    request.sync = SyncPolicy::None;
    request.bytePath = bytePath;
    request.reportsOccurrences = true;
    request.workers = 2;
    request.unattended = true;
    core.driver.ProcessFilesExecute(request);
    outStream.flush();

    Outcome outcome{out.replace(dir.path(), u"@"_s), {}, host.loads};
    for (const Sample &s : samples()) {
        QFile file(dir.filePath(QString::fromLatin1(s.name)));
        file.open(QIODevice::ReadOnly);
        outcome.files << QString::fromLatin1(s.name) + u": "_s
                + QString::fromLatin1(file.readAll().toHex());
    }
    return outcome;
}

} // namespace

class TestJsonBytePath : public QObject {
    Q_OBJECT

private slots:
    void sameJson_data();
    void sameJson();
};

void TestJsonBytePath::sameJson_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("dryRun");

    QTest::newRow("count") << u"cat"_s << QString() << false << true << false;
    QTest::newRow("count, any case") << u"CAT"_s << QString() << false << false << false;
    QTest::newRow("count overlapping") << u"aa"_s << QString() << false << true << false;
    QTest::newRow("replace") << u"cat"_s << u"dog"_s << true << true << false;
    QTest::newRow("replace by nothing") << u"cat"_s << QString() << true << false << false;
    QTest::newRow("replace by Cyrillic") << u"cat"_s << u"кот"_s << true << true << false;
    QTest::newRow("replace, dry run") << u"cat"_s << u"dog"_s << true << true << true;
    QTest::newRow("count Cyrillic, any case")
        << u"привет"_s << QString() << false << false << false;
    QTest::newRow("replace Cyrillic") << u"Привет"_s << u"Пока"_s << true << true << false;
    QTest::newRow("count beyond U+FFFF") << u"😀"_s << QString() << false << true << false;
}

void TestJsonBytePath::sameJson()
{
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(bool, replace);
    QFETCH(bool, matchCase);
    QFETCH(bool, dryRun);
    const Outcome general = runOver(false, search, replacement, replace, matchCase, dryRun);
    const Outcome bytes = runOver(true, search, replacement, replace, matchCase, dryRun);
    QCOMPARE(bytes.json.split(u'\n'), general.json.split(u'\n'));
    QCOMPARE(bytes.files, general.files);
    // Most files went as bytes; the general path read them all.
    QVERIFY2(bytes.loads * 2 < general.loads,
             qPrintable(u"%1 of %2"_s.arg(bytes.loads).arg(general.loads)));
}

QTEST_GUILESS_MAIN(TestJsonBytePath)
#include "tst_jsonbytepath.moc"
