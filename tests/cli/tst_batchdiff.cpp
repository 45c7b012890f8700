#include "BatchToolFixture.h"

#include "cli/DiffHost.h"

#include <QProcess>
#include <QtTest>

using namespace Qt::StringLiterals;

using Files = QList<std::pair<QString, QByteArray>>;

// --diff prints what the run would write: `patch -p0` applied to a copy of the files makes
// exactly what the run makes of them.
class TestBatchDiff : public QObject {
    Q_OBJECT
private slots:
    void patchGivesTheRun_data();
    void patchGivesTheRun();
    void otherEncodingIsShownDecoded();
};

void TestBatchDiff::patchGivesTheRun_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QStringList>("arguments");

    QByteArray many;
    for (int i = 0; i < 40; ++i)
        many += (i % 7 == 0 ? "a cat line " : "plain line ") + QByteArray::number(i) + '\n';
    const QStringList cat{u"-f"_s, u"cat"_s, u"-r"_s, u"dog"_s};
    QTest::newRow("hunks far apart and near") << Files{{u"a.txt"_s, many}} << cat;
    QTest::newRow("no line break at the end")
        << Files{{u"a.txt"_s, "x\ncat"}, {u"sub/b.txt"_s, "cat"}} << cat;
    QTest::newRow("CR LF") << Files{{u"a.txt"_s, "cat\r\nkeep\r\ncat\r\n"}} << cat;
    QTest::newRow("lines added and removed")
        << Files{{u"a.txt"_s, "1\n2\ncat\n3\ncat\n4\n"}}
        << QStringList{u"-f"_s, u"cat\n"_s, u"-r"_s, u"x\ny\nz\n"_s};
    QTest::newRow("a line emptied")
        << Files{{u"a.txt"_s, "cat"}} << QStringList{u"-f"_s, u"cat"_s, u"-r"_s, QString()};
    QTest::newRow("UTF-8 and unchanged files")
        << Files{{u"a.txt"_s, "\xef\xbb\xbf\xd0\x9a\xd0\xbe\xd1\x82 cat\n"}, {u"b.txt"_s, "x"}}
        << cat;
    QTest::newRow("running numbers") << Files{{u"a.txt"_s, "cat cat\ncat"}, {u"b.txt"_s, "cat"}}
                                     << QStringList{u"-f"_s, u"cat"_s, u"-W"_s, u"-r"_s, u"[1I]"_s};
    QTest::newRow("RTF") << Files{{u"a.rtf"_s, "{\\rtf1\\ansi {\\b cat}\\par\ncat}"}}
                         << QStringList{u"-f"_s, u"cat"_s, u"-r"_s, u"\u043a\u043e\u0442"_s};
}

void TestBatchDiff::patchGivesTheRun()
{
    QFETCH(Files, files);
    QFETCH(QStringList, arguments);
    BatchToolFixture diffed;
    BatchToolFixture reference;
    for (const auto &[name, bytes] : files) {
        diffed.write(name, bytes);
        reference.write(name, bytes);
    }
    const QString current = QDir::currentPath();
    QVERIFY(QDir::setCurrent(diffed.dir.path()));
    const int status = diffed.run(arguments + QStringList{u"--diff"_s, u"-e"_s, u"*"_s, u"."_s});
    QDir::setCurrent(current);
    QCOMPARE(status, 0);
    QVERIFY2(!diffed.out.contains(u"\x1b"_s), "no colour off a terminal");
    for (const auto &[name, bytes] : files) // nothing written
        QCOMPARE(diffed.read(name), bytes);

    QCOMPARE(reference.run(arguments + QStringList{u"-e"_s, u"*"_s, reference.dir.path()}), 0);
    QProcess patch;
    patch.setWorkingDirectory(diffed.dir.path());
    patch.start(u"patch"_s, {u"-p0"_s, u"--quiet"_s, u"--no-backup-if-mismatch"_s});
    QVERIFY(patch.waitForStarted());
    patch.write(diffed.out.toUtf8());
    patch.closeWriteChannel();
    QVERIFY(patch.waitForFinished());
    QVERIFY2(patch.exitCode() == 0, patch.readAllStandardError().constData());
    for (const auto &[name, bytes] : files)
        QCOMPARE(diffed.read(name), reference.read(name));
}

void TestBatchDiff::otherEncodingIsShownDecoded()
{
    BatchToolFixture f;
    const QByteArray cp1251("\xcf\xf0\xe8\xe2\xe5\xf2 cat\n"); // "Привет cat"
    f.write(u"a.txt"_s, cp1251);
    QCOMPARE(f.run({u"-f"_s, u"cat"_s, u"-r"_s, u"dog"_s, u"--diff"_s, u"--color=always"_s,
                    f.path(u"a.txt"_s)}),
             0);
    QCOMPARE(f.read(u"a.txt"_s), cp1251);
    QVERIFY2(f.out.contains(u"\x1b[31m-\u041f\u0440\u0438\u0432\u0435\u0442 cat\x1b[m\n"_s),
             qPrintable(f.out));
    QVERIFY(f.out.contains(u"\x1b[32m+\u041f\u0440\u0438\u0432\u0435\u0442 dog\x1b[m\n"_s));
    QVERIFY(f.out.contains(u"a.txt\twindows-1251"_s));
}

QTEST_GUILESS_MAIN(TestBatchDiff)
#include "tst_batchdiff.moc"
