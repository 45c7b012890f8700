#include "document/AtomicFileWriter.h"
#include "document/FileStamp.h"
#include "document/WriteBatch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestWriteBatch : public QObject {
    Q_OBJECT

private slots:
    void init() { m_dir.emplace(); }
    void commitPutsEveryFileInPlace();
    void nothingIsVisibleBeforeTheCommit();
    void changedTargetIsLeftAlone_data();
    void changedTargetIsLeftAlone();
    void discardedBatchLeavesNoFile();
    void fullByFilesOrBytes();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QStringList files() const { return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden); }

    std::optional<QTemporaryDir> m_dir;
};

void TestWriteBatch::commitPutsEveryFileInPlace()
{
    WriteBatch batch;
    for (int i = 0; i < 5; ++i) {
        writeFile(path(u"f%1.txt"_s.arg(i)), "old");
        QString error;
        auto pending = AtomicFileWriter::prepare(path(u"f%1.txt"_s.arg(i)), QByteArray::number(i),
                                                 false, &error);
        QVERIFY2(pending, qPrintable(error));
        batch.add(*pending);
    }
    const QList<WriteBatch::Result> results = batch.commit();
    QCOMPARE(results.size(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(results[i].outcome, WriteOutcome::Ok);
        QCOMPARE(readFile(path(u"f%1.txt"_s.arg(i))), QByteArray::number(i));
    }
    QVERIFY(batch.isEmpty());
    QCOMPARE(files().size(), 5);
}

void TestWriteBatch::nothingIsVisibleBeforeTheCommit()
{
    writeFile(path(u"a.txt"_s), "old");
    WriteBatch batch;
    auto pending = AtomicFileWriter::prepare(path(u"a.txt"_s), "new", false, nullptr);
    QVERIFY(pending);
    batch.add(*pending);
    QCOMPARE(readFile(path(u"a.txt"_s)), QByteArray("old"));
    batch.commit();
    QCOMPARE(readFile(path(u"a.txt"_s)), QByteArray("new"));
}

void TestWriteBatch::changedTargetIsLeftAlone_data()
{
    QTest::addColumn<QByteArray>("theirs");
    QTest::addColumn<bool>("removed");
    QTest::newRow("other size") << QByteArray("their longer text") << false;
    QTest::newRow("same size, later time") << QByteArray("OLD") << false;
    QTest::newRow("removed: nothing of theirs to lose") << QByteArray() << true;
}

// The stamp taken when the file was read no longer matches: another program wrote it.
void TestWriteBatch::changedTargetIsLeftAlone()
{
    QFETCH(QByteArray, theirs);
    QFETCH(bool, removed);
    const QString target = path(u"a.txt"_s);
    writeFile(target, "old");
    std::optional<FileStamp> read = FileStamp::of(target);
    QVERIFY(read);
    read->modifiedNs -= 1'000'000'000; // as if read a second before their write
    if (removed)
        QFile::remove(target);
    else
        writeFile(target, theirs);
    auto pending = AtomicFileWriter::prepare(target, "mine", true, nullptr);
    QVERIFY(pending);
    pending->expected = read;
    WriteBatch batch;
    batch.add(*pending);
    const QList<WriteBatch::Result> results = batch.commit();
    QCOMPARE(results.first().outcome, removed ? WriteOutcome::Ok : WriteOutcome::ChangedOnDisk);
    QCOMPARE(readFile(target), removed ? QByteArray("mine") : theirs);
    QCOMPARE(files(), QStringList{u"a.txt"_s});
}

void TestWriteBatch::discardedBatchLeavesNoFile()
{
    writeFile(path(u"a.txt"_s), "old");
    {
        WriteBatch batch;
        batch.add(*AtomicFileWriter::prepare(path(u"a.txt"_s), "new", false, nullptr));
        batch.add(*AtomicFileWriter::prepare(path(u"b.txt"_s), "new", false, nullptr));
        QCOMPARE(files().size(), 3);
    } // never committed: a stopped run
    QCOMPARE(files(), QStringList{u"a.txt"_s});
    QCOMPARE(readFile(path(u"a.txt"_s)), QByteArray("old"));
}

void TestWriteBatch::fullByFilesOrBytes()
{
    WriteBatch byFiles(2, 1 << 20);
    byFiles.add({u"x"_s, u"y"_s, std::nullopt, 0, 0, 10});
    QVERIFY(!byFiles.isFull());
    byFiles.add({u"x"_s, u"y"_s, std::nullopt, 0, 0, 10});
    QVERIFY(byFiles.isFull());
    WriteBatch byBytes(100, 100);
    byBytes.add({u"x"_s, u"y"_s, std::nullopt, 0, 0, 150});
    QVERIFY(byBytes.isFull());
}

QTEST_GUILESS_MAIN(TestWriteBatch)
#include "tst_writebatch.moc"
