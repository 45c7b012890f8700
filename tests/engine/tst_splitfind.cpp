#include "engine/ByteFinder.h"
#include "engine/ByteFormsFinder.h"
#include "engine/SplitFind.h"

#include <QRandomGenerator>
#include <QTest>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

template <class Finder>
std::vector<qsizetype> plainStarts(const Finder &finder, QByteArrayView data, qsizetype from,
                                   qsizetype step)
{
    std::vector<qsizetype> all;
    std::vector<qsizetype> starts;
    for (bool more = true; more;) {
        starts.clear();
        more = finder.findMany(data, from, step, starts, 7);
        all.insert(all.end(), starts.begin(), starts.end());
    }
    return all;
}

template <class Finder>
std::vector<qsizetype> splitStarts(const Finder &finder, QByteArrayView data, qsizetype from,
                                   qsizetype step, qsizetype half, size_t room)
{
    SplitFind<Finder> search(finder, data, from, step, half, room);
    std::vector<qsizetype> all;
    std::vector<qsizetype> starts;
    for (bool more = true; more;) {
        starts.clear();
        more = search.next(starts, 7);
        all.insert(all.end(), starts.begin(), starts.end());
    }
    return all;
}

} // namespace

class TestSplitFind : public QObject {
    Q_OBJECT

private slots:
    void sameStartsAsOneSearch_data();
    void sameStartsAsOneSearch();
};

void TestSplitFind::sameStartsAsOneSearch_data()
{
    QTest::addColumn<QString>("needle");
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<int>("room");

    QTest::newRow("word") << u"needle"_s << u"needl x"_s << true << 1000;
    QTest::newRow("word, any case") << u"needle"_s << u"nNeEdlL "_s << false << 1000;
    // A needle that overlaps itself: the second half's list may begin at another phase.
    QTest::newRow("overlapping itself") << u"aa"_s << u"aaab"_s << true << 1000;
    QTest::newRow("aba") << u"aba"_s << u"ab"_s << true << 1000;
    QTest::newRow("little room") << u"ab"_s << u"ab"_s << true << 3;
    // Two-byte characters: the middle may fall inside one, a match may straddle it.
    QTest::newRow("UTF-8 forms") << u"игла"_s << u"игла И"_s << false << 1000;
    QTest::newRow("UTF-8 forms, overlapping") << u"аа"_s << u"ааб"_s << true << 5;
}

// Random text, with the middle and the starting place anywhere: the same starts as one search.
void TestSplitFind::sameStartsAsOneSearch()
{
    QFETCH(QString, needle);
    QFETCH(QString, alphabet);
    QFETCH(bool, matchCase);
    QFETCH(int, room);
    QRandomGenerator random(11);
    const bool ascii = needle.toUtf8().size() == needle.size();
    const ByteFinder bytes(ascii ? needle.toLatin1() : "?", matchCase);
    const ByteFormsFinder forms(ascii ? ByteFormsFinder()
                                      : ByteFormsFinder(*ByteForms::utf8(needle, matchCase)));
    const qsizetype size = ascii ? bytes.size() : forms.size();
    for (int round = 0; round < 60; ++round) {
        QString text;
        for (int i = random.bounded(1, 300); i > 0; --i)
            text += alphabet[random.bounded(int(alphabet.size()))];
        const QByteArray data = text.toUtf8();
        const qsizetype from = random.bounded(qsizetype(4));
        const qsizetype half = random.bounded(qsizetype(1), std::max<qsizetype>(data.size(), 2));
        for (const qsizetype step : {qsizetype(1), size}) {
            if (ascii)
                QCOMPARE(splitStarts(bytes, data, from, step, half, size_t(room)),
                         plainStarts(bytes, data, from, step));
            else
                QCOMPARE(splitStarts(forms, data, from, step, half, size_t(room)),
                         plainStarts(forms, data, from, step));
        }
    }
}

QTEST_GUILESS_MAIN(TestSplitFind)
#include "tst_splitfind.moc"
