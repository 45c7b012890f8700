#include "io/AtomicFileWriter.h"
#include "io/FileStamp.h"
#include "io/FolderHandleCache.h"
#include "io/IoLevel.h"
#include "io/ReadOnlyFile.h"
#include "io/TempFileName.h"
#include "io/TempFileWriter.h"
#include "io/WriteBatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <thread>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// Rewrites `path` in place with `bytes` of the same size and puts its modification time back
// to the one in `read`, to the nanosecond, as `cp -p` does; again until the system's clock has
// moved on, so that only the change time differs.
void putBackTime(const QString &path, const QByteArray &bytes, const FileStamp &read)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    const struct timespec times[2]
        = {{0, UTIME_OMIT},
           {time_t(read.modifiedNs / 1'000'000'000), long(read.modifiedNs % 1'000'000'000)}};
    for (int attempt = 0; attempt < 1000; ++attempt) {
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite) || file.write(bytes) != bytes.size())
            qFatal("cannot rewrite %s", qPrintable(path));
        file.close();
        if (::utimensat(AT_FDCWD, name.constData(), times, 0) != 0)
            qFatal("cannot set the time of %s", qPrintable(path));
        const std::optional<FileStamp> now = FileStamp::of(path);
        if (now && now->changedNs != read.changedNs)
            return;
        QThread::msleep(2);
    }
#endif
    qFatal("the change time of %s never moved", qPrintable(path));
}

// Reads `path` and writes `bytes` beside it as the byte path does: through the folder `folders`
// keeps open, the new file named at once, its attributes from the open file.
std::optional<PendingWrite> prepareThrough(FolderHandleCache &folders, const QString &path,
                                           const QByteArray &bytes)
{
    ReadOnlyFile read;
    if (read.open(path, &folders) != ReadOnlyFile::Status::Open)
        return std::nullopt;
    TempFileWriter writer;
    writer.useFolders(&folders);
    writer.setModelHandle(read.handle());
    writer.setNamedAtOnce(true);
    if (!writer.open(path, read.stamp(), nullptr) || !writer.append(bytes))
        return std::nullopt;
    std::optional<PendingWrite> pending = writer.finish(false, nullptr);
    if (pending)
        pending->expected = read.stamp();
    return pending;
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
    void replacedFolderIsLeftAlone();
    void folderKeptOpen_data();
    void folderKeptOpen();
    void discardedBatchLeavesNoFile();
    void fullByFilesOrBytes();
    void newFilesHaveShortNamesOfOurOwn();
    void tempNamesAreUniqueAcrossThreads();

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
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("left"); // the files afterwards
    QTest::addColumn<bool>("written");
    const QStringList target{u"a.txt"_s};
    QTest::newRow("other size") << u"longer"_s << target << false;
    QTest::newRow("same size, later time") << u"same size"_s << target << false;
    // As `cp -p`, `touch -r` and `rsync --inplace -t` leave a file: only the change time tells.
    QTest::newRow("same size, time put back") << u"time put back"_s << target << false;
    QTest::newRow("removed: not made again") << u"removed"_s << QStringList() << false;
    QTest::newRow("moved away: not made again")
        << u"moved"_s << QStringList{u"moved.txt"_s} << false;
    // As the run itself does to a hard link it processes under each name: no change in the file.
    QTest::newRow("another name of it replaced")
        << u"link replaced"_s << QStringList{u"a.txt"_s, u"b.txt"_s} << true;
}

// The stamp taken when the file was read no longer matches: another program wrote, moved or
// removed it, and it is left as that program left it.
void TestWriteBatch::changedTargetIsLeftAlone()
{
    QFETCH(QString, change);
    QFETCH(QStringList, left);
    QFETCH(bool, written);
    // Only the change time tells this one; a level without it says so.
    if (change == u"time put back" && !IoLevel::guarantees().fileIdentity)
        QSKIP("not seen without a file's identity: the run's report says so");
    const QString target = path(u"a.txt"_s);
    writeFile(target, "old");
#ifdef Q_OS_UNIX
    if (change == u"link replaced") {
        QCOMPARE(::link(QFile::encodeName(target).constData(),
                        QFile::encodeName(path(u"b.txt"_s)).constData()),
                 0);
    }
#else
    if (change == u"link replaced")
        QSKIP("needs hard links");
#endif
    std::optional<FileStamp> read = FileStamp::of(target);
    QVERIFY(read);
    QByteArray theirs = "OLD";
    if (change == u"time put back") {
        putBackTime(target, theirs, *read);
    } else if (change == u"link replaced") {
        QThread::msleep(20); // past the clock's step, so that the change time moves
        writeFile(path(u"c.txt"_s), "new b");
        QCOMPARE(std::rename(QFile::encodeName(path(u"c.txt"_s)).constData(),
                             QFile::encodeName(path(u"b.txt"_s)).constData()),
                 0);
    } else {
        read->modifiedNs -= 1'000'000'000; // as if read a second before their change
        if (change == u"removed")
            QVERIFY(QFile::remove(target));
        else if (change == u"moved")
            QVERIFY(QFile::rename(target, path(u"moved.txt"_s)));
        else
            writeFile(target, theirs = change == u"longer" ? "their longer text" : "OLD");
    }
    auto pending = AtomicFileWriter::prepare(target, "mine", true, nullptr);
    QVERIFY(pending);
    pending->expected = read;
    WriteBatch batch;
    batch.add(*pending);
    const QList<WriteBatch::Result> results = batch.commit();
    QCOMPARE(results.first().outcome, written ? WriteOutcome::Ok : WriteOutcome::ChangedOnDisk);
    QCOMPARE(files(), left);
    if (written)
        QCOMPARE(readFile(target), QByteArray("mine"));
    else if (left == QStringList{u"a.txt"_s})
        QCOMPARE(readFile(target), theirs);
}

// A waiting new file keeps no folder open: a folder another program put in place of the old
// one meanwhile is a change, and what it holds is left alone.
void TestWriteBatch::replacedFolderIsLeftAlone()
{
    if (!IoLevel::guarantees().fileIdentity)
        QSKIP("not seen without a folder's identity: the run's report says so");
    QVERIFY(QDir(m_dir->path()).mkdir(u"sub"_s));
    writeFile(path(u"sub/a.txt"_s), "old");
    auto pending = AtomicFileWriter::prepare(path(u"sub/a.txt"_s), "mine", false, nullptr);
    QVERIFY(pending);
    QVERIFY(QDir(m_dir->path()).rename(u"sub"_s, u"moved"_s));
    QVERIFY(QDir(m_dir->path()).mkdir(u"sub"_s));
    writeFile(path(u"sub/a.txt"_s), "theirs");
    QCOMPARE(AtomicFileWriter::commit(*pending, nullptr), WriteOutcome::ChangedOnDisk);
    QCOMPARE(readFile(path(u"sub/a.txt"_s)), QByteArray("theirs"));
    QCOMPARE(QDir(path(u"sub"_s)).entryList(QDir::Files | QDir::Hidden), QStringList{u"a.txt"_s});
    QCOMPARE(readFile(path(u"moved/a.txt"_s)), QByteArray("old"));
}

void TestWriteBatch::folderKeptOpen_data()
{
    QTest::addColumn<QStringList>("order"); // the files read and written, one after another
    QTest::addColumn<bool>("swapped"); // "a" becomes a link to "c" after the first file
    QTest::addColumn<bool>("each"); // each put in place at once, through the same folder
    QTest::newRow("two folders interleaved")
        << QStringList{u"a/1"_s, u"b/1"_s, u"a/2"_s, u"b/2"_s} << false << false;
    // The files under the old names are no longer the ones read: none is written.
    QTest::newRow("folder replaced by a link between two files")
        << QStringList{u"a/1"_s, u"a/2"_s} << true << false;
    QTest::newRow("folder replaced by a link between two renames")
        << QStringList{u"a/1"_s, u"a/2"_s} << true << true;
}

// A folder kept open for the files after the first changes nothing of what a write promises.
void TestWriteBatch::folderKeptOpen()
{
    QFETCH(QStringList, order);
    QFETCH(bool, swapped);
    QFETCH(bool, each);
    if (swapped && !IoLevel::guarantees().fileIdentity)
        QSKIP("not seen without a folder's identity: the run's report says so");
    QDir root(m_dir->path());
    for (const QString &folder : {u"a"_s, u"b"_s, u"c"_s}) {
        QVERIFY(root.mkdir(folder));
        for (const QString &name : {u"1"_s, u"2"_s})
            writeFile(path(folder + u'/' + name), folder == u"c"_s ? "theirs" : "old");
    }
    FolderHandleCache folders;
    WriteBatch batch;
    QList<WriteOutcome> outcomes;
    for (const QString &file : std::as_const(order)) {
        std::optional<PendingWrite> pending = prepareThrough(folders, path(file), "new");
        QVERIFY(pending);
        if (each)
            outcomes << AtomicFileWriter::commit(*pending, nullptr, nullptr, &folders);
        else
            batch.add(*pending);
        if (swapped && file == order.first()) {
            QVERIFY(root.rename(u"a"_s, u"old"_s));
            QVERIFY(QFile::link(path(u"c"_s), path(u"a"_s)));
        }
    }
    for (const WriteBatch::Result &result : batch.commit())
        outcomes << result.outcome;
    QCOMPARE(outcomes.size(), order.size());
    // Put in place before the change, the first is in the folder moved away.
    const qsizetype first = each ? 1 : 0;
    if (each)
        QCOMPARE(readFile(path(u"old/1"_s)), QByteArray("new"));
    for (qsizetype i = first; i < outcomes.size(); ++i) {
        QCOMPARE(outcomes[i] == WriteOutcome::Ok, !swapped);
        QCOMPARE(readFile(path(order[i])), swapped ? QByteArray("theirs") : QByteArray("new"));
    }
    for (const QString &folder :
         swapped ? QStringList{u"b"_s, u"c"_s} : QStringList{u"a"_s, u"b"_s, u"c"_s})
        QCOMPARE(QDir(path(folder)).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{u"1"_s, u"2"_s}));
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
    byFiles.add({u"x"_s, u"y"_s, std::nullopt, 0, 0, 10, {}});
    QVERIFY(!byFiles.isFull());
    byFiles.add({u"x"_s, u"y"_s, std::nullopt, 0, 0, 10, {}});
    QVERIFY(byFiles.isFull());
    WriteBatch byBytes(100, 100);
    byBytes.add({u"x"_s, u"y"_s, std::nullopt, 0, 0, 150, {}});
    QVERIFY(byBytes.isFull());
}

// Any name the system allows can be replaced (the new file's name does not grow from it), and
// a new file is nameless while written where the system allows, so that a killed run leaves
// nothing; named, it carries this process's id.
void TestWriteBatch::newFilesHaveShortNamesOfOurOwn()
{
    const QString name(255, u'n');
    const QString target = path(name);
    writeFile(target, "old");
    TempFileWriter writer;
    QString error;
    QVERIFY2(writer.open(target, FileStamp::of(target), &error), qPrintable(error));
    QVERIFY(writer.append("new"));
    const QStringList during = files();
#ifdef Q_OS_LINUX
    const int probe = IoLevel::portable() ? -1
                                          : ::open(QFile::encodeName(m_dir->path()).constData(),
                                                   O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (probe >= 0) {
        ::close(probe);
        QCOMPARE(during, QStringList{name});
    }
#endif
    std::optional<PendingWrite> pending = writer.finish(false, &error);
    QVERIFY2(pending, qPrintable(error));
    const QString temp = QFileInfo(pending->temp).fileName();
    QVERIFY(temp.startsWith(u'.'));
    QCOMPARE(TempFileName::writerOf(temp), QCoreApplication::applicationPid());
    QVERIFY(during == QStringList{name} || during.contains(temp));
    QCOMPARE(AtomicFileWriter::commit(*pending, &error), WriteOutcome::Ok);
    QCOMPARE(readFile(target), QByteArray("new"));
    QCOMPARE(files(), QStringList{name});
}

void TestWriteBatch::tempNamesAreUniqueAcrossThreads()
{
    constexpr int Threads = 4;
    constexpr int Each = 2000;
    std::vector<QStringList> names(Threads);
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&names, t] {
            for (int i = 0; i < Each; ++i)
                names[size_t(t)].append(TempFileName::next(u"d"_s));
        });
    }
    QSet<QString> all;
    for (int t = 0; t < Threads; ++t) {
        threads[size_t(t)].join();
        for (const QString &name : std::as_const(names[size_t(t)]))
            all.insert(name);
    }
    QCOMPARE(all.size(), Threads * Each);
}

QTEST_GUILESS_MAIN(TestWriteBatch)
#include "tst_writebatch.moc"
