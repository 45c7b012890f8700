#include "engine/CaseFreeSearch.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

// The fast search without case must find exactly what Qt's own finds.
class TestCaseFreeSearch : public QObject {
    Q_OBJECT

private slots:
    void agreesWithQt_data();
    void agreesWithQt();
};

void TestCaseFreeSearch::agreesWithQt_data()
{
    QTest::addColumn<QString>("needle");
    for (const QString &needle :
         {u"n"_s, u"need"_s, u"NEED"_s, u"s"_s, u"ks"_s, u"K"_s, u"иголка"_s, u"ИГ"_s, u"ёлка"_s,
          u"ß"_s, u"σς"_s, u"Σ"_s, u"😀a"_s, u"a😀"_s, u"İ"_s, u"1"_s, u"µ"_s, u"ǅ"_s}) {
        QTest::newRow(qPrintable(needle)) << needle;
    }
}

void TestCaseFreeSearch::agreesWithQt()
{
    QFETCH(QString, needle);
    // Letters that fold together, and some that only look alike.
    const QString alphabet = u"nNeEdDsSkKſKиИгГоОлЛкКаАёЁЕеßẞσςΣµΜμİiIıǄǅǆ1 \r\n"_s + u"😀"_s;
    QRandomGenerator random(11);
    for (int round = 0; round < 300; ++round) {
        QString text;
        const int length = random.bounded(0, 60);
        for (int i = 0; i < length; ++i)
            text += alphabet[random.bounded(int(alphabet.size()))];
        if (round % 3 == 0)
            text.insert(random.bounded(int(text.size()) + 1), needle.toUpper());
        for (qsizetype from = 0; from <= text.size(); from += 7) {
            const QStringView tail = QStringView(text).sliced(from);
            QCOMPARE(CaseFreeSearch::indexOf(tail, needle),
                     tail.indexOf(needle, 0, Qt::CaseInsensitive));
        }
    }
}

QTEST_GUILESS_MAIN(TestCaseFreeSearch)
#include "tst_casefreesearch.moc"
