// Regular expressions matched on the bytes of UTF-8 files against the general path, which
// matches the decoded text: the same runs over the same files must leave the same bytes on disk
// and write the same report.
#include "RunFixture.h"
#include "document/SingleByteCodePage.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Sample {
    const char *name;
    QByteArray bytes;
};

QByteArray koi8(const QString &text)
{
    QByteArray bytes;
    if (!SingleByteCodePage::of(CodePage::Koi8R).encode(text, bytes))
        qFatal("not KOI8-R text");
    return bytes;
}

// Over a megabyte, written out by a thread of its own; an address now and then.
QByteArray large()
{
    QByteArray bytes;
    const QByteArray filler = QByteArray(98, '-') + '\n';
    for (int line = 0; bytes.size() < (qsizetype(1) << 20) + 100; ++line)
        bytes += line % 200 == 7 ? u"mail u7@h7.com or Иван@почта.com\n"_s.toUtf8() : filler;
    return bytes;
}

QList<Sample> samples(bool withLarge)
{
    QList<Sample> list{
        {"crlf.txt", "foo user1@host.com bar\r\nx@y.com\r\n\r\nend"},
        {"lf.txt", "first line\nuser2@host.com\n\nlast\n"},
        {"cr.txt", "first\ruser3@host.com\r\r"},
        {"mixed.txt", "one\r\ntwo\nthree\rfour"},
        {"none.txt", "no line break at all"},
        {"empty.txt", ""},
        {"ru.txt", u"Привет ПРИВЕТ привет; ёлка ЁЛКА Ёлка.\nВася@почта.com\n"_s.toUtf8()},
        {"folds.txt", u"Kelvin \u212A, long \u017F, ks KS\n"_s.toUtf8()},
        {"astral.txt", u"a\U0001F600b\U0001F600\n\U0001F600"_s.toUtf8()},
        {"bom.txt", "\xEF\xBB\xBFx@y.com first\r\nline"},
        {"ascii-says-1251.htm", "<meta charset=windows-1251> a@b.com"},
        {"ru-1251.txt", "\xcf\xf0\xe8\xe2\xe5\xf2 a@b.com"},
        {"ru-1251.htm", "<meta charset=windows-1251>\xcf\xf0\xe8\xe2\xe5\xf2 \xb8\xeb\xea\xe0"},
        {"bad-utf8.txt", "a@b.com \xC3\x28"},
        {"ru-koi8.txt",
         koi8(u"Когда мы придём домой, будет уже поздно; когда-нибудь всё. a@b.com"_s)},
        {"nul.txt", QByteArray("a@b.com\0x", 9)},
        {"plain-named.rtf", "a@b.com"},
        {"backtrack.txt", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaac b"},
    };
    // Only for patterns that match it seldom: the general path checks its whole document at
    // every match.
    if (withLarge)
        list.append({"large.txt", large()});
    return list;
}

// Files the byte path leaves to the general path: binary, an RTF name, code page 1251 text
// that looks like KOI8-R; when replacing, code page 1251 and bad UTF-8 as well.
constexpr int countLoads = 3;
constexpr int replaceLoads = 6;

struct Outcome {
    QMap<QString, QByteArray> files;
    QStringList report;
    int documentsLoaded = 0; // files that took the general path
};

Outcome runOver(bool bytePath, const QString &search, const QString &replacement, bool replace,
                bool matchCase, bool dryRun, bool withLarge)
{
    RunFixture f;
    f.core.options.ConfirmReplace = false;
    f.core.options.SearchOptions.MatchCase = matchCase;
    QStringList files;
    for (const Sample &s : samples(withLarge))
        files << f.write(QString::fromLatin1(s.name), s.bytes);
    RunRequest request;
    request.files = files;
    request.searchPattern = search;
    request.replacementPattern = replacement;
    request.replaceMode = replace;
    request.dryRun = dryRun;
    request.regex = true;
    request.bytePath = bytePath;
    // One worker: no document is read ahead, so every file the bytes leave is loaded by the run.
    request.workers = 1;
    request.unattended = true;
    request.sync = bytePath ? SyncPolicy::Batch : SyncPolicy::File;
    f.run(request);
    Outcome outcome;
    for (const Sample &s : samples(withLarge)) {
        const QString name = QString::fromLatin1(s.name);
        outcome.files.insert(name, f.read(f.path(name)));
    }
    for (const QString &line : std::as_const(f.host.reportLines))
        outcome.report << QString(line).replace(f.dir.path(), u"@"_s);
    outcome.documentsLoaded = f.host.loads;
    outcome.report << QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden).join(u' ');
    return outcome;
}

} // namespace

class TestRegexBytePath : public QObject {
    Q_OBJECT

private slots:
    void sameBytesAndReport_data();
    void sameBytesAndReport();
};

void TestRegexBytePath::sameBytesAndReport_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("dryRun");
    // Files the run loads itself beyond those the bytes never take (a limit hit, a
    // replacement an ASCII file in code page 1251 cannot hold); -1: the pattern is not matched
    // as bytes at all.
    QTest::addColumn<int>("loadedMore");
    QTest::addColumn<bool>("withLarge");

    auto row = [](const char *name, const QString &search, const QString &replacement, bool replace,
                  bool matchCase, bool dryRun, int loadedMore, bool large = false) {
        QTest::newRow(name) << search << replacement << replace << matchCase << dryRun << loadedMore
                            << large;
    };
    row("groups", u"(\\w+)@(\\w+)\\.com"_s, u"$2 at $1"_s, true, true, false, 0, true);
    row("groups, any case", u"(\\w+)@(\\w+)\\.COM"_s, u"$2 at $1"_s, true, false, false, 0);
    row("count groups", u"(\\w+)@(\\w+)\\.com"_s, QString(), false, true, false, 0, true);
    row("empty matches", u"x*"_s, u"-"_s, true, true, false, 0);
    row("count empty matches", u"(?=.)|$"_s, QString(), false, true, false, 0);
    row("line ends", u"$"_s, u"!"_s, true, true, false, 0);
    row("line starts", u"^"_s, u"> "_s, true, true, false, 0);
    row("the file's line break", u"\\n"_s, u"|\\n|"_s, true, true, false, 0);
    row("a typed line break", u"\r\n"_s, u"/"_s, true, true, false, 0);
    row("Cyrillic, any case", u"привет|ёлка"_s, u"Ъ"_s, true, false, false, 1);
    row("count Cyrillic, case", u"ПРИВЕТ|Ёлка"_s, QString(), false, true, false, 0);
    row("folding letters, any case", u"k|s"_s, u"_"_s, true, false, false, 0);
    row("words, any case", u"\\w+"_s, u"<$0>"_s, true, false, false, 0);
    row("count words, any case", u"\\w+|ЁЛКА"_s, QString(), false, false, false, 0);
    row("dot, dot-all", u"(?s).."_s, u"$0 "_s, true, true, false, 0);
    row("named group, escapes", u"(?<w>\\w)(\\w)"_s, u"${w}$2$$\\t\\\\"_s, true, true, false, 0);
    row("dry run", u"@\\w+"_s, u"@example"_s, true, true, true, 0);
    row("delete", u"[aeiou]"_s, QString(), true, false, false, 0);
    row("limit hit", u"(a+)+b"_s, u"x"_s, true, true, false, 1);
    row("count limit hit", u"(a+)+b"_s, QString(), false, true, false, 1);
    row("group before its match", u"(y)\\K\\."_s, u"[$1]"_s, true, true, false, 0);
    row("group after its match", u"\\.(?=(com))"_s, u"$1."_s, true, true, false, 0);
    row("count looking behind", u"(?<=@)\\w"_s, QString(), false, true, false, 0);
    row("replace looking behind", u"(?<=@)\\w"_s, u"#"_s, true, true, false, -1);
}

void TestRegexBytePath::sameBytesAndReport()
{
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(bool, replace);
    QFETCH(bool, matchCase);
    QFETCH(bool, dryRun);
    QFETCH(int, loadedMore);
    QFETCH(bool, withLarge);
    const Outcome general
        = runOver(false, search, replacement, replace, matchCase, dryRun, withLarge);
    const Outcome bytes = runOver(true, search, replacement, replace, matchCase, dryRun, withLarge);
    for (auto it = general.files.cbegin(); it != general.files.cend(); ++it)
        QVERIFY2(bytes.files.value(it.key()) == it.value(), qPrintable(it.key()));
    QCOMPARE(bytes.report, general.report);
    const int all = int(samples(withLarge).size());
    QCOMPARE(general.documentsLoaded, all);
    const int loads = (replace ? replaceLoads : countLoads) + loadedMore;
    QCOMPARE(bytes.documentsLoaded, loadedMore < 0 ? all : loads);
}

QTEST_GUILESS_MAIN(TestRegexBytePath)
#include "tst_regexbytepath.moc"
