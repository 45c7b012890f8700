#include "RunFixture.h"

#include "run/ReviewSession.h"

#include <QTest>

using R = ScriptedHost;

class TestFindRun : public QObject {
    Q_OBJECT

private slots:
    void overlappingOccurrences();
    void reportAndTotals();
    void allFilesMissing();
    void dontAskCoversLaterFiles();
    void abortAtTheFirstOccurrence();
    void abortQuestionAnsweredNo();
    void deletionIsWrittenBack();
    void closingTheReviewGoesOn();
};

void TestFindRun::overlappingOccurrences()
{
    RunFixture f;
    const QString file = f.write(u"a.txt"_qs, "aaaa");
    f.find({file}, u"aa"_qs);
    QCOMPARE(f.host.shownAt, (QList<qsizetype>{0, 1, 2}));
    QCOMPARE(f.host.reportLines.last(), u"Всего вхождений - 3"_qs);
}

void TestFindRun::reportAndTotals()
{
    RunFixture f;
    const QString hits = f.write(u"dir/one.txt"_qs, "Cat cat");
    const QString none = f.write(u"two.txt"_qs, "dog");
    f.find({hits, none}, u"CAT"_qs);
    QCOMPARE(f.host.shownText, (QStringList{u"Cat"_qs, u"cat"_qs}));
    QCOMPARE(f.host.reportLines,
             (QStringList{u"Файл %1. Кол-во вхождений - 2"_qs.arg(hits),
                          u"------------------------------------"_qs, u"Итого:"_qs,
                          u"Обработано 2 файлов."_qs, u"Всего файлов с найдеными элементам - 1"_qs,
                          u"Всего вхождений - 2"_qs}));
    QCOMPARE(f.read(hits), QByteArray("Cat cat"));
}

void TestFindRun::allFilesMissing()
{
    RunFixture f;
    f.find({f.path(u"x.txt"_qs), f.path(u"y.txt"_qs)}, u"a"_qs);
    QCOMPARE(
        f.host.reportLines.mid(2),
        (QStringList{u"Обработано 0 файлов."_qs, u"Не обработано 2 файлов."_qs,
                     u"Всего файлов с найдеными элементам - 0"_qs, u"Всего вхождений - 0"_qs}));
    QCOMPARE(f.host.progressFiles, (QStringList{u"x.txt"_qs, u"y.txt"_qs}));
}

void TestFindRun::dontAskCoversLaterFiles()
{
    RunFixture f;
    f.host.reviews << R::answer(ModalResult::YesToAll);
    const QString a = f.write(u"a.txt"_qs, "x x");
    const QString b = f.write(u"b.txt"_qs, "x");
    f.find({a, b}, u"x"_qs);
    QCOMPARE(f.host.shownAt.size(), 1);
    QCOMPARE(f.host.reportLines.mid(0, 2),
             (QStringList{u"Файл %1. Кол-во вхождений - 2"_qs.arg(a),
                          u"Файл %1. Кол-во вхождений - 1"_qs.arg(b)}));
}

void TestFindRun::abortAtTheFirstOccurrence()
{
    RunFixture f;
    f.host.reviews << [](ReviewSession &s) { return s.TryToAbort() ? 3 : 2; };
    f.host.yesNo << true;
    const QString a = f.write(u"a.txt"_qs, "x");
    const QString b = f.write(u"b.txt"_qs, "x");
    f.find({a, b}, u"x"_qs);
    QCOMPARE(f.host.messages, QStringList{u"Операция прервана по желанию пользователя"_qs});
    QCOMPARE(
        f.host.reportLines.mid(2),
        (QStringList{u"Обработано 0 файлов."_qs, u"Не обработано 2 файлов."_qs,
                     u"Всего файлов с найдеными элементам - 1"_qs, u"Всего вхождений - 0"_qs}));
    // The next run starts afresh.
    f.host.messages.clear();
    f.find({a}, u"x"_qs);
    QVERIFY(f.host.messages.isEmpty());
}

void TestFindRun::abortQuestionAnsweredNo()
{
    RunFixture f;
    f.host.reviews << [](ReviewSession &s) { return s.TryToAbort() ? 3 : 6; };
    f.host.yesNo << false;
    const QString a = f.write(u"a.txt"_qs, "x x");
    f.find({a}, u"x"_qs);
    QCOMPARE(f.host.shownAt, (QList<qsizetype>{0, 2}));
    QVERIFY(f.host.messages.isEmpty());
}

void TestFindRun::deletionIsWrittenBack()
{
    RunFixture f;
    f.host.reviews << R::deleteOccurrence();
    const QString file = f.write(u"a.txt"_qs, "xxyx");
    f.find({file}, u"x"_qs);
    // Deleting the first "x" brings the second to where it stood; it is found there.
    QCOMPARE(f.host.shownAt, (QList<qsizetype>{0, 0, 2}));
    QCOMPARE(f.read(file), QByteArray("xyx"));
    QCOMPARE(f.host.reportLines.first(), u"Файл %1. Кол-во вхождений - 3"_qs.arg(file));
}

void TestFindRun::closingTheReviewGoesOn()
{
    RunFixture f;
    f.host.reviews << R::answer(ModalResult::Cancel);
    const QString file = f.write(u"a.txt"_qs, "x x");
    f.find({file}, u"x"_qs);
    QCOMPARE(f.host.shownAt, (QList<qsizetype>{0, 2}));
}

QTEST_GUILESS_MAIN(TestFindRun)
#include "tst_findrun.moc"
