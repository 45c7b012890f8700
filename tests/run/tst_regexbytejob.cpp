// A file whose regular expression is searched in parts on several threads must be counted and
// written exactly as by one search.
#include "engine/EngineState.h"
#include "engine/ReplacementBuilder.h"
#include "run/PatternLineBreaks.h"
#include "run/RegexByteJob.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Outcome {
    FileJobResult::Kind kind;
    qsizetype hits;
    qsizetype replacements;
    bool changed;
    QByteArray written;

    bool operator==(const Outcome &) const = default;
};

Outcome runJob(const QString &path, const QString &pattern, const QString &replacement,
               RegexByteJob::Mode mode, int workers)
{
    const bool replacing = mode != RegexByteJob::Mode::Count;
    EngineState state;
    state.SearchText = pattern;
    state.FindRegex = true;
    state.ReplaceWildcards = true;
    if (state.CompileRegexSearch(true) || state.CompileRegexReplacement(replacement, false))
        qFatal("pattern not compiled");
    ReplacementBuilder(state).PrepareReplacement(replacement);
    PatternLineBreaks breaks;
    breaks.Capture(state, replacing);
    std::optional<RegexByteJob> job = RegexByteJob::of(state, breaks, true, mode, false);
    if (!job)
        qFatal("no job");
    job->splitOver(workers, 0); // every file is large enough
    const FileJobResult result = job->process(path);
    Outcome outcome{result.kind, result.hits, result.replacements, result.changed, {}};
    if (result.pending) {
        QFile file(result.pending->temp);
        if (file.open(QIODevice::ReadOnly))
            outcome.written = file.readAll();
        QFile::remove(result.pending->temp);
    }
    return outcome;
}

} // namespace

class TestRegexByteJob : public QObject {
    Q_OBJECT

private slots:
    void partsWriteAsOne_data();
    void partsWriteAsOne();
};

void TestRegexByteJob::partsWriteAsOne_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("limit"); // the search reaches the step limit: left to the documents
    using M = RegexByteJob::Mode;
    auto row = [](const char *name, const QString &pattern, const QString &replacement, M mode,
                  bool limit = false) {
        QTest::newRow(name) << pattern << replacement << int(mode) << limit;
    };
    row("addresses", u"(\\w+)@(\\w+)\\.com"_s, u"$2 at $1"_s, M::Replace);
    row("tags", u"<b>(.*?)</b>"_s, u"[$1]"_s, M::Replace);
    row("empty matches", u"x*"_s, u"-"_s, M::Replace);
    row("line starts", u"^"_s, u"> "_s, M::Replace);
    row("count word starts", u"\\b\\w"_s, QString(), M::Count);
    row("dry run", u"\\w+@"_s, u"@"_s, M::CountReplaceable);
    row("limit hit", u"(a+)+b"_s, u"x"_s, M::Replace, true);
}

void TestRegexByteJob::partsWriteAsOne()
{
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(int, mode);
    QFETCH(bool, limit);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"large.txt"_s);
    QByteArray text;
    for (int line = 0; text.size() < 300'000; ++line) {
        text += u"Line %1: mail u%1@h%2.com or Иван@почта.com, <b>bold x%1</b>\r\n xx\r\n"_s
                    .arg(line)
                    .arg(line % 7)
                    .toUtf8();
        if (line == 2000)
            text += QByteArray(40, 'a') + "c\r\n";
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    const Outcome one = runJob(path, pattern, replacement, RegexByteJob::Mode(mode), 1);
    QCOMPARE(one.kind, limit ? FileJobResult::Kind::Fallback : FileJobResult::Kind::Done);
    QVERIFY(limit || one.hits > 0);
    for (const int workers : {2, 3, 7})
        QVERIFY2(runJob(path, pattern, replacement, RegexByteJob::Mode(mode), workers) == one,
                 qPrintable(QString::number(workers)));
}

QTEST_GUILESS_MAIN(TestRegexByteJob)
#include "tst_regexbytejob.moc"
