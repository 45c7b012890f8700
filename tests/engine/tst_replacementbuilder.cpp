#include "engine/EngineState.h"
#include "engine/OccurrenceFinder.h"
#include "engine/ReplacementBuilder.h"

#include <QTest>

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
            return u"<none>"_qs;
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
        << u"<a href=[*1]>[*2]</a>"_qs << u"[B2] ([B1])"_qs << u"<p><a href='x.htm'>Home</a></p>"_qs
        << u"Home ('x.htm')"_qs;
    QTest::newRow("fixed gap, case ignored")
        << u"ab[3?1]"_qs << u"[B1]"_qs << u"xxABcde"_qs << u"cde"_qs;
    QTest::newRow("merged literal keeps its label")
        << u"x[C1]"_qs << u"[B1]"_qs << u"ax]b"_qs << u"x]"_qs;
    QTest::newRow("literal copied as written")
        << u"ab[*]c"_qs << u"[0B]"_qs << u"ABxxc"_qs << u"ab"_qs;
    QTest::newRow("empty gap copies nothing")
        << u"a[*3]b"_qs << u"<[B3]>"_qs << u"ab"_qs << u"<>"_qs;
    QTest::newRow("empty replacement deletes") << u"a[?]"_qs << QString() << u"xay"_qs << QString();
    QTest::newRow("only dropped tokens") << u"a[?]"_qs << u"[q][B7]"_qs << u"xay"_qs << QString();
    QTest::newRow("brackets by token") << u"a"_qs << u"[O]b[C]"_qs << u"a"_qs << u"[b]"_qs;
    QTest::newRow("line breaks kept") << u"a"_qs << u"1\r\n2"_qs << u"a"_qs << u"1\r\n2"_qs;
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
        << u"<h2>[1I]. "_qs << QStringList{u"<h2>1. "_qs, u"<h2>2. "_qs, u"<h2>3. "_qs};
    QTest::newRow("step 0") << u"[5I0]"_qs << QStringList{u"5"_qs, u"5"_qs, u"5"_qs};
    QTest::newRow("counting down") << u"[10I-1]"_qs << QStringList{u"10"_qs, u"9"_qs, u"8"_qs};
    QTest::newRow("negative start") << u"[-5I]"_qs << QStringList{u"-5"_qs, u"-4"_qs, u"-3"_qs};
    QTest::newRow("step 5 through zero") << u"[-5I5]"_qs << QStringList{u"-5"_qs, u"0"_qs, u"5"_qs};
    QTest::newRow("independent counters")
        << u"[1I]-[100I-10]"_qs << QStringList{u"1-100"_qs, u"2-90"_qs, u"3-80"_qs};
}

void TestReplacementBuilder::counters()
{
    QFETCH(QString, replacement);
    QFETCH(QStringList, results);
    Replace replace(u"<h2>"_qs, replacement);
    const QString text = u"<h2>a<h2>b<h2>c"_qs;
    QStringList built;
    for (qsizetype start = 0; built.size() < 3; start = replace.state.MatchStart + 1)
        built << replace.next(text, start);
    QCOMPARE(built, results);
}

void TestReplacementBuilder::countersRestartEachRun()
{
    Replace replace(u"x"_qs, u"[7I]"_qs);
    QCOMPARE(replace.next(u"x"_qs), u"7"_qs);
    QCOMPARE(replace.next(u"another file x"_qs), u"8"_qs); // numbering runs across files
    replace.builder.PrepareReplacement(u"[7I]"_qs);
    QCOMPARE(replace.next(u"x"_qs), u"7"_qs);
}

void TestReplacementBuilder::countersDoNotWrap()
{
    Replace replace(u"x"_qs, u"[2147483646I1000000000]"_qs);
    QCOMPARE(replace.next(u"x"_qs), u"2147483646"_qs);
    QCOMPARE(replace.next(u"x"_qs), u"3147483646"_qs);
    QCOMPARE(replace.next(u"x"_qs), u"4147483646"_qs);
}

void TestReplacementBuilder::plainReplacementIsTakenOnce()
{
    Replace replace(u"a"_qs, u"[1I] [B0]"_qs, false);
    QCOMPARE(replace.next(u"a"_qs), u"[1I] [B0]"_qs);
    QCOMPARE(replace.next(u"a"_qs), u"[1I] [B0]"_qs);
    QCOMPARE(replace.state.ReplaceLen, 9);
}

void TestReplacementBuilder::backReferenceClippedToAShorterText()
{
    Replace replace(u"a[3?1]"_qs, u"<[B1]>"_qs);
    QCOMPARE(replace.next(u"xxabcd"_qs), u"<bcd>"_qs);
    // The user edited the document before confirming: only what still exists is copied.
    replace.builder.BuildReplacement(DocumentView(u"xxab"_qs));
    QCOMPARE(replace.state.ReplaceText, u"<b>"_qs);
    replace.builder.BuildReplacement(DocumentView(u"xx"_qs));
    QCOMPARE(replace.state.ReplaceText, u"<>"_qs);
}

void TestReplacementBuilder::backReferenceReadsTheEditedText()
{
    Replace replace(u"<[*1]>"_qs, u"[B1]"_qs);
    QCOMPARE(replace.next(u"<abc>"_qs), u"abc"_qs);
    replace.builder.BuildReplacement(DocumentView(u"<XYZ>"_qs));
    QCOMPARE(replace.state.ReplaceText, u"XYZ"_qs);
}

QTEST_APPLESS_MAIN(TestReplacementBuilder)
#include "tst_replacementbuilder.moc"
