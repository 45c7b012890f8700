#include "EngineTestSupport.h"

#include "engine/EngineState.h"
#include "engine/MaskCompiler.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestMaskCompiler : public QObject {
    Q_OBJECT

private slots:
    void searchPattern_data();
    void searchPattern();
    void replacementPattern_data();
    void replacementPattern();
    void backReferencesNeedSearchWildcards();
    void parseTokenNumber_data();
    void parseTokenNumber();
    void deleteBlocks_data();
    void deleteBlocks();
    void manyBlocksAreNotLimited();
    void recompilingReplacesTheTable();
};

void TestMaskCompiler::searchPattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("blocks");

    QTest::newRow("plain text") << u"hello world"_s << u"L\"hello world\""_s;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("labelled any gap") << u"<a href=[*1]>"_s << u"L\"<a href=\" | *0#1 | L\">\""_s;
    QTest::newRow("fixed gap") << u"ab[2?]cd"_s << u"L\"ab\" | ?2 | L\"cd\""_s;
    QTest::newRow("leading and trailing stars") << u"[*]abc[*]"_s << u"L\"abc\""_s;
    QTest::newRow("close bracket merges") << u"a[C]b"_s << u"L\"a]b\""_s;
    QTest::newRow("open bracket merges") << u"a[O]b"_s << u"L\"a[b\""_s;
    QTest::newRow("gaps around a star collapse") << u"x[?][*][3?]y"_s << u"L\"x\" | *0 | L\"y\""_s;
    QTest::newRow("last star of a run wins") << u"a[1*][?][2*5]b"_s << u"L\"a\" | *2#5 | L\"b\""_s;
    QTest::newRow("first star's label lost") << u"a[*7][*]b"_s << u"L\"a\" | *0 | L\"b\""_s;
    QTest::newRow("invalid token dropped") << u"[x]abc"_s << u"L\"abc\""_s;
    QTest::newRow("text after the number ignored") << u"[3?xyz]a"_s << u"?3 | L\"a\""_s;
    QTest::newRow("plus sign") << u"[+3?]a"_s << u"?3 | L\"a\""_s;
    QTest::newRow("number without letter") << u"[5]a"_s << u"L\"a\""_s;
    QTest::newRow("blank instead of letter") << u"[ * ]a"_s << u"L\"a\""_s;
    QTest::newRow("bracket right after open") << u"[]C]a"_s << u"L\"a\""_s;
    QTest::newRow("labels on gaps") << u"[3?1]-[*2]."_s << u"?3#1 | L\"-\" | *0#2 | L\".\""_s;
    QTest::newRow("lower-case letters") << u"a[c]b[o]"_s << u"L\"a]b[\""_s;
    QTest::newRow("label survives on the run's last piece") << u"x[C1]"_s << u"L\"x]\"#1"_s;
    QTest::newRow("label lost when not last") << u"[C1]x"_s << u"L\"]x\""_s;
    QTest::newRow("only stars") << u"[*][2*]"_s << QString();
    QTest::newRow("only invalid tokens") << u"[q][I][B1]"_s << QString();
    QTest::newRow("replacement tokens invalid in search") << u"a[1I]b[B0]c"_s << u"L\"abc\""_s;
    QTest::newRow("fixed gaps stay apart") << u"[2?][3?]x"_s << u"?2 | ?3 | L\"x\""_s;
    QTest::newRow("blank after letter ignored") << u"[2? ]x"_s << u"?2 | L\"x\""_s;
    QTest::newRow("zero-width gap") << u"a[0?]b"_s << u"L\"a\" | ?0 | L\"b\""_s;
    QTest::newRow("negative fixed gap dropped") << u"a[-2?]b"_s << u"L\"ab\""_s;
    QTest::newRow("negative gap limit") << u"a[-5*]b"_s << u"L\"a\" | *-5 | L\"b\""_s;
    QTest::newRow("sign without digits") << u"a[-*]b"_s << u"L\"a\" | *0 | L\"b\""_s;
    QTest::newRow("largest value means no number")
        << u"a[2147483647?]b"_s << u"L\"a\" | ?1 | L\"b\""_s;
    QTest::newRow("too large means no number")
        << u"a[99999999999*]b"_s << u"L\"a\" | *0 | L\"b\""_s;
    QTest::newRow("unclosed bracket is text") << u"ab[cd"_s << u"L\"ab[cd\""_s;
    QTest::newRow("unclosed after a token") << u"[?]x[*"_s << u"?1 | L\"x[*\""_s;
    QTest::newRow("bracket then close right after") << u"a[]"_s << u"L\"a[]\""_s;
    QTest::newRow("close bracket outside a token") << u"a]b"_s << u"L\"a]b\""_s;
    QTest::newRow("line break is literal") << u"a\r\n[*]b"_s << u"L\"a\r\n\" | *0 | L\"b\""_s;
    QTest::newRow("tokens do not nest") << u"[[?]x"_s << u"L\"x\""_s;
    QTest::newRow("cyrillic letter is no code") << u"a[В]b"_s << u"L\"ab\""_s;
}

void TestMaskCompiler::searchPattern()
{
    QFETCH(QString, pattern);
    QFETCH(QString, blocks);
    EngineState state;
    state.SearchText = pattern;
    state.CompileSearchPattern();
    QCOMPARE(describeBlocks(state.FindBlocks, state.FindBlockCount), blocks);
    QVERIFY(state.FindBlocks.size() >= size_t(state.FindBlockCount) + 2);
}

void TestMaskCompiler::replacementPattern_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("blocks");

    const QString labelled = u"[3?1]-[*2]."_s;
    QTest::newRow("counter and back reference")
        << labelled << u"Fig. [1I]: [B1]"_s << u"L\"Fig. \" | I1,1 | L\": \" | B1"_s;
    QTest::newRow("counter with step") << labelled << u"[10I5]"_s << u"I10,5"_s;
    QTest::newRow("counting down") << labelled << u"[10I-1]"_s << u"I10,-1"_s;
    QTest::newRow("zero step") << labelled << u"[5I0]"_s << u"I5,0"_s;
    QTest::newRow("negative start") << labelled << u"[-5I]"_s << u"I-5,1"_s;
    QTest::newRow("counter needs a start") << labelled << u"[I]x"_s << u"L\"x\""_s;
    QTest::newRow("brackets not merged")
        << labelled << u"[O]b[C]"_s << u"L\"[\" | L\"b\" | L\"]\""_s;
    QTest::newRow("search tokens invalid") << labelled << u"[3?]x"_s << u"L\"x\""_s;
    QTest::newRow("lower-case counter alone dropped") << labelled << u"[i]"_s << QString();
    QTest::newRow("back reference needs a number") << labelled << u"[B]"_s << QString();
    QTest::newRow("unknown label") << labelled << u"[B9]"_s << QString();
    QTest::newRow("label before the letter") << labelled << u"[2B]"_s << u"B3"_s;
    QTest::newRow("label after the letter") << labelled << u"[B2]"_s << u"B3"_s;
    QTest::newRow("number after the letter wins") << labelled << u"[1B2]"_s << u"B3"_s;
    QTest::newRow("label 0 is the first unlabelled block") << labelled << u"[0B]"_s << u"B2"_s;
    QTest::newRow("merged label") << u"x[C1]"_s << u"[B1]"_s << u"B1"_s;
    QTest::newRow("label of a trimmed star") << u"[*4]ab"_s << u"[B4]"_s << QString();
    QTest::newRow("label of a merged-away gap") << u"a[?6][*]b"_s << u"[B6]"_s << QString();
    QTest::newRow("label of a bracket merged in the middle")
        << u"a[O3]b"_s << u"[B3]"_s << QString();
    QTest::newRow("empty replacement") << labelled << QString() << QString();
    QTest::newRow("adjacent literals stay apart") << labelled << u"a[q]b"_s << u"L\"a\" | L\"b\""_s;
}

void TestMaskCompiler::replacementPattern()
{
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(QString, blocks);
    EngineState state;
    state.SearchText = search;
    state.FindWildcards = true;
    state.CompileSearchPattern();
    state.CompileReplacementPattern(replacement);
    QCOMPARE(describeBlocks(state.ReplaceBlocks, state.ReplaceBlockCount), blocks);
}

void TestMaskCompiler::backReferencesNeedSearchWildcards()
{
    EngineState state;
    state.SearchText = u"a[*1]b"_s;
    state.FindWildcards = true;
    state.CompileSearchPattern();
    // A later run without search wildcards must not copy from the old compiled pattern.
    state.FindWildcards = false;
    state.CompileReplacementPattern(u"<[B1]>"_s);
    QCOMPARE(describeBlocks(state.ReplaceBlocks, state.ReplaceBlockCount), u"L\"<\" | L\">\""_s);
}

void TestMaskCompiler::parseTokenNumber_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("isEmpty");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stop");

    QTest::newRow("digits") << u"[12?]"_s << 2 << false << 12 << 4;
    QTest::newRow("minus") << u"[-7*]"_s << 2 << false << -7 << 4;
    QTest::newRow("plus") << u"[+7*]"_s << 2 << false << 7 << 4;
    QTest::newRow("none") << u"[?]"_s << 2 << true << 0 << 2;
    QTest::newRow("sign alone") << u"[-?]"_s << 2 << true << 0 << 3;
    QTest::newRow("closing bracket is never a digit") << u"[?5]"_s << 3 << false << 5 << 4;
    QTest::newRow("stops before the last character") << u"[?55"_s << 3 << false << 5 << 4;
    QTest::newRow("leading zeros") << u"[007?]"_s << 2 << false << 7 << 5;
    QTest::newRow("largest value") << u"[2147483647?]"_s << 2 << true << 0 << 12;
    QTest::newRow("one below") << u"[2147483646?]"_s << 2 << false << 2147483646 << 12;
    QTest::newRow("does not fit") << u"[2147483648?]"_s << 2 << true << 0 << 12;
    QTest::newRow("negative does not fit") << u"[-2147483648?]"_s << 2 << true << 0 << 13;
    QTest::newRow("past the end") << u"[?]"_s << 5 << true << 0 << 5;
}

void TestMaskCompiler::parseTokenNumber()
{
    QFETCH(QString, token);
    QFETCH(int, start);
    QFETCH(bool, isEmpty);
    QFETCH(int, value);
    QFETCH(int, stop);
    int position = start;
    bool empty = false;
    int parsed = -1;
    MaskCompiler::ParseTokenNumber(token, int(token.size()), position, empty, parsed);
    QCOMPARE(empty, isEmpty);
    if (!isEmpty)
        QCOMPARE(parsed, value);
    QCOMPARE(position, stop);
}

void TestMaskCompiler::deleteBlocks_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("left");

    QTest::newRow("middle") << 2 << 3 << u"L\"a\" | L\"d\""_s;
    QTest::newRow("first") << 1 << 1 << u"L\"b\" | L\"c\" | L\"d\""_s;
    QTest::newRow("last clamped") << 3 << 9 << u"L\"a\" | L\"b\""_s;
    QTest::newRow("first clamped") << -2 << 2 << u"L\"c\" | L\"d\""_s;
    QTest::newRow("empty range") << 3 << 2 << u"L\"a\" | L\"b\" | L\"c\" | L\"d\""_s;
}

void TestMaskCompiler::deleteBlocks()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, left);
    MaskTable table(6);
    const QString letters = u"abcd"_s;
    for (int i = 1; i <= 4; ++i)
        table[size_t(i)].Text = letters.mid(i - 1, 1);
    int count = 4;
    MaskCompiler::DeleteBlocks(table, count, first, last);
    QCOMPARE(describeBlocks(table, count), left);
}

void TestMaskCompiler::manyBlocksAreNotLimited()
{
    QString pattern;
    for (int i = 0; i < 120; ++i)
        pattern += u"w%1[?]"_s.arg(i);
    EngineState state;
    state.SearchText = pattern;
    state.CompileSearchPattern();
    QCOMPARE(state.FindBlockCount, 240);
    QCOMPARE(state.FindBlocks[239].Text, u"w119"_s);
    QCOMPARE(state.FindBlocks[240].Kind, mkFixedGap);
}

void TestMaskCompiler::recompilingReplacesTheTable()
{
    EngineState state;
    state.SearchText = u"a[2?]b[*]c[3?]d"_s;
    state.CompileSearchPattern();
    state.SearchText = u"xy"_s;
    state.CompileSearchPattern();
    QCOMPARE(describeBlocks(state.FindBlocks, state.FindBlockCount), u"L\"xy\""_s);
}

QTEST_APPLESS_MAIN(TestMaskCompiler)
#include "tst_maskcompiler.moc"
