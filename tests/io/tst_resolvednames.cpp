// The names a run tells repeated files by: the same as resolving every part of each name,
// though the folders are resolved once, and not kept from one run to the next.
#include "io/ResolvedNames.h"
#include "io/ResolvedPath.h"

#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;

class TestResolvedNames : public QObject {
    Q_OBJECT

private slots:
    void asResolvedWhole_data();
    void asResolvedWhole();
    void foldersForgottenBetweenRuns();
};

void TestResolvedNames::asResolvedWhole_data()
{
    QTest::addColumn<QString>("name"); // below the test folder
    QTest::addColumn<bool>("opened"); // the job says what the last part is, as after an open
    for (const bool opened : {false, true}) {
        const char *how = opened ? ", opened" : "";
        QTest::addRow("plain%s", how) << u"real/a.txt"_s << opened;
        QTest::addRow("through a folder link%s", how) << u"to-real/a.txt"_s << opened;
        QTest::addRow("a link to the file%s", how) << u"real/link.txt"_s << opened;
        QTest::addRow("a link to a link%s", how) << u"to-real/link2.txt"_s << opened;
        QTest::addRow("dot-dot in the folder%s", how) << u"real/../real/a.txt"_s << opened;
        QTest::addRow("ending in dot-dot%s", how) << u"real/.."_s << opened;
        QTest::addRow("a doubled slash%s", how) << u"real//a.txt"_s << opened;
        QTest::addRow("missing%s", how) << u"to-real/none.txt"_s << opened;
        QTest::addRow("missing folder%s", how) << u"none/a.txt"_s << opened;
        QTest::addRow("below a folder link%s", how) << u"to-real/sub/b.txt"_s << opened;
        QTest::addRow("a folder link last%s", how) << u"real/to-sub/b.txt"_s << opened;
        QTest::addRow("a relative folder link last%s", how) << u"real/up/real/a.txt"_s << opened;
        QTest::addRow("a file as a folder%s", how) << u"real/a.txt/b.txt"_s << opened;
    }
}

void TestResolvedNames::asResolvedWhole()
{
    QFETCH(QString, name);
    QFETCH(bool, opened);
    TestFolder folder;
    folder.write(u"real/a.txt"_s, "a");
    folder.write(u"real/sub/b.txt"_s, "b");
    QVERIFY(QFile::link(folder.path(u"real"_s), folder.path(u"to-real"_s)));
    QVERIFY(QFile::link(folder.path(u"real/sub"_s), folder.path(u"real/to-sub"_s)));
    QVERIFY(QFile::link(u".."_s, folder.path(u"real/up"_s)));
    QVERIFY(QFile::link(folder.path(u"real/a.txt"_s), folder.path(u"real/link.txt"_s)));
    QVERIFY(QFile::link(u"link.txt"_s, folder.path(u"real/link2.txt"_s)));
    const QString path = folder.path(name);
    ResolvedNames names;
    const std::optional<bool> leafIsLink = opened && QFileInfo(path).exists()
        ? std::optional<bool>(QFileInfo(path).isSymLink())
        : std::nullopt;
    // Twice: the second time from the folders kept.
    QCOMPARE(names.of(path, leafIsLink), ResolvedPath::of(path));
    QCOMPARE(names.of(path, leafIsLink), ResolvedPath::of(path));
}

// A folder link pointed elsewhere between two runs: the next run sees where it leads now.
void TestResolvedNames::foldersForgottenBetweenRuns()
{
    TestFolder folder;
    folder.write(u"one/a.txt"_s, "1");
    folder.write(u"two/a.txt"_s, "2");
    const QString link = folder.path(u"to"_s);
    QVERIFY(QFile::link(folder.path(u"one"_s), link));
    ResolvedNames names;
    QCOMPARE(names.of(link + u"/a.txt"_s),
             QDir(folder.path(u"one"_s)).canonicalPath() + u"/a.txt"_s);
    QVERIFY(QFile::remove(link));
    QVERIFY(QFile::link(folder.path(u"two"_s), link));
    names.clear();
    QCOMPARE(names.of(link + u"/a.txt"_s),
             QDir(folder.path(u"two"_s)).canonicalPath() + u"/a.txt"_s);
}

QTEST_GUILESS_MAIN(TestResolvedNames)
#include "tst_resolvednames.moc"
