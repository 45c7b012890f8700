#include "engine/EngineState.h"
#include "engine/OccurrenceFinder.h"

#include <QTest>

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

    QTest::newRow("plain, case ignored") << u"AB"_qs << false << false << u"xaby"_qs << 0 << 1 << 2;
    QTest::newRow("plain, case kept") << u"AB"_qs << false << true << u"xaby"_qs << 0 << -1 << 2;
    QTest::newRow("plain brackets are literal")
        << u"[*]"_qs << false << true << u"a[*]"_qs << 0 << 1 << 3;
    QTest::newRow("plain from the middle")
        << u"aa"_qs << false << true << u"aaaa"_qs << 1 << 1 << 2;
    QTest::newRow("plain start past the end")
        << u"a"_qs << false << true << u"aaa"_qs << 4 << -1 << 1;
    QTest::newRow("plain start at the end")
        << u"a"_qs << false << true << u"aaa"_qs << 3 << -1 << 1;
    QTest::newRow("fixed gap in the middle")
        << u"ab[2?]cd"_qs << true << false << u"abXYZcd abXYcd"_qs << 0 << 8 << 6;
    QTest::newRow("leading fixed gap slides")
        << u"[3?]x"_qs << true << false << u"12345x"_qs << 0 << 2 << 4;
    QTest::newRow("leading fixed gap too long")
        << u"[3?]x"_qs << true << false << u"12x"_qs << 0 << -1 << 0;
    QTest::newRow("trailing fixed gap")
        << u"ab[2?]"_qs << true << false << u"zzab12"_qs << 0 << 2 << 4;
    QTest::newRow("trailing gap passes the end")
        << u"ab[2?]"_qs << true << false << u"zzab1"_qs << 0 << -1 << 0;
    QTest::newRow("lazy star") << u"<b>[*]</b>"_qs << true << false << u"<b>one</b> <b>two</b>"_qs
                               << 0 << 0 << 10;
    QTest::newRow("lazy star from 1")
        << u"<b>[*]</b>"_qs << true << false << u"<b>one</b> <b>two</b>"_qs << 1 << 11 << 10;
    QTest::newRow("earliest first block wins")
        << u"x[*]y[*]z"_qs << true << false << u"x1y2 x3y4z"_qs << 0 << 0 << 10;
    QTest::newRow("gap limit: 2 is not more than 2")
        << u"a[2*]b"_qs << true << false << u"axxb"_qs << 0 << -1 << 0;
    QTest::newRow("gap limit: 3 is more than 2")
        << u"a[2*]b"_qs << true << false << u"axxxb"_qs << 0 << 0 << 5;
    QTest::newRow("star never retries a later literal")
        << u"a[2*]b"_qs << true << false << u"axbxxxb"_qs << 0 << -1 << 0;
    QTest::newRow("upper gap limit")
        << u"a[-3*]b"_qs << true << false << u"a1234b a1b"_qs << 0 << 7 << 3;
    QTest::newRow("upper limit allows 2")
        << u"a[-3*]b"_qs << true << false << u"a12b"_qs << 0 << 0 << 4;
    QTest::newRow("upper limit refuses 3")
        << u"a[-3*]b"_qs << true << false << u"a123b"_qs << 0 << -1 << 0;
    QTest::newRow("empty star with upper limit")
        << u"a[-3*]b"_qs << true << false << u"ab"_qs << 0 << 0 << 2;
    QTest::newRow("one character") << u"[?]"_qs << true << false << u"abc"_qs << 0 << 0 << 1;
    QTest::newRow("one character at the end")
        << u"[?]"_qs << true << false << u"abc"_qs << 3 << -1 << 0;
    QTest::newRow("wildcard start past the end")
        << u"b"_qs << true << false << u"abc"_qs << 7 << -1 << 0;
    QTest::newRow("zero-width gap at the end")
        << u"[0?]"_qs << true << false << u"abc"_qs << 3 << 3 << 0;
    QTest::newRow("zero-width gap past the end")
        << u"[0?]"_qs << true << false << u"abc"_qs << 4 << -1 << 0;
    QTest::newRow("literal after a gap must be exact")
        << u"a[2?]b"_qs << true << true << u"a12xb a34b"_qs << 0 << 6 << 4;
    QTest::newRow("literal after star moves to lengthen it")
        << u"<[*]>[2?]!"_qs << true << true << u"<a>b>cd!"_qs << 0 << 0 << 8;
    QTest::newRow("two leading fixed gaps scan forward")
        << u"[2?][3?]x"_qs << true << true << u"1234567x"_qs << 0 << 2 << 6;
    QTest::newRow("case-insensitive cyrillic")
        << u"ПРИВЕТ[*]мир"_qs << true << false << u"Ну привет, Мир!"_qs << 0 << 3 << 11;
    QTest::newRow("case-sensitive cyrillic")
        << u"ПРИВЕТ"_qs << false << true << u"Ну привет"_qs << 0 << -1 << 6;
    QTest::newRow("line breaks compare exactly")
        << u"a\r\nb"_qs << false << false << u"a\nb a\r\nB"_qs << 0 << 4 << 4;
    QTest::newRow("multi-line wildcard")
        << u"<p>[*]\r\n"_qs << true << false << u"x<p>one\r\ntwo"_qs << 0 << 1 << 8;
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
    Search search(u"a[?]"_qs, true);
    qsizetype length = 0;
    QCOMPARE(search.finder.FindMasked(DocumentView(u"xab"_qs), 0, length), 1);
    QCOMPARE(length, 2);
    QCOMPARE(search.finder.FindMasked(DocumentView(u"xab"_qs), 2, length), -1);
    QCOMPARE(length, 2);
}

void TestOccurrenceFinder::plainModeAlwaysSetsLength()
{
    Search search(u"abc"_qs, false);
    qsizetype length = 99;
    QCOMPARE(search.finder.FindOccurrence(DocumentView(u"xyz"_qs), 0, length, false), -1);
    QCOMPARE(length, 3);
}

void TestOccurrenceFinder::emptyWildcardPatternFindsNothing()
{
    Search search(u"[*][q]"_qs, true);
    QCOMPARE(search.state.FindBlockCount, 0);
    qsizetype length = 0;
    QCOMPARE(search.finder.FindMasked(DocumentView(u"abc"_qs), 0, length), -1);
}

void TestOccurrenceFinder::blockPositionsOfTheMatch()
{
    Search search(u"<a href=[*1]>[*2]</a>"_qs, true);
    const QString text = u"<p><a href='x.htm'>Home</a></p>"_qs;
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
    const QString whole = u"abc abc abc"_qs;
    const DocumentView window(QStringView(whole).sliced(4), 4);
    Search search(u"a[?]c"_qs, true);
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

    QTest::newRow("found") << u"hello world"_qs << u"world"_qs << 0 << 11 << true << 6;
    QTest::newRow("must lie wholly inside")
        << u"hello world"_qs << u"world"_qs << 0 << 10 << true << -1;
    QTest::newRow("range start") << u"abab"_qs << u"ab"_qs << 1 << 3 << true << 2;
    QTest::newRow("zero length") << u"abab"_qs << u"ab"_qs << 0 << 0 << true << -1;
    QTest::newRow("negative length") << u"abab"_qs << u"ab"_qs << 0 << -3 << true << -1;
    QTest::newRow("start at the end") << u"abab"_qs << u"b"_qs << 4 << 1 << true << -1;
    QTest::newRow("latin fold") << u"xHeLLo"_qs << u"hello"_qs << 0 << 6 << false << 1;
    QTest::newRow("cyrillic fold") << u"Съешь ЕЩЁ этих"_qs << u"ещё"_qs << 0 << 14 << false << 6;
    QTest::newRow("cyrillic kept") << u"Съешь ЕЩЁ этих"_qs << u"ещё"_qs << 0 << 14 << true << -1;
    QTest::newRow("digits exact") << u"a1b2"_qs << u"B2"_qs << 0 << 4 << false << 2;
    QTest::newRow("long needle, long text") << QString(u"x"_qs.repeated(600) + u"NeedleInHay"_qs)
                                            << u"needleinhay"_qs << 0 << 611 << false << 600;
    QTest::newRow("long needle, case kept") << QString(u"x"_qs.repeated(600) + u"NeedleInHay"_qs)
                                            << u"needleinhay"_qs << 0 << 611 << true << -1;
    QTest::newRow("empty literal") << u"abc"_qs << QString() << 0 << 3 << true << -1;
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
    const QStringList patterns{u"a[*]b[2?]c"_qs, u"[1?]a[-2*]a[*]a"_qs, u"[0?][3?]b"_qs,
                               u"a[3*]a[-2*]b"_qs};
    const QString text = u"aabacabbaacbbbaaabcabab"_qs.repeated(4);
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
