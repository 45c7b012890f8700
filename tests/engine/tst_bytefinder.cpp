#include "engine/ByteFinder.h"
#include "engine/CpuFeatures.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

bool sameIgnoringAsciiCase(char a, char b)
{
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
    return lower(a) == lower(b);
}

// The plain definition the finder must agree with.
qsizetype naiveFind(QByteArrayView data, QByteArrayView needle, qsizetype from, bool matchCase)
{
    for (qsizetype i = std::max<qsizetype>(from, 0); i + needle.size() <= data.size(); ++i) {
        bool match = true;
        for (qsizetype j = 0; j < needle.size() && match; ++j)
            match = matchCase ? data[i + j] == needle[j]
                              : sameIgnoringAsciiCase(data[i + j], needle[j]);
        if (match)
            return i;
    }
    return -1;
}

QList<qsizetype> allHits(const ByteFinder &finder, QByteArrayView data)
{
    QList<qsizetype> hits;
    for (qsizetype at = finder.find(data, 0); at >= 0; at = finder.find(data, at + 1))
        hits << at;
    return hits;
}

QList<qsizetype> allNaiveHits(QByteArrayView data, QByteArrayView needle, bool matchCase,
                              qsizetype step = 1)
{
    QList<qsizetype> hits;
    for (qsizetype at = naiveFind(data, needle, 0, matchCase); at >= 0;
         at = naiveFind(data, needle, at + step, matchCase))
        hits << at;
    return hits;
}

// findMany taken a few at a time, so that it stops and goes on inside its blocks.
QList<qsizetype> manyHits(const ByteFinder &finder, QByteArrayView data, qsizetype step,
                          size_t limit)
{
    QList<qsizetype> hits;
    std::vector<qsizetype> starts;
    qsizetype from = 0;
    for (bool more = true; more;) {
        starts.clear();
        more = finder.findMany(data, from, step, starts, limit);
        hits.append(QList<qsizetype>(starts.begin(), starts.end()));
    }
    return hits;
}

} // namespace

class TestByteFinder : public QObject {
    Q_OBJECT

private slots:
    void loopsChosenByEnvironment();
    void cases_data();
    void cases();
    void agreesWithTheDefinition_data();
    void agreesWithTheDefinition();
};

void TestByteFinder::cases_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("needle");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("found");

    QTest::newRow("at the start") << QByteArray("abc") << QByteArray("ab") << true << 0 << 0;
    QTest::newRow("at the very end")
        << QByteArray(40, '.') + "xyz" << QByteArray("xyz") << true << 0 << 40;
    QTest::newRow("across a block edge")
        << QByteArray(14, '.') + "needle" << QByteArray("needle") << true << 0 << 14;
    QTest::newRow("starts at 16") << QByteArray(16, '.') + "nd" << QByteArray("nd") << true << 0
                                  << 16;
    QTest::newRow("one byte, other case")
        << QByteArray("xxA") << QByteArray("a") << false << 0 << 2;
    QTest::newRow("one byte, case matters")
        << QByteArray("xxA") << QByteArray("a") << true << 0 << -1;
    QTest::newRow("case ignored") << QByteArray("..NeEdLe") << QByteArray("needle") << false << 0
                                  << 2;
    QTest::newRow("non-letters exact without case")
        << QByteArray("[{") << QByteArray("{") << false << 0 << 1;
    QTest::newRow("@ is not `") << QByteArray("`a@a") << QByteArray("@a") << false << 0 << 2;
    QTest::newRow("high bytes exact")
        << QByteArray("\xC0\xE0") << QByteArray("\xE0") << false << 0 << 1;
    QTest::newRow("from past a hit") << QByteArray("abab") << QByteArray("ab") << true << 1 << 2;
    QTest::newRow("from past the end") << QByteArray("ab") << QByteArray("ab") << true << 1 << -1;
    QTest::newRow("empty data") << QByteArray() << QByteArray("a") << true << 0 << -1;
    QTest::newRow("longer needle") << QByteArray("ab") << QByteArray("abc") << true << 0 << -1;
}

void TestByteFinder::cases()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, needle);
    QFETCH(bool, matchCase);
    QFETCH(int, from);
    QFETCH(int, found);
    QCOMPARE(ByteFinder(needle, matchCase).find(data, from), qsizetype(found));
}

void TestByteFinder::agreesWithTheDefinition_data()
{
    QTest::addColumn<QByteArray>("needle");
    QTest::addColumn<bool>("matchCase");
    // Seven to nine bytes: the first eight are compared as one word.
    for (const char *needle : {"a", "ab", "aba", "needle", "Aa", "[x]", "zzzzzzzzzzzzzzzzzzzz",
                               "nEedle[", "needle[x", "aAbBnN]ee"}) {
        QTest::addRow("%s, case", needle) << QByteArray(needle) << true;
        QTest::addRow("%s, any case", needle) << QByteArray(needle) << false;
    }
}

// Random data over a small alphabet, so that hits, near misses and overlaps are common.
void TestByteFinder::agreesWithTheDefinition()
{
    QFETCH(QByteArray, needle);
    QFETCH(bool, matchCase);
    QRandomGenerator random(7);
    const char alphabet[] = "aAbBnNeElLdDzZ[]x\xE0";
    for (int round = 0; round < 50; ++round) {
        QByteArray data(random.bounded(1, 400), '\0');
        for (char &c : data)
            c = alphabet[random.bounded(int(sizeof alphabet) - 1)];
        const ByteFinder finder(needle, matchCase);
        QCOMPARE(allHits(finder, data), allNaiveHits(data, needle, matchCase));
        // Overlapping (a count) and one after another (a replacement), in batches of any size.
        const size_t limit = size_t(random.bounded(1, 6));
        QCOMPARE(manyHits(finder, data, 1, limit), allNaiveHits(data, needle, matchCase));
        QCOMPARE(manyHits(finder, data, needle.size(), limit),
                 allNaiveHits(data, needle, matchCase, needle.size()));
    }
}

// The test runs again with QUORVEX_SIMD lowered (tests/CMakeLists.txt): those runs must really
// take the narrower loops, or they test nothing new.
void TestByteFinder::loopsChosenByEnvironment()
{
    using Level = CpuFeatures::Level;
    const QByteArray request = qgetenv("QUORVEX_SIMD");
    if (request == "scalar")
        QCOMPARE(CpuFeatures::level(), Level::Scalar);
    else if (request == "sse2")
        QVERIFY(CpuFeatures::level() <= Level::Sse2);
    QCOMPARE(CpuFeatures::lowered(Level::Sse2, "avx2"), Level::Sse2); // never raised
    QCOMPARE(CpuFeatures::lowered(Level::Avx2, "sse2"), Level::Sse2);
    QCOMPARE(CpuFeatures::lowered(Level::Avx2, "neon"), Level::Avx2);
}

QTEST_GUILESS_MAIN(TestByteFinder)
#include "tst_bytefinder.moc"
