#include "engine/EngineState.h"
#include "engine/OccurrenceFinder.h"
#include "engine/ReplacementBuilder.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Replace {
    EngineState state;
    SearchOptions options;
    OccurrenceFinder finder{state, options};
    ReplacementBuilder builder{state};

    Replace(const QString &search, const QString &replacement, bool replaceWildcards = true)
    {
        state.SearchText = search;
        state.SearchLen = search.size();
        state.FindWildcards = true;
        state.ReplaceWildcards = replaceWildcards;
        state.CompileSearchPattern();
        if (replaceWildcards)
            state.CompileReplacementPattern(replacement);
        builder.PrepareReplacement(replacement);
    }

    // Finds from start and builds the replacement as a confirmed answer would.
    QString next(const QString &text, qsizetype start = 0)
    {
        qsizetype length = 0;
        state.MatchStart = finder.FindMasked(DocumentView(text), start, length);
        state.MatchLength = length;
        if (state.MatchStart < 0)
            return u"<none>"_s;
        if (state.ReplaceWildcards)
            builder.BuildReplacement(DocumentView(text));
        return state.ReplaceText;
    }
};

} // namespace

class TestReplacementBuilder : public QObject {
    Q_OBJECT

private slots:
    void build_data();
    void build();
    void counters_data();
    void counters();
    void countersRestartEachRun();
    void countersDoNotWrap();
    void plainReplacementIsTakenOnce();
    void backReferenceClippedToAShorterText();
    void backReferenceReadsTheEditedText();
};

void TestReplacementBuilder::build_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");

    QTest::newRow("swap link and label")
        << u"<a href=[*1]>[*2]</a>"_s << u"[B2] ([B1])"_s << u"<p><a href='x.htm'>Home</a></p>"_s
        << u"Home ('x.htm')"_s;
    QTest::newRow("fixed gap, case ignored")
        << u"ab[3?1]"_s << u"[B1]"_s << u"xxABcde"_s << u"cde"_s;
    QTest::newRow("merged literal keeps its label")
        << u"x[C1]"_s << u"[B1]"_s << u"ax]b"_s << u"x]"_s;
    QTest::newRow("literal copied as written") << u"ab[*]c"_s << u"[0B]"_s << u"ABxxc"_s << u"ab"_s;
    QTest::newRow("empty gap copies nothing") << u"a[*3]b"_s << u"<[B3]>"_s << u"ab"_s << u"<>"_s;
    QTest::newRow("empty replacement deletes") << u"a[?]"_s << QString() << u"xay"_s << QString();
    QTest::newRow("only dropped tokens") << u"a[?]"_s << u"[q][B7]"_s << u"xay"_s << QString();
    QTest::newRow("brackets by token") << u"a"_s << u"[O]b[C]"_s << u"a"_s << u"[b]"_s;
    QTest::newRow("line breaks kept") << u"a"_s << u"1\r\n2"_s << u"a"_s << u"1\r\n2"_s;
}

void TestReplacementBuilder::build()
{
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(QString, text);
    QFETCH(QString, result);
    Replace replace(search, replacement);
    QCOMPARE(replace.next(text), result);
    QCOMPARE(replace.state.ReplaceLen, result.size());
}

void TestReplacementBuilder::counters_data()
{
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QStringList>("results");

    QTest::newRow("numbered headings")
        << u"<h2>[1I]. "_s << QStringList{u"<h2>1. "_s, u"<h2>2. "_s, u"<h2>3. "_s};
    QTest::newRow("step 0") << u"[5I0]"_s << QStringList{u"5"_s, u"5"_s, u"5"_s};
    QTest::newRow("counting down") << u"[10I-1]"_s << QStringList{u"10"_s, u"9"_s, u"8"_s};
    QTest::newRow("negative start") << u"[-5I]"_s << QStringList{u"-5"_s, u"-4"_s, u"-3"_s};
    QTest::newRow("step 5 through zero") << u"[-5I5]"_s << QStringList{u"-5"_s, u"0"_s, u"5"_s};
    QTest::newRow("independent counters")
        << u"[1I]-[100I-10]"_s << QStringList{u"1-100"_s, u"2-90"_s, u"3-80"_s};
}

void TestReplacementBuilder::counters()
{
    QFETCH(QString, replacement);
    QFETCH(QStringList, results);
    Replace replace(u"<h2>"_s, replacement);
    const QString text = u"<h2>a<h2>b<h2>c"_s;
    QStringList built;
    for (qsizetype start = 0; built.size() < 3; start = replace.state.MatchStart + 1)
        built << replace.next(text, start);
    QCOMPARE(built, results);
}

void TestReplacementBuilder::countersRestartEachRun()
{
    Replace replace(u"x"_s, u"[7I]"_s);
    QCOMPARE(replace.next(u"x"_s), u"7"_s);
    QCOMPARE(replace.next(u"another file x"_s), u"8"_s); // numbering runs across files
    replace.builder.PrepareReplacement(u"[7I]"_s);
    QCOMPARE(replace.next(u"x"_s), u"7"_s);
}

void TestReplacementBuilder::countersDoNotWrap()
{
    Replace replace(u"x"_s, u"[2147483646I1000000000]"_s);
    QCOMPARE(replace.next(u"x"_s), u"2147483646"_s);
    QCOMPARE(replace.next(u"x"_s), u"3147483646"_s);
    QCOMPARE(replace.next(u"x"_s), u"4147483646"_s);
}

void TestReplacementBuilder::plainReplacementIsTakenOnce()
{
    Replace replace(u"a"_s, u"[1I] [B0]"_s, false);
    QCOMPARE(replace.next(u"a"_s), u"[1I] [B0]"_s);
    QCOMPARE(replace.next(u"a"_s), u"[1I] [B0]"_s);
    QCOMPARE(replace.state.ReplaceLen, 9);
}

void TestReplacementBuilder::backReferenceClippedToAShorterText()
{
    Replace replace(u"a[3?1]"_s, u"<[B1]>"_s);
    QCOMPARE(replace.next(u"xxabcd"_s), u"<bcd>"_s);
    // The user edited the document before confirming: only what still exists is copied.
    replace.builder.BuildReplacement(DocumentView(u"xxab"_s));
    QCOMPARE(replace.state.ReplaceText, u"<b>"_s);
    replace.builder.BuildReplacement(DocumentView(u"xx"_s));
    QCOMPARE(replace.state.ReplaceText, u"<>"_s);
}

void TestReplacementBuilder::backReferenceReadsTheEditedText()
{
    Replace replace(u"<[*1]>"_s, u"[B1]"_s);
    QCOMPARE(replace.next(u"<abc>"_s), u"abc"_s);
    replace.builder.BuildReplacement(DocumentView(u"<XYZ>"_s));
    QCOMPARE(replace.state.ReplaceText, u"XYZ"_s);
}

QTEST_APPLESS_MAIN(TestReplacementBuilder)
#include "tst_replacementbuilder.moc"
