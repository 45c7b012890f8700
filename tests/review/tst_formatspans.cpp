#include "document/Document.h"
#include "document/RichTextCodec.h"
#include "review/FormatSpans.h"
#include "review/MinimalEdit.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

FormattedRun run(qsizetype start, qsizetype length, bool bold = false)
{
    FormattedRun r;
    r.start = start;
    r.length = length;
    r.bold = bold;
    return r;
}

// Spans as "start:b" (bold) or "start:-", for readable comparisons.
QString describe(const FormatSpans &spans)
{
    QStringList parts;
    for (const FormatSpans::Span &span : spans.spans())
        parts << QString::number(span.start)
                + (spans.formats().at(span.format).bold ? u":b"_s : u":-"_s);
    return parts.join(u' ') + u" /"_s + QString::number(spans.length());
}

QString describeRuns(const QList<FormattedRun> &runs)
{
    QStringList parts;
    for (const FormattedRun &r : runs)
        parts << u"%1+%2%3%4%5"_s.arg(r.start)
                     .arg(r.length)
                     .arg(r.bold ? u"b"_s : QString())
                     .arg(r.italic ? u"i"_s : QString())
                     .arg(r.hasColour ? u"c"_s + QString::number(r.colour, 16) : QString());
    return parts.join(u' ');
}

Document rtfDocument(const QByteArray &bytes)
{
    std::optional<DecodedText> decoded = RichTextCodec::load(bytes);
    if (!decoded)
        qFatal("not RTF");
    return Document(decoded->text, std::move(decoded->codec));
}

} // namespace

class TestFormatSpans : public QObject {
    Q_OBJECT

private slots:
    void reset_data();
    void reset();
    void edits_data();
    void edits();
    void followsTheRtfCodec_data();
    void followsTheRtfCodec();
    void randomRtfEditsKeepTheLength();
    void minimalEdit_data();
    void minimalEdit();
};

void TestFormatSpans::reset_data()
{
    QTest::addColumn<QList<FormattedRun>>("runs");
    QTest::addColumn<qsizetype>("length");
    QTest::addColumn<QString>("spans");

    QTest::newRow("no runs: the defaults") << QList<FormattedRun>{} << qsizetype(5) << u"0:- /5"_s;
    QTest::newRow("empty text") << QList<FormattedRun>{} << qsizetype(0) << u" /0"_s;
    QTest::newRow("equal neighbours merge")
        << QList<FormattedRun>{run(0, 2), run(2, 3), run(5, 1, true)} << qsizetype(6)
        << u"0:- 5:b /6"_s;
    QTest::newRow("a gap before the first run takes its format")
        << QList<FormattedRun>{run(3, 2, true)} << qsizetype(5) << u"0:b /5"_s;
    QTest::newRow("runs past the end are dropped")
        << QList<FormattedRun>{run(0, 2, true), run(4, 9)} << qsizetype(3) << u"0:b /3"_s;
}

void TestFormatSpans::reset()
{
    QFETCH(QList<FormattedRun>, runs);
    QFETCH(qsizetype, length);
    QFETCH(QString, spans);
    FormatSpans s;
    s.reset(runs, length);
    QCOMPARE(describe(s), spans);
}

void TestFormatSpans::edits_data()
{
    QTest::addColumn<TextEdit>("edit");
    QTest::addColumn<bool>("atLineStart");
    QTest::addColumn<QString>("spans");

    // Before each edit: "aaBBBcc" with "BBB" bold: spans 0:- 2:b 5:- /7.
    QTest::newRow("insert inside the bold run")
        << TextEdit{3, 0, u"x"_s} << false << u"0:- 2:b 6:- /8"_s;
    QTest::newRow("insert right after bold: bold")
        << TextEdit{5, 0, u"x"_s} << false << u"0:- 2:b 6:- /8"_s;
    QTest::newRow("insert right before bold: plain")
        << TextEdit{2, 0, u"x"_s} << false << u"0:- 3:b 6:- /8"_s;
    QTest::newRow("insert at a line start: the format after it")
        << TextEdit{2, 0, u"x"_s} << true << u"0:- 2:b 6:- /8"_s;
    QTest::newRow("insert at the start") << TextEdit{0, 0, u"xy"_s} << false << u"0:- 4:b 7:- /9"_s;
    QTest::newRow("insert at the end") << TextEdit{7, 0, u"x"_s} << false << u"0:- 2:b 5:- /8"_s;
    QTest::newRow("replace from the bold run: bold")
        << TextEdit{4, 2, u"xyz"_s} << false << u"0:- 2:b 7:- /8"_s;
    QTest::newRow("delete across all runs") << TextEdit{1, 5, {}} << false << u"0:- /2"_s;
    QTest::newRow("delete the bold run") << TextEdit{2, 3, {}} << false << u"0:- /4"_s;
    QTest::newRow("replace the bold run: bold again")
        << TextEdit{2, 3, u"q"_s} << false << u"0:- 2:b 3:- /5"_s;
    QTest::newRow("delete everything") << TextEdit{0, 7, {}} << false << u" /0"_s;
    QTest::newRow("replace everything") << TextEdit{0, 7, u"z"_s} << false << u"0:- /1"_s;
}

void TestFormatSpans::edits()
{
    QFETCH(TextEdit, edit);
    QFETCH(bool, atLineStart);
    QFETCH(QString, spans);
    FormatSpans s;
    s.reset({run(0, 2), run(2, 3, true), run(5, 2)}, 7);
    s.applyEdit(edit, atLineStart);
    QCOMPARE(describe(s), spans);
}

void TestFormatSpans::followsTheRtfCodec_data()
{
    QTest::addColumn<qsizetype>("pos");
    QTest::addColumn<qsizetype>("count");
    QTest::addColumn<QString>("text");

    // "Hello bold and red world\r\nNext line" with "bold" bold and "red" coloured.
    QTest::newRow("inside a plain run") << qsizetype(1) << qsizetype(0) << u"xx"_s;
    QTest::newRow("inside the bold run") << qsizetype(7) << qsizetype(0) << u"xx"_s;
    QTest::newRow("right after bold") << qsizetype(10) << qsizetype(0) << u"xx"_s;
    QTest::newRow("right before bold") << qsizetype(6) << qsizetype(0) << u"xx"_s;
    QTest::newRow("replace starting at bold") << qsizetype(8) << qsizetype(4) << u"xyz"_s;
    QTest::newRow("replace the coloured word") << qsizetype(15) << qsizetype(3) << u"blue"_s;
    QTest::newRow("delete across runs") << qsizetype(3) << qsizetype(14) << QString();
    QTest::newRow("insert at a line start") << qsizetype(26) << qsizetype(0) << u"x"_s;
    QTest::newRow("insert at the very start") << qsizetype(0) << qsizetype(0) << u"x"_s;
    QTest::newRow("insert at the end") << qsizetype(35) << qsizetype(0) << u"x"_s;
}

// The view's guess of the format of inserted text is the codec's own rule: after an edit the
// view's spans and the document's own runs agree.
void TestFormatSpans::followsTheRtfCodec()
{
    QFETCH(qsizetype, pos);
    QFETCH(qsizetype, count);
    QFETCH(QString, text);
    Document doc = rtfDocument("{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}Hello {\\b bold}"
                               " and {\\cf1 red} world\\par Next line}");
    QCOMPARE(doc.text(), u"Hello bold and red world\r\nNext line"_s);
    FormatSpans spans;
    spans.reset(doc.formattedRuns(), doc.length());
    const std::optional<TextEdit> made = doc.replace(pos, count, text);
    QVERIFY(made);
    spans.applyEdit(*made, made->pos > 0 && doc.at(made->pos - 1) == u'\n');
    FormatSpans fresh;
    fresh.reset(doc.formattedRuns(), doc.length());
    QCOMPARE(describeRuns(spans.runsIn(0, doc.length())),
             describeRuns(fresh.runsIn(0, doc.length())));
}

void TestFormatSpans::randomRtfEditsKeepTheLength()
{
    QRandomGenerator random(7u);
    Document doc = rtfDocument("{\\rtf1\\ansi{\\colortbl;\\red0\\green0\\blue255;}One {\\i two} "
                               "{\\b\\cf1 three}\\par {\\qc centred}\\par four}");
    FormatSpans spans;
    spans.reset(doc.formattedRuns(), doc.length());
    for (int i = 0; i < 300; ++i) {
        const qsizetype pos = random.bounded(int(doc.length() + 1));
        const qsizetype count = std::min<qsizetype>(random.bounded(5), doc.length() - pos);
        const QString text = u"ab\r\nc"_s.left(random.bounded(6));
        const std::optional<TextEdit> made = doc.replace(pos, count, text);
        if (!made)
            continue;
        spans.applyEdit(*made, made->pos > 0 && doc.at(made->pos - 1) == u'\n');
        QCOMPARE(spans.length(), doc.length());
        const std::vector<FormatSpans::Span> &all = spans.spans();
        QCOMPARE(all.empty(), doc.length() == 0);
        for (size_t k = 1; k < all.size(); ++k) {
            QVERIFY(all[k].start > all[k - 1].start);
            QVERIFY(all[k].format != all[k - 1].format);
        }
        if (!all.empty())
            QVERIFY(all.front().start == 0 && all.back().start < doc.length());
    }
}

void TestFormatSpans::minimalEdit_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<qsizetype>("pos");
    QTest::addColumn<qsizetype>("count");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("editPos");
    QTest::addColumn<qsizetype>("removed");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<qsizetype>("keptAfter");

    QTest::newRow("word to word: one letter")
        << u"a world b"_s << qsizetype(2) << qsizetype(5) << u"word"_s << qsizetype(5)
        << qsizetype(1) << QString() << qsizetype(1);
    QTest::newRow("same text: nothing")
        << u"abc"_s << qsizetype(0) << qsizetype(3) << u"abc"_s << qsizetype(3) << qsizetype(0)
        << QString() << qsizetype(0);
    QTest::newRow("repeated letters") << u"xaaay"_s << qsizetype(1) << qsizetype(3) << u"aa"_s
                                      << qsizetype(3) << qsizetype(1) << QString() << qsizetype(0);
    QTest::newRow("plain insertion") << u"ab"_s << qsizetype(1) << qsizetype(0) << u"X"_s
                                     << qsizetype(1) << qsizetype(0) << u"X"_s << qsizetype(0);
    QTest::newRow("all different") << u"red"_s << qsizetype(0) << qsizetype(3) << u"blue"_s
                                   << qsizetype(0) << qsizetype(3) << u"blue"_s << qsizetype(0);
    QTest::newRow("no-break space differs from a space")
        << u"a b"_s << qsizetype(0) << qsizetype(3) << u"a\u00A0b"_s << qsizetype(1) << qsizetype(1)
        << u"\u00A0"_s << qsizetype(1);
}

void TestFormatSpans::minimalEdit()
{
    QFETCH(QString, old);
    QFETCH(qsizetype, pos);
    QFETCH(qsizetype, count);
    QFETCH(QString, text);
    QFETCH(qsizetype, editPos);
    QFETCH(qsizetype, removed);
    QFETCH(QString, inserted);
    QFETCH(qsizetype, keptAfter);
    const MinimalEdit edit = MinimalEdit::between(Document(old), pos, count, text);
    QCOMPARE(edit.pos, editPos);
    QCOMPARE(edit.removed, removed);
    QCOMPARE(edit.text, inserted);
    QCOMPARE(edit.keptAfter, keptAfter);
    // Made as it stands, it gives the text asked for.
    QString result = old;
    result.replace(edit.pos, edit.removed, edit.text);
    QCOMPARE(result, QString(old).replace(pos, count, text));
}

QTEST_MAIN(TestFormatSpans)
#include "tst_formatspans.moc"
