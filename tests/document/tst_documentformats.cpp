#include "document/Document.h"
#include "document/DocumentFile.h"
#include "document/RichTextCodec.h"
#include "rtf/RtfDocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray testRtf(const QString &name)
{
    return readFile(QString::fromUtf8(QUORVEX_TESTS_ROOT "/rtf/data/") + name);
}

} // namespace

// How a document's format follows its content on loading and its name on saving.
class TestDocumentFormats : public QObject {
    Q_OBJECT

private slots:
    void contentDecidesTheFormat_data();
    void contentDecidesTheFormat();
    void editKeepsEverythingElse();
    void rtfUnderAnotherNameStaysRtf_data();
    void rtfUnderAnotherNameStaysRtf();
    void plainTextSavedAsRtf();
    void copiesAreIndependent();

private:
    QTemporaryDir m_dir;
};

void TestDocumentFormats::contentDecidesTheFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("rtf under .rtf")
        << u"a.rtf"_s << QByteArray("{\\rtf1 Hello\\par World}") << true << u"Hello\r\nWorld"_s;
    QTest::newRow("rtf under .txt")
        << u"a.txt"_s << QByteArray("{\\rtf1 Hello}") << true << u"Hello"_s;
    QTest::newRow("plain under .rtf")
        << u"b.rtf"_s << QByteArray("plain {\\rtf1") << false << u"plain {\\rtf1"_s;
    QTest::newRow("too deep is plain")
        << u"c.rtf"_s << QByteArray("{\\rtf1 ") + QByteArray(2000, '{') << false
        << QString::fromLatin1(QByteArray("{\\rtf1 ") + QByteArray(2000, '{'));
}

void TestDocumentFormats::contentDecidesTheFormat()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, rtf);
    QFETCH(QString, text);
    const QString path = m_dir.filePath(name);
    writeFile(path, bytes);
    Document doc;
    QCOMPARE(LoadDocument(doc, path), LoadStatus::Loaded);
    QCOMPARE((doc.format() == FileFormat::Rtf), rtf);
    QCOMPARE(doc.text(), text);
}

void TestDocumentFormats::editKeepsEverythingElse()
{
    const QByteArray original = testRtf(u"image.rtf"_s);
    const QString path = m_dir.filePath(u"image.rtf"_s);
    writeFile(path, original);
    Document doc;
    QCOMPARE(LoadDocument(doc, path), LoadStatus::Loaded);
    const qsizetype at = doc.text().indexOf(u"Second"_s);
    QVERIFY(at > 0);
    const std::optional<TextEdit> made = doc.replace(at, 6, u"Второй"_s);
    QVERIFY(made);
    QCOMPARE(made->inserted(), 6);
    QVERIFY(SaveDocument(doc, path));
    const QByteArray saved = readFile(path);
    // The picture and everything before the word are untouched; the rest follows unchanged.
    const qsizetype cut = original.indexOf("Second");
    QCOMPARE(saved.left(cut), original.left(cut));
    QCOMPARE(saved.right(original.size() - cut - 6), original.right(original.size() - cut - 6));
    QCOMPARE(saved.count("\\pict"), original.count("\\pict"));
    Document reloaded;
    QCOMPARE(LoadDocument(reloaded, path), LoadStatus::Loaded);
    QCOMPARE(reloaded.text(), doc.text());
}

// Written as plain text, RTF content under another name would lose every format mark,
// picture and table: it stays RTF whatever the name.
void TestDocumentFormats::rtfUnderAnotherNameStaysRtf_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("txt, code page text")
        << u"notes.txt"_s << u"Да"_s
        << QByteArray("{\\rtf1\\ansi {\\b \\u1044?\\u1072? x}\\par y}");
    QTest::newRow("htm, wide text")
        << u"page.htm"_s << u"中"_s << QByteArray("{\\rtf1\\ansi {\\b \\u20013? x}\\par y}");
    QTest::newRow("no extension") << u"README"_s << u"z"_s
                                  << QByteArray("{\\rtf1\\ansi {\\b z x}\\par y}");
}

void TestDocumentFormats::rtfUnderAnotherNameStaysRtf()
{
    QFETCH(QString, name);
    QFETCH(QString, inserted);
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath(name);
    writeFile(path, "{\\rtf1\\ansi {\\b x}\\par y}");
    Document doc;
    QCOMPARE(LoadDocument(doc, path), LoadStatus::Loaded);
    QCOMPARE(DocumentFile::formatFor(doc, path), FileFormat::Rtf);
    doc.replace(0, 0, inserted + u' ');
    QVERIFY(SaveDocument(doc, path));
    QCOMPARE(readFile(path), bytes);
}

void TestDocumentFormats::plainTextSavedAsRtf()
{
    const QString path = m_dir.filePath(u"plain.rtf"_s);
    writeFile(path, "line one\r\nстрока два");
    Document doc;
    QCOMPARE(LoadDocument(doc, path), LoadStatus::Loaded);
    QVERIFY(doc.format() != FileFormat::Rtf);
    doc.replace(0, 4, u"LINE"_s);
    QVERIFY(SaveDocument(doc, path));
    QVERIFY(readFile(path).startsWith("{\\rtf1"));
    Document reloaded;
    QCOMPARE(LoadDocument(reloaded, path), LoadStatus::Loaded);
    QVERIFY(reloaded.format() == FileFormat::Rtf);
    QCOMPARE(reloaded.text(), u"LINE one\r\nстрока два"_s);
}

void TestDocumentFormats::copiesAreIndependent()
{
    std::optional<DecodedText> decoded = RichTextCodec::load("{\\rtf1 {\\i abc} def}");
    QVERIFY(decoded);
    Document doc(std::move(decoded->text), std::move(decoded->codec));
    Document copy = doc;
    copy.replace(0, 3, u"XYZ"_s);
    QCOMPARE(doc.text(), u"abc def"_s);
    QCOMPARE(copy.text(), u"XYZ def"_s);
    QByteArray original;
    QByteArray edited;
    QCOMPARE(doc.codec().encode(doc.text(), FileFormat::Rtf, original), SaveStatus::Ok);
    QCOMPARE(copy.codec().encode(copy.text(), FileFormat::Rtf, edited), SaveStatus::Ok);
    QCOMPARE(original, QByteArray("{\\rtf1 {\\i abc} def}"));
    QCOMPARE(edited, QByteArray("{\\rtf1 {\\i XYZ} def}"));
}

QTEST_GUILESS_MAIN(TestDocumentFormats)
#include "tst_documentformats.moc"
