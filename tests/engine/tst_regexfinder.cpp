#include "engine/EngineState.h"
#include "engine/OccurrenceFinder.h"
#include "engine/RegexPattern.h"
#include "engine/ReplacementBuilder.h"
#include "run/PatternLineBreaks.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString lineBreakOf(const QString &text)
{
    if (text.contains(u"\r\n"_s) || !(text.contains(u'\n') || text.contains(u'\r')))
        return u"\r\n"_s;
    return text.contains(u'\n') ? u"\n"_s : u"\r"_s;
}

// A regular expression search over `text` as the runs make it: a replace run (each
// replacement followed at once by the search) and a find run (occurrences left as they are).
struct RegexRun {
    EngineState state;
    SearchOptions options;
    QString failure; // "error@offset", "group" or "limit"

    RegexRun(const QString &pattern, const QString &replacement, bool matchCase, bool counters,
             const QString &lineBreak)
    {
        options.MatchCase = matchCase;
        state.SearchText = pattern;
        state.FindRegex = true;
        state.ReplaceWildcards = true;
        if (const auto error = state.CompileRegexSearch(matchCase)) {
            failure = u"error@"_s + QString::number(error->offset);
            return;
        }
        if (state.CompileRegexReplacement(replacement, counters)) {
            failure = u"group"_s;
            return;
        }
        ReplacementBuilder(state).PrepareReplacement(replacement);
        PatternLineBreaks breaks;
        breaks.Capture(state, true);
        breaks.Apply(state, lineBreak);
    }

    QString replaceAll(QString text)
    {
        const OccurrenceFinder finder(state, options);
        ReplacementBuilder builder(state);
        qsizetype pos = 0;
        qsizetype length = 0;
        for (qsizetype at;
             (at = finder.FindOccurrence(DocumentView(text), pos, length, false)) >= 0;) {
            state.MatchStart = at;
            const qsizetype from = state.ReplacementSource();
            builder.BuildReplacement(DocumentView(QStringView(text).sliced(from), from));
            text.replace(at, length, state.ReplaceText);
            pos = at + state.ReplaceLen + (length == 0 ? 1 : 0);
        }
        return state.PatternLimitHit() ? u"limit"_s : text;
    }

    int count(const QString &text)
    {
        const OccurrenceFinder finder(state, options);
        int hits = 0;
        state.NextSearchPos = 0;
        for (;;) {
            state.MatchStart = finder.FindOccurrence(DocumentView(text), state.NextSearchPos,
                                                     state.MatchLength, false);
            if (state.MatchStart < 0)
                return hits;
            ++hits;
            state.NextSearchPos = state.PastOccurrence();
        }
    }
};

} // namespace

class TestRegexFinder : public QObject {
    Q_OBJECT

private slots:
    void semantics_data();
    void semantics();
    void viewFromContextFindsLineStarts();
};

void TestRegexFinder::semantics_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("counters");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("replaced"); // or the failure
    QTest::addColumn<int>("found"); // occurrences a find run counts

    const QString aLot = QString(3000, u'a') + u'b';
    // Line breaks: the file's own, whichever it is.
    QTest::newRow("dot stops at CR LF")
        << u"a.b"_s << u"X"_s << true << false << u"a\r\nb a-b"_s << u"a\r\nb X"_s << 1;
    QTest::newRow("(?s) dot crosses it")
        << u"(?s)a.+b"_s << u"X"_s << true << false << u"a\r\nb"_s << u"X"_s << 1;
    QTest::newRow("\\n is CR LF") << u"a\\nb"_s << u"X"_s << true << false << u"a\r\nb"_s << u"X"_s
                                  << 1;
    QTest::newRow("\\n is LF") << u"a\\nb"_s << u"X"_s << true << false << u"a\nb\r"_s << u"X\r"_s
                               << 1;
    QTest::newRow("\\n is CR") << u"a\\n+b"_s << u"X"_s << true << false << u"a\r\rb"_s << u"X"_s
                               << 1;
    QTest::newRow("typed break in a class")
        << u"a[\\n]b"_s << u"X"_s << true << false << u"a\nb"_s << u"X"_s << 1;
    QTest::newRow("$ before CR LF")
        << u"$"_s << u"!"_s << true << false << u"a\r\nb"_s << u"a!\r\nb!"_s << 2;
    QTest::newRow("^ after a deletion")
        << u"^a"_s << QString() << true << false << u"aaa\r\naa"_s << u"aa\r\na"_s << 2;
    QTest::newRow("^ after an inserted break")
        << u"^b"_s << u"\\nb"_s << true << false << u"bb"_s << u"\r\nbb"_s << 1;
    // Empty matches move on one character, never into a CR LF.
    QTest::newRow("empty matches")
        << u"x*"_s << u"-"_s << true << false << u"ab"_s << u"-a-b-"_s << 3;
    QTest::newRow("empty match not in CR LF")
        << u"x*"_s << u"-"_s << true << false << u"a\r\nb"_s << u"-a-\r\n-b-"_s << 4;
    QTest::newRow("empty match not in a pair")
        << u"x*"_s << u"-"_s << true << false << u"\U0001F600"_s << u"-\U0001F600-"_s << 2;
    // Unicode and case.
    QTest::newRow("Cyrillic without case")
        << u"привет"_s << u"X"_s << false << false << u"ПРИВЕТ мир"_s << u"X мир"_s << 1;
    QTest::newRow("Cyrillic with case")
        << u"привет"_s << u"X"_s << true << false << u"ПРИВЕТ мир"_s << u"ПРИВЕТ мир"_s << 0;
    QTest::newRow("\\w takes ё") << u"\\w+"_s << u"<$0>"_s << true << false << u"ёж, Ёж"_s
                                 << u"<ёж>, <Ёж>"_s << 2;
    QTest::newRow("lookbehind") << u"(?<=a)b"_s << u"X"_s << true << false << u"abab"_s << u"aXaX"_s
                                << 2;
    QTest::newRow("lookbehind sees a replacement")
        << u"(?<=a)b"_s << u"a"_s << true << false << u"abb"_s << u"aaa"_s << 1;
    QTest::newRow("\\b sees a replacement")
        << u"\\bb"_s << u" "_s << true << false << u"bb"_s << u"  "_s << 1;
    QTest::newRow("no overlap") << u"aa"_s << u"b"_s << true << false << u"aaaaa"_s << u"bba"_s
                                << 2;
    // References and escapes of the replacement.
    QTest::newRow("groups") << u"(\\w+)@(\\w+)\\.com"_s << u"$2 at $1"_s << true << false
                            << u"ann@mail.com"_s << u"mail at ann"_s << 1;
    QTest::newRow("group before its match")
        << u"(y)\\K\\."_s << u"[$1]"_s << true << false << u"xy.z"_s << u"xy[y]z"_s << 1;
    QTest::newRow("named group") << u"(?<user>\\w+)@"_s << u"${user}!"_s << true << false
                                 << u"ann@x"_s << u"ann!x"_s << 1;
    QTest::newRow("$$ \\t \\\\") << u"b"_s << u"$$\\t\\\\"_s << true << false << u"abc"_s
                                 << u"a$\t\\c"_s << 1;
    QTest::newRow("\\n in an LF file")
        << u","_s << u"\\n"_s << true << false << u"a,b\nc"_s << u"a\nb\nc"_s << 1;
    QTest::newRow("$10 with one group")
        << u"(a)"_s << u"$10"_s << true << false << u"a"_s << u"a0"_s << 1;
    QTest::newRow("unset group") << u"(x)?a"_s << u"[$1]"_s << true << false << u"a"_s << u"[]"_s
                                 << 1;
    QTest::newRow("running numbers")
        << u"x"_s << u"[1I]"_s << true << true << u"x x x"_s << u"1 2 3"_s << 3;
    QTest::newRow("brackets without wildcards")
        << u"x"_s << u"[1I]"_s << true << false << u"x"_s << u"[1I]"_s << 1;
    // Refusals and limits.
    QTest::newRow("bad pattern") << u"a(b"_s << u"X"_s << true << false << u"ab"_s << u"error@3"_s
                                 << 0;
    QTest::newRow("no such group")
        << u"a"_s << u"${nope}"_s << true << false << u"a"_s << u"group"_s << 0;
    QTest::newRow("group number too high")
        << u"a"_s << u"$2"_s << true << false << u"a"_s << u"group"_s << 0;
    QTest::newRow("catastrophic backtracking")
        << u"(a+)+$"_s << u"X"_s << true << false << aLot << u"limit"_s << 0;
}

void TestRegexFinder::semantics()
{
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(bool, matchCase);
    QFETCH(bool, counters);
    QFETCH(QString, text);
    QFETCH(QString, replaced);
    QFETCH(int, found);

    RegexRun replacing(pattern, replacement, matchCase, counters, lineBreakOf(text));
    if (!replacing.failure.isEmpty()) {
        QCOMPARE(replacing.failure, replaced);
        return;
    }
    QCOMPARE(replacing.replaceAll(text), replaced);
    RegexRun finding(pattern, replacement, matchCase, counters, lineBreakOf(text));
    QCOMPARE(finding.count(text), found);
    QCOMPARE(finding.state.PatternLimitHit(), replaced == u"limit");
}

// A view that begins at the search's start knows nothing before it; the finder asks for room.
void TestRegexFinder::viewFromContextFindsLineStarts()
{
    RegexRun run(u"^b|(?<=x)c"_s, QString(), true, false, u"\r\n"_s);
    const QString text = u"abxc"_s;
    const OccurrenceFinder finder(run.state, run.options);
    for (qsizetype start = 1; start <= 3; ++start) {
        const qsizetype base = finder.ViewStart(start);
        const DocumentView view(QStringView(text).sliced(base), base);
        qsizetype length = 0;
        QCOMPARE(finder.FindOccurrence(view, start, length, false), 3);
    }
    // Patterns that look behind are searched in the text as it stands (never streamed).
    QVERIFY(run.state.PatternLooksBehind());
    for (const QString &pattern : {u"\\bx"_s, u"(?<!y)x"_s})
        QVERIFY(RegexPattern::compile(pattern, true, u"\n", nullptr)->looksBehind());
    QVERIFY(!RegexPattern::compile(u"^x$"_s, true, u"\n", nullptr)->looksBehind());
}

QTEST_GUILESS_MAIN(TestRegexFinder)
#include "tst_regexfinder.moc"
