// A file opened for reading without waiting: its bytes come whole, read here or through the
// QFile it is handed to, and a handle handed over reads as any file Qt opens.
#include "io/ReadOnlyFile.h"

#include "io/MappedBytes.h"

#include "TestFolder.h"

#include <QFile>
#include <QTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#endif

using namespace Qt::StringLiterals;

class TestReadOnlyFile : public QObject {
    Q_OBJECT

private slots:
    void readsWhole_data();
    void readsWhole();
    void mappedShortened();
};

void TestReadOnlyFile::readsWhole_data()
{
    QTest::addColumn<bool>("handedOver");
    QTest::addColumn<int>("size");
    QTest::newRow("read, empty") << false << 0;
    QTest::newRow("read, small") << false << 100;
    QTest::newRow("read, larger than one read") << false << (3 << 20);
    QTest::newRow("handed over, small") << true << 100;
    QTest::newRow("handed over, larger") << true << (3 << 20);
}

void TestReadOnlyFile::readsWhole()
{
    QFETCH(bool, handedOver);
    QFETCH(int, size);
    TestFolder folder;
    QByteArray content(size, '\0');
    for (int i = 0; i < size; ++i)
        content[i] = char('a' + i % 26);
    const QString path = folder.write(u"a.txt"_s, content);
    ReadOnlyFile file;
    QCOMPARE(file.open(path), ReadOnlyFile::Status::Open);
    QByteArray read;
    if (handedOver) {
        QFile qfile;
        QVERIFY(file.handOver(qfile));
#ifdef Q_OS_UNIX
        if (qfile.handle() >= 0)
            QCOMPARE(::fcntl(qfile.handle(), F_GETFL) & O_NONBLOCK, 0);
#endif
        read = qfile.readAll();
    } else {
        QByteArray buffer(1 << 20, '\0');
        for (qint64 n; (n = file.read(buffer.data(), buffer.size())) > 0;)
            read += buffer.first(n);
    }
    QCOMPARE(read, content);
}

// A mapped file that another program shortens: its lost pages read as zeros, the process lives
// on, and only that view says so; the next view in the same place starts whole.
void TestReadOnlyFile::mappedShortened()
{
    constexpr int Size = 4 << 16;
    constexpr int Kept = (1 << 16) + 10;
    TestFolder folder;
    const QString path = folder.write(u"a.txt"_s, QByteArray(Size, 'x'));
    const QString other = folder.write(u"b.txt"_s, QByteArray(100, 'y'));
    ReadOnlyFile file;
    ReadOnlyFile otherFile;
    QCOMPARE(file.open(path), ReadOnlyFile::Status::Open);
    QCOMPARE(otherFile.open(other), ReadOnlyFile::Status::Open);
    MappedBytes mapped;
    MappedBytes untouched;
    if (!mapped.map(file.handle(), Size))
        QSKIP("files are read here, never mapped");
    QVERIFY(untouched.map(otherFile.handle(), 100));
    QVERIFY(QFile(path).resize(Kept));
    const QByteArrayView bytes = mapped.bytes();
    QCOMPARE(bytes.size(), Size);
    QCOMPARE(qsizetype(std::count(bytes.begin(), bytes.end(), 'x')), Kept);
    QCOMPARE(qsizetype(std::count(bytes.begin(), bytes.end(), '\0')), Size - Kept);
    QVERIFY(mapped.lost());
    QVERIFY(!untouched.lost());
    QCOMPARE(untouched.bytes(), QByteArray(100, 'y'));
    QVERIFY(mapped.map(file.handle(), Kept));
    QVERIFY(!mapped.lost());
    QCOMPARE(qsizetype(std::count(mapped.bytes().begin(), mapped.bytes().end(), 'x')), Kept);
}

QTEST_GUILESS_MAIN(TestReadOnlyFile)
#include "tst_readonlyfile.moc"
