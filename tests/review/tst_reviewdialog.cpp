#include "ui/ReviewFixture.h"
#include "ui/ReviewSteps.h"

#include "document/Document.h"
#include "engine/EngineState.h"
#include "review/ReviewTextView.h"
#include "run/ReviewSession.h"

#include <QAbstractButton>
#include <QApplication>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

using H = ReviewTestHost;
using S = ReviewSteps;
using Step = ReviewTestHost::Step;

Q_DECLARE_METATYPE(ModalResult)

// The review dialog's answers, panels and view during runs, and its select mode.
class TestReviewDialog : public QObject {
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void panelsPerMode_data();
    void panelsPerMode();
    void abortAnsweredNoKeepsTheOccurrence();
    void selectionSnapsBack_data();
    void selectionSnapsBack();
    void deleteKey_data();
    void deleteKey();
    void refusedBackupStopsTheRun_data();
    void refusedBackupStopsTheRun();
    void viewBuilds_data();
    void viewBuilds();
    void viewFollowsTheDocumentThroughARun();
    void captionNamesTheFileDuringARun();
    void languageChangeKeepsModeAndSelection();
    void selectMode_data();
    void selectMode();
    void selectModeWithoutPreparedFileShowsNothing();
    void occurrenceStandsInTheMiddle();
};

void TestReviewDialog::answers_data()
{
    QTest::addColumn<bool>("findMode");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QList<bool>>("yesNo");
    QTest::addColumn<ModalResult>("result");
    QTest::addColumn<bool>("aborted");

    const QList<bool> none;
    QTest::newRow("replace: &Да") << false << QStringList{u"click YesB"_s} << none
                                  << ModalResult::Yes << false;
    QTest::newRow("replace: Д&а, для всех")
        << false << QStringList{u"click YesToAllB"_s} << none << ModalResult::YesToAll << false;
    QTest::newRow("replace: &Нет")
        << false << QStringList{u"click NoB"_s} << none << ModalResult::No << false;
    QTest::newRow("replace: Н&ет, для всех")
        << false << QStringList{u"click NoToAllB"_s} << none << ModalResult::NoToAll << false;
    QTest::newRow("replace: &Прервать, Yes") << false << QStringList{u"click AbortB"_s}
                                             << QList<bool>{true} << ModalResult::Abort << true;
    QTest::newRow("replace: &Прервать, No, then &Нет")
        << false << QStringList{u"click AbortB"_s, u"click NoB"_s} << QList<bool>{false}
        << ModalResult::No << false;
    QTest::newRow("replace: close box")
        << false << QStringList{u"close"_s} << none << ModalResult::Cancel << false;
    QTest::newRow("replace: Esc") << false << QStringList{u"key Escape"_s} << none
                                  << ModalResult::Cancel << false;
    QTest::newRow("replace: Return in the view answers nothing")
        << false << QStringList{u"key Return"_s, u"click NoB"_s} << none << ModalResult::No
        << false;
    QTest::newRow("find: &Да") << true << QStringList{u"click Ok1b"_s} << none << ModalResult::Yes
                               << false;
    QTest::newRow("find: Н&е спрашивать")
        << true << QStringList{u"click YesToAll1B"_s} << none << ModalResult::YesToAll << false;
    QTest::newRow("find: &Нет asks to abort, Yes")
        << true << QStringList{u"click Abort1B"_s} << QList<bool>{true} << ModalResult::Abort
        << true;
    QTest::newRow("find: &Нет asks to abort, No, then &Да")
        << true << QStringList{u"click Abort1B"_s, u"click Ok1b"_s} << QList<bool>{false}
        << ModalResult::Yes << false;
    QTest::newRow("find: close box")
        << true << QStringList{u"close"_s} << none << ModalResult::Cancel << false;
    QTest::newRow("find: Esc") << true << QStringList{u"key Escape"_s} << none
                               << ModalResult::Cancel << false;
    QTest::newRow("find: Return in the view answers nothing")
        << true << QStringList{u"key Return"_s, u"click Ok1b"_s} << none << ModalResult::Yes
        << false;
}

void TestReviewDialog::answers()
{
    QFETCH(bool, findMode);
    QFETCH(QStringList, actions);
    QFETCH(QList<bool>, yesNo);
    QFETCH(ModalResult, result);
    QFETCH(bool, aborted);

    ReviewFixture f;
    f.load(f.write(u"a.txt"_s, "one two three"), 4, 3);
    if (findMode)
        f.core.review.PrepareFind();
    else
        f.core.review.PrepareReplace();
    f.prompter.yesNo = yesNo;
    QCOMPARE(f.show(S::script(actions)), result);
    QVERIFY(!f.host.hung);
    QCOMPARE(f.core.engine.Aborted, aborted);
    QCOMPARE(f.host.showings.first().selected, u"two"_s);
    if (!yesNo.isEmpty())
        QCOMPARE(f.prompter.shown.first(), u"question: Подтверждение: Прервать операцию ?"_s);
    // Nothing an answer gives changes the document by itself.
    QCOMPARE(f.core.review.document().text(), u"one two three"_s);
}

void TestReviewDialog::panelsPerMode_data()
{
    QTest::addColumn<bool>("findMode");
    QTest::addColumn<bool>("editing");
    QTest::addColumn<QStringList>("panels");

    QTest::newRow("replace") << false << false << QStringList{u"RP"_s, u"BEdit"_s};
    QTest::newRow("find") << true << false << QStringList{u"FP"_s, u"BEdit"_s};
    QTest::newRow("edit in a replace run")
        << false << true << QStringList{u"PContinue"_s, u"BEdit"_s};
    QTest::newRow("edit in a find run") << true << true << QStringList{u"PContinue"_s, u"BEdit"_s};
}

void TestReviewDialog::panelsPerMode()
{
    QFETCH(bool, findMode);
    QFETCH(bool, editing);
    QFETCH(QStringList, panels);

    ReviewFixture f;
    f.load(f.write(u"a.txt"_s, "one two"), 0, 3);
    if (findMode)
        f.core.review.PrepareFind();
    else
        f.core.review.PrepareReplace();
    QStringList seen;
    QStringList afterCancel;
    f.show([&](ReviewDialog &d) {
        if (editing)
            H::click("BEdit")(d);
        for (const char *name : {"RP", "FP", "SP", "PContinue", "BEdit"})
            if (S::visible(d, name))
                seen << QString::fromLatin1(name);
        if (editing) {
            H::click("BEdit")(d); // cancel without changes
            afterCancel << (S::visible(d, "RP") ? u"RP"_s : QString())
                        << (S::visible(d, "FP") ? u"FP"_s : QString());
        }
        d.close();
    });
    QCOMPARE(seen, panels);
    if (editing)
        QCOMPARE(afterCancel,
                 (QStringList{findMode ? QString() : u"RP"_s, findMode ? u"FP"_s : QString()}));
    QCOMPARE(S::part(f.dialog, "BEdit")->toolTip(), u"Редактировать текст"_s);
    QCOMPARE(qobject_cast<QAbstractButton *>(S::part(f.dialog, "BEdit"))->text(), u"Р"_s);
}

void TestReviewDialog::abortAnsweredNoKeepsTheOccurrence()
{
    ReviewFixture f;
    f.load(f.write(u"a.txt"_s, "one two three"), 8, 5);
    f.core.review.PrepareReplace();
    f.prompter.yesNo = {false};
    bool stillOpen = false;
    QString selected;
    f.show([&](ReviewDialog &d) {
        d.view()->setSelection(0, 0);
        H::click("AbortB")(d);
        stillOpen = d.isVisible();
        selected = d.view()->selectedText();
        H::click("NoB")(d);
    });
    QVERIFY(stillOpen);
    QCOMPARE(selected, u"three"_s);
    QVERIFY(!f.core.engine.Aborted);
}

void TestReviewDialog::selectionSnapsBack_data()
{
    QTest::addColumn<bool>("editing");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("selected");

    QTest::newRow("click in the text") << false << u"click"_s << u"two"_s;
    QTest::newRow("selection set elsewhere") << false << u"select"_s << u"two"_s;
    QTest::newRow("arrow keys only scroll") << false << u"keys"_s << u"two"_s;
    QTest::newRow("edit mode: the selection is the user's") << true << u"select"_s << u"ne"_s;
    QTest::newRow("edit mode: a click moves the caret") << true << u"click"_s << QString();
}

void TestReviewDialog::selectionSnapsBack()
{
    QFETCH(bool, editing);
    QFETCH(QString, how);
    QFETCH(QString, selected);

    ReviewFixture f;
    f.load(f.write(u"a.txt"_s, "one two three\r\nfour five"), 4, 3);
    f.core.review.PrepareReplace();
    QString seen;
    f.show([&](ReviewDialog &d) {
        if (editing)
            H::click("BEdit")(d);
        ReviewTextView *view = d.view();
        if (how == u"click"_s)
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->pointOf(1));
        else if (how == u"select"_s)
            view->setSelection(1, 3);
        else
            for (int key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_End, Qt::Key_Left})
                QTest::keyClick(view, Qt::Key(key));
        seen = view->selectedText();
        if (editing)
            H::click("BEdit")(d);
        H::click("NoB")(d);
    });
    QCOMPARE(seen, selected);
}

void TestReviewDialog::deleteKey_data()
{
    QTest::addColumn<bool>("dynamicEdit");
    QTest::addColumn<bool>("inEditMode");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QList<qsizetype>>("shownAt");
    QTest::addColumn<bool>("closedByDel");

    QTest::newRow("option on: deleted, the run goes on where it began")
        << true << false << QByteArray(" b a") << QList<qsizetype>{0, 3} << true;
    QTest::newRow("option off: nothing")
        << false << false << QByteArray("a b a") << QList<qsizetype>{0, 4} << false;
    QTest::newRow("edit mode: Del edits the text")
        << true << true << QByteArray(" b a") << QList<qsizetype>{0, 3} << false;
}

void TestReviewDialog::deleteKey()
{
    QFETCH(bool, dynamicEdit);
    QFETCH(bool, inEditMode);
    QFETCH(QByteArray, written);
    QFETCH(QList<qsizetype>, shownAt);
    QFETCH(bool, closedByDel);

    ReviewFixture f;
    f.core.options.DynamicEdit = dynamicEdit;
    const QString file = f.write(u"a.txt"_s, "a b a");
    bool openAfterDel = true;
    f.host.steps << [&](ReviewDialog &d) {
        if (inEditMode)
            H::click("BEdit")(d);
        H::key(Qt::Key_Delete)(d);
        openAfterDel = d.isVisible();
        if (inEditMode)
            H::click("BBOk")(d);
        else if (d.isVisible())
            H::click("NoB")(d);
    };
    f.host.defaultStep = H::click("NoB");
    f.replace({file}, u"a"_s, u"b"_s);
    QList<qsizetype> seen;
    for (const ReviewTestHost::Showing &showing : f.host.showings)
        seen << showing.matchStart;
    QCOMPARE(seen, shownAt);
    QCOMPARE(openAfterDel, !closedByDel);
    QCOMPARE(f.read(file), written);
    const bool changed = written != "a b a";
    QCOMPARE(f.core.report.Lines().first(),
             changed ? u"Изменен файл %1. Кол-во замен - 0/2"_s.arg(file)
                     : u"Файл %1 не изменен. Кол-во возможных замен - 2"_s.arg(file));
}

void TestReviewDialog::refusedBackupStopsTheRun_data()
{
    QTest::addColumn<bool>("byEdit");
    QTest::newRow("Del") << false;
    QTest::newRow("entering edit mode") << true;
}

void TestReviewDialog::refusedBackupStopsTheRun()
{
    QFETCH(bool, byEdit);
    ReviewFixture f;
    f.core.options.MakeBackups = true;
    // A regular file where the backup folder should be: no copy can be made.
    f.write(u"bak"_s, "not a folder");
    f.core.options.BackupFolder = f.path(u"bak/"_s);
    f.prompter.abortRetryIgnore = {BackupHost::Answer::Abort};
    const QString first = f.write(u"a.txt"_s, "a a");
    const QString second = f.write(u"b.txt"_s, "a");
    f.host.steps << (byEdit ? H::click("BEdit") : H::key(Qt::Key_Delete));
    f.replace({first, second}, u"a"_s, u"b"_s);
    QVERIFY(!f.host.hung);
    QCOMPARE(f.host.showings.size(), 1);
    QCOMPARE(f.read(first), QByteArray("a a"));
    QCOMPARE(f.read(second), QByteArray("a"));
    QCOMPARE(f.host.messages, QStringList{u"Операция прервана по желанию пользователя"_s});
    QVERIFY(f.core.report.Lines().contains(u"Обработано 0 файлов."_s));
}

void TestReviewDialog::viewBuilds_data()
{
    QTest::addColumn<bool>("findRun");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("showings");
    QTest::addColumn<int>("builds");

    // Files: a.txt with 3 occurrences, b.txt with none, c.txt with 2.
    QTest::newRow("every occurrence shown: one build per shown file")
        << false << true << QStringList{u"NoB"_s} << 5 << 2;
    QTest::newRow("yes to all in the first file")
        << false << true << QStringList{u"YesToAllB"_s} << 1 << 1;
    QTest::newRow("no to all in the first file")
        << false << true << QStringList{u"NoToAllB"_s} << 1 << 1;
    QTest::newRow("confirmation off: nothing shown, nothing built")
        << false << false << QStringList{} << 0 << 0;
    QTest::newRow("find run, Не спрашивать in the second showing")
        << true << true << QStringList{u"Ok1b"_s, u"YesToAll1B"_s} << 2 << 1;
    QTest::newRow("find run, every occurrence") << true << true << QStringList{u"Ok1b"_s} << 5 << 2;
}

void TestReviewDialog::viewBuilds()
{
    QFETCH(bool, findRun);
    QFETCH(bool, confirm);
    QFETCH(QStringList, answers);
    QFETCH(int, showings);
    QFETCH(int, builds);

    ReviewFixture f;
    f.core.options.ConfirmReplace = confirm;
    const QStringList files{f.write(u"a.txt"_s, "x x x"), f.write(u"b.txt"_s, "none"),
                            f.write(u"c.txt"_s, "x\r\nx")};
    for (const QString &answer : answers)
        f.host.steps << H::click(qPrintable(answer));
    f.host.defaultStep = H::click(qPrintable(answers.value(0, u"NoB"_s)));
    if (findRun)
        f.find(files, u"x"_s);
    else
        f.replace(files, u"x"_s, u"y"_s);
    QCOMPARE(f.host.showings.size(), showings);
    QCOMPARE(f.dialog.viewBuilds(), builds);
    for (const ReviewTestHost::Showing &showing : f.host.showings)
        QVERIFY(showing.viewShowsDocument);
}

// Every answer that changes the document, in random order over random texts with every kind
// of line break: at each showing the view shows exactly the document, with the occurrence
// selected.
void TestReviewDialog::viewFollowsTheDocumentThroughARun()
{
    QRandomGenerator random(20261207u);
    for (int round = 0; round < 12; ++round) {
        ReviewFixture f;
        QByteArray text;
        const char *pieces[] = {"ab", "a", "\r\n", "\n", "\r", "b ", "aa", "xyz"};
        for (int i = 0; i < 60; ++i)
            text += pieces[random.bounded(8)];
        const QString file = f.write(u"a.txt"_s, text);
        f.host.defaultStep = [&random](ReviewDialog &d) {
            switch (random.bounded(5)) {
            case 0:
                H::click("YesB")(d);
                break;
            case 1:
                H::key(Qt::Key_Delete)(d);
                break;
            case 2: {
                H::click("BEdit")(d);
                const qsizetype length = d.view()->document()->length();
                const qsizetype at = random.bounded(int(length + 1));
                S::typeOver(at, std::min(length, at + random.bounded(4)),
                            u"a\nb"_s.left(random.bounded(4)))(d);
                H::key(Qt::Key_Backspace)(d);
                H::click("BBOk")(d);
                break;
            }
            default:
                H::click("NoB")(d);
            }
        };
        f.replace({file}, u"a"_s, u"[\r\n]"_s);
        QVERIFY(!f.host.hung);
        QVERIFY(f.host.showings.size() > 1);
        for (const ReviewTestHost::Showing &showing : f.host.showings) {
            QVERIFY2(showing.viewShowsDocument, qPrintable(QString::number(round)));
            QCOMPARE(showing.selectionStart, showing.matchStart);
            QCOMPARE(showing.selected, u"a"_s);
        }
        QCOMPARE(f.dialog.viewBuilds(), 1);
    }
}

void TestReviewDialog::captionNamesTheFileDuringARun()
{
    ReviewFixture f;
    const QString file = f.write(u"sub/a.txt"_s, "a");
    f.host.defaultStep = H::click("NoB");
    QCOMPARE(f.dialog.windowTitle(), u"Обработка файла"_s);
    f.replace({file}, u"a"_s, u"b"_s);
    QCOMPARE(f.host.showings.first().caption, u"Обработка файла a.txt"_s);
    QCOMPARE(f.dialog.windowTitle(), u"Обработка файла"_s);
}

void TestReviewDialog::languageChangeKeepsModeAndSelection()
{
    ReviewFixture f;
    const QString file = f.write(u"a.txt"_s, "one two three");
    f.core.engine.CurrentFileName = file;
    f.dialog.ReviewFileChanged(u"a.txt"_s);
    f.load(file, 4, 3);
    f.core.review.PrepareReplace();
    QString caption;
    QString button;
    QString selected;
    bool editing = false;
    f.show([&](ReviewDialog &d) {
        H::click("BEdit")(d);
        d.view()->setSelection(8, 11);
        auto *yes = d.findChild<QAbstractButton *>(u"YesB"_s);
        yes->setText(u"stale"_s);
        QEvent change(QEvent::LanguageChange);
        QApplication::sendEvent(&d, &change);
        caption = d.windowTitle();
        button = yes->text();
        selected = d.view()->selectedText();
        editing = S::visible(d, "PContinue") && !S::visible(d, "RP");
        H::click("BEdit")(d);
        H::click("NoB")(d);
    });
    QCOMPARE(button, u"&Да"_s);
    QCOMPARE(caption, u"Обработка файла a.txt"_s);
    QCOMPARE(selected, u"thr"_s);
    QVERIFY(editing);
}

void TestReviewDialog::selectMode_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<QString>("text");

    QTest::newRow("&Ok takes the selection") << u"OkB"_s << true << u"two"_s;
    QTest::newRow("От&менить") << u"CancelB"_s << false << QString();
    QTest::newRow("close box") << u"close"_s << false << QString();
    QTest::newRow("&Ok with nothing selected") << u"empty"_s << true << QString();
}

void TestReviewDialog::selectMode()
{
    QFETCH(QString, answer);
    QFETCH(bool, chosen);
    QFETCH(QString, text);

    ReviewFixture f;
    f.core.options.MakeBackups = true;
    const QString file = f.write(u"block.txt"_s, "one two three");
    QCOMPARE(f.core.review.PrepareSelect(file), LoadStatus::Loaded);
    QStringList panels;
    QString caption;
    QString afterDel;
    QTimer::singleShot(0, &f.dialog, [&] {
        ReviewDialog &d = f.dialog;
        for (const char *name : {"RP", "FP", "SP", "PContinue", "BEdit"})
            if (S::visible(d, name))
                panels << QString::fromLatin1(name);
        caption = d.windowTitle();
        d.view()->setSelection(4, 7);
        H::key(Qt::Key_Delete)(d);
        afterDel = d.view()->selectedText();
        if (answer == u"close"_s) {
            d.close();
        } else if (answer == u"empty"_s) {
            d.view()->setSelection(5, 5);
            H::click("OkB")(d);
        } else {
            H::click(qPrintable(answer))(d);
        }
    });
    const std::optional<QString> result
        = f.dialog.selectBlock(u"Выделение блока в файле block.txt"_s);
    QCOMPARE(result.has_value(), chosen);
    QCOMPARE(result.value_or(QString()), text);
    QCOMPARE(panels, QStringList{u"SP"_s});
    QCOMPARE(caption, u"Выделение блока в файле block.txt"_s);
    // Del neither deletes nor asks for a backup copy in select mode.
    QCOMPARE(afterDel, u"two"_s);
    QVERIFY(f.prompter.shown.isEmpty());
    QCOMPARE(f.read(file), QByteArray("one two three"));
    QCOMPARE(f.dialog.windowTitle(), u"Обработка файла"_s);
    QVERIFY(!f.core.review.reviewState().rsSelect);
}

void TestReviewDialog::selectModeWithoutPreparedFileShowsNothing()
{
    ReviewFixture f;
    QCOMPARE(f.dialog.selectBlock(u"x"_s), std::nullopt);
    QVERIFY(!f.dialog.isVisible());
}

void TestReviewDialog::occurrenceStandsInTheMiddle()
{
    ReviewFixture f;
    QByteArray text;
    for (int i = 0; i < 400; ++i)
        text += "line " + QByteArray::number(i) + "\n";
    const QString file = f.write(u"a.txt"_s, text + QByteArray(300, 'y') + " target\n" + text);
    QPoint at;
    int height = 0;
    f.host.steps << [&](ReviewDialog &d) {
        at = d.view()->pointOf(d.view()->selectionStart());
        height = d.view()->viewport()->height();
        H::click("NoB")(d);
    };
    f.replace({file}, u"target"_s, u"x"_s);
    QVERIFY(at.x() > 0 && at.x() < f.dialog.view()->viewport()->width());
    QVERIFY2(qAbs(at.y() - height / 2) < 2 * QFontMetrics(f.dialog.view()->font()).height(),
             qPrintable(u"%1 of %2"_s.arg(at.y()).arg(height)));
}

QTEST_MAIN(TestReviewDialog)
#include "tst_reviewdialog.moc"
