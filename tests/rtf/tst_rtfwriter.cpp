#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;

class TestRtfWriter : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void document();
    void lines();
    void fontName_data();
    void fontName();
};

void TestRtfWriter::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("ascii") << u"Hello, world."_s << u"Hello, world."_s;
    QTest::newRow("cyrillic") << u"Съешь же ещё этих булок — №5, «ёлка»"_s
                              << u"Съешь же ещё этих булок — №5, «ёлка»"_s;
    QTest::newRow("cjk") << u"中文文本，日本語のテキスト、한국어"_s
                         << u"中文文本，日本語のテキスト、한국어"_s;
    QTest::newRow("outside the basic plane") << u"😀 𝄞"_s << u"😀 𝄞"_s;
    QTest::newRow("specials and tabs") << u"a\\b {c}\td"_s << u"a\\b {c}\td"_s;
    QTest::newRow("line breaks") << u"one\r\ntwo\nthree\rfour"_s
                                 << u"one\r\ntwo\r\nthree\r\nfour"_s;
    QTest::newRow("empty lines at the ends") << u"\r\n\r\nmiddle\r\n"_s << u"\r\n\r\nmiddle\r\n"_s;
    QTest::newRow("leading space and digits") << u" 12 -3"_s << u" 12 -3"_s;
}

void TestRtfWriter::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QString, readBack);
    QCOMPARE(RtfReader::plainText(RtfWriter::fromPlainText(text)),
             std::optional<QString>(readBack));
}

void TestRtfWriter::document()
{
    const QByteArray rtf = RtfWriter::fromPlainText(u"Отчёт\r\n中"_s);
    QVERIFY(rtf.startsWith(
        "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset204 Courier New;}}"));
    // Cyrillic in the document's code page, the rest as Unicode escapes.
    QVERIFY(rtf.contains("\\'ce\\'f2\\'f7\\'b8\\'f2\\par \\u20013?"));
    QVERIFY(rtf.contains("\\fs20 "));
    QVERIFY(rtf.endsWith("}\r\n"));
}

void TestRtfWriter::lines()
{
    const QStringList lines{u"first"_s, u"второй"_s, QString(), u"last"_s};
    QCOMPARE(RtfReader::plainText(RtfWriter::fromLines(lines)),
             std::optional<QString>(lines.join(u"\r\n"_s)));
    QCOMPARE(RtfReader::plainText(RtfWriter::fromLines({})), std::optional<QString>(QString()));
}

void TestRtfWriter::fontName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("entry");

    QTest::newRow("plain") << u"Arial"_s << "Arial;}"_ba;
    QTest::newRow("cyrillic") << u"Шрифт"_s << "\\'d8\\'f0\\'e8\\'f4\\'f2;}"_ba;
    QTest::newRow("separators left out") << u"A;{B}\\C"_s << "ABC;}"_ba;
    QTest::newRow("nothing left") << u"中文"_s << "Courier New;}"_ba;
}

void TestRtfWriter::fontName()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, entry);
    const QByteArray rtf = RtfWriter::fromPlainText(u"x"_s, RtfWriter::Font{name, 12});
    QVERIFY2(rtf.contains("\\fcharset204 " + entry), rtf.constData());
    QVERIFY(rtf.contains("\\fs24 "));
    QCOMPARE(RtfReader::plainText(rtf), std::optional<QString>(u"x"_s));
}

QTEST_GUILESS_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
