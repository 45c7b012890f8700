#include "TestFolder.h"
#include "io/AtomicFileWriter.h"
#include "io/FileAttributes.h"
#include "io/FolderHandleCache.h"
#include "io/ReadOnlyFile.h"
#include "io/TempFileWriter.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <sys/stat.h>
#include <sys/xattr.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// An ACL value as the kernel keeps it: owner, a named user, group, mask and other.
QByteArray acl(quint16 group, quint16 mask, quint16 named = 6)
{
    QByteArray value(4 + 5 * 8, '\0');
    qToLittleEndian<quint32>(2, value.data());
    const quint16 entries[5][2]
        = {{0x01, 6}, {0x02, named}, {0x04, group}, {0x10, mask}, {0x20, 0}};
    for (int i = 0; i < 5; ++i) {
        char *entry = value.data() + 4 + 8 * i;
        qToLittleEndian<quint16>(entries[i][0], entry);
        qToLittleEndian<quint16>(entries[i][1], entry + 2);
        qToLittleEndian<quint32>(entries[i][0] == 0x02 ? 4321 : 0xFFFFFFFF, entry + 4);
    }
    return value;
}

#ifdef Q_OS_LINUX
std::optional<QByteArray> attribute(const QString &path, const char *name)
{
    char value[1024];
    const ssize_t size = ::getxattr(QFile::encodeName(path).constData(), name, value, sizeof value);
    return size < 0 ? std::nullopt : std::optional<QByteArray>(QByteArray(value, size));
}

bool setAttribute(const QString &path, const char *name, const QByteArray &value)
{
    return ::setxattr(QFile::encodeName(path).constData(), name, value.constData(),
                      size_t(value.size()), 0)
        == 0;
}

quint32 modeOf(const QString &path)
{
    struct stat st { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// The system call failing for the ACL alone, as on a file system that refuses it.
int refuseAcl(int fd, const char *name, const void *value, size_t size, int flags)
{
    if (QByteArrayView(name) == FileAttributes::AccessAcl) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return ::fsetxattr(fd, name, value, size, flags);
}
#endif

// Rewrites `file` as the byte path does: through a folder kept open, the attributes read from
// the file open for reading.
bool writeThrough(FolderHandleCache &folders, const QString &file, const QByteArray &bytes)
{
    ReadOnlyFile read;
    TempFileWriter writer;
    if (read.open(file, &folders) != ReadOnlyFile::Status::Open)
        return false;
    writer.useFolders(&folders);
    writer.setModelHandle(read.handle());
    writer.setNamedAtOnce(true);
    if (!writer.open(file, read.stamp(), nullptr) || !writer.append(bytes))
        return false;
    std::optional<PendingWrite> pending = writer.finish(false, nullptr);
    return pending
        && AtomicFileWriter::commit(*pending, nullptr, nullptr, &folders) == WriteOutcome::Ok;
}

} // namespace

class TestFileAttributes : public QObject {
    Q_OBJECT

private slots:
    void rewriteKeepsThem_data();
    void rewriteKeepsThem();
    void aclRefused_groupNotWidened_data();
    void aclRefused_groupNotWidened();
};

void TestFileAttributes::rewriteKeepsThem_data()
{
    QTest::addColumn<bool>("withAcl");
    QTest::addColumn<bool>("folderDefaultAcl");
    QTest::addColumn<bool>("withNote"); // the user attribute
    QTest::addColumn<bool>("keptOpen"); // written through a folder kept open
    QTest::newRow("acl and a user attribute") << true << false << true << false;
    // The new file must not keep the ACL the folder hands to new files: the old had none.
    QTest::newRow("no acl, in a folder with a default acl") << false << true << true << false;
    QTest::newRow("acl and a user attribute, folder kept open") << true << false << true << true;
    QTest::newRow("nothing but the mode, folder kept open") << false << false << false << true;
    QTest::newRow("nothing but the mode, default acl, folder kept open")
        << false << true << false << true;
}

// A 0640 file with "u:4321:rw" comes back with that ACL, its mode (group bits = the mask) and
// its user attribute, as `sed -i` leaves it.
void TestFileAttributes::rewriteKeepsThem()
{
#ifdef Q_OS_LINUX
    QFETCH(bool, withAcl);
    QFETCH(bool, folderDefaultAcl);
    QFETCH(bool, withNote);
    QFETCH(bool, keptOpen);
    TestFolder folder;
    const QString file = folder.path(u"a.txt"_s);
    QVERIFY(AtomicFileWriter::write(file, "old"));
    QVERIFY(QFile::setPermissions(
        file, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    if (!setAttribute(file, "user.probe", "x")
        || ::removexattr(QFile::encodeName(file).constData(), "user.probe") != 0
        || (withNote && !setAttribute(file, "user.note", "kept")))
        QSKIP("no extended attributes here");
    if (withAcl && !setAttribute(file, FileAttributes::AccessAcl, acl(4, 6)))
        QSKIP("no ACLs here");
    if (folderDefaultAcl
        && !setAttribute(folder.dir.path(), "system.posix_acl_default", acl(6, 7, 7)))
        QSKIP("no default ACLs here");
    const quint32 mode = modeOf(file);
    QCOMPARE(mode, withAcl ? 0660u : 0640u);

    FolderHandleCache folders;
    QVERIFY(keptOpen ? writeThrough(folders, file, "new") : AtomicFileWriter::write(file, "new"));
    QCOMPARE(folder.read(file), QByteArray("new"));
    QCOMPARE(modeOf(file), mode);
    QCOMPARE(attribute(file, "user.note"),
             withNote ? std::optional<QByteArray>("kept") : std::nullopt);
    QCOMPARE(attribute(file, FileAttributes::AccessAcl),
             withAcl ? std::optional<QByteArray>(acl(4, 6)) : std::nullopt);
#else
    QSKIP("extended attributes are read on Linux only");
#endif
}

void TestFileAttributes::aclRefused_groupNotWidened_data()
{
    QTest::addColumn<QByteArray>("acl");
    QTest::addColumn<quint32>("mode"); // as the file shows it: group bits are the mask
    QTest::addColumn<quint32>("expected");
    QTest::newRow("group r, mask rw") << acl(4, 6) << 0660u << 0640u;
    QTest::newRow("group rw, mask r") << acl(6, 4) << 0640u << 0640u;
    QTest::newRow("group none, mask rwx") << acl(0, 7) << 0670u << 0600u;
    QTest::newRow("set-id bits kept") << acl(4, 6) << 02664u << 02644u;
    QTest::newRow("unreadable: no group rights") << QByteArray("bad!") << 0664u << 0604u;
}

// The group is never given the mask's rights when the ACL that limited them is not there;
// the file is named for the report.
void TestFileAttributes::aclRefused_groupNotWidened()
{
#ifdef Q_OS_LINUX
    QFETCH(QByteArray, acl);
    QFETCH(quint32, mode);
    QFETCH(quint32, expected);
    TestFolder folder;
    const QString file = folder.path(u"new"_s);
    QFile created(file);
    QVERIFY(created.open(QIODevice::WriteOnly));
    FileAttributes attributes;
    attributes.add(FileAttributes::AccessAcl, acl);
    const QStringList lost = attributes.applyTo(created.handle(), mode, refuseAcl);
    QCOMPARE(lost, QStringList{QString::fromLatin1(FileAttributes::AccessAcl)});
    QCOMPARE(modeOf(file), expected);
#else
    QSKIP("extended attributes are set on Linux only");
#endif
}

QTEST_GUILESS_MAIN(TestFileAttributes)
#include "tst_fileattributes.moc"
