#include "FileSizeLimit.h"

#include "io/AtomicFileWriter.h"
#include "options/ProfileFile.h"
#include "run/FileListFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Every file the program writes of its own (lists, settings, reports) fails as a whole on a
// full disk: the call says so, the old file stays as it was and nothing is left beside it.
class TestFullDisk : public QObject {
    Q_OBJECT

private slots:
    void failedWriteLeavesOldFile_data();
    void failedWriteLeavesOldFile();
};

void TestFullDisk::failedWriteLeavesOldFile_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("existed");
    // Small ones fail only when flushed and closed, large ones on the way.
    QTest::newRow("file list, small") << u"list"_s << 3000 << true;
    QTest::newRow("file list, large") << u"list"_s << (3 << 20) << true;
    QTest::newRow("settings") << u"settings"_s << 3000 << true;
    QTest::newRow("report, new file") << u"report"_s << 3000 << false;
}

void TestFullDisk::failedWriteLeavesOldFile()
{
    QFETCH(QString, writer);
    QFETCH(int, size);
    QFETCH(bool, existed);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"out.lst"_s);
    if (existed) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        QCOMPARE(old.write("old\r\n"), 5);
    }
    const QString text(size / 10, u'x');
    bool written = true;
    {
        const FileSizeLimit full(1024);
        if (!full.active())
            QSKIP("needs a file size limit");
        if (writer == u"list") {
            written = FileListFile::Write(path, QStringList(10, text));
        } else if (writer == u"settings") {
            ProfileFile profile;
            profile.setValue(u"Options"_s, u"Folder"_s, QString(size, u'x'));
            written = profile.save(path);
        } else {
            written = AtomicFileWriter::write(path, QByteArray(size, 'x'));
        }
    }
    QVERIFY(!written);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             existed ? QStringList{u"out.lst"_s} : QStringList());
    if (existed) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old\r\n"));
    }
}

QTEST_GUILESS_MAIN(TestFullDisk)
#include "tst_fulldisk.moc"
