// A file opened for reading without waiting: its bytes come whole, read here or through the
// QFile it is handed to, and a handle handed over reads as any file Qt opens.
#include "io/ReadOnlyFile.h"

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

QTEST_GUILESS_MAIN(TestReadOnlyFile)
#include "tst_readonlyfile.moc"
