// The switch between the POSIX file calls and the portable ones: what it decides, that both
// levels see files alike where both can see them, and that a run at a level short of a
// guarantee says so in its report (ctest runs this test a second time with the portable level).
#include "RunFixture.h"
#include "io/FileStamp.h"
#include "io/IoLevel.h"
#include "io/ReadOnlyFile.h"
#include "lang/MessageId.h"

#include <QFile>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

class TestIoLevel : public QObject {
    Q_OBJECT

private slots:
    void lowered_data();
    void lowered();
    void chosenOnceFromTheEnvironment();
    void levelsSeeFilesAlike_data();
    void levelsSeeFilesAlike();
    void runSaysWhatItGoesWithout();
};

void TestIoLevel::lowered_data()
{
    using Level = IoLevel::Level;
    QTest::addColumn<Level>("system");
    QTest::addColumn<QByteArray>("request"); // empty: no variable
    QTest::addColumn<Level>("chosen");
    QTest::newRow("none") << Level::Posix << QByteArray() << Level::Posix;
    QTest::newRow("portable") << Level::Posix << QByteArray("portable") << Level::Portable;
    QTest::newRow("posix asked") << Level::Posix << QByteArray("posix") << Level::Posix;
    QTest::newRow("never raised") << Level::Portable << QByteArray("posix") << Level::Portable;
    QTest::newRow("unknown") << Level::Posix << QByteArray("fast") << Level::Posix;
}

void TestIoLevel::lowered()
{
    QFETCH(IoLevel::Level, system);
    QFETCH(QByteArray, request);
    QFETCH(IoLevel::Level, chosen);
    QCOMPARE(IoLevel::lowered(system, request.isNull() ? nullptr : request.constData()), chosen);
}

void TestIoLevel::chosenOnceFromTheEnvironment()
{
    const bool asked = qgetenv("QUORVEX_IO") == "portable";
#ifdef Q_OS_UNIX
    QCOMPARE(IoLevel::portable(), asked);
#else
    QVERIFY(IoLevel::portable());
#endif
    QVERIFY(IoLevel::guarantees(IoLevel::Level::Posix).all());
    QVERIFY(!IoLevel::guarantees(IoLevel::Level::Portable).fileIdentity);
    QCOMPARE(IoLevel::guarantees().all(), !IoLevel::portable());
}

void TestIoLevel::levelsSeeFilesAlike_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"file", "empty", "read-only", "folder", "link", "dangling", "missing",
                             "fifo", "two names"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

// Whatever the level, a name is the same kind of thing with the same size, permissions and
// names; only identity and change time are the POSIX level's own.
void TestIoLevel::levelsSeeFilesAlike()
{
#ifndef Q_OS_UNIX
    QSKIP("only where both levels are built");
#else
    QFETCH(QString, kind);
    TestFolder folder;
    const QString name = folder.path(u"x"_s);
    const QByteArray native = QFile::encodeName(name);
    if (kind == u"file" || kind == u"read-only" || kind == u"two names" || kind == u"link")
        folder.write(u"f"_s, "some bytes");
    if (kind == u"empty")
        folder.write(u"x"_s, "");
    else if (kind == u"file" || kind == u"read-only" || kind == u"two names")
        QVERIFY(QFile::rename(folder.path(u"f"_s), name));
    if (kind == u"read-only")
        QCOMPARE(::chmod(native.constData(), 0444), 0);
    if (kind == u"two names")
        QCOMPARE(::link(native.constData(), QFile::encodeName(folder.path(u"y"_s)).constData()), 0);
    if (kind == u"folder")
        QCOMPARE(::mkdir(native.constData(), 0750), 0);
    if (kind == u"link" || kind == u"dangling")
        QVERIFY(QFile::link(folder.path(kind == u"link" ? u"f"_s : u"none"_s), name));
    if (kind == u"fifo")
        QCOMPARE(::mkfifo(native.constData(), 0600), 0);

    const std::optional<FileStamp> posix = FileStamp::ofPosix(name);
    const std::optional<FileStamp> portable = FileStamp::ofPortable(name);
    QCOMPARE(portable.has_value(), posix.has_value());
    if (!posix)
        return;
    QVERIFY(posix->identified);
    QVERIFY(!portable->identified);
    QCOMPARE(portable->isRegular(), posix->isRegular());
    QCOMPARE(portable->mode & 07777, posix->mode & 07777);
    QCOMPARE(portable->links, posix->links);
    if (posix->isRegular())
        QCOMPARE(portable->size, posix->size);
    // Without identity, one file is never taken for another by its stamp; by name it still is.
    QVERIFY(!portable->sameFile(*portable));
    if (posix->isRegular())
        QVERIFY(FileStamp::sameFileNamed(name, name));
    int links = 0;
    QCOMPARE(ReadOnlyFile::typeOf(name, &links) == ReadOnlyFile::Status::Open, posix->isRegular());
#endif
}

void TestIoLevel::runSaysWhatItGoesWithout()
{
    RunFixture f;
    const QString a = f.write(u"a.txt"_s, "kettle");
    const QString b = f.write(u"b.txt"_s, "kettle");
    f.replace({a, b}, u"kettle"_s, u"samovar"_s);
    QCOMPARE(f.read(a), QByteArray("samovar"));
    QCOMPARE(f.read(b), QByteArray("samovar"));
    const QString note = f.core.messages.message(MsgPortableFileCalls);
    QCOMPARE(f.host.notes, IoLevel::portable() ? QStringList{note} : QStringList());
    QCOMPARE(f.core.report.Lines().count(note), IoLevel::portable() ? 1 : 0);
    QCOMPARE(f.core.report.Lines().indexOf(note), IoLevel::portable() ? 0 : -1); // before any file
    // A find run writes nothing, and has nothing to say.
    f.host.notes.clear();
    f.find({a}, u"samovar"_s);
    QVERIFY(f.host.notes.isEmpty());
}

QTEST_GUILESS_MAIN(TestIoLevel)
#include "tst_iolevel.moc"
