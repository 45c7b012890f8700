#include "rtf/RtfReader.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;

using Replacements = QList<QPair<QString, QString>>;

namespace {

QByteArray readData(const QString &name)
{
    QFile file(QString::fromUtf8(QUORVEX_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    return file.readAll();
}

// Line breaks as LF, whatever their style.
QString normalised(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    return text;
}

// Generated list numbers and bullets, which LibreOffice writes and this reader leaves out.
QString withoutListNumbers(QString text)
{
    static const QRegularExpression marker(u"(?m)^ {4,}(\\d+\\.|[a-z]\\)|•) "_s);
    return text.remove(marker);
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT

private slots:
    void matchesLibreOfficeExport_data();
    void matchesLibreOfficeExport();
    void plainText_data();
    void plainText();
    void detection_data();
    void detection();
    void malformed_data();
    void malformed();
    void deepNesting();
};

void TestRtfReader::matchesLibreOfficeExport_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hasLists");
    QTest::addColumn<Replacements>("differences");

    // Differences from LibreOffice's export, all by design: footnote reference marks and
    // generated list numbers are not text here, and a field shows its stored result where
    // LibreOffice computes a new one.
    QTest::newRow("breaks") << u"breaks"_s << false << Replacements{};
    QTest::newRow("cyrillic") << u"cyrillic"_s << false << Replacements{};
    QTest::newRow("footnotes") << u"footnotes"_s << false
                               << Replacements{{u"note1 "_s, u"note "_s},
                                               {u"another2 "_s, u"another "_s}};
    QTest::newRow("hyperlink") << u"hyperlink"_s << false << Replacements{};
    QTest::newRow("image") << u"image"_s << false << Replacements{};
    QTest::newRow("lists") << u"lists"_s << true << Replacements{};
    QTest::newRow("mixed") << u"mixed"_s << true << Replacements{{u"note1."_s, u"note."_s}};
    QTest::newRow("scripts") << u"scripts"_s << false << Replacements{};
    QTest::newRow("shift-jis") << u"shift-jis"_s << false << Replacements{};
    QTest::newRow("table") << u"table"_s << false << Replacements{};
    QTest::newRow("word-style") << u"word-style"_s << true
                                << Replacements{{u"page 0."_s, u"page 1."_s}};
    QTest::newRow("wordpad-1251") << u"wordpad-1251"_s << false << Replacements{};
    // The same page from two word processors: AbiWord writes a link's words as
    // {\*\fldrslt ...}, LibreOffice as {\fldrslt ...}. LibreOffice leaves AbiWord's closing
    // empty paragraph out of its export.
    QTest::newRow("abiword-links")
        << u"abiword-links"_s << false << Replacements{{u"italic.\n\n\n"_s, u"italic.\n\n\n\n"_s}};
    QTest::newRow("libreoffice-links") << u"libreoffice-links"_s << false << Replacements{};
}

void TestRtfReader::matchesLibreOfficeExport()
{
    QFETCH(QString, name);
    QFETCH(bool, hasLists);
    QFETCH(Replacements, differences);

    const std::optional<QString> ours = RtfReader::plainText(readData(name + u".rtf"_s));
    QVERIFY(ours.has_value());
    QString expected = normalised(QString::fromUtf8(readData(name + u".txt"_s)));
    if (expected.startsWith(QChar(0xFEFF)))
        expected.remove(0, 1);
    if (hasLists)
        expected = withoutListNumbers(expected);
    for (const auto &[from, to] : differences)
        expected.replace(from, to);
    QCOMPARE(normalised(*ours), expected);
}

void TestRtfReader::plainText_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("paragraph") << "{\\rtf1 a\\par b}"_ba << u"a\r\nb"_s;
    QTest::newRow("starred field result is shown")
        << "{\\rtf1 a{\\field{\\*\\fldinst x}{\\*\\fldrslt link}}b}"_ba << u"alinkb"_s;
    QTest::newRow("starred unknown destination is skipped")
        << "{\\rtf1 a{\\*\\frobnicate hidden}b}"_ba << u"ab"_s;
    QTest::newRow("starred known hidden destination is skipped")
        << "{\\rtf1 a{\\*\\bkmkstart mark}b}"_ba << u"ab"_s;
    QTest::newRow("starred formatting word is skipped") << "{\\rtf1 a{\\*\\b bold}b}"_ba << u"ab"_s;
    QTest::newRow("star before text is skipped") << "{\\rtf1 a{\\* text}b}"_ba << u"ab"_s;
    QTest::newRow("star before a group is skipped")
        << "{\\rtf1 a{\\*{\\fldrslt x}}b}"_ba << u"ab"_s;
    QTest::newRow("line break") << "{\\rtf1 a\\line b}"_ba << u"a\r\nb"_s;
    QTest::newRow("section and page") << "{\\rtf1 a\\sect b\\page c}"_ba << u"a\r\nb\r\nc"_s;
    QTest::newRow("backslash before a line break") << "{\\rtf1 a\\\r\nb}"_ba << u"a\r\nb"_s;
    QTest::newRow("tab word and tab byte") << "{\\rtf1 a\\tab b\tc}"_ba << u"a\tb\tc"_s;
    QTest::newRow("source line breaks ignored") << "{\\rtf1 a\r\nb\nc\rd}"_ba << u"abcd"_s;
    QTest::newRow("control bytes ignored") << QByteArray("{\\rtf1 a\0\x01\x7f"
                                                         "b}",
                                                         13)
                                           << u"ab"_s;
    QTest::newRow("escaped specials") << "{\\rtf1 \\\\\\{\\}}"_ba << u"\\{}"_s;
    QTest::newRow("control word delimiter") << "{\\rtf1\\b  two}"_ba << u" two"_s;
    QTest::newRow("hex in 1252 by default") << "{\\rtf1 caf\\'e9}"_ba << u"café"_s;
    QTest::newRow("hex in ansicpg") << "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}"_ba << u"При"_s;
    QTest::newRow("8-bit bytes in ansicpg") << "{\\rtf1\\ansicpg1251 \xcf\xf0}"_ba << u"Пр"_s;
    QTest::newRow("font charset decides") << "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{"
                                             "\\f0\\fcharset204 A;}{\\f1\\fcharset0 B;}{\\f2 C;}}"
                                             "\\f0\\'e9\\f1\\'e9\\f2\\'e9{\\f0\\'e9}\\'e9}"_ba
                                          << u"йééйé"_s;
    QTest::newRow("default font charset")
        << "{\\rtf1\\deff1{\\fonttbl{\\f1\\fcharset204 A;}}\\'e9}"_ba << u"й"_s;
    QTest::newRow("font code page")
        << "{\\rtf1{\\fonttbl{\\f0\\cpg1253 A;}}\\f0\\'e1}"_ba << u"α"_s;
    QTest::newRow("unknown code page is 1252") << "{\\rtf1\\ansicpg99999 \\'e9}"_ba << u"é"_s;
    QTest::newRow("unicode") << "{\\rtf1 \\u1055?\\u1088?}"_ba << u"Пр"_s;
    QTest::newRow("negative unicode") << "{\\rtf1 \\u-3913?}"_ba << QString(QChar(0xF0B7));
    QTest::newRow("unicode out of range")
        << "{\\rtf1 \\u99999999999?x}"_ba << QString(QChar(0xFFFD)) + u"x"_s;
    QTest::newRow("no fallback with uc0") << "{\\rtf1\\uc0\\u1055 x}"_ba << u"Пx"_s;
    QTest::newRow("hex fallback with uc2") << "{\\rtf1\\uc2\\u26085\\'93\\'fa!}"_ba << u"日!"_s;
    QTest::newRow("control word as fallback") << "{\\rtf1 \\u1055\\par x}"_ba << u"Пx"_s;
    QTest::newRow("fallback ended by a brace") << "{\\rtf1\\uc2 \\u1055{}x}"_ba << u"Пx"_s;
    QTest::newRow("fallback ignores line breaks") << "{\\rtf1 \\u1055\r\n?x}"_ba << u"Пx"_s;
    QTest::newRow("uc scoped to its group") << "{\\rtf1{\\uc2\\u1055??}\\u1088??}"_ba << u"Пр?"_s;
    QTest::newRow("surrogate pair") << "{\\rtf1 \\u-10179?\\u-8704?}"_ba << u"😀"_s;
    QTest::newRow("surrogates above 32767")
        << "{\\rtf1\\uc0 \\u55357\\uc1 \\u56832\\'3f}"_ba << u"😀"_s;
    QTest::newRow("symbol words")
        << "{\\rtf1 \\~\\_\\-\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}"_ba
        << u"\u00A0\u2011\u00AD—–•‘’“”"_s;
    QTest::newRow("tables and properties not shown")
        << "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s1 "
           "Head;}}"
           "{\\info{\\title T}}{\\*\\unknown text}a}"_ba
        << u"a"_s;
    QTest::newRow("headers, footers, footnotes not shown")
        << "{\\rtf1{\\header H}{\\footerr F}a{\\super\\chftn}{\\footnote\\chftn N}b}"_ba << u"ab"_s;
    QTest::newRow("picture") << "{\\rtf1 a{\\pict\\pngblip 89504e47}b}"_ba << u"ab"_s;
    QTest::newRow("binary picture data") << "{\\rtf1 a{\\pict\\bin4 }{\\}}b}"_ba << u"ab"_s;
    QTest::newRow("field result shown")
        << "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}"_ba << u"link"_s;
    QTest::newRow("field instruction without star")
        << "{\\rtf1{\\field{\\fldinst PAGE}{\\fldrslt 7}}}"_ba << u"7"_s;
    QTest::newRow("hidden text shown") << "{\\rtf1 a{\\v b}c\\v d\\v0 e}"_ba << u"abcde"_s;
    QTest::newRow("table cells")
        << "{\\rtf1\\trowd\\cellx100\\cellx200 A\\cell B\\cell\\row after}"_ba
        << u"A\r\nB\r\nafter"_s;
    QTest::newRow("list numbers not shown")
        << "{\\rtf1{\\listtext 1.\\tab}item{\\pntext 2.}x}"_ba << u"itemx"_s;
    QTest::newRow("unknown destination shown") << "{\\rtf1{\\mystery x}y}"_ba << u"xy"_s;
    QTest::newRow("double-byte pair") << "{\\rtf1\\ansicpg932 \\'93\\'fa}"_ba << u"日"_s;
    QTest::newRow("double-byte literal trail")
        << "{\\rtf1\\ansicpg932 \\'83@\\'83\\'5c}"_ba << u"ァソ"_s;
    QTest::newRow("double-byte single byte") << "{\\rtf1\\ansicpg932 \\'b1}"_ba << u"ｱ"_s;
    QTest::newRow("after the closing brace") << "{\\rtf1 a}b{c}"_ba << u"a"_s;
}

void TestRtfReader::plainText()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(RtfReader::plainText(rtf).value_or(u"<not RTF>"_s), text);
}

void TestRtfReader::detection_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("looksLikeRtf");
    QTest::addColumn<bool>("valid");

    QTest::newRow("rtf") << "{\\rtf1 a}"_ba << true << true;
    QTest::newRow("no version") << "{\\rtf a}"_ba << true << true;
    QTest::newRow("nothing after the header") << "{\\rtf"_ba << true << true;
    QTest::newRow("plain text") << "hello {\\rtf1}"_ba << false << false;
    QTest::newRow("leading whitespace") << " {\\rtf1 a}"_ba << false << false;
    QTest::newRow("empty") << QByteArray() << false << false;
    QTest::newRow("upper case") << "{\\RTF1 a}"_ba << false << false;
    QTest::newRow("longer word") << "{\\rtfx a}"_ba << true << false;
}

void TestRtfReader::detection()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, looksLikeRtf);
    QFETCH(bool, valid);
    QCOMPARE(RtfReader::looksLikeRtf(bytes), looksLikeRtf);
    QCOMPARE(RtfReader::plainText(bytes).has_value(), valid);
}

void TestRtfReader::malformed_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("unclosed groups") << "{\\rtf1 a{\\b b{"_ba << u"ab"_s;
    QTest::newRow("extra closing braces") << "{\\rtf1 a}}}b"_ba << u"a"_s;
    QTest::newRow("truncated hex") << "{\\rtf1 a\\'4"_ba << u"a"_s;
    QTest::newRow("truncated control word") << "{\\rtf1 a\\par"_ba << u"a\r\n"_s;
    QTest::newRow("lone backslash at the end") << "{\\rtf1 a\\"_ba << u"a"_s;
    QTest::newRow("truncated unicode fallback") << "{\\rtf1\\uc3 \\u1055?"_ba << u"П"_s;
    QTest::newRow("huge numbers") << "{\\rtf1\\fs99999999999999999999 a\\f-99999999999 b}"_ba
                                  << u"ab"_s;
    QTest::newRow("huge uc") << "{\\rtf1\\uc99999 \\u1055 abc}d}"_ba << u"П"_s;
    QTest::newRow("negative bin") << "{\\rtf1 \\bin-5 a}"_ba << u"a"_s;
    QTest::newRow("bin longer than the data") << "{\\rtf1 a\\bin100 xyz"_ba << u"a"_s;
    QTest::newRow("bad hex digits") << "{\\rtf1 \\'zz}"_ba << u"zz"_s;
    QTest::newRow("lone double-byte lead")
        << "{\\rtf1\\ansicpg936 \\'81}"_ba << QString(QChar(0xFFFD));
    QTest::newRow("undefined code page byte")
        << "{\\rtf1\\ansicpg1251 \\'98}"_ba << QString(QChar(0x98));
}

void TestRtfReader::malformed()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(RtfReader::plainText(rtf).value_or(u"<not RTF>"_s), text);
}

void TestRtfReader::deepNesting()
{
    const QByteArray limit = "{\\rtf1" + QByteArray(1023, '{') + "x" + QByteArray(1024, '}');
    QCOMPARE(RtfReader::plainText(limit).value_or(u"<not RTF>"_s), u"x"_s);
    const QByteArray beyond = "{\\rtf1" + QByteArray(100000, '{') + "x";
    QVERIFY(!RtfReader::plainText(beyond).has_value());
}

QTEST_GUILESS_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
