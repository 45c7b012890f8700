#include "options/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray utf8(const QString &text)
{
    return text.toUtf8();
}

// A hand-edited file: other case, blanks, quotes, comments, a key before any section, a
// repeated key and a repeated section.
const QByteArray HandEdited = utf8(u"Stray=1\r\n"
                                   u"; written by hand\r\n"
                                   u"[ main ]\r\n"
                                   u"  rcb_checked =  false  \r\n"
                                   u"Path=\"  C:\\Program Files  \"\r\n"
                                   u"Single='quoted'\r\n"
                                   u"Half=\"open\r\n"
                                   u"Equals=a=b\r\n"
                                   u"rcb_checked=True\r\n"
                                   u"# trailing comment\r\n"
                                   u"\r\n"
                                   u"[Folders]\r\n"
                                   u"DirLabel_Caption=C:\\Документы\r\n"
                                   u"[MAIN]\r\n"
                                   u"Late=1\r\n"_s);

} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT

private slots:
    void reading_data();
    void reading();
    void unchangedValueLeavesTheFileAlone();
    void replacingKeepsTheRestOfTheLine();
    void newKeyGoesAfterTheSectionsLastKey();
    void newSectionsGoToTheEnd();
    void lastLineWithoutLineEnding();
    void quoting_data();
    void quoting();
    void controlCharactersNeverReachTheFile_data();
    void controlCharactersNeverReachTheFile();
    void encodingsAreKept_data();
    void encodingsAreKept();
    void cp1251FileTakesTextItCannotHold();
    void longValuesAreReadWhole();
    void saveAndLoad();
    void saveFailsOnAFolder();
    void loadFailsOnAFolder();
};

void TestProfileFile::reading_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // "<none>" for a missing value
    QTest::newRow("other case, blanks") << u"Main"_s << u"RCB_CHECKED"_s << u"false"_s;
    QTest::newRow("first of two keys") << u"main"_s << u"rcb_checked"_s << u"false"_s;
    QTest::newRow("double quotes keep blanks")
        << u"Main"_s << u"path"_s << u"  C:\\Program Files  "_s;
    QTest::newRow("single quotes") << u"Main"_s << u"Single"_s << u"quoted"_s;
    QTest::newRow("one quote stays") << u"Main"_s << u"Half"_s << u"\"open"_s;
    QTest::newRow("equals sign in value") << u"Main"_s << u"Equals"_s << u"a=b"_s;
    QTest::newRow("comment is no key") << u"Main"_s << u"# trailing comment"_s << u"<none>"_s;
    QTest::newRow("key before any section") << u"Main"_s << u"Stray"_s << u"<none>"_s;
    QTest::newRow("second section of a name is ignored") << u"Main"_s << u"Late"_s << u"<none>"_s;
    QTest::newRow("missing section") << u"Options"_s << u"RCB_Checked"_s << u"<none>"_s;
    QTest::newRow("non-ASCII value") << u"FOLDERS"_s << u"DirLabel_Caption"_s << u"C:\\Документы"_s;
}

void TestProfileFile::reading()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const ProfileFile file = ProfileFile::fromBytes(HandEdited);
    QCOMPARE(file.value(section, key).value_or(u"<none>"_s), expected);
}

void TestProfileFile::unchangedValueLeavesTheFileAlone()
{
    ProfileFile file = ProfileFile::fromBytes(HandEdited);
    file.setValue(u"MAIN"_s, u"RCB_Checked"_s, u"false"_s);
    file.setValue(u"Main"_s, u"Path"_s, u"  C:\\Program Files  "_s);
    file.setValue(u"Main"_s, u"Single"_s, u"quoted"_s);
    QCOMPARE(file.toBytes(), HandEdited);
}

void TestProfileFile::replacingKeepsTheRestOfTheLine()
{
    ProfileFile file = ProfileFile::fromBytes(HandEdited);
    file.setValue(u"Main"_s, u"RCB_Checked"_s, u"True"_s);
    QByteArray expected = HandEdited;
    expected.replace("  rcb_checked =  false  \r\n", "  rcb_checked =  True\r\n");
    QCOMPARE(file.toBytes(), expected);
}

void TestProfileFile::newKeyGoesAfterTheSectionsLastKey()
{
    ProfileFile file = ProfileFile::fromBytes(HandEdited);
    file.setValue(u"Main"_s, u"MSCB_Checked"_s, u"True"_s);
    QByteArray expected = HandEdited;
    expected.replace("rcb_checked=True\r\n", "rcb_checked=True\r\nMSCB_Checked=True\r\n");
    QCOMPARE(file.toBytes(), expected);
}

void TestProfileFile::newSectionsGoToTheEnd()
{
    ProfileFile file;
    file.setValue(u"Main"_s, u"A"_s, u"1"_s);
    file.setValue(u"Folders"_s, u"B"_s, u"2"_s);
    file.setValue(u"Main"_s, u"C"_s, u"3"_s);
    QCOMPARE(file.toBytes(), QByteArray("[Main]\nA=1\nC=3\n\n[Folders]\nB=2\n"));
}

void TestProfileFile::lastLineWithoutLineEnding()
{
    ProfileFile file = ProfileFile::fromBytes("[Main]\r\nA=1");
    file.setValue(u"Main"_s, u"B"_s, u"2"_s);
    file.setValue(u"Options"_s, u"C"_s, u"3"_s);
    QCOMPARE(file.toBytes(), QByteArray("[Main]\r\nA=1\r\nB=2\r\n\r\n[Options]\r\nC=3\r\n"));
}

void TestProfileFile::quoting_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << u"C:\\Bak"_s << u"C:\\Bak"_s;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("double quotes around") << u"\"x\""_s << u"\"\"x\"\""_s;
    QTest::newRow("single quotes around") << u"'x'"_s << u"\"'x'\""_s;
    QTest::newRow("two quote characters") << u"\"\""_s << u"\"\"\"\""_s;
    QTest::newRow("different quotes") << u"\"x'"_s << u"\"x'"_s;
    QTest::newRow("one quote alone") << u"\""_s << u"\""_s;
    QTest::newRow("quote inside") << u"a\"b"_s << u"a\"b"_s;
    QTest::newRow("leading blank") << u" x"_s << u"\" x\""_s;
    QTest::newRow("trailing blank") << u"x "_s << u"\"x \""_s;
}

void TestProfileFile::quoting()
{
    QFETCH(QString, value);
    QFETCH(QString, written);
    QCOMPARE(ProfileFile::quoted(value), written);
    ProfileFile file;
    file.setValue(u"S"_s, u"K"_s, value);
    QCOMPARE(file.toBytes(), utf8(u"[S]\nK="_s + written + u'\n'));
    QCOMPARE(ProfileFile::fromBytes(file.toBytes()).value(u"S"_s, u"K"_s), value);
}

void TestProfileFile::controlCharactersNeverReachTheFile_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("kept");
    QTest::newRow("injected section")
        << u"x\r\n[Main]\r\nRCB_Checked=False"_s << u"x[Main]RCB_Checked=False"_s;
    QTest::newRow("lone CR") << u"a\rb"_s << u"ab"_s;
    QTest::newRow("tab and escape") << u"a\tb\x1b"_s << u"ab"_s;
    QTest::newRow("NUL") << QString(u"a\0b"_s) << u"ab"_s;
    QTest::newRow("NEL") << u"a\u0085b"_s << u"ab"_s;
    QTest::newRow("line separator") << u"a\u2028b\u2029c"_s << u"abc"_s;
    QTest::newRow("DEL") << u"a\x7f"_s << u"a"_s;
}

void TestProfileFile::controlCharactersNeverReachTheFile()
{
    QFETCH(QString, value);
    QFETCH(QString, kept);
    ProfileFile file = ProfileFile::fromBytes("[Main]\nRCB_Checked=True\n");
    file.setValue(u"Folders"_s, u"DirLabel_Caption"_s, value);
    const ProfileFile reread = ProfileFile::fromBytes(file.toBytes());
    QCOMPARE(reread.value(u"Folders"_s, u"DirLabel_Caption"_s), kept);
    QCOMPARE(reread.value(u"Main"_s, u"RCB_Checked"_s), u"True"_s);
    QCOMPARE(file.toBytes().count('\n'), 5);
}

void TestProfileFile::encodingsAreKept_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("expected");
    QTest::newRow("UTF-8") << utf8(u"[F]\nD=C:\\Документы\n"_s) << int(ProfileFile::Encoding::Utf8)
                           << u"C:\\Документы"_s;
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF") + utf8(u"[F]\r\nD=Тест\r\n"_s)
                                     << int(ProfileFile::Encoding::Utf8WithBom) << u"Тест"_s;
    QTest::newRow("1251") << QByteArray("[F]\r\nD=C:\\\xc4\xee\xea\r\n")
                          << int(ProfileFile::Encoding::Cp1251) << u"C:\\Док"_s;
    QTest::newRow("1251 unassigned byte")
        << QByteArray("[F]\nD=\x98\xff\n") << int(ProfileFile::Encoding::Cp1251) << u"\u0098я"_s;
}

void TestProfileFile::encodingsAreKept()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, encoding);
    QFETCH(QString, expected);
    ProfileFile file = ProfileFile::fromBytes(bytes);
    QCOMPARE(int(file.encoding()), encoding);
    QCOMPARE(file.value(u"F"_s, u"D"_s), expected);
    QCOMPARE(file.toBytes(), bytes);
    file.setValue(u"F"_s, u"E"_s, u"Ёж"_s);
    const ProfileFile reread = ProfileFile::fromBytes(file.toBytes());
    QCOMPARE(reread.value(u"F"_s, u"D"_s), expected);
    QCOMPARE(reread.value(u"F"_s, u"E"_s), u"Ёж"_s);
    QCOMPARE(int(reread.encoding()), encoding);
}

void TestProfileFile::cp1251FileTakesTextItCannotHold()
{
    ProfileFile file = ProfileFile::fromBytes("[F]\r\nD=\xc4\xee\xea\r\n");
    file.setValue(u"F"_s, u"E"_s, u"漢字"_s);
    QCOMPARE(file.toBytes(), utf8(u"[F]\r\nD=Док\r\nE=漢字\r\n"_s));
}

void TestProfileFile::longValuesAreReadWhole()
{
    const QString value = QString(5000, u'ж');
    ProfileFile file;
    file.setValue(u"S"_s, u"K"_s, value);
    QCOMPARE(ProfileFile::fromBytes(file.toBytes()).value(u"S"_s, u"K"_s), value);
}

void TestProfileFile::saveAndLoad()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Quorvex.ini"_s);
    ProfileFile file = ProfileFile::fromBytes(HandEdited);
    QVERIFY(file.save(path));
    ProfileFile loaded;
    QVERIFY(loaded.load(path));
    QCOMPARE(loaded.toBytes(), HandEdited);
}

void TestProfileFile::saveFailsOnAFolder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Quorvex.ini"_s);
    QVERIFY(QDir().mkdir(path));
    ProfileFile file;
    file.setValue(u"S"_s, u"K"_s, u"V"_s);
    QString error;
    QVERIFY(!file.save(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(path).isDir());
}

void TestProfileFile::loadFailsOnAFolder()
{
    QTemporaryDir dir;
    ProfileFile file = ProfileFile::fromBytes("[S]\nK=V\n");
    QVERIFY(!file.load(dir.path()));
    QVERIFY(file.toBytes().isEmpty());
}

QTEST_APPLESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
