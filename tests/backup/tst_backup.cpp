#include "backup/Backup.h"
#include "lang/MessageCatalogue.h"
#include "options/OptionState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "FileSizeLimit.h"

#include <cerrno>
#include <optional>

using namespace Qt::StringLiterals;
using Answer = BackupHost::Answer;

Q_DECLARE_METATYPE(QList<Answer>)

namespace {

// Answers the questions from a script and records them. Out of answers it aborts, so a
// question loop can never run away.
class ScriptedHost : public BackupHost {
public:
    QList<Answer> answers;
    QStringList asked;
    QStringList reasons; // told beside the questions
    std::function<void()> onAsk;

    void WriteFailed(const QString &, const QString &reason) override { reasons.append(reason); }

    Answer AskAbortRetryIgnore(const QString &text) override
    {
        asked.append(text);
        if (onAsk)
            onAsk();
        return answers.isEmpty() ? Answer::Abort : answers.takeFirst();
    }
};

// The real file system, except for what a test scripts: the free space seen (in turn, the
// last value repeating) and a number of copies that fail. Counts every call.
class ScriptedFileSystem : public BackupFileSystem {
public:
    QList<qint64> freeSpace;
    int failingCopies = 0;
    bool sourceAlwaysExists = false;
    int calls = 0;
    int copies = 0;

    bool FileExists(const QString &path) override
    {
        ++calls;
        return sourceAlwaysExists || BackupFileSystem::FileExists(path);
    }
    qint64 FileSize(const QString &path) override
    {
        ++calls;
        return BackupFileSystem::FileSize(path);
    }
    qint64 FreeSpace(const QString &folder) override
    {
        ++calls;
        if (freeSpace.isEmpty())
            return BackupFileSystem::FreeSpace(folder);
        return freeSpace.size() > 1 ? freeSpace.takeFirst() : freeSpace.first();
    }
    bool MakePath(const QString &folder) override
    {
        ++calls;
        return BackupFileSystem::MakePath(folder);
    }
    bool CopyFile(const QString &from, const QString &to, QString *reason) override
    {
        ++calls;
        ++copies;
        if (failingCopies > 0) {
            --failingCopies;
            return false;
        }
        return BackupFileSystem::CopyFile(from, to, reason);
    }
};

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString diskFull()
{
    return u"Диск полон. Освободите место и повторите попытку"_s;
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT

private slots:
    void init();

    void backupPathFor_data();
    void backupPathFor();

    void backupsOffTouchesNothing();
    void missingFileNeedsNoCopy();
    void copyMirrorsThePath();
    void laterCopyReplacesEarlierOne();
    void failedCopyKeepsEarlierOne_data();
    void failedCopyKeepsEarlierOne();
    void defaultFolderBeforeSetUp();

    void freeSpaceOfMissingFolderIsKnown();
    void freeSpace_data();
    void freeSpace();
    void folderCreation_data();
    void folderCreation();
    void copyFailure_data();
    void copyFailure();

    void checkFolder_data();
    void checkFolder();

    void setBackupFolder_data();
    void setBackupFolder();
    void settingsElsewhere_data();
    void settingsElsewhere();

private:
    QString m_root;
    std::unique_ptr<QTemporaryDir> m_dir;
    OptionState m_options;
    MessageCatalogue m_messages;
    ScriptedHost m_host;
    ScriptedFileSystem m_fs;

    // A file of `size` bytes under the test folder, with backups on into root/bak/.
    QString prepare(qint64 size = 10);
    QString backupOf(const QString &file) const { return m_root + u"/bak"_s + file; }
};

void TestBackup::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_root = m_dir->path();
    m_options = OptionState(m_root + u"/prog"_s);
    m_host = ScriptedHost();
    m_fs = ScriptedFileSystem();
}

QString TestBackup::prepare(qint64 size)
{
    const QString file = m_root + u"/src/Docs/a.htm"_s;
    writeFile(file, QByteArray(size, 'x'));
    m_options.MakeBackups = true;
    m_options.BackupFolder = m_root + u"/bak/"_s;
    return file;
}

void TestBackup::backupPathFor_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("drive") << u"D:\\Bak\\"_s << u"C:\\Docs\\a.htm"_s
                           << u"D:\\Bak\\C\\Docs\\a.htm"_s;
    QTest::newRow("drive, slashes")
        << u"D:/Bak/"_s << u"c:/Docs/a.htm"_s << u"D:/Bak/c/Docs/a.htm"_s;
    QTest::newRow("drive, climbing")
        << u"D:\\Bak\\"_s << u"C:\\..\\..\\Win\\x"_s << u"D:\\Bak\\C\\Win\\x"_s;
    QTest::newRow("rooted") << u"/var/bak/"_s << u"/home/u/a.htm"_s << u"/var/bak/home/u/a.htm"_s;
    QTest::newRow("rooted, climbing")
        << u"/var/bak/"_s << u"/../etc/passwd"_s << u"/var/bak/etc/passwd"_s;
    QTest::newRow("rooted, dots") << u"/var/bak/"_s << u"/home/./u/../v/a"_s
                                  << u"/var/bak/home/v/a"_s;
    QTest::newRow("doubled slashes")
        << u"/var/bak/"_s << u"//srv//a.htm"_s << u"/var/bak/srv/a.htm"_s;
    QTest::newRow("backslash in a name")
        << u"/var/bak/"_s << u"/home/u/a\\b.htm"_s << u"/var/bak/home/u/a\\b.htm"_s;
}

void TestBackup::backupPathFor()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(Backup::backupPathFor(folder, path), expected);
}

void TestBackup::backupsOffTouchesNothing()
{
    const QString file = prepare();
    m_options.MakeBackups = false;
    Backup backup(m_options, m_messages, m_host, m_fs);
    QVERIFY(backup.MakeBackupCopy(file));
    QVERIFY(backup.MakeBackupCopy(m_root + u"/none.htm"_s));
    QCOMPARE(m_fs.calls, 0);
    QVERIFY(!QFileInfo::exists(m_root + u"/bak"_s));
}

void TestBackup::missingFileNeedsNoCopy()
{
    prepare();
    Backup backup(m_options, m_messages, m_host, m_fs);
    QVERIFY(backup.MakeBackupCopy(m_root + u"/src/gone.htm"_s));
    QVERIFY(backup.MakeBackupCopy(m_root + u"/src"_s)); // a folder is not a file
    QVERIFY(m_host.asked.isEmpty());
    QVERIFY(!QFileInfo::exists(m_root + u"/bak"_s));
}

void TestBackup::copyMirrorsThePath()
{
    const QString file = prepare();
    writeFile(file, "original");
    // Read-only: the copy still takes its time, and no wider permissions.
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(file, readOnly));
    Backup backup(m_options, m_messages, m_host, m_fs);
    QCOMPARE(backup.BackupPath(file), backupOf(file));
    QVERIFY(backup.MakeBackupCopy(file));
    QCOMPARE(readFile(backupOf(file)), QByteArray("original"));
    QCOMPARE(QFileInfo(backupOf(file)).lastModified(), QFileInfo(file).lastModified());
    const auto user = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    QCOMPARE(QFile::permissions(backupOf(file)) & ~user, readOnly);
    QVERIFY(m_host.asked.isEmpty());
}

void TestBackup::laterCopyReplacesEarlierOne()
{
    const QString file = prepare();
    Backup backup(m_options, m_messages, m_host, m_fs);
    writeFile(file, "first run");
    QVERIFY(backup.MakeBackupCopy(file));
    writeFile(file, "second");
    QVERIFY(backup.MakeBackupCopy(file));
    QCOMPARE(readFile(backupOf(file)), QByteArray("second"));
    QVERIFY(m_host.asked.isEmpty());
}

void TestBackup::failedCopyKeepsEarlierOne_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<qint64>("diskFullAt"); // 0: the source vanishes instead
    QTest::addColumn<int>("reason");
    QTest::newRow("source gone") << qint64(10) << qint64(0) << ENOENT;
    // Within one buffer: the disk is found full only when the copy is flushed and closed.
    QTest::newRow("disk full at the close") << qint64(3000) << qint64(1024) << EFBIG;
    QTest::newRow("disk full on the way") << qint64(3 << 20) << qint64(1 << 20) << EFBIG;
}

// A copy that fails is never put in place: the earlier copy stays, nothing is left beside it,
// and the question says why (which is all the command-line tool can print).
void TestBackup::failedCopyKeepsEarlierOne()
{
    QFETCH(qint64, size);
    QFETCH(qint64, diskFullAt);
    QFETCH(int, reason);
    const QString file = prepare(size);
    writeFile(file, "kept");
    Backup backup(m_options, m_messages, m_host, m_fs);
    QVERIFY(backup.MakeBackupCopy(file));
    writeFile(file, QByteArray(size, 'n'));
    std::optional<FileSizeLimit> full;
    if (diskFullAt > 0) {
        full.emplace(diskFullAt);
        if (!full->active())
            QSKIP("needs a file size limit");
    } else {
        // The source vanishes after it was found: the copy fails half-way.
        QVERIFY(QFile::remove(file));
        m_fs.sourceAlwaysExists = true;
    }
    m_host.answers = {Answer::Abort};
    QVERIFY(!backup.MakeBackupCopy(file));
    full.reset();
    // The question is the fixed one; the system's reason is told beside it.
    QCOMPARE(m_host.asked,
             QStringList{u"Не могу создать файл %1.Повторить операцию ?"_s.arg(backupOf(file))});
    QCOMPARE(m_host.reasons, QStringList{qt_error_string(reason)});
    QCOMPARE(readFile(backupOf(file)), QByteArray("kept"));
    QCOMPARE(QDir(QFileInfo(backupOf(file)).path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{u"a.htm"_s});
}

void TestBackup::defaultFolderBeforeSetUp()
{
    const QString file = prepare();
    m_options.BackupFolder.clear();
    Backup backup(m_options, m_messages, m_host, m_fs);
    QVERIFY(backup.MakeBackupCopy(file));
    QVERIFY(QFileInfo::exists(m_options.ProgramFolder + u"Backup"_s + file));
}

void TestBackup::freeSpaceOfMissingFolderIsKnown()
{
    // Taken from the nearest folder that exists, so a backup folder not yet created still
    // gets a real figure.
    QVERIFY(BackupFileSystem().FreeSpace(m_root + u"/not/yet/made/"_s) >= 0);
}

void TestBackup::freeSpace_data()
{
    QTest::addColumn<QList<qint64>>("free");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("copied");
    // The file has 10 bytes.
    QTest::newRow("just enough") << QList<qint64>{10} << QList<Answer>{} << true << 0 << true;
    QTest::newRow("short, abort") << QList<qint64>{9} << QList<Answer>{Answer::Abort} << false << 1
                                  << false;
    QTest::newRow("short, ignore")
        << QList<qint64>{9} << QList<Answer>{Answer::Ignore} << true << 1 << false;
    QTest::newRow("retry until room")
        << QList<qint64>{9, 9, 11} << QList<Answer>{Answer::Retry, Answer::Retry} << true << 2
        << true;
    QTest::newRow("retry with just enough asks again")
        << QList<qint64>{9, 10} << QList<Answer>{Answer::Retry, Answer::Ignore} << true << 2
        << false;
    QTest::newRow("unknown") << QList<qint64>{-1} << QList<Answer>{Answer::Retry, Answer::Abort}
                             << false << 2 << false;
}

void TestBackup::freeSpace()
{
    QFETCH(QList<qint64>, free);
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, result);
    QFETCH(int, questions);
    QFETCH(bool, copied);
    const QString file = prepare(10);
    m_fs.freeSpace = free;
    m_host.answers = answers;
    Backup backup(m_options, m_messages, m_host, m_fs);
    QCOMPARE(backup.MakeBackupCopy(file), result);
    QCOMPARE(m_host.asked, QStringList(questions, diskFull()));
    QCOMPARE(QFileInfo::exists(backupOf(file)), copied);
    if (!copied)
        QVERIFY(!QFileInfo::exists(m_root + u"/bak"_s));
}

void TestBackup::folderCreation_data()
{
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("unblockOnAsk");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("copied");
    QTest::newRow("abort") << QList<Answer>{Answer::Abort} << false << false << 1 << false;
    QTest::newRow("ignore") << QList<Answer>{Answer::Ignore} << false << true << 1 << false;
    QTest::newRow("retry, still blocked")
        << QList<Answer>{Answer::Retry, Answer::Abort} << false << false << 2 << false;
    QTest::newRow("retry after the user made room")
        << QList<Answer>{Answer::Retry} << true << true << 1 << true;
}

void TestBackup::folderCreation()
{
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, unblockOnAsk);
    QFETCH(bool, result);
    QFETCH(int, questions);
    QFETCH(bool, copied);
    const QString file = prepare();
    // A regular file where a folder must go: creation fails even for root.
    const QString blocker = m_root + u"/blocker"_s;
    writeFile(blocker, "file");
    m_options.BackupFolder = blocker + u"/bak/"_s;
    m_host.answers = answers;
    if (unblockOnAsk)
        m_host.onAsk = [&] { QFile::remove(blocker); };
    Backup backup(m_options, m_messages, m_host, m_fs);

    QCOMPARE(backup.MakeBackupCopy(file), result);
    const QString dir = blocker + u"/bak"_s + QFileInfo(file).path();
    const QString question = u"Не могу создать каталог "_s + QDir::toNativeSeparators(dir);
    QCOMPARE(m_host.asked, QStringList(questions, question));
    QCOMPARE(QFileInfo::exists(blocker + u"/bak"_s + file), copied);
}

void TestBackup::copyFailure_data()
{
    QTest::addColumn<int>("failures");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("copied");
    QTest::newRow("abort") << 1 << QList<Answer>{Answer::Abort} << false << 1 << false;
    QTest::newRow("ignore") << 1 << QList<Answer>{Answer::Ignore} << true << 1 << false;
    QTest::newRow("retry succeeds") << 1 << QList<Answer>{Answer::Retry} << true << 1 << true;
    QTest::newRow("retry fails, then abort")
        << 2 << QList<Answer>{Answer::Retry, Answer::Abort} << false << 2 << false;
}

void TestBackup::copyFailure()
{
    QFETCH(int, failures);
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, result);
    QFETCH(int, questions);
    QFETCH(bool, copied);
    const QString file = prepare();
    m_fs.failingCopies = failures;
    m_host.answers = answers;
    Backup backup(m_options, m_messages, m_host, m_fs);

    QCOMPARE(backup.MakeBackupCopy(file), result);
    const QString question = u"Не могу создать файл "_s + QDir::toNativeSeparators(backupOf(file))
        + u".Повторить операцию ?"_s;
    QCOMPARE(m_host.asked, QStringList(questions, question));
    QCOMPARE(m_fs.copies, questions + (copied ? 1 : 0));
    QCOMPARE(QFileInfo::exists(backupOf(file)), copied);
}

void TestBackup::checkFolder_data()
{
    QTest::addColumn<QString>("folder"); // below the test folder unless it starts with "/"
    QTest::addColumn<bool>("backups");
    QTest::addColumn<bool>("refused");
    QTest::newRow("the root mirrors each file onto itself") << u"/"_s << true << true;
    QTest::newRow("backups off") << u"/"_s << false << false;
    QTest::newRow("a folder beside the files") << u"bak"_s << true << false;
    QTest::newRow("the files' own folder") << u"src"_s << true << true;
    QTest::newRow("a folder above the files") << QString() << true << true;
    QTest::newRow("a link to the files' folder") << u"to-src"_s << true << true;
    QTest::newRow("a link inside leads back to the file") << u"loop"_s << true << true;
    QTest::newRow("not made yet, beside the files") << u"new/bak"_s << true << false;
}

// A folder whose copies would land on the files they keep is refused before any file is read.
void TestBackup::checkFolder()
{
    QFETCH(QString, folder);
    QFETCH(bool, backups);
    QFETCH(bool, refused);
    const QString file = prepare();
    QVERIFY(QFile::link(m_root + u"/src"_s, m_root + u"/to-src"_s));
    // loop/<first level of the test folder> leads to that first level itself.
    const QString first = m_root.section(u'/', 1, 1);
    QVERIFY(QDir().mkpath(m_root + u"/loop"_s));
    QVERIFY(QFile::link(u"/"_s + first, m_root + u"/loop/"_s + first));
    m_options.MakeBackups = backups;
    m_options.BackupFolder = (folder.startsWith(u'/') ? folder : m_root + u'/' + folder) + u'/';
    if (folder == u"/")
        m_options.BackupFolder = folder;
    Backup backup(m_options, m_messages, m_host, m_fs);
    const std::optional<QString> problem = backup.checkFolder({file}, m_options);
    QCOMPARE(problem.has_value(), refused);
    if (refused) {
        QVERIFY(problem->contains(QDir::toNativeSeparators(file)));
        QVERIFY(problem->startsWith(u"Папка резервных копий "_s));
    }
    QVERIFY(m_host.asked.isEmpty());
}

void TestBackup::setBackupFolder_data()
{
    QTest::addColumn<QString>("folder"); // below the test folder when rooted
    QTest::addColumn<QString>("expected"); // below the test folder
    QTest::addColumn<bool>("created");
    QTest::newRow("new folder") << u"/new/deep"_s << u"/new/deep/"_s << true;
    QTest::newRow("trailing separator") << u"/new/"_s << u"/new/"_s << true;
    QTest::newRow("existing") << u"/prog"_s << u"/prog/"_s << true;
    QTest::newRow("relative to the program") << u"rel"_s << u"/prog/rel/"_s << true;
    QTest::newRow("empty") << QString() << u"/prog/Backup/"_s << false;
    QTest::newRow("cannot be created") << u"/blocker/bak"_s << u"/prog/Backup/"_s << false;
    QTest::newRow("is a file") << u"/blocker"_s << u"/prog/Backup/"_s << false;
}

void TestBackup::setBackupFolder()
{
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    QFETCH(bool, created);
    QDir().mkpath(m_root + u"/prog"_s);
    writeFile(m_root + u"/blocker"_s, "file");
    Backup backup(m_options, m_messages, m_host, m_fs);

    backup.SetBackupFolder(folder.startsWith(u'/') ? m_root + folder : folder);
    QCOMPARE(m_options.BackupFolder, m_root + expected);
    QCOMPARE(QFileInfo(m_options.BackupFolder).isDir(), created);
    QVERIFY(m_host.asked.isEmpty());
}

// An installed program keeps its settings in the user's folder: relative names and the default
// folder are taken from there, where the options dialog checks and creates them too.
void TestBackup::settingsElsewhere_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected"); // below the test folder
    QTest::newRow("relative") << u"rel"_s << u"/config/rel/"_s;
    QTest::newRow("dots stay inside") << u"a/../b"_s << u"/config/b/"_s;
    QTest::newRow("empty") << QString() << u"/config/Backup/"_s;
    QTest::newRow("cannot be created") << u"/blocker/bak"_s << u"/config/Backup/"_s;
}

void TestBackup::settingsElsewhere()
{
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    writeFile(m_root + u"/blocker"_s, "file");
    m_options.SettingsFilePath = m_root + u"/config/Quorvex.ini"_s;
    Backup backup(m_options, m_messages, m_host, m_fs);

    backup.SetBackupFolder(folder.startsWith(u'/') ? m_root + folder : folder);
    QCOMPARE(m_options.BackupFolder, m_root + expected);
    if (!folder.isEmpty() && !folder.startsWith(u'/'))
        QCOMPARE(backup.resolveFolder(folder) + u'/', m_root + expected);
    QCOMPARE(backup.defaultBackupFolder(), m_root + u"/config/Backup/"_s);
}

QTEST_APPLESS_MAIN(TestBackup)
#include "tst_backup.moc"
