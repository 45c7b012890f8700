#include "document/Cp1251.h"
#include "document/Document.h"
#include "document/DocumentFile.h"
#include "document/HtmlCharset.h"
#include "document/LineBreaks.h"
#include "document/PlainTextCodec.h"

#include <QStringDecoder>
#include <QTest>

#include <random>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(LineBreakStyle)
Q_DECLARE_METATYPE(FileFormat)

namespace {

Document plainDocument(const QString &text, const TextEncoding &encoding,
                       LineBreakStyle style = LineBreakStyle::None)
{
    return Document(text, std::make_unique<PlainTextCodec>(encoding, style));
}

} // namespace

class TestDocument : public QObject {
    Q_OBJECT

private slots:
    void cp1251_readsEveryByteLikeIcuAndBack();
    void edits_matchNaiveString();
    void edits_mayInsertTextOfTheDocumentItself();
    void view_afterLastEdit_doesNotMoveText();
    void replace_marksModified();
    void lineBreaks_detect_data();
    void lineBreaks_detect();
    void toDocumentLineBreaks();
    void canEncode_data();
    void canEncode();
    void htmlCharset_declared_data();
    void htmlCharset_declared();
    void htmlName_data();
    void htmlName();
    void formatForName_data();
    void formatForName();
};

void TestDocument::cp1251_readsEveryByteLikeIcuAndBack()
{
    QStringDecoder icu("windows-1251");
    QVERIFY(icu.isValid());
    QSet<char16_t> seen;
    for (int byte = 0; byte < 256; ++byte) {
        const char raw = static_cast<char>(byte);
        const QString expected = icu.decode(QByteArrayView(&raw, 1));
        const char16_t ch = Cp1251::toUnicode(static_cast<unsigned char>(byte));
        QCOMPARE(expected.size(), 1);
        QCOMPARE(ch, expected.at(0).unicode());
        QCOMPARE(Cp1251::fromUnicode(ch), byte);
        seen.insert(ch);
    }
    QCOMPARE(seen.size(), 256);
    QCOMPARE(Cp1251::fromUnicode(u'\u4E2D'), -1);
    QCOMPARE(Cp1251::fromUnicode(u'\u0080'), -1);
}

// The gap buffer against a plain QString on random edits, views and reads.
void TestDocument::edits_matchNaiveString()
{
    std::mt19937 random(20240517);
    auto below
        = [&](qsizetype n) { return std::uniform_int_distribution<qsizetype>(0, n)(random); };
    const QString alphabet = u"abcЖЯ\r\n"_s;
    auto randomText = [&](qsizetype maxLength) {
        QString text;
        for (qsizetype i = below(maxLength); i > 0; --i)
            text += alphabet.at(below(alphabet.size() - 1));
        return text;
    };

    // Edits and views cluster around the last edit, as in a replace-all, or land anywhere.
    qsizetype last = 0;
    auto somewhere = [&](qsizetype size) {
        const qsizetype nearby = last + below(16) - 8;
        return std::clamp<qsizetype>(below(1) ? nearby : below(size), 0, size);
    };

    QString reference = randomText(200);
    Document doc(reference);
    for (int step = 0; step < 3000; ++step) {
        // Now and then a long insert, so that the gap has to grow, and a long removal, so
        // that the text stays short and edits and views often fall close to the gap.
        const bool longInsert = step % 97 == 0;
        const bool longRemoval = step % 97 == 1;
        const QString text = randomText(longInsert ? 6000 : 10);
        const qsizetype pos = somewhere(reference.size());
        const qsizetype count
            = below(std::min<qsizetype>(reference.size() - pos, longRemoval ? 6000 : 12));
        last = pos + text.size();
        doc.replace(pos, count, text);
        reference.replace(pos, count, text);

        const qsizetype from = somewhere(reference.size());
        const DocumentView view = doc.view(from);
        QVERIFY(view.base() <= from);
        QCOMPARE(view.length(), reference.size());
        QCOMPARE(view.from(from), QStringView(reference).sliced(from));
        const qsizetype at = below(reference.size());
        QCOMPARE(doc.mid(at, 7), reference.mid(at, 7));
    }
    QCOMPARE(doc.length(), reference.size());
    QCOMPARE(doc.text(), reference);
}

void TestDocument::edits_mayInsertTextOfTheDocumentItself()
{
    Document doc(u"0123456789"_s);
    doc.replace(5, 0, u"abc"_s); // places the gap inside the text
    const QStringView ownText = doc.view(0).from(0).sliced(1, 4);
    doc.replace(8, 2, ownText);
    QCOMPARE(doc.text(), u"01234abc1234789"_s);
}

// A replace-all searches from just after each inserted text; that must not move the text.
void TestDocument::view_afterLastEdit_doesNotMoveText()
{
    Document doc(u"one two three four five"_s);
    doc.replace(4, 3, u"2"_s);
    const QStringView tail = doc.view(5).from(5);
    const QStringView again = doc.view(9).from(5);
    QCOMPARE(again.data(), tail.data());
    QCOMPARE(tail, u" three four five");
    QCOMPARE(doc.view(0).from(0), u"one 2 three four five");
}

void TestDocument::replace_marksModified()
{
    Document doc(u"abc"_s);
    QVERIFY(!doc.isModified());
    doc.replace(1, 0, u""_s);
    QVERIFY(!doc.isModified());
    doc.replace(1, 1, u"B"_s);
    QVERIFY(doc.isModified());
    doc.setModified(false);
    QVERIFY(!doc.isModified());
    QCOMPARE(doc.text(), u"aBc"_s);
}

void TestDocument::lineBreaks_detect_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<LineBreakStyle>("style");
    QTest::addColumn<QString>("lineBreak");
    QTest::newRow("none") << u"abc"_s << LineBreakStyle::None << u"\r\n"_s;
    QTest::newRow("crlf") << u"a\r\nb\r\n"_s << LineBreakStyle::CrLf << u"\r\n"_s;
    QTest::newRow("lf") << u"a\nb\n"_s << LineBreakStyle::Lf << u"\n"_s;
    QTest::newRow("cr") << u"a\rb\r"_s << LineBreakStyle::Cr << u"\r"_s;
    QTest::newRow("crlf and lf") << u"a\r\nb\nc"_s << LineBreakStyle::Mixed << u"\r\n"_s;
    QTest::newRow("lf then cr") << u"a\n\rb"_s << LineBreakStyle::Mixed << u"\r\n"_s;
    QTest::newRow("cr at end after crlf") << u"a\r\nb\r"_s << LineBreakStyle::Mixed << u"\r\n"_s;
    QTest::newRow("lf then crlf") << u"a\nb\r\n"_s << LineBreakStyle::Mixed << u"\r\n"_s;
    QTest::newRow("cr before crlf") << u"a\r\r\nb"_s << LineBreakStyle::Mixed << u"\r\n"_s;
    QTest::newRow("crlf far apart")
        << QString(5000, u'x') + u"\r\n"_s + QString(5000, u'y') + u"\r\n"_s << LineBreakStyle::CrLf
        << u"\r\n"_s;
}

void TestDocument::lineBreaks_detect()
{
    QFETCH(QString, text);
    QFETCH(LineBreakStyle, style);
    QFETCH(QString, lineBreak);
    QCOMPARE(LineBreaks::detect(text), style);
    QCOMPARE(Document(text).lineBreak(), lineBreak);
}

void TestDocument::toDocumentLineBreaks()
{
    const QString typed = u"a\r\nb\r\n"_s;
    QCOMPARE(plainDocument({}, {}, LineBreakStyle::Lf).toDocumentLineBreaks(typed), u"a\nb\n"_s);
    QCOMPARE(plainDocument({}, {}, LineBreakStyle::Cr).toDocumentLineBreaks(typed), u"a\rb\r"_s);
    QCOMPARE(plainDocument({}, {}, LineBreakStyle::Mixed).toDocumentLineBreaks(typed), typed);
}

void TestDocument::canEncode_data()
{
    QTest::addColumn<QByteArray>("charset");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("encodable");
    QTest::newRow("1251 cyrillic") << "windows-1251"_ba << u"Ёжик №5 €"_s << true;
    QTest::newRow("1251 chinese") << "windows-1251"_ba << u"ab中"_s << false;
    QTest::newRow("1251 unassigned byte") << "windows-1251"_ba << u"\u0098"_s << true;
    QTest::newRow("koi8-r cyrillic") << "koi8-r"_ba << u"Привет"_s << true;
    QTest::newRow("koi8-r euro") << "koi8-r"_ba << u"€"_s << false;
    QTest::newRow("iso-8859-2 polish") << "iso-8859-2"_ba << u"łódź"_s << true;
    QTest::newRow("iso-8859-2 cyrillic") << "iso-8859-2"_ba << u"Ж"_s << false;
    QTest::newRow("utf-8 chinese") << "utf-8"_ba << u"中文 😀"_s << true;
    QTest::newRow("utf-8 lone surrogate") << "utf-8"_ba << QString(QChar(0xD800)) << false;
}

void TestDocument::canEncode()
{
    QFETCH(QByteArray, charset);
    QFETCH(QString, text);
    QFETCH(bool, encodable);
    const auto encoding = TextEncoding::forCharsetName(charset);
    QVERIFY(encoding);
    const Document doc = plainDocument({}, *encoding);
    QCOMPARE(doc.canEncode(text), encodable);
    QByteArray bytes;
    QCOMPARE(doc.codec().encode(text, FileFormat::PlainText, bytes) == SaveStatus::Ok, encodable);
}

void TestDocument::htmlCharset_declared_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("charset");
    QTest::newRow("charset attribute") << "<html><meta charset=\"koi8-r\">"_ba
                                       << "koi8-r"_ba;
    QTest::newRow("upper case, unquoted") << "<META CHARSET=KOI8-R>"_ba
                                          << "koi8-r"_ba;
    QTest::newRow("http-equiv")
        << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">"_ba
        << "iso-8859-2"_ba;
    QTest::newRow("http-equiv after content")
        << "<meta content='text/html;charset=windows-1251' http-equiv='content-type' />"_ba
        << "windows-1251"_ba;
    QTest::newRow("first declaration wins")
        << "<meta name=x content=y><meta charset=utf-8><meta charset=koi8-r>"_ba
        << "utf-8"_ba;
    QTest::newRow("content without http-equiv")
        << "<meta name=\"description\" content=\"charset=koi8-r\">"_ba << QByteArray();
    QTest::newRow("none") << "<html><head><title>x</title>"_ba << QByteArray();
    QTest::newRow("beyond the head")
        << QByteArray(HtmlCharset::kHeadSize, ' ') + "<meta charset=koi8-r>" << QByteArray();
    QTest::newRow("form feeds around =") << "<meta charset\f=\f\"shift_jis\">"_ba
                                         << "shift_jis"_ba;
    QTest::newRow("vertical tabs around = (not HTML's white space)")
        << "<meta charset\v=\v\"shift_jis\">"_ba << QByteArray();
    QTest::newRow("vertical tab in the name") << "<meta charset=\"\vshift_jis\">"_ba
                                              << "\vshift_jis"_ba;
    QTest::newRow("in a comment") << "<!-- <meta charset=koi8-r> --><p>"_ba << QByteArray();
    QTest::newRow("in another tag's attribute")
        << "<p title='<meta charset=koi8-r>'><meta charset=utf-8>"_ba
        << "utf-8"_ba;
    QTest::newRow("the first of two charset attributes") << "<meta charset=koi8-r charset=utf-8>"_ba
                                                         << "koi8-r"_ba;
    QTest::newRow("a tag cut by the head's end")
        << QByteArray(HtmlCharset::kHeadSize - 20, ' ') + "<meta charset=koi8-r" << QByteArray();
}

void TestDocument::htmlCharset_declared()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, charset);
    QCOMPARE(HtmlCharset::declared(head), charset);
    // A name with a vertical tab names no encoding; both paths then leave the file undeclared.
    if (charset.startsWith('\v'))
        QVERIFY(!TextEncoding::forCharsetName(charset));
}

void TestDocument::htmlName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("html");
    QTest::newRow("htm") << u"page.htm"_s << true;
    QTest::newRow("HTML") << u"PAGE.HTML"_s << true;
    QTest::newRow("shtm") << u"a.b.Shtm"_s << true;
    QTest::newRow("shtml") << u"x.shtml"_s << true;
    QTest::newRow("txt") << u"page.txt"_s << false;
    QTest::newRow("htmlx") << u"page.htmlx"_s << false;
    QTest::newRow("no extension") << u"html"_s << false;
}

void TestDocument::htmlName()
{
    QFETCH(QString, name);
    QFETCH(bool, html);
    QCOMPARE(HtmlCharset::isHtmlName(name), html);
}

void TestDocument::formatForName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<FileFormat>("format");
    QTest::newRow("htm") << u"/d/page.htm"_s << FileFormat::PlainText;
    QTest::newRow("txt") << u"/d/notes.txt"_s << FileFormat::PlainText;
    QTest::newRow("no extension") << u"/d/README"_s << FileFormat::PlainText;
    QTest::newRow("rtf") << u"/d/report.rtf"_s << FileFormat::Rtf;
    QTest::newRow("RTF") << u"/d/REPORT.RTF"_s << FileFormat::Rtf;
    QTest::newRow("Rtf") << u"/d/Report.Rtf"_s << FileFormat::Rtf;
    QTest::newRow("rtf folder") << u"/d/x.rtf/notes"_s << FileFormat::PlainText;
    QTest::newRow("rtf not last") << u"/d/a.rtf.bak"_s << FileFormat::PlainText;
}

void TestDocument::formatForName()
{
    QFETCH(QString, path);
    QFETCH(FileFormat, format);
    QCOMPARE(DocumentFile::formatForName(path), format);
}

QTEST_APPLESS_MAIN(TestDocument)
#include "tst_document.moc"
