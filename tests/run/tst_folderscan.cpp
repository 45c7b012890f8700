// The folder scan: trees deeper than the longest name the system takes, files that are no
// documents (pipes, the new files of a run), and the leftovers of a killed run.
#include "io/FolderHandle.h"
#include "io/ReadOnlyFile.h"
#include "io/TempFileName.h"
#include "run/FolderScan.h"
#include "run/RunRequest.h"

#include "RunFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A chain of `depth` folders with long names below `root`, each holding "f.txt" with one
// "needle"; built folder by folder, since its full names are too long for the system.
QStringList makeDeepTree(const QString &root, int depth)
{
    const QByteArray folder(200, 'd');
    QStringList files;
    QString path = root;
    int fd = ::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < depth && fd >= 0; ++level) {
        ::mkdirat(fd, folder.constData(), 0700);
        const int child = ::openat(fd, folder.constData(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = child;
        path += u'/' + QString::fromLatin1(folder);
        const int file = ::openat(fd, "f.txt", O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (file >= 0 && ::write(file, "a needle", 8) == 8)
            files << path + u"/f.txt"_s;
        ::close(file);
    }
    ::close(fd);
    return files;
}

// The contents of a file under a name of any length.
QByteArray readDeep(const QString &path)
{
    ReadOnlyFile file;
    if (file.open(path) != ReadOnlyFile::Status::Open)
        return {};
    QByteArray bytes(4096, Qt::Uninitialized);
    const qint64 size = file.read(bytes.data(), bytes.size());
    return bytes.left(std::max<qint64>(size, 0));
}

// The id of a process that has ended.
qint64 goneProcess()
{
    QProcess process;
    process.start(u"true"_s, {});
    process.waitForFinished();
    return process.processId() > 0 ? process.processId() : 999999;
}

} // namespace

class TestFolderScan : public QObject {
    Q_OBJECT

private slots:
    void deepTree();
    void onlyDocuments_data();
    void onlyDocuments();
};

// Files below the longest name the system takes are found, read, counted and replaced.
void TestFolderScan::deepTree()
{
    RunFixture f;
    const QStringList made = makeDeepTree(f.dir.path(), 30);
    QCOMPARE(made.size(), 30);
    QVERIFY(made.last().size() > PATH_MAX);
    QStringList found;
    QList<FolderScan::Unreadable> unreadable;
    FolderScan::ScanFolder(f.dir.path(), true, {u".TXT"_s}, found, nullptr, &unreadable);
    QCOMPARE(found, made);
    QVERIFY(unreadable.isEmpty());
    for (const bool bytePath : {false, true}) {
        RunRequest request;
        request.files = found;
        request.searchPattern = u"needle"_s;
        request.replaceMode = false;
        request.bytePath = bytePath;
        request.workers = 2;
        request.unattended = true;
        f.run(request);
        QCOMPARE(f.core.driver.LastTotals().occurrences, 30);
        QCOMPARE(f.core.driver.LastTotals().filesFailed, 0);
    }
    // Writing back reaches every file too, on both paths, and through a link at that depth
    // (which stays a link); no new file is left behind.
    f.core.options.ConfirmReplace = false;
    const QString link = QFileInfo(made.last()).path() + u"/l.txt"_s;
    const FolderHandle place(link, FolderHandle::Open::Always);
    QCOMPARE(::symlinkat("f.txt", place.dir(), place.leaf()), 0);
    for (const QStringList &files : {found, QStringList{link}}) {
        QByteArray now = "needle";
        for (const QByteArray next : {"pin", "needle"}) {
            RunRequest request;
            request.files = files;
            request.searchPattern = QString::fromLatin1(now);
            request.replacementPattern = QString::fromLatin1(next);
            request.bytePath = next == "needle";
            request.unattended = true;
            f.run(request);
            QCOMPARE(f.core.driver.LastTotals().filesChanged, files.size());
            QCOMPARE(f.core.driver.LastTotals().filesFailed, 0);
            for (const QString &file : files)
                QCOMPARE(readDeep(file), "a " + next);
            now = next;
        }
    }
    struct stat st { };
    QCOMPARE(::fstatat(place.dir(), place.leaf(), &st, AT_SYMLINK_NOFOLLOW), 0);
    QVERIFY(S_ISLNK(st.st_mode));
    QProcess leftovers;
    leftovers.start(u"find"_s, {f.dir.path(), u"-name"_s, u".qvx-*"_s});
    QVERIFY(leftovers.waitForFinished());
    QCOMPARE(leftovers.readAllStandardOutput(), QByteArray());
    // Qt cannot remove what it cannot name.
    QProcess::execute(u"rm"_s, {u"-rf"_s, f.dir.path() + u'/' + QString(200, u'd')});
}

void TestFolderScan::onlyDocuments_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<bool>("regular"); // known to be a regular file, from the folder alone

    const QString live = TempFileName::make({}, QCoreApplication::applicationPid(), 1).mid(1);
    const QString gone = TempFileName::make({}, goneProcess(), 2).mid(1);
    QTest::newRow("a document") << u"a.txt"_s << u"file"_s << true << true << true;
    QTest::newRow("a pipe") << u"p.txt"_s << u"fifo"_s << false << true << false;
    QTest::newRow("a link to a document") << u"l.txt"_s << u"link"_s << true << true << false;
    QTest::newRow("a new file of a run going on") << live << u"file"_s << false << true << false;
    QTest::newRow("a new file of a killed run") << gone << u"file"_s << false << false << false;
    QTest::newRow("a name like ours") << u".qvx-1-x.tmp"_s << u"file"_s << true << true << true;
}

void TestFolderScan::onlyDocuments()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, listed);
    QFETCH(bool, kept);
    QFETCH(bool, regular);
    RunFixture f;
    const QString path = f.path(name);
    if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == u"link")
        QVERIFY(QFile::link(f.write(u"target.bin"_s, "x"), path));
    else
        f.write(name, "x");
    // As the folder says, and as on a file system whose folders say no types.
    for (const bool untyped : {false, true}) {
        if (untyped)
            qputenv("QUORVEX_SCAN_UNTYPED", "1");
        QStringList found;
        QList<ListedAs> kinds;
        FolderScan::ScanFolder(f.dir.path(), false, {u".*"_s}, ExcludeMasks(), found, nullptr,
                               nullptr, {}, &kinds);
        qunsetenv("QUORVEX_SCAN_UNTYPED");
        const qsizetype at = found.indexOf(path);
        QCOMPARE(kinds.value(at, ListedAs::Unknown) == ListedAs::RegularFile, regular && !untyped);
        found.removeAll(f.path(u"target.bin"_s));
        QCOMPARE(found, listed ? QStringList{path} : QStringList{});
    }
    QCOMPARE(QFileInfo(path).exists() || QFileInfo(path).isSymLink(), kept);
}

QTEST_GUILESS_MAIN(TestFolderScan)
#include "tst_folderscan.moc"
