// What a run takes as a file: pipes, devices and folders given by name; one file under several
// names (links, "..", hard links); files whose size says less than they hold, or that shrink
// while they are read.
#include "io/AtomicFileWriter.h"
#include "run/ByteFileJob.h"
#include "run/FileBytes.h"
#include "run/FileFeed.h"
#include "run/FileOutcome.h"
#include "run/QuorvexCore.h"
#include "run/RunRequest.h"

#include "ScriptedHost.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Records how each entry ended, as "name status reason occurrences/replacements".
class OutcomeHost : public ScriptedHost {
public:
    void FileFinished(const FileOutcome &outcome) override
    {
        outcomes << u"%1 %2 %3 %4/%5"_s
                        .arg(QFileInfo(outcome.path).fileName(),
                             FileOutcome::statusName(outcome.status),
                             outcome.reason.isEmpty() ? u"-"_s : outcome.reason)
                        .arg(outcome.occurrences)
                        .arg(outcome.replacements);
    }
    QStringList outcomes;
};

// Measures the new files (all but "f….txt") in a folder as the run takes each file.
class HeldHost : public ScriptedHost {
public:
    explicit HeldHost(const QString &folder) : m_folder(folder) { }
    void ProgressStep(const QString &fileName) override
    {
        ScriptedHost::ProgressStep(fileName);
        if (++m_steps % 20 != 0 && m_steps > 40)
            return;
        const auto [files, bytes] = held(m_folder);
        mostFiles = std::max(mostFiles, files);
        mostBytes = std::max(mostBytes, bytes);
    }
    static std::pair<qsizetype, qint64> held(const QString &folder)
    {
        qsizetype files = 0;
        qint64 bytes = 0;
        const QFileInfoList all = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
        for (const QFileInfo &info : all) {
            if (!info.fileName().startsWith(u'f') || !info.fileName().endsWith(u".txt")) {
                ++files;
                bytes += info.size();
            }
        }
        return {files, bytes};
    }
    qsizetype mostFiles = 0;
    qint64 mostBytes = 0;

private:
    QString m_folder;
    int m_steps = 0;
};

// The entries of a row: files made below `folder` by their names' form.
QStringList makeEntries(TestFolder &folder, const QStringList &entries)
{
    QStringList files;
    for (const QString &entry : entries) {
        const QString path = folder.path(entry);
        if (entry.startsWith(u'/')) {
            files << entry; // a file of the system
        } else if (entry.startsWith(u"fifo")) {
            ::mkfifo(QFile::encodeName(path).constData(), 0600);
            files << path;
        } else if (entry.startsWith(u"folder")) {
            QDir().mkpath(path);
            files << path;
        } else if (entry.startsWith(u"hard")) {
            ::link(QFile::encodeName(folder.path(u"a.txt"_s)).constData(),
                   QFile::encodeName(path).constData());
            files << path;
        } else if (entry.startsWith(u"dirlink/")) {
            QFile::link(folder.dir.path(), folder.path(u"dirlink"_s));
            files << path;
        } else if (entry.startsWith(u"link")) {
            QFile::link(folder.path(u"a.txt"_s), path);
            files << path;
        } else if (entry.startsWith(u"sub/..")) {
            QDir().mkpath(folder.path(u"sub"_s));
            files << path;
        } else {
            files << folder.write(entry, "one needle, two needle");
        }
    }
    return files;
}

} // namespace

class TestFileWalk : public QObject {
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void fileShrinksWhileRead_data();
    void fileShrinksWhileRead();
    void fileGrowsWhileRead();
    void listedAsRegular_data();
    void listedAsRegular();
    void heldAtOnce_data();
    void heldAtOnce();
    void growingList_data();
    void growingList();
};

void TestFileWalk::entries_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("ahead"); // worked through on worker threads
    QTest::addColumn<QStringList>("expected");

    const QStringList pipe{u"fifo.txt skipped not-regular-file 0/0"_s};
    const QStringList twoNames{u"a.txt written - 2/2"_s, u"hard.txt written - 2/2"_s};
    const QStringList oneFile{u"a.txt written - 2/2"_s, u"a.txt skipped already-processed 0/0"_s,
                              u"link.txt skipped already-processed 0/0"_s};
    const QStringList status{u"status unchanged - 1/0"_s};
    for (const bool bytePath : {false, true}) {
        const char *path = bytePath ? ", ahead" : ", by the run";
        QTest::addRow("a pipe%s", path) << QStringList{u"fifo.txt"_s} << bytePath << pipe;
        QTest::addRow("a folder%s", path)
            << QStringList{u"folder.txt"_s} << bytePath
            << QStringList{u"folder.txt skipped not-regular-file 0/0"_s};
        QTest::addRow("a device%s", path) << QStringList{u"/dev/null"_s} << bytePath
                                          << QStringList{u"null skipped not-regular-file 0/0"_s};
        QTest::addRow("hard links%s", path)
            << QStringList{u"a.txt"_s, u"hard.txt"_s} << bytePath << twoNames;
        QTest::addRow("one file, three names%s", path)
            << QStringList{u"a.txt"_s, u"sub/../a.txt"_s, u"link.txt"_s} << bytePath << oneFile;
        QTest::addRow("one file, through a folder link%s", path)
            << QStringList{u"a.txt"_s, u"dirlink/a.txt"_s} << bytePath
            << QStringList{u"a.txt written - 2/2"_s, u"a.txt skipped already-processed 0/0"_s};
        QTest::addRow("size 0, with content%s", path)
            << QStringList{u"/proc/self/status"_s} << bytePath << status;
    }
}

void TestFileWalk::entries()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, ahead);
    QFETCH(QStringList, expected);
    TestFolder folder;
    OutcomeHost host;
    QuorvexCore core(host);
    core.options.ConfirmReplace = false;
    RunRequest request;
    request.files = makeEntries(folder, entries);
    const bool system = entries.first().startsWith(u'/');
    request.searchPattern = system ? u"Name:"_s : u"needle"_s;
    request.replacementPattern = u"pin"_s;
    request.replaceMode = !system;
    request.bytePath = ahead;
    request.workers = 2;
    request.unattended = true;
    request.sync = ahead ? SyncPolicy::Batch : SyncPolicy::File;
    QCOMPARE(core.driver.ProcessFilesExecute(request), ProcessingDriver::Outcome::Ran);
    QCOMPARE(host.outcomes, expected);
    if (expected == QStringList{u"fifo.txt skipped not-regular-file 0/0"_s})
        QVERIFY(host.reportLines.first().contains(u"не обычный файл"_s));
    for (const QString &line : std::as_const(expected)) {
        if (line.contains(u"written"))
            QCOMPARE(folder.read(folder.path(line.section(u' ', 0, 0))), "one pin, two pin");
    }
}

void TestFileWalk::fileShrinksWhileRead_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("mapped");
    QTest::newRow("read") << (2 << 20) << false;
    QTest::newRow("mapped") << int(FileBytes::MappedFrom + (1 << 20)) << true;
}

// A file shortened by another program while it is read is neither a crash nor overwritten:
// the run finds it changed, or, when it was mapped and lost pages, reads it again itself.
void TestFileWalk::fileShrinksWhileRead()
{
    QFETCH(int, size);
    QFETCH(bool, mapped);
    TestFolder folder;
    const QString path = folder.write(u"big.txt"_s, QByteArray(size, 'a') + "needle");
    ByteFileJob job("needle", "pin", true, ByteFileJob::Mode::Replace, false);
    job.setOpenedHook([](const QString &opened) { QFile(opened).resize(1 << 20); });
    FileJobResult result = job.process(path);
    const FileJobResult::Kind lost
        = mapped ? FileJobResult::Kind::Fallback : FileJobResult::Kind::Done;
    QCOMPARE(int(result.kind), int(lost));
    QVERIFY(!result.pending);
    QCOMPARE(QFileInfo(path).size(), qint64(1) << 20);
    // Shortened after a match was read: that match is written, and then not put in place.
    const QString other = folder.write(u"other.txt"_s, "needle" + QByteArray(size, 'a'));
    job.setOpenedHook([](const QString &opened) { QFile(opened).resize(1 << 20); });
    result = job.process(other);
    QCOMPARE(int(result.kind), int(lost));
    QCOMPARE(result.pending.has_value(), !mapped);
    if (result.pending)
        QCOMPARE(AtomicFileWriter::commit(*result.pending, nullptr), WriteOutcome::ChangedOnDisk);
    QCOMPARE(QFileInfo(other).size(), qint64(1) << 20);
    QCOMPARE(QDir(folder.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// A file that grew between its open and its read is read whole, though the read that
// fills its former size is not the last.
void TestFileWalk::fileGrowsWhileRead()
{
    TestFolder folder;
    for (const int size : {6, 100, 3 << 20}) {
        const QString path = folder.write(u"grows.txt"_s, QByteArray(size - 6, 'a') + "needle");
        ByteFileJob job("needle", "pin", true, ByteFileJob::Mode::Count, false);
        job.setOpenedHook([](const QString &opened) {
            QFile file(opened);
            QVERIFY(file.open(QIODevice::Append));
            file.write(" needle");
        });
        QCOMPARE(job.process(path, ListedAs::RegularFile).hits, 2);
    }
}

// What the scan saw of a name may be out of date when the file is read: a name listed as a
// regular file is taken exactly as one nothing was known of.
void TestFileWalk::listedAsRegular_data()
{
    QTest::addColumn<QStringList>("entries"); // the last is looked at

    QTest::newRow("a file") << QStringList{u"a.txt"_s};
    QTest::newRow("a pipe now") << QStringList{u"fifo.txt"_s};
    QTest::newRow("a folder now") << QStringList{u"folder.txt"_s};
    QTest::newRow("a device") << QStringList{u"/dev/null"_s};
    QTest::newRow("a link now") << QStringList{u"a.txt"_s, u"link.txt"_s};
    QTest::newRow("hard links") << QStringList{u"a.txt"_s, u"hard.txt"_s};
    QTest::newRow("through a folder link") << QStringList{u"a.txt"_s, u"dirlink/a.txt"_s};
    QTest::newRow("gone") << QStringList{u"sub/../gone.txt"_s};
    QTest::newRow("size 0, with content") << QStringList{u"/proc/self/status"_s};
}

void TestFileWalk::listedAsRegular()
{
    QFETCH(QStringList, entries);
    TestFolder folder;
    const QString path = makeEntries(folder, entries).constLast();
    for (const auto mode : {ByteFileJob::Mode::Count, ByteFileJob::Mode::Replace}) {
        const ByteFileJob job("needle", "pin", true, mode, false);
        std::optional<FileJobResult> first;
        for (const ListedAs listed : {ListedAs::Unknown, ListedAs::RegularFile}) {
            FileJobResult result = job.process(path, listed);
            if (result.pending)
                AtomicFileWriter::discard(*result.pending);
            if (!first) {
                first = std::move(result);
                continue;
            }
            QCOMPARE(int(result.kind), int(first->kind));
            QCOMPARE(result.hits, first->hits);
            QCOMPARE(result.links, first->links);
            QCOMPARE(result.leafIsLink, first->leafIsLink);
            QCOMPARE(result.pending.has_value(), first->pending.has_value());
        }
    }
}

void TestFileWalk::heldAtOnce_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("size");
    QTest::addColumn<qint64>("free"); // 0: as the disk says
    QTest::addColumn<qsizetype>("mostFiles");
    QTest::addColumn<qint64>("mostBytes");
    QTest::addColumn<int>("mostLooks"); // at the free space; -1: any number

    QTest::newRow("a batch and the files ahead")
        << 1100 << 10 << qint64(0) << qsizetype(1000) << qint64(0) << -1;
    QTest::newRow("little free space")
        << 10 << (1 << 20) << qint64(3 << 20) << qsizetype(10) << qint64(3 << 20) << -1;
    // Far from full, one file system is looked at once, not for every file.
    QTest::newRow("much free space")
        << 300 << 10 << (qint64(1) << 40) << qsizetype(1000) << qint64(1 << 20) << 2;
}

// New files not yet in place, worked out ahead and waiting in the batch, stay within a batch
// and within the free space, which here is made up: what the disk had less the new files.
void TestFileWalk::heldAtOnce()
{
    QFETCH(int, count);
    QFETCH(int, size);
    QFETCH(qint64, free);
    QFETCH(qsizetype, mostFiles);
    QFETCH(qint64, mostBytes);
    QFETCH(int, mostLooks);
    TestFolder folder;
    std::atomic<int> looks = 0;
    HeldHost host(folder.dir.path());
    QuorvexCore core(host);
    core.options.ConfirmReplace = false;
    if (free > 0) {
        core.driver.freeSpace = [&](const QString &) -> std::optional<qint64> {
            ++looks;
            return free - HeldHost::held(folder.dir.path()).second;
        };
    }
    RunRequest request;
    const QByteArray content = "needle" + QByteArray(size, '.');
    for (int i = 0; i < count; ++i)
        request.files << folder.write(u"f%1.txt"_s.arg(i, 4, 10, QChar(u'0')), content);
    request.searchPattern = u"needle"_s;
    request.replacementPattern = u"pin"_s;
    request.bytePath = true;
    request.workers = 2;
    request.unattended = true;
    request.sync = SyncPolicy::Batch;
    QCOMPARE(core.driver.ProcessFilesExecute(request), ProcessingDriver::Outcome::Ran);
    QCOMPARE(core.driver.LastTotals().filesChanged, count);
    QVERIFY2(host.mostFiles <= mostFiles, qPrintable(QString::number(host.mostFiles)));
    if (free > 0)
        QVERIFY2(host.mostBytes <= mostBytes, qPrintable(QString::number(host.mostBytes)));
    if (mostLooks >= 0)
        QVERIFY2(looks <= mostLooks, qPrintable(QString::number(looks)));
}

void TestFileWalk::growingList_data()
{
    QTest::addColumn<bool>("replace");
    QTest::addColumn<int>("workers");
    for (const bool replace : {false, true}) {
        for (const int workers : {1, 2})
            QTest::addRow("%s, %d workers", replace ? "replace" : "count", workers)
                << replace << workers;
    }
}

// A list that grows while the run works through it (a folder scan going on) gives what the
// whole list gives: the same outcomes and report lines, in list order.
void TestFileWalk::growingList()
{
    using namespace std::chrono_literals;
    QFETCH(bool, replace);
    QFETCH(int, workers);
    QList<QStringList> seen;
    for (const bool growing : {false, true}) {
        TestFolder folder;
        QStringList files;
        for (int i = 0; i < 300; ++i)
            files << folder.write(u"d%1/f%2.txt"_s.arg(i / 40).arg(i), i % 3 ? "a needle" : "no");
        files.insert(100, files[10]); // already processed
        files.insert(200, folder.path(u"gone.txt"_s));
        OutcomeHost host;
        QuorvexCore core(host);
        core.options.ConfirmReplace = false;
        RunRequest request;
        request.searchPattern = u"needle"_s;
        request.replacementPattern = u"pin"_s;
        request.replaceMode = replace;
        request.bytePath = true;
        request.workers = workers;
        request.unattended = true;
        request.sync = SyncPolicy::Batch;
        const auto feed = std::make_shared<FileFeed>();
        std::thread scan;
        if (growing) {
            request.feed = feed;
            scan = std::thread([&] {
                for (qsizetype i = 0; i < files.size(); i += 7) {
                    feed->append(files.mid(i, 7));
                    std::this_thread::sleep_for(1ms);
                }
                feed->finish();
            });
        } else {
            request.files = files;
        }
        const ProcessingDriver::Outcome outcome = core.driver.ProcessFilesExecute(request);
        if (scan.joinable())
            scan.join();
        QCOMPARE(outcome, ProcessingDriver::Outcome::Ran);
        seen << host.outcomes + host.reportLines.replaceInStrings(folder.dir.path(), u"<>"_s);
    }
    QCOMPARE(seen[1], seen[0]);
    QVERIFY(seen[0].size() > 302);
}

QTEST_GUILESS_MAIN(TestFileWalk)
#include "tst_filewalk.moc"
