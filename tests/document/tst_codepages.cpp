// The 8-bit code pages a file that is neither UTF-8 nor marked is read in: their tables, a
// file's way through a replacement and back, and the hint that a file looks like another one.
#include "document/CodePage.h"
#include "document/CodePageGuess.h"
#include "document/Document.h"
#include "document/DocumentFile.h"
#include "document/LargeFileReader.h"
#include "document/PlainTextCodec.h"
#include "document/SingleByteCodePage.h"

#include "TestFolder.h"

#include <QStringDecoder>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(CodePage)

namespace {

const QString Russian = u"Съешь же ещё этих мягких французских булок, да выпей чаю. В чащах юга "
                        u"жил бы цитрус? Да, но фальшивый экземпляр! Широкая электрификация "
                        u"южных губерний даст мощный толчок подъёму сельского хозяйства."_s;

QByteArray encoded(const QString &text, CodePage page)
{
    QByteArray bytes;
    if (!SingleByteCodePage::of(page).encode(text, bytes))
        return {};
    return bytes;
}

void addPages()
{
    QTest::addColumn<CodePage>("page");
    QTest::newRow("CP1251") << CodePage::Cp1251;
    QTest::newRow("CP866") << CodePage::Cp866;
    QTest::newRow("KOI8-R") << CodePage::Koi8R;
    QTest::newRow("ISO-8859-5") << CodePage::Iso8859_5;
}

} // namespace

class TestCodePages : public QObject {
    Q_OBJECT

private slots:
    void tableAgreesWithQt_data() { addPages(); }
    void tableAgreesWithQt();
    void roundTripWithReplacement_data() { addPages(); }
    void roundTripWithReplacement();
    void largeFileInItsCodePage();
    void hint_data();
    void hint();
    void names();
};

// Every byte decodes to a character of its own, and, where Qt knows the code page, to the one
// Qt gives (0x98 of CP1251, unassigned there, is read as U+0098 here).
void TestCodePages::tableAgreesWithQt()
{
    QFETCH(CodePage, page);
    const SingleByteCodePage &table = SingleByteCodePage::of(page);
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all += char(b);
    const QString text = table.decode(all);
    QByteArray back;
    QVERIFY(table.encode(text, back));
    QCOMPARE(back, all);
    QStringDecoder qt(CodePages::name(page).constData());
    if (!qt.isValid())
        QSKIP("Qt has no converter for this code page");
    const QString theirs = qt.decode(all);
    for (int b = 0x80; b < 256; ++b) { // Qt may read some control bytes as pictures
        if (page == CodePage::Cp1251 && b == 0x98)
            continue;
        QVERIFY2(text[b - 1] == theirs[b - 1], qPrintable(u"byte %1"_s.arg(b, 0, 16)));
    }
}

// A file of every byte value but NUL, read in the code page, with a Cyrillic word replaced:
// written back, only the replaced bytes differ.
void TestCodePages::roundTripWithReplacement()
{
    QFETCH(CodePage, page);
    QByteArray before;
    for (int b = 1; b < 256; ++b)
        before += char(b);
    const QByteArray head = encoded(u"Было: кот.\r\n"_s, page);
    before.prepend(head);
    TestFolder folder;
    const QString path = folder.write(u"page.txt"_s, before);
    Document doc;
    QCOMPARE(DocumentFile::load(doc, path, page), LoadStatus::Loaded);
    QCOMPARE(doc.plainText()->encoding().codePage(), std::optional<CodePage>(page));
    const qsizetype at = doc.text().indexOf(u"кот"_s);
    QCOMPARE(at, 6);
    QVERIFY(doc.replace(at, 3, u"пёс"_s));
    QVERIFY(DocumentFile::save(doc, path).ok());
    QByteArray expected = before;
    expected.replace(6, 3, encoded(u"пёс"_s, page));
    QCOMPARE(folder.read(path), expected);
}

// A file read in slices goes the same way, and says what it looks like.
void TestCodePages::largeFileInItsCodePage()
{
    QByteArray before = encoded(Russian + u"\n"_s, CodePage::Koi8R);
    before = before.repeated(int(LargeFileReader::Threshold / before.size()) + 1);
    before.prepend(encoded(u"кот\n"_s, CodePage::Koi8R));
    TestFolder folder;
    const QString path = folder.write(u"large.txt"_s, before);
    Document asCp1251;
    QCOMPARE(DocumentFile::load(asCp1251, path), LoadStatus::Loaded);
    QCOMPARE(asCp1251.plainText()->likelierCodePage(), CodePage::Koi8R);
    Document doc;
    QCOMPARE(DocumentFile::load(doc, path, CodePage::Koi8R), LoadStatus::Loaded);
    QCOMPARE(doc.plainText()->likelierCodePage(), std::nullopt);
    QCOMPARE(doc.text().left(3), u"кот"_s);
    QVERIFY(doc.replace(0, 3, u"пёс"_s));
    QVERIFY(DocumentFile::save(doc, path).ok());
    QByteArray expected = before;
    expected.replace(0, 3, encoded(u"пёс"_s, CodePage::Koi8R));
    QVERIFY(folder.read(path) == expected);
}

void TestCodePages::hint_data()
{
    QTest::addColumn<CodePage>("written");
    QTest::addColumn<CodePage>("read");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hinted");
    const CodePage pages[]
        = {CodePage::Cp1251, CodePage::Cp866, CodePage::Koi8R, CodePage::Iso8859_5};
    for (const CodePage written : pages) {
        for (const CodePage read : pages) {
            const QByteArray row = CodePages::name(written) + " read as " + CodePages::name(read);
            QTest::newRow(row.constData()) << written << read << Russian << (written != read);
        }
    }
    // Capitals of one code page are small letters of another: a heading in capitals must not
    // make a file look like one.
    for (const CodePage page : pages) {
        const QByteArray row = "capitals in " + CodePages::name(page);
        QTest::newRow(row.constData()) << page << page << Russian.toUpper() << false;
    }
    QTest::newRow("too few letters")
        << CodePage::Koi8R << CodePage::Cp1251 << u"Привет, мир"_s << false;
}

void TestCodePages::hint()
{
    QFETCH(CodePage, written);
    QFETCH(CodePage, read);
    QFETCH(QString, text);
    QFETCH(bool, hinted);
    const QByteArray bytes = encoded(text, written);
    QVERIFY(!bytes.isEmpty());
    const std::optional<CodePage> expected
        = hinted ? std::optional<CodePage>(written) : std::nullopt;
    QCOMPARE(CodePageGuess::likelier(bytes, read), expected);
    const DecodedText decoded = PlainTextCodec::load(bytes, u"a.txt", read);
    const auto *codec = dynamic_cast<const PlainTextCodec *>(decoded.codec.get());
    QVERIFY(codec);
    QCOMPARE(codec->likelierCodePage(), expected);
}

void TestCodePages::names()
{
    for (int i = 0; i < CodePages::Count; ++i) {
        const CodePage page = *CodePages::fromIndex(i);
        QCOMPARE(CodePages::fromName(QString::fromLatin1(CodePages::name(page))), page);
    }
    QCOMPARE(CodePages::fromName(u"Dos"), CodePage::Cp866);
    QCOMPARE(CodePages::fromName(u"koi8r"), CodePage::Koi8R);
    QCOMPARE(CodePages::fromName(u"utf-8"), std::nullopt);
    QCOMPARE(CodePages::fromIndex(4), std::nullopt);
}

QTEST_GUILESS_MAIN(TestCodePages)
#include "tst_codepages.moc"
