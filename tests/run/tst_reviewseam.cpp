#include "RunFixture.h"

#include "document/DocumentFile.h"
#include "engine/EngineState.h"
#include "run/Report.h"
#include "run/ReviewSession.h"
#include "run/RunRequest.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using R = ScriptedHost;

// What a window showing the run's document relies on: the order of the host's calls, every
// change of the document told as it was made, and a stop from outside.
class TestReviewSeam : public QObject {
    Q_OBJECT
private slots:
    void hostCallsInOrder_data();
    void hostCallsInOrder();
    void stopKeepsWhatWasWritten();
    void rtfEditsAreToldAsMade_data();
    void rtfEditsAreToldAsMade();
    void searchGoesOnAfterAWidenedEdit();
    void wildcardsAcrossLineBreaks_data();
    void wildcardsAcrossLineBreaks();
    void selectModeNeverTouchesTheRun();
    void loadingEndsEditing();
    void answerForAllHandsTheRestAhead_data();
    void answerForAllHandsTheRestAhead();
};

void TestReviewSeam::hostCallsInOrder_data()
{
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QList<ModalResult>>("answers");
    QTest::addColumn<int>("stopAfterChecks"); // -1: never
    QTest::addColumn<QStringList>("events");

    const QStringList whole{u"start 3"_s,       u"step a.txt"_s, u"file a.txt"_s,
                            u"step gone.txt"_s, u"step b.txt"_s, u"file b.txt"_s,
                            u"file "_s,         u"finished"_s,   u"end"_s};
    QTest::newRow("replace all") << true << QList<ModalResult>{ModalResult::YesToAll} << -1
                                 << whole;
    QTest::newRow("find") << false << QList<ModalResult>{ModalResult::YesToAll} << -1 << whole;
    const QStringList firstFileOnly{u"start 3"_s, u"step a.txt"_s, u"file a.txt"_s,
                                    u"file "_s,   u"finished"_s,   u"end"_s};
    QTest::newRow("abort") << true << QList<ModalResult>{ModalResult::Abort} << -1 << firstFileOnly;
    // Checks: before a.txt, before its occurrence, before gone.txt ...
    QTest::newRow("stop before the occurrence")
        << true << QList<ModalResult>{} << 1 << firstFileOnly;
    QTest::newRow("stop before the first file")
        << false << QList<ModalResult>{} << 0
        << QStringList{u"start 3"_s, u"file "_s, u"finished"_s, u"end"_s};
}

void TestReviewSeam::hostCallsInOrder()
{
    QFETCH(bool, replace);
    QFETCH(QList<ModalResult>, answers);
    QFETCH(int, stopAfterChecks);
    QFETCH(QStringList, events);

    RunFixture f;
    for (ModalResult answer : answers)
        f.host.reviews << R::answer(answer);
    int checks = 0;
    if (stopAfterChecks >= 0)
        f.host.stop = [&] { return checks++ >= stopAfterChecks; };
    const QStringList files{f.write(u"a.txt"_s, "xax"), f.path(u"gone.txt"_s),
                            f.write(u"b.txt"_s, "a")};
    if (replace)
        f.replace(files, u"a"_s, u"bb"_s);
    else
        f.find(files, u"a"_s);
    QCOMPARE(f.host.events, events);
    QCOMPARE(f.host.finishedReports, 1);
    QCOMPARE(f.host.mirrorMismatches, 0);
}

void TestReviewSeam::stopKeepsWhatWasWritten()
{
    RunFixture f;
    f.core.options.ConfirmReplace = false;
    // Stop before the second occurrence of b.txt: a.txt is written, b.txt is not.
    f.host.stop = [&] {
        return f.core.engine.CurrentFileName.endsWith(u"b.txt"_s) && f.core.engine.MatchStart > 0;
    };
    const QString a = f.write(u"a.txt"_s, "aa");
    const QString b = f.write(u"b.txt"_s, "a a");
    f.replace({a, b}, u"a"_s, u"x"_s);
    QCOMPARE(f.read(a), "xx"_ba);
    QCOMPARE(f.read(b), "a a"_ba);
    QVERIFY(f.core.engine.Aborted);
    QCOMPARE(f.host.messages, QStringList{u"Операция прервана по желанию пользователя"_s});
    QCOMPARE(f.host.reportLines.mid(1, 4),
             (QStringList{Report::ReportSeparator(), u"Итого:"_s, u"Обработано 1 файлов."_s,
                          u"Не обработано 1 файлов."_s}));
}

void TestReviewSeam::rtfEditsAreToldAsMade_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QByteArray>("result");
    const QByteArray table = "{\\rtf1\\trowd\\cellx1\\cellx2 {\\b A}\\cell B\\cell\\row}";
    QTest::newRow("replace") << u"replace"_s
                             << "{\\rtf1\\trowd\\cellx1\\cellx2 {\\b Z}\\cell B\\cell\\row}"_ba;
    QTest::newRow("delete") << u"delete"_s
                            << "{\\rtf1\\trowd\\cellx1\\cellx2 {\\b }\\cell B\\cell\\row}"_ba;
    QTest::newRow("free edit") << u"edit"_s
                               << "{\\rtf1\\trowd\\cellx1\\cellx2 {\\b A}\\cell Bq\\cell\\row}"_ba;
    QTest::newRow("cancelled edit") << u"cancel"_s << table;
}

void TestReviewSeam::rtfEditsAreToldAsMade()
{
    QFETCH(QString, action);
    QFETCH(QByteArray, result);
    RunFixture f;
    f.host.defaultYesNo = true; // discard edits when cancelling
    f.host.reviews << [&](ReviewSession &s) {
        if (action == u"replace")
            return ModalResult::Yes;
        if (action == u"delete")
            return s.DelSelected() ? ModalResult::No : ModalResult::Cancel;
        s.PrepareEdit();
        s.EditText(4, 0, u"q"_s); // after "B"
        if (action == u"cancel") {
            s.CancelEdit();
            return ModalResult::No;
        }
        s.ContinueWithNextFile();
        return ModalResult::No;
    };
    const QString file
        = f.write(u"t.rtf"_s, "{\\rtf1\\trowd\\cellx1\\cellx2 {\\b A}\\cell B\\cell\\row}");
    f.replace({file}, u"A"_s, u"Z"_s);
    QCOMPARE(f.read(file), result);
    QCOMPARE(f.host.mirrorMismatches, 0);
    QVERIFY(f.host.edits > 0 || action == u"cancel");
}

void TestReviewSeam::searchGoesOnAfterAWidenedEdit()
{
    // Replacing across a cell end keeps the cell end after the new text; the search goes on
    // after what the edit put in place, so the kept cell end is never searched twice.
    RunFixture f;
    f.core.options.ConfirmReplace = false;
    const QString file
        = f.write(u"t.rtf"_s, "{\\rtf1\\trowd\\cellx1\\cellx2 xA\\cell Ay\\cell\\row}");
    f.replace({file}, u"A\r\nA"_s, u"Z"_s);
    QCOMPARE(f.host.mirrorMismatches, 0);
    Document document;
    QCOMPARE(LoadDocument(document, file), LoadStatus::Loaded);
    QCOMPARE(document.text(), u"xZ\r\ny\r\n"_s);
    QCOMPARE(f.host.occurrences, QStringList{u"1:A\r\nA>Z"_s});
}

void TestReviewSeam::wildcardsAcrossLineBreaks_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("result");
    QTest::newRow("lf") << "end\nmid\nstart end\nx\nstart"_ba
                        << "[mid] [x]"_ba;
    QTest::newRow("cr") << "end\rmid\rstart end\rx\rstart"_ba
                        << "[mid] [x]"_ba;
    QTest::newRow("crlf") << "end\r\nmid\r\nstart end\r\nx\r\nstart"_ba
                          << "[mid] [x]"_ba;
    QTest::newRow("another break style is not a match") << "end\nmid\rstart"_ba
                                                        << "end\nmid\rstart"_ba;
}

void TestReviewSeam::wildcardsAcrossLineBreaks()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, result);
    RunFixture f;
    f.wildcards = true;
    f.core.options.ConfirmReplace = false;
    const QString file = f.write(u"a.txt"_s, text);
    // Patterns are typed with CR LF; each file matches them in its own line-break style.
    f.replace({file}, u"end\r\n[*1]\r\nstart"_s, u"[O][B1][C]"_s);
    QCOMPARE(f.read(file), result);
    QCOMPARE(f.host.mirrorMismatches, 0);
}

void TestReviewSeam::selectModeNeverTouchesTheRun()
{
    RunFixture f;
    const QString other = f.write(u"other.txt"_s, "block");
    f.host.reviews << [&](ReviewSession &s) {
        const LoadStatus status = s.PrepareSelect(other);
        if (status != LoadStatus::Loaded || s.selection().text() != u"block"_s)
            return ModalResult::Abort;
        // Del does nothing in select mode.
        const bool deleted = s.DelSelected().has_value();
        s.UnprepareSelect();
        return deleted ? ModalResult::Abort : ModalResult::Yes;
    };
    const QString file = f.write(u"a.txt"_s, "1a2");
    f.replace({file}, u"a"_s, u"b"_s);
    QCOMPARE(f.read(file), "1b2"_ba);
    QCOMPARE(f.read(other), "block"_ba);
    QCOMPARE(f.host.loads, 1);
}

void TestReviewSeam::loadingEndsEditing()
{
    RunFixture f;
    f.host.defaultYesNo = true;
    // The first run is aborted while editing a.txt.
    f.host.reviews << [](ReviewSession &s) {
        s.PrepareEdit();
        s.EditText(0, 1, u"EDITED"_s);
        s.TryToAbort();
        return ModalResult::Abort;
    };
    const QString a = f.write(u"a.txt"_s, "a");
    f.replace({a}, u"a"_s, u"b"_s);
    QCOMPARE(f.read(a), "a"_ba);
    // In the next run's file, cancelling finds no editing to undo and a.txt's text never
    // comes back.
    bool editing = true;
    f.host.reviews << [&](ReviewSession &s) {
        editing = s.reviewState().rsEditing;
        s.CancelEdit();
        return ModalResult::No;
    };
    const QString b = f.write(u"b.txt"_s, "xa");
    f.replace({b}, u"a"_s, u"b"_s);
    QVERIFY(!editing);
    QCOMPARE(f.read(b), "xa"_ba);
    QCOMPARE(f.core.review.document().text(), u"xa"_s);
}

void TestReviewSeam::answerForAllHandsTheRestAhead_data()
{
    QTest::addColumn<bool>("replace");
    QTest::addColumn<ModalResult>("answer");
    QTest::addColumn<int>("loads");
    QTest::newRow("find, don't ask") << false << ModalResult::YesToAll << 1;
    QTest::newRow("replace, yes to all") << true << ModalResult::YesToAll << 1;
    // Skipping all leaves nothing to work through ahead: the run goes on by itself.
    QTest::newRow("replace, no to all") << true << ModalResult::NoToAll << 6;
    // Each file with occurrences to show is reviewed; the rest would be counted ahead.
    QTest::newRow("find, asked each time") << false << ModalResult::Yes << 4;
}

void TestReviewSeam::answerForAllHandsTheRestAhead()
{
    QFETCH(bool, replace);
    QFETCH(ModalResult, answer);
    QFETCH(int, loads);
    const auto run = [&](bool ahead) {
        RunFixture f;
        f.host.defaultAnswer = answer;
        QStringList files;
        for (const QString &name : {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s, u"d.txt"_s})
            files << f.write(name, "a needle, a needle\r\n");
        // Files without occurrences never need a review.
        for (const QString &name : {u"e.txt"_s, u"f.txt"_s})
            files << f.write(name, "nothing here\r\n");
        RunRequest request;
        request.files = files;
        request.searchPattern = u"needle"_s;
        request.replacementPattern = u"pin"_s;
        request.replaceMode = replace;
        request.bytePath = ahead;
        request.workers = 2;
        f.run(request);
        QStringList contents;
        for (const QString &file : files)
            contents << QString::fromLatin1(f.read(file));
        QStringList report = f.host.reportLines;
        report.replaceInStrings(f.dir.path(), u"<dir>"_s);
        return std::tuple(report, contents, f.host.loads, f.host.pendingEventPoints);
    };
    const auto [report, contents, loadsAlone, eventsAlone] = run(false);
    const auto [reportAhead, contentsAhead, loadsAhead, eventsAhead] = run(true);
    QCOMPARE(reportAhead, report);
    QCOMPARE(contentsAhead, contents);
    QCOMPARE(loadsAlone, 6);
    QCOMPARE(loadsAhead, loads);
    // A window still handles its events at every file.
    QVERIFY(eventsAhead >= 6);
}

QTEST_GUILESS_MAIN(TestReviewSeam)
#include "tst_reviewseam.moc"
