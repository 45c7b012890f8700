// What folder scans leave out: the masks' language, and a scan of a tree with them.
#include "run/ExcludeMasks.h"
#include "run/FolderScan.h"

#include "TestFolder.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestExcludeMasks : public QObject {
    Q_OBJECT

private slots:
    void matches_data();
    void matches();
    void scan_data();
    void scan();
    void split();
};

void TestExcludeMasks::matches_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("match");
    QTest::newRow("literal") << u"node_modules"_s << u"node_modules"_s << true;
    QTest::newRow("literal, other") << u"node_modules"_s << u"node_module"_s << false;
    QTest::newRow("literal, longer name") << u".git"_s << u".gitignore"_s << false;
    QTest::newRow("star") << u"*.min.js"_s << u"app.min.js"_s << true;
    QTest::newRow("star, whole name") << u"*.min.js"_s << u"app.min.js.map"_s << false;
    QTest::newRow("star, empty run") << u"a*b"_s << u"ab"_s << true;
    QTest::newRow("star stops at /") << u"src/*.js"_s << u"src/lib/a.js"_s << false;
    QTest::newRow("double star crosses /") << u"src/**.js"_s << u"src/lib/a.js"_s << true;
    QTest::newRow("question mark") << u"?.txt"_s << u"a.txt"_s << true;
    QTest::newRow("question mark, one only") << u"?.txt"_s << u"ab.txt"_s << false;
    QTest::newRow("class") << u"[abc].txt"_s << u"b.txt"_s << true;
    QTest::newRow("class range") << u"v[0-9]"_s << u"v7"_s << true;
    QTest::newRow("class negated") << u"v[!0-9]"_s << u"v7"_s << false;
    QTest::newRow("unclosed [") << u"a[b"_s << u"a[b"_s << true;
    QTest::newRow("Cyrillic") << u"Черновик*"_s << u"Черновики"_s << true;
    QTest::newRow("many stars") << u"*a*a*a*a*a*b"_s << QString(200, u'a') << false;
}

void TestExcludeMasks::matches()
{
    QFETCH(QString, mask);
    QFETCH(QString, text);
    QFETCH(bool, match);
    QCOMPARE(ExcludeMasks::matches(mask, text), match);
}

void TestExcludeMasks::scan_data()
{
    QTest::addColumn<QStringList>("masks");
    QTest::addColumn<QStringList>("expected");
    const QStringList all{u"a.txt"_s,
                          u"b.min.txt"_s,
                          u"build/out/c.txt"_s,
                          u"docs/build/d.txt"_s,
                          u"node_modules/e.txt"_s,
                          u"src/f.txt"_s};
    QTest::newRow("none") << QStringList() << all;
    QTest::newRow("a name at any depth: its folders are not entered")
        << QStringList{u"build"_s}
        << QStringList{u"a.txt"_s, u"b.min.txt"_s, u"node_modules/e.txt"_s, u"src/f.txt"_s};
    QTest::newRow("a path below the scanned folder")
        << QStringList{u"build/out"_s}
        << QStringList{u"a.txt"_s, u"b.min.txt"_s, u"docs/build/d.txt"_s, u"node_modules/e.txt"_s,
                       u"src/f.txt"_s};
    QTest::newRow("files by mask, folders by name")
        << QStringList{u"*.min.txt"_s, u"node_modules"_s}
        << QStringList{u"a.txt"_s, u"build/out/c.txt"_s, u"docs/build/d.txt"_s, u"src/f.txt"_s};
    QTest::newRow("folders only") << QStringList{u"*.txt/"_s, u"src/"_s}
                                  << QStringList{u"a.txt"_s, u"b.min.txt"_s, u"build/out/c.txt"_s,
                                                 u"docs/build/d.txt"_s, u"node_modules/e.txt"_s};
}

void TestExcludeMasks::scan()
{
    QFETCH(QStringList, masks);
    QFETCH(QStringList, expected);
    TestFolder folder;
    for (const QString &name :
         {u"a.txt"_s, u"b.min.txt"_s, u"build/out/c.txt"_s, u"docs/build/d.txt"_s,
          u"node_modules/e.txt"_s, u"src/f.txt"_s, u".git/g.txt"_s})
        folder.write(name, "x");
    QStringList found;
    FolderScan::ScanFolder(folder.dir.path(), true, {u".TXT"_s}, ExcludeMasks(masks), found);
    const QDir root(folder.dir.path());
    QStringList relative;
    for (const QString &path : std::as_const(found))
        relative << root.relativeFilePath(path);
    relative.sort();
    QCOMPARE(relative, expected);
}

void TestExcludeMasks::split()
{
    QCOMPARE(ExcludeMasks::split(u" .git ; ;node_modules;*.min.js;"_s),
             (QStringList{u".git"_s, u"node_modules"_s, u"*.min.js"_s}));
    QCOMPARE(ExcludeMasks::split(ExcludeMasks::defaultLine()), ExcludeMasks::defaults());
}

QTEST_GUILESS_MAIN(TestExcludeMasks)
#include "tst_excludemasks.moc"
