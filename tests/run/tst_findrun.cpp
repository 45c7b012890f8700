#include "RunFixture.h"

#include "run/ReviewSession.h"

#include <QTest>

using namespace Qt::StringLiterals;

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
    const QString file = f.write(u"a.txt"_s, "aaaa");
    f.find({file}, u"aa"_s);
    QCOMPARE(f.host.shownAt, (QList<qsizetype>{0, 1, 2}));
    QCOMPARE(f.host.reportLines.last(), u"Всего вхождений - 3"_s);
}

void TestFindRun::reportAndTotals()
{
    RunFixture f;
    const QString hits = f.write(u"dir/one.txt"_s, "Cat cat");
    const QString none = f.write(u"two.txt"_s, "dog");
    f.find({hits, none}, u"CAT"_s);
    QCOMPARE(f.host.shownText, (QStringList{u"Cat"_s, u"cat"_s}));
    QCOMPARE(f.host.reportLines,
             (QStringList{u"Файл %1. Кол-во вхождений - 2"_s.arg(hits),
                          u"------------------------------------"_s, u"Итого:"_s,
                          u"Обработано 2 файлов."_s, u"Всего файлов с найдеными элементам - 1"_s,
                          u"Всего вхождений - 2"_s}));
    QCOMPARE(f.read(hits), QByteArray("Cat cat"));
}

void TestFindRun::allFilesMissing()
{
    RunFixture f;
    f.find({f.path(u"x.txt"_s), f.path(u"y.txt"_s)}, u"a"_s);
    QCOMPARE(f.host.reportLines.mid(2),
             (QStringList{u"Обработано 0 файлов."_s, u"Не обработано 2 файлов."_s,
                          u"Всего файлов с найдеными элементам - 0"_s, u"Всего вхождений - 0"_s}));
    QCOMPARE(f.host.progressFiles, (QStringList{u"x.txt"_s, u"y.txt"_s}));
}

void TestFindRun::dontAskCoversLaterFiles()
{
    RunFixture f;
    f.host.reviews << R::answer(ModalResult::YesToAll);
    const QString a = f.write(u"a.txt"_s, "x x");
    const QString b = f.write(u"b.txt"_s, "x");
    f.find({a, b}, u"x"_s);
    QCOMPARE(f.host.shownAt.size(), 1);
    QCOMPARE(f.host.reportLines.mid(0, 2),
             (QStringList{u"Файл %1. Кол-во вхождений - 2"_s.arg(a),
                          u"Файл %1. Кол-во вхождений - 1"_s.arg(b)}));
}

void TestFindRun::abortAtTheFirstOccurrence()
{
    RunFixture f;
    f.host.reviews <<
        [](ReviewSession &s) { return s.TryToAbort() ? ModalResult::Abort : ModalResult::Cancel; };
    f.host.yesNo << true;
    const QString a = f.write(u"a.txt"_s, "x");
    const QString b = f.write(u"b.txt"_s, "x");
    f.find({a, b}, u"x"_s);
    QCOMPARE(f.host.messages, QStringList{u"Операция прервана по желанию пользователя"_s});
    QCOMPARE(f.host.reportLines.mid(2),
             (QStringList{u"Обработано 0 файлов."_s, u"Не обработано 2 файлов."_s,
                          u"Всего файлов с найдеными элементам - 1"_s, u"Всего вхождений - 0"_s}));
    // The next run starts afresh.
    f.host.messages.clear();
    f.find({a}, u"x"_s);
    QVERIFY(f.host.messages.isEmpty());
}

void TestFindRun::abortQuestionAnsweredNo()
{
    RunFixture f;
    f.host.reviews <<
        [](ReviewSession &s) { return s.TryToAbort() ? ModalResult::Abort : ModalResult::Yes; };
    f.host.yesNo << false;
    const QString a = f.write(u"a.txt"_s, "x x");
    f.find({a}, u"x"_s);
    QCOMPARE(f.host.shownAt, (QList<qsizetype>{0, 2}));
    QVERIFY(f.host.messages.isEmpty());
}

void TestFindRun::deletionIsWrittenBack()
{
    RunFixture f;
    f.host.reviews << R::deleteOccurrence();
    const QString file = f.write(u"a.txt"_s, "xxyx");
    f.find({file}, u"x"_s);
    // Deleting the first "x" brings the second to where it stood; it is found there.
    QCOMPARE(f.host.shownAt, (QList<qsizetype>{0, 0, 2}));
    QCOMPARE(f.read(file), QByteArray("xyx"));
    QCOMPARE(f.host.reportLines.first(), u"Файл %1. Кол-во вхождений - 3"_s.arg(file));
}

void TestFindRun::closingTheReviewGoesOn()
{
    RunFixture f;
    f.host.reviews << R::answer(ModalResult::Cancel);
    const QString file = f.write(u"a.txt"_s, "x x");
    f.find({file}, u"x"_s);
    QCOMPARE(f.host.shownAt, (QList<qsizetype>{0, 2}));
}

QTEST_GUILESS_MAIN(TestFindRun)
#include "tst_findrun.moc"
