#include "run/FileListFile.h"
#include "run/FolderScan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestFileLists : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void splitNames_data();
    void splitNames();
    void writeAndReadBack_data();
    void writeAndReadBack();
    void listExtension_data();
    void listExtension();
    void scanFolder();
};

void TestFileLists::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("CR LF, final break adds nothing")
        << QByteArray("a\r\nb\r\n") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("lone CR and LF") << QByteArray("a\rb\nc") << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("empty line kept")
        << QByteArray("a\r\n\r\nb") << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("NUL ends an entry too")
        << QByteArray("a\r\nb\0c\r\n", 8) << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("find -print0") << QByteArray("/a b\0/c\0", 8) << QStringList{u"/a b"_s, u"/c"_s};
    QTest::newRow("not trimmed") << QByteArray(" a \r\n") << QStringList{u" a "_s};
    QTest::newRow("code page 1251")
        << QByteArray("C:\\\xc4\xee\xea.txt") << QStringList{u"C:\\Док.txt"_s};
    QTest::newRow("UTF-8") << QByteArray("/home/\xd0\x94.txt") << QStringList{u"/home/Д.txt"_s};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void TestFileLists::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QCOMPARE(FileListFile::Parse(bytes), entries);
}

void TestFileLists::splitNames_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("nul");
    QTest::addColumn<QList<QByteArray>>("names");

    QTest::newRow("lines, CR LF too")
        << QByteArray("a\r\nb\nc") << false << QList<QByteArray>{"a", "b", "c"};
    QTest::newRow("NUL: line breaks belong to the name")
        << QByteArray("a\nb\0\xFF\0", 6) << true << QList<QByteArray>{"a\nb", "\xFF"};
}

void TestFileLists::splitNames()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, nul);
    QFETCH(QList<QByteArray>, names);
    QCOMPARE(FileListFile::SplitNames(bytes, nul), names);
}

void TestFileLists::writeAndReadBack_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty list, empty file") << QStringList{} << QByteArray();
    QTest::newRow("every line ends in CR LF")
        << QStringList{u"a"_s, u"b"_s} << QByteArray("a\r\nb\r\n");
    QTest::newRow("Cyrillic in code page 1251") << QStringList{u"Д"_s} << QByteArray("\xc4\r\n");
    QTest::newRow("beyond 1251 in UTF-8") << QStringList{u"中"_s} << QByteArray("\xe4\xb8\xad\r\n");
}

void TestFileLists::writeAndReadBack()
{
    QFETCH(QStringList, entries);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"list.lst"_s);
    QVERIFY(FileListFile::Write(path, entries));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QStringList read;
    QVERIFY(FileListFile::Read(path, read));
    QCOMPARE(read, entries);
    QVERIFY(!FileListFile::Read(dir.filePath(u"none.lst"_s), read));
}

void TestFileLists::listExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("result");

    QTest::newRow("replaced") << u"/d/list.txt"_s << u"/d/list.lst"_s;
    QTest::newRow("last dot only") << u"/d/a.b.txt"_s << u"/d/a.b.lst"_s;
    QTest::newRow("added") << u"/d/list"_s << u"/d/list.lst"_s;
    QTest::newRow("dot in the folder") << u"/d.x/list"_s << u"/d.x/list.lst"_s;
}

void TestFileLists::listExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, result);
    QCOMPARE(FileListFile::WithListExtension(name), result);
}

void TestFileLists::scanFolder()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    for (const char *name : {"b.HTM", "a.htm", "c.txt", "d.Txt", "e.tXT.png", "sub/f.htm",
                             ".hidden/g.htm", "sub/deeper/h.rtf", "x.ТХТ"}) {
        const QString path = root + u'/' + QString::fromUtf8(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QStringList extensions{u".HTM"_s, u".TXT"_s, u".RTF"_s};
    QStringList flat;
    FolderScan::ScanFolder(root, false, extensions, flat);
    QCOMPARE(flat,
             (QStringList{root + u"/a.htm"_s, root + u"/b.HTM"_s, root + u"/c.txt"_s,
                          root + u"/d.Txt"_s}));
    QStringList deep;
    FolderScan::ScanFolder(root, true, extensions, deep);
    // A folder's own files come before its sub-folders'; hidden folders are not entered.
    QCOMPARE(deep.mid(4), (QStringList{root + u"/sub/f.htm"_s, root + u"/sub/deeper/h.rtf"_s}));
    QStringList none;
    FolderScan::ScanFolder(root, true, {}, none);
    QVERIFY(none.isEmpty());
}

QTEST_GUILESS_MAIN(TestFileLists)
#include "tst_filelists.moc"
