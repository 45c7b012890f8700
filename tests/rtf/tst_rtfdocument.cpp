#include "rtf/RtfDocument.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfTokenizer.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;

using Pairs = QList<QPair<QString, QString>>;

namespace {

const QString DataFolder = QString::fromUtf8(QUORVEX_TEST_DATA "/");

QByteArray readData(const QString &name)
{
    QFile file(DataFolder + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    return file.readAll();
}

RtfDocument load(const QByteArray &bytes)
{
    std::optional<RtfDocument> document = RtfDocument::fromRtf(bytes);
    if (!document)
        qFatal("test input is not RTF: %s", bytes.left(40).constData());
    return std::move(*document);
}

qsizetype replaceAll(RtfDocument &document, const QString &from, const QString &to)
{
    qsizetype count = 0;
    qsizetype pos = 0;
    while (true) {
        const qsizetype found = document.view(pos).from(pos).indexOf(from);
        if (found < 0)
            return count;
        const std::optional<TextEdit> edit = document.replace(pos + found, from.size(), to);
        if (!edit)
            return count;
        pos = edit->pos + edit->inserted();
        ++count;
    }
}

bool isTextWord(QByteArrayView word)
{
    static const QList<QByteArrayView> words{"u",      "par",       "line",     "tab",    "sect",
                                             "page",   "emdash",    "endash",   "bullet", "lquote",
                                             "rquote", "ldblquote", "rdblquote"};
    return words.contains(word);
}

// The source without its text: every brace, control word and binary block in order, leaving
// out text bytes, escapes and the words that stand for text or line breaks.
QList<QByteArray> structure(const QByteArray &rtf)
{
    QList<QByteArray> tokens;
    RtfTokenizer tokenizer(rtf);
    for (RtfToken token = tokenizer.next(); token.type != RtfTokenType::End;
         token = tokenizer.next()) {
        const QByteArray bytes = rtf.mid(token.begin, token.end - token.begin).trimmed();
        switch (token.type) {
        case RtfTokenType::GroupOpen:
        case RtfTokenType::GroupClose:
        case RtfTokenType::Binary:
            tokens.append(bytes);
            break;
        case RtfTokenType::ControlWord:
            if (!isTextWord(token.word))
                tokens.append(bytes);
            break;
        case RtfTokenType::ControlSymbol:
            if (token.value == '*')
                tokens.append(bytes);
            break;
        default:
            break;
        }
    }
    return tokens;
}

} // namespace

class TestRtfDocument : public QObject {
    Q_OBJECT

private slots:
    void unchangedIsByteIdentical_data();
    void unchangedIsByteIdentical();
    void replaceInOneRun_data();
    void replaceInOneRun();
    void replaceAcrossRuns();
    void replaceAllKeepsStructure_data();
    void replaceAllKeepsStructure();
    void edits_data();
    void edits();
    void escaping_data();
    void escaping();
    void widening_data();
    void widening();
    void noPlaceForText();
    void separatorOutlivesItsWord();
    void binaryDataIsNoToken_data();
    void binaryDataIsNoToken();
    void binaryDataMovesWithEdits();
    void randomEditsStayConsistent_data();
    void randomEditsStayConsistent();
    void formattedRuns();
};

void TestRtfDocument::unchangedIsByteIdentical_data()
{
    QTest::addColumn<QString>("name");
    const QStringList names = QDir(DataFolder).entryList({u"*.rtf"_s}, QDir::Files, QDir::Name);
    QVERIFY(names.size() >= 10);
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void TestRtfDocument::unchangedIsByteIdentical()
{
    QFETCH(QString, name);
    const QByteArray bytes = readData(name);
    RtfDocument document = load(bytes);
    QCOMPARE(document.toRtf(), bytes);
    // An edit that changes nothing leaves the bytes alone too.
    QVERIFY(document.replace(3, 0, QString()).has_value());
    QCOMPARE(document.toRtf(), bytes);
}

void TestRtfDocument::replaceInOneRun_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QByteArray>("oldBytes");
    QTest::addColumn<QByteArray>("newBytes");

    QTest::newRow("ascii beside a picture")
        << u"image.rtf"_s << u"between"_s << u"among"_s << "between"_ba
        << "among"_ba;
    QTest::newRow("unicode escapes")
        << u"cyrillic.rtf"_s << u"текст"_s << u"слово"_s
        << "\\u1090\\'3f\\u1077\\'3f\\u1082\\'3f\\u1089\\'3f\\u1090\\'3f"_ba
        << "\\u1089?\\u1083?\\u1086?\\u1074?\\u1086?"_ba;
    QTest::newRow("code page escapes")
        << u"wordpad-1251.rtf"_s << u"мир"_s << u"свет"_s << "\\'ec\\'e8\\'f0"_ba
        << "\\'f1\\'e2\\'e5\\'f2"_ba;
    QTest::newRow("western font in a 1251 document")
        << u"wordpad-1251.rtf"_s << u"Café"_s << u"Thé"_s << "Caf\\'e9"_ba
        << "Th\\'e9"_ba;
    QTest::newRow("double-byte") << u"shift-jis.rtf"_s << u"テキスト"_s << u"本"_s
                                 << "\\'83\\'65\\'83\\'4c\\'83\\'58\\'83\\'67"_ba
                                 << "\\'96\\'7b"_ba;
    QTest::newRow("field result") << u"hyperlink.rtf"_s << u"example site"_s << u"sample page"_s
                                  << "example site"_ba
                                  << "sample page"_ba;
    QTest::newRow("table cell") << u"table.rtf"_s << u"Apple"_s << u"Pear"_s << "Apple"_ba
                                << "Pear"_ba;
}

void TestRtfDocument::replaceInOneRun()
{
    QFETCH(QString, name);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QByteArray, oldBytes);
    QFETCH(QByteArray, newBytes);

    const QByteArray original = readData(name);
    QCOMPARE(original.count(oldBytes), 1);
    RtfDocument document = load(original);
    QCOMPARE(replaceAll(document, from, to), 1);

    QByteArray expected = original;
    expected.replace(oldBytes, newBytes);
    QCOMPARE(document.toRtf(), expected);
    QCOMPARE(RtfReader::plainText(expected), std::optional<QString>(document.plainText()));
}

// "Переводчик" is written in three runs, the middle one bold: the runs stay, emptied, and the
// new word takes the formatting of the first.
void TestRtfDocument::replaceAcrossRuns()
{
    const QByteArray original = readData(u"cyrillic.rtf"_s);
    RtfDocument document = load(original);
    QCOMPARE(replaceAll(document, u"Переводчик"_s, u"Толмач"_s), 1);

    const QByteArray word
        = "\\u1055\\'3f\\u1077\\'3f\\u1088\\'3f\\u1077\\'3f}{\\loch\\b\\loch\n"
          "\\u1074\\'3f\\u1086\\'3f\\u1076\\'3f}{\\loch\n\\u1095\\'3f\\u1080\\'3f\\u1082\\'3f"_ba;
    QCOMPARE(original.count(word), 1);
    QByteArray expected = original;
    expected.replace(
        word, "\\u1058?\\u1086?\\u1083?\\u1084?\\u1072?\\u1095?}{\\loch\\b\\loch\n}{\\loch\n"_ba);
    QCOMPARE(document.toRtf(), expected);
}

void TestRtfDocument::replaceAllKeepsStructure_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Pairs>("replacements");

    QTest::newRow("mixed") << u"mixed.rtf"_s
                           << Pairs{{u"word"_s, u"term"_s},
                                    {u"слово"_s, u"Wort"_s},
                                    {u"е"_s, u"ё"_s},
                                    {u"中文"_s, u"日本語"_s},
                                    {u"Ελληνικά"_s, u""_s}};
    QTest::newRow("across paragraphs") << u"mixed.rtf"_s << Pairs{{u"работе\r\nПере"_s, u"-"_s}};
    QTest::newRow("across cells") << u"table.rtf"_s << Pairs{{u"Price\r\nNote\r\nApple"_s, u"X"_s}};
    QTest::newRow("around a picture")
        << u"image.rtf"_s << Pairs{{u"Picture  between"_s, u"Bild"_s}};
    QTest::newRow("around footnotes")
        << u"footnotes.rtf"_s << Pairs{{u"note and another"_s, u"Fußnote"_s}};
    QTest::newRow("lists") << u"lists.rtf"_s
                           << Pairs{{u"item"_s, u"entry"_s}, {u"bullet"_s, u"•"_s}};
    QTest::newRow("every letter") << u"scripts.rtf"_s << Pairs{{u"e"_s, u"E"_s}, {u"。"_s, u"."_s}};
    QTest::newRow("word processor")
        << u"word-style.rtf"_s
        << Pairs{{u"fox jumps"_s, u"cat leaps"_s}, {u"Русский"_s, u"Новый"_s}};
}

void TestRtfDocument::replaceAllKeepsStructure()
{
    QFETCH(QString, name);
    QFETCH(Pairs, replacements);

    const QByteArray original = readData(name);
    RtfDocument document = load(original);
    QString expected = document.plainText();
    for (const auto &[from, to] : replacements) {
        const qsizetype count = expected.count(from);
        QVERIFY2(count > 0, qPrintable(from));
        expected.replace(from, to);
        QCOMPARE(replaceAll(document, from, to), count);
    }
    const QByteArray edited = document.toRtf();
    const bool cellsSpanned = name == u"table.rtf"_s;
    if (cellsSpanned)
        expected.replace(u"X"_s, u"X\r\n\r\n"_s);
    QCOMPARE(document.plainText(), expected);
    QCOMPARE(RtfReader::plainText(edited), std::optional<QString>(expected));
    QCOMPARE(structure(edited), structure(original));
    for (const QByteArray &kept : {"\\pict"_ba, "\\field"_ba, "\\cell"_ba, "\\row"_ba,
                                   "\\footnote"_ba, "89504e470d0a1a0a"_ba})
        QCOMPARE(edited.count(kept), original.count(kept));
}

void TestRtfDocument::edits_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<qsizetype>("pos");
    QTest::addColumn<qsizetype>("count");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("result");

    QTest::newRow("paragraphs merge, braces stay")
        << "{\\rtf1 {\\b one}\\par two\\par three}"_ba << qsizetype(2) << qsizetype(5) << QString()
        << "{\\rtf1 {\\b on}o\\par three}"_ba;
    QTest::newRow("cell ends stay")
        << "{\\rtf1\\trowd\\cellx1\\cellx2 A\\cell B\\cell\\row}"_ba << qsizetype(0) << qsizetype(4)
        << u"X"_s << "{\\rtf1\\trowd\\cellx1\\cellx2 X\\cell \\cell\\row}"_ba;
    QTest::newRow("range takes the format of its start")
        << "{\\rtf1 plain{\\b bold}}"_ba << qsizetype(3) << qsizetype(4) << u"X"_s
        << "{\\rtf1 plaX{\\b ld}}"_ba;
    QTest::newRow("insertion after a character")
        << "{\\rtf1 {\\b bold}plain}"_ba << qsizetype(4) << qsizetype(0) << u"x"_s
        << "{\\rtf1 {\\b boldx}plain}"_ba;
    QTest::newRow("insertion at a line start")
        << "{\\rtf1 a\\par {\\i b}}"_ba << qsizetype(3) << qsizetype(0) << u"x"_s
        << "{\\rtf1 a\\par {\\i xb}}"_ba;
    QTest::newRow("insertion into an empty document")
        << "{\\rtf1{\\fonttbl{\\f0 A;}}}"_ba << qsizetype(0) << qsizetype(0) << u"new"_s
        << "{\\rtf1{\\fonttbl{\\f0 A;}}new}"_ba;
    QTest::newRow("CR LF becomes par")
        << "{\\rtf1 x}"_ba << qsizetype(0) << qsizetype(1) << u"a\r\nb"_s << "{\\rtf1 a\\par b}"_ba;
    QTest::newRow("LF becomes par")
        << "{\\rtf1 x}"_ba << qsizetype(0) << qsizetype(1) << u"a\nb"_s << "{\\rtf1 a\\par b}"_ba;
    QTest::newRow("CR becomes par") << "{\\rtf1 x}"_ba << qsizetype(0) << qsizetype(1)
                                    << u"a\r\r\nb"_s << "{\\rtf1 a\\par \\par b}"_ba;
    // Joins that would change how the neighbouring bytes read.
    QTest::newRow("word before a letter")
        << "{\\rtf1 \\b\\'e9}"_ba << qsizetype(0) << qsizetype(1) << u"x"_s << "{\\rtf1 \\b x}"_ba;
    QTest::newRow("number before a digit") << "{\\rtf1 \\fs24\\'e9}"_ba << qsizetype(0)
                                           << qsizetype(1) << u"5"_s << "{\\rtf1 \\fs24 5}"_ba;
    QTest::newRow("word before a space") << "{\\rtf1 \\b\\'e9}"_ba << qsizetype(0) << qsizetype(1)
                                         << u" a"_s << "{\\rtf1 \\b  a}"_ba;
    QTest::newRow("deleted text between word and letter")
        << "{\\rtf1 \\b\\'e9x}"_ba << qsizetype(0) << qsizetype(1) << QString()
        << "{\\rtf1 \\b x}"_ba;
    QTest::newRow("word in a text unit") << "{\\rtf1\\uc0 \\u1055,}"_ba << qsizetype(1)
                                         << qsizetype(1) << u"x"_s << "{\\rtf1\\uc0 \\u1055{}x}"_ba;
    QTest::newRow("word and minus before a digit")
        << "{\\rtf1 \\b-x}"_ba << qsizetype(1) << qsizetype(1) << u"5"_s << "{\\rtf1 \\b-{}5}"_ba;
    QTest::newRow("unfinished hex before a digit")
        << "{\\rtf1 \\'ez}"_ba << qsizetype(0) << qsizetype(1) << u"5"_s << "{\\rtf1 \\'e{}5}"_ba;
    QTest::newRow("lone lead byte")
        << "{\\rtf1\\ansicpg932 \\'81\\par x}"_ba << qsizetype(1) << qsizetype(2) << QString()
        << "{\\rtf1\\ansicpg932 \\'81{}x}"_ba;
    QTest::newRow("unicode without its fallback")
        << "{\\rtf1{\\u1055}x}"_ba << qsizetype(1) << qsizetype(0) << u"a"_s
        << "{\\rtf1{\\u1055{}a}x}"_ba;
    QTest::newRow("letters beyond the look-back")
        << "{\\rtf1 " + QByteArray(5000, 'a') + "\\'e9}" << qsizetype(5000) << qsizetype(1)
        << u"b"_s << "{\\rtf1 " + QByteArray(5000, 'a') + "{}b}";
    QTest::newRow("unicode before a truncated end")
        << "{\\rtf1\\uc2\\u26085\\"_ba << qsizetype(1) << qsizetype(0) << u"x"_s
        << "{\\rtf1\\uc2\\u26085{}x\\"_ba;
}

void TestRtfDocument::edits()
{
    QFETCH(QByteArray, rtf);
    QFETCH(qsizetype, pos);
    QFETCH(qsizetype, count);
    QFETCH(QString, text);
    QFETCH(QByteArray, result);

    RtfDocument document = load(rtf);
    const QString before = document.plainText();
    const std::optional<TextEdit> edit = document.replace(pos, count, text);
    QVERIFY(edit.has_value());
    QCOMPARE(document.toRtf(), result);
    const QString after = before.left(edit->pos) + document.mid(edit->pos, edit->inserted())
        + before.mid(edit->pos + edit->removed);
    QCOMPARE(document.plainText(), after);
    QCOMPARE(RtfReader::plainText(result), std::optional<QString>(after));
}

void TestRtfDocument::escaping_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("escaped");

    const QByteArray cp1251 = "{\\rtf1\\ansi\\ansicpg1251 "_ba;
    const QByteArray cp1252 = "{\\rtf1\\ansi "_ba;
    QTest::newRow("specials") << cp1251 << u"\\{}"_s << "\\\\\\{\\}"_ba;
    QTest::newRow("tab") << cp1251 << u"a\tb"_s << "a\\tab b"_ba;
    QTest::newRow("cyrillic in 1251")
        << cp1251 << u"Привет"_s << "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2"_ba;
    QTest::newRow("accent outside 1251") << cp1251 << u"é"_s << "\\u233?"_ba;
    QTest::newRow("accent in 1252") << cp1252 << u"é"_s << "\\'e9"_ba;
    QTest::newRow("cjk") << cp1251 << u"中文"_s << "\\u20013?\\u25991?"_ba;
    QTest::newRow("above 32767") << cp1251 << u"\uFB01"_s << "\\u-1279?"_ba;
    QTest::newRow("surrogate pair") << cp1251 << u"😀"_s << "\\u-10179?\\u-8704?"_ba;
    QTest::newRow("control character") << cp1251 << u"a\u0001"_s << "a\\'01"_ba;
    QTest::newRow("font charset") << "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 A;}}\\f0 "_ba
                                  << u"Жé"_s << "\\'c6\\u233?"_ba;
    QTest::newRow("uc2 wraps") << "{\\rtf1\\uc2 "_ba << u"a中文b"_s
                               << "a{\\uc1\\u20013?\\u25991?}b"_ba;
    QTest::newRow("uc0 wraps") << "{\\rtf1\\uc0 "_ba << u"中"_s << "{\\uc1\\u20013?}"_ba;
    QTest::newRow("double-byte code page")
        << "{\\rtf1\\ansicpg936 "_ba << u"中x"_s << "\\'d6\\'d0x"_ba;
}

void TestRtfDocument::escaping()
{
    QFETCH(QByteArray, header);
    QFETCH(QString, text);
    QFETCH(QByteArray, escaped);

    RtfDocument document = load(header + "X}");
    QVERIFY(document.replace(0, 1, text).has_value());
    QCOMPARE(document.toRtf(), header + escaped + '}');
    QCOMPARE(document.plainText(), text);
    QCOMPARE(RtfReader::plainText(document.toRtf()), std::optional<QString>(text));
}

void TestRtfDocument::widening_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<qsizetype>("pos");
    QTest::addColumn<qsizetype>("count");
    QTest::addColumn<qsizetype>("editPos");
    QTest::addColumn<qsizetype>("removed");
    QTest::addColumn<QString>("text");

    QTest::newRow("half a line break") << "{\\rtf1 a\\par b}"_ba << qsizetype(2) << qsizetype(1)
                                       << qsizetype(1) << qsizetype(2) << u"aXb"_s;
    QTest::newRow("insertion inside a line break")
        << "{\\rtf1 a\\par b}"_ba << qsizetype(2) << qsizetype(0) << qsizetype(1) << qsizetype(0)
        << u"aX\r\nb"_s;
    QTest::newRow("half a surrogate pair")
        << "{\\rtf1 \\u-10179?\\u-8704?x}"_ba << qsizetype(1) << qsizetype(1) << qsizetype(0)
        << qsizetype(2) << u"Xx"_s;
    QTest::newRow("range past the end") << "{\\rtf1 ab}"_ba << qsizetype(1) << qsizetype(99)
                                        << qsizetype(1) << qsizetype(1) << u"aX"_s;
}

void TestRtfDocument::widening()
{
    QFETCH(QByteArray, rtf);
    QFETCH(qsizetype, pos);
    QFETCH(qsizetype, count);
    QFETCH(qsizetype, editPos);
    QFETCH(qsizetype, removed);
    QFETCH(QString, text);

    RtfDocument document = load(rtf);
    const std::optional<TextEdit> edit = document.replace(pos, count, u"X"_s);
    QVERIFY(edit.has_value());
    QCOMPARE(edit->pos, editPos);
    QCOMPARE(edit->removed, removed);
    QCOMPARE(edit->inserted(), qsizetype(1));
    QCOMPARE(document.plainText(), text);
}

// A truncated document without text that ends inside a hidden group has no place for text.
void TestRtfDocument::noPlaceForText()
{
    const QByteArray rtf = "{\\rtf1{\\*\\hidden x"_ba;
    RtfDocument document = load(rtf);
    QVERIFY(!document.replace(0, 0, u"a"_s).has_value());
    QCOMPARE(document.toRtf(), rtf);
}

// A control word that ends a text unit (here the fallback of \\u1) is separated from new text
// by an empty group, not by a space: when the unit goes, a space would be left as text.
void TestRtfDocument::separatorOutlivesItsWord()
{
    RtfDocument document = load("{\\rtf\\u1\\b"_ba);
    QVERIFY(document.replace(1, 0, u"5"_s).has_value());
    QCOMPARE(document.toRtf(), "{\\rtf\\u1\\b{}5"_ba);
    QVERIFY(document.replace(0, 2, u"x"_s).has_value());
    QCOMPARE(document.plainText(), u"x"_s);
    QCOMPARE(RtfReader::plainText(document.toRtf()), std::optional<QString>(u"x"_s));
}

// The bytes of \bin data look like tokens but are none: a seam after them must neither take
// their last letters for an open control word (a space separator would be read as text) nor
// miss a real one after them because of a backslash in the data.
void TestRtfDocument::binaryDataIsNoToken_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<qsizetype>("pos");
    QTest::addColumn<qsizetype>("count");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("plain");

    // Found by fuzzing: the data "t\s" is the whole document, which has no text yet.
    QTest::newRow("insertion after data that ends like a word")
        << "{\\rtf\\bin3t\\s"_ba << qsizetype(0) << qsizetype(0) << u"x"_s << u"x"_s;
    QTest::newRow("insertion before text after the data")
        << "{\\rtf1 \\bin2\\bab}"_ba << qsizetype(0) << qsizetype(0) << u"x"_s << u"xab"_s;
    QTest::newRow("removal right after the data")
        << "{\\rtf1 \\bin2\\bab}"_ba << qsizetype(0) << qsizetype(1) << QString() << u"b"_s;
    QTest::newRow("data kept inside a removed range")
        << "{\\rtf1 a\\bin2\\bbc}"_ba << qsizetype(0) << qsizetype(2) << QString() << u"c"_s;
    QTest::newRow("backslash in the data before a word")
        << "{\\rtf1 \\bin1\\\\b1x2}"_ba << qsizetype(0) << qsizetype(1) << QString() << u"2"_s;
    QTest::newRow("backslash in kept data before a word")
        << "{\\rtf1 a\\bin1\\\\b1x2}"_ba << qsizetype(0) << qsizetype(2) << QString() << u"2"_s;
}

void TestRtfDocument::binaryDataIsNoToken()
{
    QFETCH(QByteArray, rtf);
    QFETCH(qsizetype, pos);
    QFETCH(qsizetype, count);
    QFETCH(QString, text);
    QFETCH(QString, plain);

    RtfDocument document = load(rtf);
    QVERIFY(document.replace(pos, count, text).has_value());
    QCOMPARE(document.plainText(), plain);
    QCOMPARE(RtfReader::plainText(document.toRtf()), std::optional<QString>(plain));
}

// Edits move \bin data, before it or around it (then it is copied into the new bytes); later
// seams beside it must still know it for what it is.
void TestRtfDocument::binaryDataMovesWithEdits()
{
    struct Step {
        qsizetype pos;
        qsizetype count;
        QString text;
        QString plain;
    };
    const Step steps[] = {
        {0, 0, u"12"_s, u"12abcde2"_s}, // everything after moves on
        {0, 5, QString(), u"de2"_s}, // the first data is copied, then "d" joins it
        {0, 0, u"x"_s, u"xde2"_s}, // a seam after the copied data
        {2, 1, QString(), u"xd2"_s}, // a seam after the moved second data
    };
    RtfDocument document = load("{\\rtf1 ab\\bin2\\bcd\\bin1\\\\b1e2}"_ba);
    for (const Step &step : steps) {
        QVERIFY(document.replace(step.pos, step.count, step.text).has_value());
        QCOMPARE(document.plainText(), step.plain);
        QCOMPARE(RtfReader::plainText(document.toRtf()), std::optional<QString>(step.plain));
    }
}

void TestRtfDocument::randomEditsStayConsistent_data()
{
    unchangedIsByteIdentical_data();
}

// Many edits at random places, checked after each against an independent reading of the
// edited source.
void TestRtfDocument::randomEditsStayConsistent()
{
    QFETCH(QString, name);
    static const QStringList insertions{u""_s,     u"x"_s,  u"слово"_s, u"中"_s, u"😀"_s,
                                        u"\r\n"_s, u"\t"_s, u"{\\}"_s,  u"5"_s,  u" a"_s};
    RtfDocument document = load(readData(name));
    QString expected = document.plainText();
    QRandomGenerator random(20240611);
    for (int i = 0; i < 300; ++i) {
        const qsizetype pos = random.bounded(int(document.length() + 1));
        const qsizetype count
            = random.bounded(int(std::min<qsizetype>(document.length() - pos, 12) + 1));
        const QString text = insertions.at(random.bounded(int(insertions.size())));
        const std::optional<TextEdit> edit = document.replace(pos, count, text);
        QVERIFY(edit.has_value());
        expected = expected.left(edit->pos) + document.mid(edit->pos, edit->inserted())
            + expected.mid(edit->pos + edit->removed);
        QCOMPARE(document.plainText(), expected);
        QCOMPARE(RtfReader::plainText(document.toRtf()), std::optional<QString>(expected));
    }
}

void TestRtfDocument::formattedRuns()
{
    const RtfDocument document = load(readData(u"cyrillic.rtf"_s));
    const QString text = document.plainText();
    const QList<FormattedRun> runs = document.formattedRuns();
    const auto runAt = [&](const QString &word) {
        const qsizetype pos = text.indexOf(word);
        for (const FormattedRun &run : runs) {
            if (pos >= run.start && pos + word.size() <= run.start + run.length)
                return run;
        }
        return FormattedRun{};
    };
    QCOMPARE(runAt(u"Заголовок"_s).alignment, TextAlignment::Center);
    QCOMPARE(runAt(u"Пере"_s).bold, false);
    QCOMPARE(runAt(u"вод"_s).bold, true);
    QCOMPARE(runAt(u"текст"_s).italic, true);
    QCOMPARE(runAt(u"красное"_s).hasColour, true);
    QCOMPARE(runAt(u"красное"_s).colour, 0xFFC00000u);
    QCOMPARE(runAt(u"Крупный"_s).fontName, u"Liberation Sans"_s);
    QCOMPARE(runAt(u"Крупный"_s).pointSize, 14.0);
    QCOMPARE(runAt(u"справа"_s).alignment, TextAlignment::Right);
    QCOMPARE(runs.last().start + runs.last().length, text.size());

    const RtfDocument japanese
        = load("{\\rtf1\\ansicpg932{\\fonttbl{\\f0\\fcharset128 \\'82\\'6c\\'82\\'72 "
               "\\'96\\'be\\'92\\'a9;}}\\f0 x}"_ba);
    QCOMPARE(japanese.formattedRuns().first().fontName, u"ＭＳ 明朝"_s);

    const RtfDocument wordpad = load(readData(u"wordpad-1251.rtf"_s));
    const FormattedRun first = wordpad.formattedRuns().first();
    QCOMPARE(first.fontName, u"Arial CYR"_s);
    QCOMPARE(first.pointSize, 10.0);
    QCOMPARE(first.hasColour, false);
}

QTEST_GUILESS_MAIN(TestRtfDocument)
#include "tst_rtfdocument.moc"
