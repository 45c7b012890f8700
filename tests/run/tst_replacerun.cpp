#include "FileSizeLimit.h"
#include "RunFixture.h"

#include "engine/EngineState.h"
#include "io/SyncPolicy.h"
#include "run/ReviewSession.h"

#include <QDir>
#include <QTest>

#include <cerrno>
#include <optional>

using namespace Qt::StringLiterals;

using R = ScriptedHost;

Q_DECLARE_METATYPE(SyncPolicy)

class TestReplaceRun : public QObject {
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void closingTheReviewAsksAgain();
    void noToAllCountsTheRest();
    void reportAndTotals();
    void deletionCountsAsChange();
    void abortLeavesTheFileUntouched();
    void countersRunAcrossFiles();
    void lineBreaksFollowTheDocument_data();
    void lineBreaksFollowTheDocument();
    void editAndContinue_data();
    void editAndContinue();
    void cancelledEditRestoresTheText();
    void backupBeforeTheFirstChangeOnly();
    void refusedBackupStopsTheRun_data();
    void refusedBackupStopsTheRun();
    void failedSaveAsksToRetry();
    void declinedRetryIsReported();
    void unencodableReplacementKeepsTheFile();
    void binaryFileIsNeverTouched();
    void dryRunWritesNothing();
    void changedOnDiskIsLeftAlone_data();
    void changedOnDiskIsLeftAlone();
    void refusedFileGivesItsNumbersBack_data();
    void refusedFileGivesItsNumbersBack();
    void batchedWritesReportInOrder();
};

void TestReplaceRun::answers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("wildcards");
    QTest::addColumn<QList<int>>("script");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<QString>("totals");

    const QList<int> yes;
    QTest::newRow("yes to all: adjacent occurrences all replaced")
        << QByteArray("aaaa") << u"a"_s << u"b"_s << false << QList<int>{10} << QByteArray("bbbb")
        << u"4/4"_s;
    QTest::newRow("growing replacement terminates")
        << QByteArray("aaa") << u"a"_s << u"aa"_s << false << yes << QByteArray("aaaaaa")
        << u"3/3"_s;
    QTest::newRow("removing adjacent tags") << QByteArray("<br><br>") << u"<br>"_s << QString()
                                            << false << yes << QByteArray("") << u"2/2"_s;
    QTest::newRow("skip then yes") << QByteArray("a a a") << u"a"_s << u"b"_s << false
                                   << QList<int>{7, 6, 7} << QByteArray("a b a") << u"1/3"_s;
    QTest::newRow("replacement holding the search text")
        << QByteArray("x") << u"x"_s << u"xx"_s << false << yes << QByteArray("xx") << u"1/1"_s;
    QTest::newRow("empty matches advance") << QByteArray("ab") << u"[0?]"_s << u"-"_s << true << yes
                                           << QByteArray("-a-b-") << u"3/3"_s;
    QTest::newRow("wildcards with back references")
        << QByteArray("<a href='x.htm'>Home</a>") << u"<a href=[*1]>[*2]</a>"_s << u"[B2] ([B1])"_s
        << true << yes << QByteArray("Home ('x.htm')") << u"1/1"_s;
}

void TestReplaceRun::answers()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(bool, wildcards);
    QFETCH(QList<int>, script);
    QFETCH(QByteArray, result);
    QFETCH(QString, totals);
    RunFixture f;
    f.wildcards = wildcards;
    for (int answer : script)
        f.host.reviews << R::answer(ModalResult(answer));
    const QString file = f.write(u"a.txt"_s, text);
    QCOMPARE(f.replace({file}, search, replacement), ProcessingDriver::Outcome::Ran);
    QCOMPARE(f.read(file), result);
    QCOMPARE(f.host.reportLines.last(), u"Произведено %1 замен"_s.arg(totals));
}

void TestReplaceRun::closingTheReviewAsksAgain()
{
    RunFixture f;
    f.host.reviews << R::answer(ModalResult::Cancel) << R::answer(ModalResult::Yes);
    const QString file = f.write(u"a.txt"_s, "xay");
    f.replace({file}, u"a"_s, u"b"_s);
    QCOMPARE(f.host.shownAt, (QList<qsizetype>{1, 1}));
    QCOMPARE(f.read(file), QByteArray("xby"));
    QVERIFY(f.host.reportLines.contains(u"Произведено 1/1 замен"_s));
}

void TestReplaceRun::noToAllCountsTheRest()
{
    RunFixture f;
    f.host.reviews << R::answer(ModalResult::Yes) << R::answer(ModalResult::NoToAll);
    const QString a = f.write(u"a.txt"_s, "x x x");
    const QString b = f.write(u"b.txt"_s, "x x");
    f.replace({a, b}, u"x"_s, u"y"_s);
    QCOMPARE(f.host.shownAt.size(), 2);
    QCOMPARE(f.read(a), QByteArray("y x x"));
    QCOMPARE(f.read(b), QByteArray("x x"));
    QCOMPARE(f.host.reportLines.mid(0, 2),
             (QStringList{u"Изменен файл %1. Кол-во замен - 1/3"_s.arg(a),
                          u"Файл %1 не изменен. Кол-во возможных замен - 2"_s.arg(b)}));
}

void TestReplaceRun::reportAndTotals()
{
    RunFixture f;
    f.core.options.ConfirmReplace = false;
    const QString changed = f.write(u"one.htm"_s, "cat cat");
    const QString unchanged = f.write(u"two.htm"_s, "dog");
    const QString missing = f.path(u"gone.htm"_s);
    f.replace({changed, missing, unchanged}, u"cat"_s, u"cow"_s);
    QVERIFY(f.host.shownAt.isEmpty());
    QCOMPARE(f.host.progressFiles, (QStringList{u"one.htm"_s, u"gone.htm"_s, u"two.htm"_s}));
    QCOMPARE(f.host.reportLines,
             (QStringList{u"Изменен файл %1. Кол-во замен - 2/2"_s.arg(changed),
                          u"Файл %1 не изменен."_s.arg(unchanged),
                          u"------------------------------------"_s, u"Итого:"_s,
                          u"Обработано 2 файлов."_s, u"Не обработано 1 файлов."_s,
                          u"Изменено 1 файлов."_s, u"Не изменено 1 файлов из 2 обработанных"_s,
                          u"Произведено 2/2 замен"_s}));
    QCOMPARE(f.reportLines(), f.host.reportLines);
    QCOMPARE(f.host.finishedReports, 1);
    QVERIFY(!f.core.engine.RunInProgress);
}

void TestReplaceRun::deletionCountsAsChange()
{
    RunFixture f;
    f.host.reviews << R::deleteOccurrence() << R::answer(ModalResult::No);
    const QString file = f.write(u"a.txt"_s, "ab ab");
    f.replace({file}, u"ab"_s, u"X"_s);
    QCOMPARE(f.read(file), QByteArray(" ab"));
    QCOMPARE(f.host.shownAt, (QList<qsizetype>{0, 1}));
    QCOMPARE(f.host.reportLines.first(), u"Изменен файл %1. Кол-во замен - 0/2"_s.arg(file));
}

void TestReplaceRun::abortLeavesTheFileUntouched()
{
    RunFixture f;
    f.host.reviews << R::answer(ModalResult::Yes) << R::answer(ModalResult::Yes) <<
        [](ReviewSession &s) { return s.TryToAbort() ? ModalResult::Abort : ModalResult::Cancel; };
    f.host.yesNo << true;
    const QString a = f.write(u"a.txt"_s, "x");
    const QString b = f.write(u"b.txt"_s, "x x");
    const QString c = f.write(u"c.txt"_s, "x");
    f.replace({a, b, c}, u"x"_s, u"y"_s);
    QCOMPARE(f.read(a), QByteArray("y"));
    QCOMPARE(f.read(b), QByteArray("x x"));
    QCOMPARE(f.read(c), QByteArray("x"));
    QCOMPARE(f.host.questions, QStringList{u"Подтверждение: Прервать операцию ?"_s});
    QCOMPARE(f.host.messages, QStringList{u"Операция прервана по желанию пользователя"_s});
    QCOMPARE(f.host.reportLines.mid(3),
             (QStringList{u"Обработано 1 файлов."_s, u"Не обработано 2 файлов."_s,
                          u"Изменено 1 файлов."_s, u"Произведено 1/1 замен"_s}));
}

void TestReplaceRun::countersRunAcrossFiles()
{
    RunFixture f;
    f.wildcards = true;
    f.host.reviews << R::answer(ModalResult::Yes) << R::answer(ModalResult::No);
    const QString a = f.write(u"a.txt"_s, "<h2>a<h2>b");
    const QString b = f.write(u"b.txt"_s, "<h2>c");
    f.replace({a, b}, u"<h2>"_s, u"<h2>[1I]. "_s);
    QCOMPARE(f.read(a), QByteArray("<h2>1. a<h2>b"));
    QCOMPARE(f.read(b), QByteArray("<h2>2. c"));
    f.host.reviews.clear();
    f.replace({b}, u"<h2>"_s, u"[1I]"_s); // a new run numbers from the start again
    QCOMPARE(f.read(b), QByteArray("12. c"));
}

void TestReplaceRun::lineBreaksFollowTheDocument_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("result");

    QTest::newRow("CR LF") << QByteArray("a\r\nb") << QByteArray("[\r\n]");
    QTest::newRow("LF") << QByteArray("a\nb") << QByteArray("[\n]");
    QTest::newRow("CR") << QByteArray("a\rb") << QByteArray("[\r]");
}

void TestReplaceRun::lineBreaksFollowTheDocument()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, result);
    RunFixture f;
    const QString file = f.write(u"a.txt"_s, text);
    f.replace({file}, u"a\r\nb"_s, u"[\r\n]"_s);
    QCOMPARE(f.read(file), result);
}

void TestReplaceRun::editAndContinue_data()
{
    QTest::addColumn<int>("choice"); // 0 at the caret, 1 from the start, 2 with the next file
    QTest::addColumn<QList<qsizetype>>("shownAt");

    QTest::newRow("at the caret itself") << 0 << QList<qsizetype>{0, 2, 4};
    QTest::newRow("from the start") << 1 << QList<qsizetype>{0, 0, 2, 4};
    QTest::newRow("with the next file") << 2 << QList<qsizetype>{0};
}

void TestReplaceRun::editAndContinue()
{
    QFETCH(int, choice);
    QFETCH(QList<qsizetype>, shownAt);
    RunFixture f;
    f.host.defaultAnswer = ModalResult::No;
    f.host.reviews << [choice](ReviewSession &s) {
        if (!s.PrepareEdit())
            return ModalResult::Cancel;
        s.EditText(6, 0, u"!"_s);
        if (choice == 0)
            s.ContinueAt(2); // the caret stands right on the next occurrence
        else if (choice == 1)
            s.ContinueFromStart();
        else
            s.ContinueWithNextFile();
        return ModalResult::No;
    };
    const QString file = f.write(u"a.txt"_s, "-x-x-x");
    f.replace({file}, u"-x"_s, u"="_s);
    QCOMPARE(f.host.shownAt, shownAt);
    QCOMPARE(f.read(file), QByteArray("-x-x-x!"));
    QCOMPARE(f.host.reportLines.first(),
             u"Изменен файл %1. Кол-во замен - 0/%2"_s.arg(file).arg(shownAt.size()));
}

void TestReplaceRun::cancelledEditRestoresTheText()
{
    RunFixture f;
    f.host.yesNo << false << true; // stay in editing first, then give up the edits
    f.host.reviews << [](ReviewSession &s) {
        s.PrepareEdit();
        s.EditText(0, 1, u"zz"_s);
        if (s.CancelEdit())
            return ModalResult::Cancel;
        if (!s.CancelEdit())
            return ModalResult::Cancel;
        return ModalResult::No;
    };
    f.host.defaultAnswer = ModalResult::No;
    const QString file = f.write(u"a.txt"_s, "ab");
    f.replace({file}, u"b"_s, u"c"_s);
    QCOMPARE(f.host.questions.size(), 2);
    QCOMPARE(f.host.questions.first(),
             u"Подтверждение: Все изменения будут отменены. Продолжить?"_s);
    QCOMPARE(f.read(file), QByteArray("ab"));
    QCOMPARE(f.host.reportLines.first(),
             u"Файл %1 не изменен. Кол-во возможных замен - 1"_s.arg(file));
}

void TestReplaceRun::backupBeforeTheFirstChangeOnly()
{
    RunFixture f;
    f.core.options.ConfirmReplace = false;
    f.core.options.MakeBackups = true;
    f.core.backup.SetBackupFolder(f.path(u"bak"_s));
    const QString changed = f.write(u"docs/a.txt"_s, "a a");
    const QString untouched = f.write(u"docs/b.txt"_s, "b");
    f.replace({changed, untouched}, u"a"_s, u"c"_s);
    const QString mirrored = f.core.backup.BackupPath(changed);
    QVERIFY(mirrored.startsWith(f.path(u"bak/"_s)));
    QVERIFY(mirrored.endsWith(changed.mid(1)));
    QCOMPARE(f.read(mirrored), QByteArray("a a"));
    QVERIFY(!QFileInfo::exists(f.core.backup.BackupPath(untouched)));
    QCOMPARE(f.read(changed), QByteArray("c c"));
}

void TestReplaceRun::refusedBackupStopsTheRun_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QString>("question");
    QTest::newRow("no folder can be made") << false << u"Не могу создать каталог"_s;
    // Found only when the copy is flushed and closed: it must not be put in place.
    QTest::newRow("the disk fills during the copy")
        << true << u"Не могу создать файл <backup>.Повторить операцию ?"_s;
}

// A file whose backup was asked for is never changed without it.
void TestReplaceRun::refusedBackupStopsTheRun()
{
    QFETCH(bool, diskFull);
    QFETCH(QString, question);
    RunFixture f;
    f.core.options.MakeBackups = true;
    if (!diskFull) // a regular file where the backup folder should be: no folder below it
        f.write(u"bak"_s, "not a folder");
    f.core.options.BackupFolder = f.path(u"bak/"_s);
    f.host.abortRetryIgnore << BackupHost::Answer::Abort;
    const QByteArray text = "a" + QByteArray(3000, ' ');
    const QString file = f.write(u"a.txt"_s, text);
    {
        std::optional<FileSizeLimit> full;
        if (diskFull && !full.emplace(1024).active())
            QSKIP("needs a file size limit");
        f.replace({file}, u"a"_s, u"b"_s);
    }
    QCOMPARE(f.read(file), text);
    QVERIFY2(f.host.questions.first().startsWith(
                 question.replace(u"<backup>"_s, f.core.backup.BackupPath(file))),
             qPrintable(f.host.questions.first()));
    QCOMPARE(f.host.messages, QStringList{u"Операция прервана по желанию пользователя"_s});
    QVERIFY(f.host.reportLines.contains(u"Обработано 0 файлов."_s));
}

void TestReplaceRun::failedSaveAsksToRetry()
{
    RunFixture f;
    const QString file = f.write(u"sub/a.txt"_s, "a");
    // The folder is moved away while the occurrence is on screen; it is back for the retry,
    // with the file as it was.
    f.host.reviews << [&](ReviewSession &) {
        QDir().rename(f.path(u"sub"_s), f.path(u"away"_s));
        return ModalResult::Yes;
    };
    f.host.beforeYesNo = [&] { QDir().rename(f.path(u"away"_s), f.path(u"sub"_s)); };
    f.host.yesNo << true;
    f.replace({file}, u"a"_s, u"b"_s);
    // A missing folder is no file in use by another program: the question gives the reason.
    QCOMPARE(f.host.questions,
             QStringList{u"Ошибка при сохранении файла: При сохранении файла %1 возникла ошибка: "
                         u"%2. Повторить операцию ?"_s.arg(QDir::toNativeSeparators(file),
                                                           qt_error_string(ENOENT))});
    QCOMPARE(f.read(file), QByteArray("b"));
}

void TestReplaceRun::declinedRetryIsReported()
{
    RunFixture f;
    const QString file = f.write(u"sub/a.txt"_s, "a");
    f.host.reviews << [&](ReviewSession &) {
        QDir(f.path(u"sub"_s)).removeRecursively();
        return ModalResult::Yes;
    };
    f.replace({file}, u"a"_s, u"b"_s);
    QCOMPARE(f.host.reportLines.first(), u"Файл %1 не сохранен"_s.arg(file));
    QVERIFY(f.host.reportLines.contains(u"Изменено 0 файлов."_s));
}

void TestReplaceRun::unencodableReplacementKeepsTheFile()
{
    RunFixture f;
    f.core.options.ConfirmReplace = false;
    const QByteArray cp1251("\xcf\xf0\xe8\xe2\xe5\xf2 a"); // "Привет a"
    const QString file = f.write(u"a.txt"_s, cp1251);
    f.replace({file}, u"a"_s, u"中"_s);
    QCOMPARE(f.read(file), cp1251);
    QCOMPARE(
        f.host.reportLines.first(),
        u"Файл %1 не изменен: замена содержит символы, которых нет в кодировке файла"_s.arg(file));
}

void TestReplaceRun::binaryFileIsNeverTouched()
{
    RunFixture f;
    f.core.options.ConfirmReplace = false;
    const QByteArray bytes("a\0a", 3);
    const QString file = f.write(u"a.txt"_s, bytes);
    f.replace({file}, u"a"_s, u"b"_s);
    QCOMPARE(f.read(file), bytes);
    QCOMPARE(f.host.reportLines.first(), u"Файл %1 не обработан: это двоичный файл"_s.arg(file));
    QVERIFY(f.host.reportLines.contains(u"Обработано 0 файлов."_s));
}

void TestReplaceRun::dryRunWritesNothing()
{
    RunFixture f;
    f.core.options.ConfirmReplace = false;
    const QString file = f.write(u"a.txt"_s, "a a");
    RunRequest request;
    request.files = {file};
    request.searchPattern = u"a"_s;
    request.replacementPattern = u"b"_s;
    request.dryRun = true;
    f.run(request);
    QCOMPARE(f.read(file), QByteArray("a a"));
    QCOMPARE(f.host.reportLines.last(), u"Произведено 2/2 замен"_s);
}

void TestReplaceRun::changedOnDiskIsLeftAlone_data()
{
    QTest::addColumn<SyncPolicy>("sync");
    QTest::newRow("sync per file") << SyncPolicy::File;
    QTest::newRow("batched") << SyncPolicy::Batch;
    QTest::newRow("no sync") << SyncPolicy::None;
}

// Another program saves the file while its occurrence is on screen: the later write must not
// undo the other program's.
void TestReplaceRun::changedOnDiskIsLeftAlone()
{
    QFETCH(SyncPolicy, sync);
    RunFixture f;
    const QString file = f.write(u"a.txt"_s, "a");
    const QString other = f.write(u"b.txt"_s, "a");
    f.host.reviews << [&](ReviewSession &) {
        f.write(u"a.txt"_s, "their edit");
        return ModalResult::YesToAll;
    };
    RunRequest request;
    request.files = {file, other};
    request.searchPattern = u"a"_s;
    request.replacementPattern = u"b"_s;
    request.sync = sync;
    f.run(request);
    QCOMPARE(f.read(file), QByteArray("their edit"));
    QCOMPARE(f.read(other), QByteArray("b"));
    QCOMPARE(f.host.reportLines.first(),
             u"Файл %1 изменен другой программой и не сохранен"_s.arg(file));
    QVERIFY(f.host.reportLines.contains(u"Изменено 1 файлов."_s));
    QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestReplaceRun::refusedFileGivesItsNumbersBack_data()
{
    QTest::addColumn<SyncPolicy>("sync");
    QTest::newRow("sync per file") << SyncPolicy::File;
    QTest::newRow("batched") << SyncPolicy::Batch;
}

// Numbers count only replacements that reached the disk.
void TestReplaceRun::refusedFileGivesItsNumbersBack()
{
    QFETCH(SyncPolicy, sync);
    RunFixture f;
    f.wildcards = true;
    f.core.options.ConfirmReplace = false;
    const QByteArray cp1251("\xCA\xEE\xF2 <h2> <h2>"); // "Кот": 1251, cannot hold the replacement
    const QString refused = f.write(u"a.txt"_s, cp1251);
    const QString taken = f.write(u"b.txt"_s, "<h2> <h2>");
    RunRequest request;
    request.files = {refused, taken};
    request.searchPattern = u"<h2>"_s;
    request.replacementPattern = u"<h2>中[1I]"_s;
    request.findWildcards = true;
    request.replaceWildcards = true;
    request.sync = sync;
    f.run(request);
    QCOMPARE(f.read(refused), cp1251);
    QCOMPARE(f.read(taken), u"<h2>中1 <h2>中2"_s.toUtf8());
}

// Written files wait for their batch; the report keeps the list's order all the same.
void TestReplaceRun::batchedWritesReportInOrder()
{
    RunFixture f;
    f.core.options.ConfirmReplace = false;
    const QString a = f.write(u"a.txt"_s, "x");
    const QString b = f.write(u"b.txt"_s, "none");
    const QString c = f.write(u"c.txt"_s, "x x");
    RunRequest request;
    request.files = {a, b, c};
    request.searchPattern = u"x"_s;
    request.replacementPattern = u"y"_s;
    request.sync = SyncPolicy::Batch;
    f.run(request);
    QCOMPARE(f.host.reportLines.mid(0, 3),
             (QStringList{u"Изменен файл %1. Кол-во замен - 1/1"_s.arg(a),
                          u"Файл %1 не изменен."_s.arg(b),
                          u"Изменен файл %1. Кол-во замен - 2/2"_s.arg(c)}));
    QCOMPARE(f.read(c), QByteArray("y y"));
}

QTEST_GUILESS_MAIN(TestReplaceRun)
#include "tst_replacerun.moc"
