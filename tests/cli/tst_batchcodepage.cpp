// The command-line tool's folder filters and 8-bit code pages: which files a scan takes, how
// files neither UTF-8 nor marked are read, and files that look like another code page.
#include "BatchToolFixture.h"

#include "document/SingleByteCodePage.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Text
    = u"Жил-был кот (cat). Съешь же ещё этих мягких французских булок, да выпей чаю; "
      u"широкая электрификация южных губерний.\n"_s;

QByteArray in(CodePage page, const QString &text)
{
    QByteArray bytes;
    SingleByteCodePage::of(page).encode(text, bytes);
    return bytes;
}

// The text after the run's replacement (-f A -r B first among the options).
QString replaced(const QString &text, const QStringList &options)
{
    return options.size() >= 4 ? QString(text).replace(options[1], options[3]) : text;
}

} // namespace

class TestBatchCodePage : public QObject {
    Q_OBJECT
private slots:
    void runs_data();
    void runs();
};

void TestBatchCodePage::runs_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("changed"); // files written
    QTest::addColumn<QString>("reportHas");
    QTest::addColumn<QString>("answers"); // with -i
    QTest::newRow("CP1251 by default; a KOI8-R file looks so and stays")
        << QStringList{u"-f"_s, u"кот"_s, u"-r"_s, u"пёс"_s} << 0
        << QStringList{u"win.txt"_s, u"node_modules/u.txt"_s}
        << u"похож на текст в кодировке KOI8-R"_s << QString();
    QTest::newRow("named KOI8-R: that file changes")
        << QStringList{u"-f"_s, u"кот"_s, u"-r"_s, u"пёс"_s, u"--codepage"_s, u"KOI8-R"_s} << 0
        << QStringList{u"koi.txt"_s, u"node_modules/u.txt"_s} << QString() << QString();
    QTest::newRow("ASCII patterns change either file")
        << QStringList{u"-f"_s, u"cat"_s, u"-r"_s, u"dog"_s} << 0
        << QStringList{u"win.txt"_s, u"koi.txt"_s, u"node_modules/u.txt"_s} << QString()
        << QString();
    QTest::newRow("a folder left out")
        << QStringList{u"-f"_s,        u"кот"_s,          u"-r"_s,         u"пёс"_s,
                       u"--exclude"_s, u"node_modules"_s, u"--codepage"_s, u"cp1251"_s}
        << 0 << QStringList{u"win.txt"_s} << QString() << QString();
    QTest::newRow("files left out by mask: nothing to process")
        << QStringList{u"-f"_s, u"кот"_s, u"-r"_s, u"пёс"_s, u"--exclude"_s, u"*.txt"_s} << 2
        << QStringList() << QString() << QString();
    QTest::newRow("a non-ASCII replacement: the doubtful file stays")
        << QStringList{u"-f"_s, u"cat"_s, u"-r"_s, u"кошка"_s} << 0
        << QStringList{u"win.txt"_s, u"node_modules/u.txt"_s} << u"его кодировка под сомнением"_s
        << QString();
    QTest::newRow("confirmed in the review: changed as read")
        << QStringList{u"-f"_s, u"cat"_s, u"-r"_s, u"кошка"_s, u"-i"_s} << 0
        << QStringList{u"win.txt"_s, u"koi.txt"_s, u"node_modules/u.txt"_s}
        << u"похож на текст в кодировке KOI8-R"_s << u"a\n"_s;
    QTest::newRow("unknown code page")
        << QStringList{u"-f"_s, u"кот"_s, u"--codepage"_s, u"utf-7"_s} << 2 << QStringList()
        << QString() << QString();
}

void TestBatchCodePage::runs()
{
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QStringList, changed);
    QFETCH(QString, reportHas);
    QFETCH(QString, answers);
    BatchToolFixture f;
    f.input = answers;
    const QList<std::pair<QString, QByteArray>> files{
        {u"win.txt"_s, in(CodePage::Cp1251, Text)},
        {u"koi.txt"_s, in(CodePage::Koi8R, Text)},
        {u"node_modules/u.txt"_s, Text.toUtf8()},
    };
    for (const auto &[name, bytes] : files)
        f.write(name, bytes);
    QCOMPARE(f.run(options + QStringList{u"-R"_s, f.dir.path()}), status);
    // Each file changes as it was read: in the code page named, else CP1251, or UTF-8.
    const qsizetype named = options.indexOf(u"--codepage"_s);
    const CodePage page = named < 0
        ? CodePage::Cp1251
        : CodePages::fromName(options[named + 1]).value_or(CodePage::Cp1251);
    const SingleByteCodePage &read = SingleByteCodePage::of(page);
    for (const auto &[name, bytes] : files) {
        QByteArray expected = bytes;
        if (changed.contains(name)) {
            expected = name.endsWith(u"u.txt") ? replaced(Text, options).toUtf8()
                                               : in(page, replaced(read.decode(bytes), options));
        }
        QVERIFY2(f.read(name) == expected, qPrintable(name));
    }
    QVERIFY2(f.out.contains(reportHas), qPrintable(f.out + f.err));
}

QTEST_GUILESS_MAIN(TestBatchCodePage)
#include "tst_batchcodepage.moc"
