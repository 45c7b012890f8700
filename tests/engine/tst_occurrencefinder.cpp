#include "engine/EngineState.h"
#include "engine/OccurrenceFinder.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Search {
    EngineState state;
    SearchOptions options;
    OccurrenceFinder finder{state, options};

    Search(const QString &pattern, bool wildcards, bool matchCase = false)
    {
        state.SearchText = pattern;
        state.SearchLen = pattern.size();
        options.MatchCase = matchCase;
        if (wildcards)
            state.CompileSearchPattern();
    }
};

} // namespace

class TestOccurrenceFinder : public QObject {
    Q_OBJECT

private slots:
    void find_data();
    void find();
    void failedWildcardSearchKeepsLength();
    void plainModeAlwaysSetsLength();
    void emptyWildcardPatternFindsNothing();
    void blockPositionsOfTheMatch();
    void searchesAWindow();
    void findLiteral_data();
    void findLiteral();
    void everyStartTerminates();
};

void TestOccurrenceFinder::find_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("wildcards");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("matchStart");
    QTest::addColumn<int>("matchLength");

    QTest::newRow("plain, case ignored") << u"AB"_s << false << false << u"xaby"_s << 0 << 1 << 2;
    QTest::newRow("plain, case kept") << u"AB"_s << false << true << u"xaby"_s << 0 << -1 << 2;
    QTest::newRow("plain brackets are literal")
        << u"[*]"_s << false << true << u"a[*]"_s << 0 << 1 << 3;
    QTest::newRow("plain from the middle") << u"aa"_s << false << true << u"aaaa"_s << 1 << 1 << 2;
    QTest::newRow("plain start past the end")
        << u"a"_s << false << true << u"aaa"_s << 4 << -1 << 1;
    QTest::newRow("plain start at the end") << u"a"_s << false << true << u"aaa"_s << 3 << -1 << 1;
    QTest::newRow("fixed gap in the middle")
        << u"ab[2?]cd"_s << true << false << u"abXYZcd abXYcd"_s << 0 << 8 << 6;
    QTest::newRow("leading fixed gap slides")
        << u"[3?]x"_s << true << false << u"12345x"_s << 0 << 2 << 4;
    QTest::newRow("leading fixed gap too long")
        << u"[3?]x"_s << true << false << u"12x"_s << 0 << -1 << 0;
    QTest::newRow("trailing fixed gap")
        << u"ab[2?]"_s << true << false << u"zzab12"_s << 0 << 2 << 4;
    QTest::newRow("trailing gap passes the end")
        << u"ab[2?]"_s << true << false << u"zzab1"_s << 0 << -1 << 0;
    QTest::newRow("lazy star") << u"<b>[*]</b>"_s << true << false << u"<b>one</b> <b>two</b>"_s
                               << 0 << 0 << 10;
    QTest::newRow("lazy star from 1")
        << u"<b>[*]</b>"_s << true << false << u"<b>one</b> <b>two</b>"_s << 1 << 11 << 10;
    QTest::newRow("earliest first block wins")
        << u"x[*]y[*]z"_s << true << false << u"x1y2 x3y4z"_s << 0 << 0 << 10;
    QTest::newRow("gap limit: 2 is not more than 2")
        << u"a[2*]b"_s << true << false << u"axxb"_s << 0 << -1 << 0;
    QTest::newRow("gap limit: 3 is more than 2")
        << u"a[2*]b"_s << true << false << u"axxxb"_s << 0 << 0 << 5;
    QTest::newRow("star never retries a later literal")
        << u"a[2*]b"_s << true << false << u"axbxxxb"_s << 0 << -1 << 0;
    QTest::newRow("upper gap limit")
        << u"a[-3*]b"_s << true << false << u"a1234b a1b"_s << 0 << 7 << 3;
    QTest::newRow("upper limit allows 2")
        << u"a[-3*]b"_s << true << false << u"a12b"_s << 0 << 0 << 4;
    QTest::newRow("upper limit refuses 3")
        << u"a[-3*]b"_s << true << false << u"a123b"_s << 0 << -1 << 0;
    QTest::newRow("empty star with upper limit")
        << u"a[-3*]b"_s << true << false << u"ab"_s << 0 << 0 << 2;
    QTest::newRow("one character") << u"[?]"_s << true << false << u"abc"_s << 0 << 0 << 1;
    QTest::newRow("one character at the end")
        << u"[?]"_s << true << false << u"abc"_s << 3 << -1 << 0;
    QTest::newRow("wildcard start past the end")
        << u"b"_s << true << false << u"abc"_s << 7 << -1 << 0;
    QTest::newRow("zero-width gap at the end")
        << u"[0?]"_s << true << false << u"abc"_s << 3 << 3 << 0;
    QTest::newRow("zero-width gap past the end")
        << u"[0?]"_s << true << false << u"abc"_s << 4 << -1 << 0;
    QTest::newRow("literal after a gap must be exact")
        << u"a[2?]b"_s << true << true << u"a12xb a34b"_s << 0 << 6 << 4;
    QTest::newRow("literal after star moves to lengthen it")
        << u"<[*]>[2?]!"_s << true << true << u"<a>b>cd!"_s << 0 << 0 << 8;
    QTest::newRow("two leading fixed gaps scan forward")
        << u"[2?][3?]x"_s << true << true << u"1234567x"_s << 0 << 2 << 6;
    QTest::newRow("case-insensitive cyrillic")
        << u"ПРИВЕТ[*]мир"_s << true << false << u"Ну привет, Мир!"_s << 0 << 3 << 11;
    QTest::newRow("case-sensitive cyrillic")
        << u"ПРИВЕТ"_s << false << true << u"Ну привет"_s << 0 << -1 << 6;
    QTest::newRow("line breaks compare exactly")
        << u"a\r\nb"_s << false << false << u"a\nb a\r\nB"_s << 0 << 4 << 4;
    QTest::newRow("multi-line wildcard")
        << u"<p>[*]\r\n"_s << true << false << u"x<p>one\r\ntwo"_s << 0 << 1 << 8;
}

void TestOccurrenceFinder::find()
{
    QFETCH(QString, pattern);
    QFETCH(bool, wildcards);
    QFETCH(bool, matchCase);
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, matchStart);
    QFETCH(int, matchLength);
    Search search(pattern, wildcards, matchCase);
    qsizetype length = 0;
    const qsizetype found
        = search.finder.FindOccurrence(DocumentView(text), start, length, wildcards);
    QCOMPARE(found, qsizetype(matchStart));
    if (matchStart >= 0 || !wildcards)
        QCOMPARE(length, qsizetype(matchLength));
}

void TestOccurrenceFinder::failedWildcardSearchKeepsLength()
{
    Search search(u"a[?]"_s, true);
    qsizetype length = 0;
    QCOMPARE(search.finder.FindMasked(DocumentView(u"xab"_s), 0, length), 1);
    QCOMPARE(length, 2);
    QCOMPARE(search.finder.FindMasked(DocumentView(u"xab"_s), 2, length), -1);
    QCOMPARE(length, 2);
}

void TestOccurrenceFinder::plainModeAlwaysSetsLength()
{
    Search search(u"abc"_s, false);
    qsizetype length = 99;
    QCOMPARE(search.finder.FindOccurrence(DocumentView(u"xyz"_s), 0, length, false), -1);
    QCOMPARE(length, 3);
}

void TestOccurrenceFinder::emptyWildcardPatternFindsNothing()
{
    Search search(u"[*][q]"_s, true);
    QCOMPARE(search.state.FindBlockCount, 0);
    qsizetype length = 0;
    QCOMPARE(search.finder.FindMasked(DocumentView(u"abc"_s), 0, length), -1);
}

void TestOccurrenceFinder::blockPositionsOfTheMatch()
{
    Search search(u"<a href=[*1]>[*2]</a>"_s, true);
    const QString text = u"<p><a href='x.htm'>Home</a></p>"_s;
    qsizetype length = 0;
    QCOMPARE(search.finder.FindMasked(DocumentView(text), 0, length), 3);
    QCOMPARE(length, 24);
    const MaskTable &blocks = search.state.FindBlocks;
    QCOMPARE(search.state.FindBlockCount, 5);
    const QList<qint64> positions{blocks[1].Pos, blocks[2].Pos, blocks[3].Pos,
                                  blocks[4].Pos, blocks[5].Pos, blocks[6].Pos};
    QCOMPARE(positions, (QList<qint64>{3, 11, 18, 19, 23, 27}));
    QVERIFY(blocks[1].Floating);
    QVERIFY(!blocks[2].Floating);
    QVERIFY(blocks[3].Floating);
}

void TestOccurrenceFinder::searchesAWindow()
{
    // A document that has already written out its first part offers only the rest.
    const QString whole = u"abc abc abc"_s;
    const DocumentView window(QStringView(whole).sliced(4), 4);
    Search search(u"a[?]c"_s, true);
    qsizetype length = 0;
    QCOMPARE(search.finder.FindMasked(window, 5, length), 8);
    QCOMPARE(length, 3);
    QCOMPARE(OccurrenceFinder::FindLiteral(window, u"abc", 4, 7, true), 4);
}

void TestOccurrenceFinder::findLiteral_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("literal");
    QTest::addColumn<int>("s");
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<int>("result");

    QTest::newRow("found") << u"hello world"_s << u"world"_s << 0 << 11 << true << 6;
    QTest::newRow("must lie wholly inside")
        << u"hello world"_s << u"world"_s << 0 << 10 << true << -1;
    QTest::newRow("range start") << u"abab"_s << u"ab"_s << 1 << 3 << true << 2;
    QTest::newRow("zero length") << u"abab"_s << u"ab"_s << 0 << 0 << true << -1;
    QTest::newRow("negative length") << u"abab"_s << u"ab"_s << 0 << -3 << true << -1;
    QTest::newRow("start at the end") << u"abab"_s << u"b"_s << 4 << 1 << true << -1;
    QTest::newRow("latin fold") << u"xHeLLo"_s << u"hello"_s << 0 << 6 << false << 1;
    QTest::newRow("cyrillic fold") << u"Съешь ЕЩЁ этих"_s << u"ещё"_s << 0 << 14 << false << 6;
    QTest::newRow("cyrillic kept") << u"Съешь ЕЩЁ этих"_s << u"ещё"_s << 0 << 14 << true << -1;
    QTest::newRow("digits exact") << u"a1b2"_s << u"B2"_s << 0 << 4 << false << 2;
    QTest::newRow("long needle, long text") << QString(u"x"_s.repeated(600) + u"NeedleInHay"_s)
                                            << u"needleinhay"_s << 0 << 611 << false << 600;
    QTest::newRow("long needle, case kept") << QString(u"x"_s.repeated(600) + u"NeedleInHay"_s)
                                            << u"needleinhay"_s << 0 << 611 << true << -1;
    QTest::newRow("empty literal") << u"abc"_s << QString() << 0 << 3 << true << -1;
}

void TestOccurrenceFinder::findLiteral()
{
    QFETCH(QString, text);
    QFETCH(QString, literal);
    QFETCH(int, s);
    QFETCH(int, n);
    QFETCH(bool, matchCase);
    QFETCH(int, result);
    QCOMPARE(OccurrenceFinder::FindLiteral(DocumentView(text), literal, s, n, matchCase),
             qsizetype(result));
}

void TestOccurrenceFinder::everyStartTerminates()
{
    // Patterns that make the finder move floating blocks back and forth a lot.
    const QStringList patterns{u"a[*]b[2?]c"_s, u"[1?]a[-2*]a[*]a"_s, u"[0?][3?]b"_s,
                               u"a[3*]a[-2*]b"_s};
    const QString text = u"aabacabbaacbbbaaabcabab"_s.repeated(4);
    for (const QString &pattern : patterns) {
        Search search(pattern, true);
        for (int start = 0; start <= text.size() + 1; ++start) {
            qsizetype length = -1;
            const qsizetype found = search.finder.FindMasked(DocumentView(text), start, length);
            if (found >= 0) {
                QVERIFY2(found >= start && found + length <= text.size(), qPrintable(pattern));
            }
        }
    }
}

QTEST_APPLESS_MAIN(TestOccurrenceFinder)
#include "tst_occurrencefinder.moc"
