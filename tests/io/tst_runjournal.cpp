#include "io/AtomicFileWriter.h"
#include "io/FileStamp.h"
#include "io/FolderHandleCache.h"
#include "io/JournalPruner.h"
#include "io/RunHistory.h"
#include "io/RunJournal.h"
#include "io/TempFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

// The journal keeps each replaced file at the cost of a link where it can, and keeps no more
// runs than its limits allow.
class TestRunJournal : public QObject {
    Q_OBJECT
private slots:
    void keepsOriginal_data();
    void keepsOriginal();
    void limits_data();
    void limits();
    void changedSinceReadIsNotKept();
    void linkedAhead_data();
    void linkedAhead();
    void pruneLeavesRunGoing_data();
    void pruneLeavesRunGoing();
    void stoppedRemovalEndsLater();
    void swappedIn_data();
    void swappedIn();
    void storesAsRead();
};

namespace {

// A second name for the file `path`: a hard link.
bool addName(const QString &path, const QString &other)
{
    return ::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()) == 0;
}

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

// One run of the journal that replaces `path` with `bytes`.
std::optional<JournalIndex> replace(const QString &runs, const QString &path,
                                    const QByteArray &bytes)
{
    std::optional<PendingWrite> pending = AtomicFileWriter::prepare(path, bytes, false, nullptr);
    if (!pending)
        return std::nullopt;
    pending->expected = FileStamp::of(path);
    RunJournal journal(runs, SyncPolicy::None, {});
    journal.keep(*pending);
    journal.settle(*pending, AtomicFileWriter::commit(*pending, nullptr));
    journal.close();
    return JournalIndex::read(journal.runFolder());
}

} // namespace

void TestRunJournal::keepsOriginal_data()
{
    QTest::addColumn<bool>("secondName");
    QTest::addColumn<bool>("linked"); // the copy is the old inode itself
    QTest::newRow("one name: a link") << false << true;
    // The old inode lives on under the other name, which may change it later.
    QTest::newRow("two names: a copy") << true << false;
}

void TestRunJournal::keepsOriginal()
{
    QFETCH(bool, secondName);
    QFETCH(bool, linked);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"f.txt"_s);
    writeFile(path, "old bytes");
    if (secondName)
        QVERIFY(addName(path, dir.filePath(u"g.txt"_s)));
    const FileStamp old = *FileStamp::of(path);
    const std::optional<JournalIndex> run = replace(dir.filePath(u"runs"_s), path, "new");
    QVERIFY(run);
    QCOMPARE(run->entries.size(), 1);
    const JournalIndex::Entry &entry = run->entries[0];
    QCOMPARE(readFile(entry.copy), QByteArray("old bytes"));
    QCOMPARE(FileStamp::of(entry.copy)->inode == old.inode, linked);
    QVERIFY(entry.old && entry.old->sameContent(old) && entry.old->changedNs == old.changedNs);
    QVERIFY(entry.written && entry.written->sameContent(*FileStamp::of(path)));
    QCOMPARE(run->filesChanged(), 1);
}

void TestRunJournal::limits_data()
{
    QTest::addColumn<int>("runs");
    QTest::addColumn<int>("maxRuns");
    QTest::addColumn<qint64>("maxBytes");
    QTest::addColumn<int>("kept");
    // Each run keeps an original of 100 bytes.
    QTest::newRow("within both") << 3 << 20 << qint64(1000) << 3;
    QTest::newRow("count") << 5 << 3 << qint64(1000) << 3;
    QTest::newRow("bytes") << 5 << 20 << qint64(250) << 2;
    QTest::newRow("the newest always") << 2 << 20 << qint64(50) << 1;
}

void TestRunJournal::limits()
{
    QFETCH(int, runs);
    QFETCH(int, maxRuns);
    QFETCH(qint64, maxBytes);
    QFETCH(int, kept);
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"runs"_s);
    const QString path = dir.filePath(u"f.txt"_s);
    writeFile(path, QByteArray(100, 'x'));
    QStringList made;
    for (int i = 0; i < runs; ++i) {
        const std::optional<JournalIndex> run
            = replace(folder, path, QByteArray(100, char('a' + i)));
        QVERIFY(run);
        made.prepend(run->id);
    }
    const RunHistory history(folder);
    QCOMPARE(history.spaceUsed(), qint64(100) * runs);
    // On the pruner's thread, as a run prunes; asked twice, as at a run's start and end.
    JournalPruner pruner;
    pruner.start(folder, maxRuns, maxBytes);
    pruner.start(folder, maxRuns, maxBytes);
    pruner.wait();
    QCOMPARE(history.ids(), made.mid(0, kept));
    QCOMPARE(history.spaceUsed(), qint64(100) * kept);
}

// A file replaced by another program after the run read it: its rename will be refused, and
// the journal keeps nothing of the other program's file.
void TestRunJournal::changedSinceReadIsNotKept()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"f.txt"_s);
    writeFile(path, "as read");
    std::optional<PendingWrite> pending = AtomicFileWriter::prepare(path, "new", false, nullptr);
    QVERIFY(pending);
    pending->expected = FileStamp::of(path);
    writeFile(dir.filePath(u"other"_s), "someone else's");
    QVERIFY(QFile::remove(path) && QFile::rename(dir.filePath(u"other"_s), path));
    RunJournal journal(dir.filePath(u"runs"_s), SyncPolicy::None, {});
    journal.keep(*pending);
    QVERIFY(journal.unkept().isEmpty());
    journal.settle(*pending, AtomicFileWriter::commit(*pending, nullptr));
    journal.close();
    QCOMPARE(readFile(path), QByteArray("someone else's"));
    const std::optional<JournalIndex> run = JournalIndex::read(journal.runFolder());
    QVERIFY(run);
    QVERIFY(run->entries.isEmpty() || run->entries[0].dropped);
    QCOMPARE(QDir(journal.runFolder() + u"/files"_s).entryList(QDir::Files), QStringList());
}

void TestRunJournal::linkedAhead_data()
{
    // Each file's original is linked ahead, as a worker does; then its write is put in place
    // ("kept") or dropped before the journal heard of it (changed on disk, stopped, reviewed).
    QTest::addColumn<QStringList>("fates");
    QTest::newRow("kept") << QStringList{u"kept"_s};
    QTest::newRow("dropped: no journal") << QStringList{u"dropped"_s};
    QTest::newRow("one dropped, one kept") << QStringList{u"dropped"_s, u"kept"_s};
}

void TestRunJournal::linkedAhead()
{
    QFETCH(QStringList, fates);
    QTemporaryDir dir;
    const QString runs = dir.filePath(u"runs"_s);
    QList<PendingWrite> writes;
    QList<FileStamp> olds;
    RunJournal journal(runs, SyncPolicy::None, {});
    for (qsizetype i = 0; i < fates.size(); ++i) {
        const QString path = dir.filePath(QString::number(i));
        writeFile(path, "old " + QByteArray::number(i));
        std::optional<PendingWrite> pending
            = AtomicFileWriter::prepare(path, "new", false, nullptr);
        QVERIFY(pending);
        pending->expected = FileStamp::of(path);
        olds << *pending->expected;
        journal.keepAhead(*pending);
        writes << *pending;
    }
    for (qsizetype i = 0; i < fates.size(); ++i) {
        if (fates[i] == u"dropped"_s) {
            AtomicFileWriter::discard(writes[i]);
            continue;
        }
        journal.keep(writes[i]);
        journal.settle(writes[i], AtomicFileWriter::commit(writes[i], nullptr));
    }
    journal.close();
    const qsizetype kept = fates.count(u"kept"_s);
    if (kept == 0) {
        QCOMPARE(journal.runFolder(), QString());
        QCOMPARE(QDir(runs).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
        return;
    }
    const std::optional<JournalIndex> run = JournalIndex::read(journal.runFolder());
    QVERIFY(run);
    QCOMPARE(run->entries.size(), kept);
    // Nothing is left of a dropped write's original: only the kept ones are in the store.
    QCOMPARE(QDir(journal.runFolder() + u"/files"_s).entryList(QDir::Files).size(), kept);
    for (const JournalIndex::Entry &entry : run->entries) {
        const qsizetype i = QFileInfo(entry.path).fileName().toInt();
        QCOMPARE(fates[i], u"kept"_s);
        QCOMPARE(readFile(entry.copy), "old " + QByteArray::number(i));
        QCOMPARE(FileStamp::of(entry.copy)->inode, olds[i].inode);
    }
}

void TestRunJournal::pruneLeavesRunGoing_data()
{
    QTest::addColumn<bool>("keptYet");
    QTest::newRow("a file kept") << true;
    QTest::newRow("nothing kept yet") << false;
}

// A run still going is older than the run that prunes when another one ended meanwhile.
void TestRunJournal::pruneLeavesRunGoing()
{
    QFETCH(bool, keptYet);
    QTemporaryDir dir;
    const QString runs = dir.filePath(u"runs"_s);
    const QString path = dir.filePath(u"f.txt"_s);
    writeFile(path, "f");
    const QString going = dir.filePath(u"g.txt"_s);
    writeFile(going, "going");
    const RunHistory history(runs);
    std::optional<RunJournal> journal(std::in_place, runs, SyncPolicy::None, RunJournal::Head{});
    const QStringList goingId = history.ids();
    QCOMPARE(goingId.size(), 1);
    std::optional<PendingWrite> pending = AtomicFileWriter::prepare(going, "new", false, nullptr);
    QVERIFY(pending);
    pending->expected = FileStamp::of(going);
    if (keptYet)
        journal->keep(*pending);
    const std::optional<JournalIndex> newer = replace(runs, path, "g");
    QVERIFY(newer);
    history.prune(1, qint64(1) << 40);
    QCOMPARE(history.ids(), QStringList({newer->id}) + goingId);
    if (keptYet) {
        journal->settle(*pending, AtomicFileWriter::commit(*pending, nullptr));
        const std::optional<JournalIndex> run = history.find(goingId[0]);
        QVERIFY(run && run->entries.size() == 1);
        QCOMPARE(readFile(run->entries[0].copy), QByteArray("going"));
    } else {
        AtomicFileWriter::discard(*pending);
    }
    journal.reset();
    history.prune(1, qint64(1) << 40);
    QCOMPARE(history.ids(), QStringList({newer->id}));
}

// A pruner stopped as its process ends leaves the run it was removing out of the list, half
// removed; the next prune removes the rest, stopped or not.
void TestRunJournal::stoppedRemovalEndsLater()
{
    QTemporaryDir dir;
    const QString runs = dir.filePath(u"runs"_s);
    const QString path = dir.filePath(u"f.txt"_s);
    writeFile(path, "f");
    const std::optional<JournalIndex> older = replace(runs, path, "g");
    const std::optional<JournalIndex> newer = replace(runs, path, "h");
    QVERIFY(older && newer);
    const QString hidden = u'.' + older->id + u".removed"_s;
    QVERIFY(QDir(runs).rename(older->id, hidden));
    RunHistory::Stop stop = true;
    RunHistory::remove(QDir(runs).filePath(hidden), &stop);
    QVERIFY(QFileInfo::exists(QDir(runs).filePath(hidden + u'/' + JournalIndex::fileName())));
    const RunHistory history(runs);
    QCOMPARE(history.ids(), QStringList{newer->id});
    history.prune(20, qint64(1) << 40, &stop);
    QVERIFY(!QFileInfo::exists(QDir(runs).filePath(hidden)));
    QCOMPARE(history.ids(), QStringList{newer->id});
    QCOMPARE(readFile(newer->entries.value(0).copy), QByteArray("g"));
}

void TestRunJournal::swappedIn_data()
{
    QTest::addColumn<bool>("exchange"); // the journal may have new files made in its store
    QTest::addColumn<bool>("secondName");
    QTest::addColumn<QString>("meanwhile"); // after the new file is written
    QTest::addColumn<bool>("inStore"); // the new file is made in the store
    QTest::addColumn<QByteArray>("left");
    QTest::newRow("swapped in") << true << false << QString() << true << QByteArray("new");
    QTest::newRow("no swap: linked") << false << false << QString() << false << QByteArray("new");
    QTest::newRow("two names: copied") << true << true << QString() << false << QByteArray("new");
    QTest::newRow("replaced before the swap")
        << true << false << u"replaced"_s << true << QByteArray("someone else's");
    QTest::newRow("removed before the swap")
        << true << false << u"removed"_s << true << QByteArray("<missing>");
    QTest::newRow("dropped") << true << false << u"dropped"_s << true << QByteArray("old");
}

// A file replaced as a run's worker does it: the new file made by a writer that keeps through
// the journal's store, then kept and put in place. The original is kept (by the swap, a link or
// a copy), a file changed meanwhile is left alone, and nothing else stays in the store.
void TestRunJournal::swappedIn()
{
    QFETCH(bool, exchange);
    QFETCH(bool, secondName);
    QFETCH(QString, meanwhile);
    QFETCH(bool, inStore);
    QFETCH(QByteArray, left);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"f.txt"_s);
    writeFile(path, "old");
    if (secondName)
        QVERIFY(addName(path, dir.filePath(u"g.txt"_s)));
    const FileStamp old = *FileStamp::of(path);
    RunJournal journal(dir.filePath(u"runs"_s), SyncPolicy::File, {},
                       exchange ? JournalStore::Exchange::Anywhere : JournalStore::Exchange::Never);
    FolderHandleCache folders;
    TempFileWriter writer;
    writer.useFolders(&folders);
    writer.keepThrough(journal.store());
    QVERIFY(writer.open(path, old, nullptr));
    writer.append("new");
    std::optional<PendingWrite> pending = writer.finish(false, nullptr);
    QVERIFY(pending);
    pending->expected = old;
    QCOMPARE(pending->inStore, inStore);
    journal.keepAhead(*pending);
    if (meanwhile == u"replaced"_s) {
        writeFile(dir.filePath(u"other"_s), "someone else's");
        QVERIFY(QFile::remove(path) && QFile::rename(dir.filePath(u"other"_s), path));
    } else if (meanwhile == u"removed"_s) {
        QVERIFY(QFile::remove(path));
    }
    if (meanwhile == u"dropped"_s) {
        AtomicFileWriter::discard(*pending);
    } else {
        journal.keep(*pending);
        journal.settle(*pending, AtomicFileWriter::commit(*pending, nullptr));
    }
    journal.close();
    QCOMPARE(readFile(path), left);
    const std::optional<JournalIndex> run = JournalIndex::read(journal.runFolder());
    const qsizetype kept = left == "new" ? 1 : 0;
    QCOMPARE(run ? run->filesChanged() : 0, kept);
    QStringList stored;
    if (run) {
        for (const QString &store : run->stores + QStringList{run->folder + u"/files"_s})
            stored += QDir(store).entryList(QDir::Files | QDir::Hidden);
    }
    QCOMPARE(stored.size(), kept);
    if (kept) {
        const JournalIndex::Entry &entry = run->entries[0];
        QCOMPARE(readFile(entry.copy), QByteArray("old"));
        QCOMPARE(FileStamp::of(entry.copy)->inode == old.inode, !secondName);
        QVERIFY(entry.written && entry.written->sameContent(*FileStamp::of(path)));
    }
}

// Removing a run reads only its stores from its index: the same ones a whole read finds, also
// when a file's name holds the very text of a store record.
void TestRunJournal::storesAsRead()
{
    QTemporaryDir dir;
    QFile index(dir.filePath(JournalIndex::fileName()));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write("{\"kind\":\"replace\",\"t\":\"run\"}\n"
                "{\"copy\":\"c\",\"n\":1,\"path\":\"/a/\\\"t\\\":\\\"store\\\"\",\"t\":\"keep\"}\n"
                "{\"dir\":\"/m/.quorvex-journal-0/x\",\"t\":\"store\"}\n"
                "{\"dir\":\"/n/cut short");
    index.close();
    const std::optional<JournalIndex> whole = JournalIndex::read(dir.path());
    QVERIFY(whole && whole->entries.size() == 1);
    QCOMPARE(JournalIndex::storesOf(dir.path()), whole->stores);
    QCOMPARE(whole->stores, QStringList{u"/m/.quorvex-journal-0/x"_s});
}

QTEST_GUILESS_MAIN(TestRunJournal)
#include "tst_runjournal.moc"
