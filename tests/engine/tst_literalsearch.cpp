#include "engine/LiteralSearch.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

// The wide literal search must find exactly what Qt's own finds, with and without case, in
// texts long enough for its blocks of sixteen, with needles at every place in a block.
class TestLiteralSearch : public QObject {
    Q_OBJECT

private slots:
    void agreesWithQt_data();
    void agreesWithQt();
};

void TestLiteralSearch::agreesWithQt_data()
{
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("matchCase");
    for (const QString &needle :
         {u"n"_s, u"ne"_s, u"need"_s, u"NEEDLE"_s, u"ks"_s, u"sK"_s, u"иголка"_s, u"Ёж"_s, u"ß"_s,
          u"σς"_s, u"😀a"_s, u"a😀"_s, u"a😀b"_s, u"😀"_s, u"İi"_s, u"µ1"_s, u"ǅa"_s,
          u"a long needle of more than sixteen units"_s}) {
        QTest::addRow("%s, case", qPrintable(needle)) << needle << true;
        QTest::addRow("%s, any case", qPrintable(needle)) << needle << false;
    }
}

void TestLiteralSearch::agreesWithQt()
{
    QFETCH(QString, needle);
    QFETCH(bool, matchCase);
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    // Letters that fold together, some that only look alike, and both halves of a pair.
    const QString alphabet = u"nNeEdDlLsSkKſKиИгГоОлЛкКаАёЁжЖßẞσςΣµΜμİiIıǅǆ1 \n"_s + u"😀"_s;
    QRandomGenerator random(23);
    for (int round = 0; round < 200; ++round) {
        QString text;
        const int length = random.bounded(0, 300);
        for (int i = 0; i < length; ++i)
            text += alphabet[random.bounded(int(alphabet.size()))];
        if (round % 2 == 0) {
            const QString put = round % 4 == 0 ? needle.toUpper() : needle;
            text.insert(random.bounded(int(text.size()) + 1), put);
        }
        for (qsizetype from = 0; from <= text.size(); from += 13) {
            const QStringView tail = QStringView(text).sliced(from);
            QCOMPARE(LiteralSearch::indexOf(tail, needle, matchCase), tail.indexOf(needle, 0, cs));
        }
    }
}

QTEST_GUILESS_MAIN(TestLiteralSearch)
#include "tst_literalsearch.moc"
