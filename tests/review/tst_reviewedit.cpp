#include "ui/ReviewFixture.h"
#include "ui/ReviewSteps.h"

#include "document/Document.h"
#include "engine/EngineState.h"
#include "review/ReviewTextView.h"
#include "run/ReviewSession.h"

#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

using H = ReviewTestHost;
using S = ReviewSteps;
using Step = ReviewTestHost::Step;

// Free editing in the review dialog: typed edits, cancelling them, and where the run goes on.
class TestReviewEdit : public QObject {
    Q_OBJECT

private slots:
    void editPlainText();
    void typedEditsReachTheCoreAsSmallestEdits();
    void typedNoBreakSpaceStaysOne();
    void editRtfKeepsTheSourceOutsideTheEdit();
    void cancelEdit_data();
    void cancelEdit();
    void closingWhileEditingCancelsTheEdits_data();
    void closingWhileEditingCancelsTheEdits();
    void editModeReturnsToTheRunsPanel();
    void continueChoices_data();
    void continueChoices();
    void continueChoiceIsKept();
};

void TestReviewEdit::editPlainText()
{
    ReviewFixture f;
    const QString file = f.write(u"a.txt"_s, "Hello world\r\nsecond line");
    f.host.steps << H::all(
        {H::click("BEdit"), S::typeOver(6, 11, u"X"_s), S::check("RBNextFile"), H::click("BBOk")});
    f.replace({file}, u"world"_s, u"planet"_s);
    QCOMPARE(f.host.showings.size(), 1);
    QCOMPARE(f.read(file), QByteArray("Hello X\r\nsecond line"));
    QCOMPARE(f.core.report.Lines().first(), u"Изменен файл %1. Кол-во замен - 0/1"_s.arg(file));
}

void TestReviewEdit::typedEditsReachTheCoreAsSmallestEdits()
{
    ReviewFixture f;
    f.load(f.write(u"a.txt"_s, "Hello world"), 6, 5);
    f.core.review.PrepareReplace();
    f.show(H::all({H::click("BEdit"),
                   [](ReviewDialog &d) {
                       d.view()->setSelection(6, 11);
                       S::commit(d.view(), u"word"_s);
                   },
                   H::key(Qt::Key_Backspace), H::key(Qt::Key_Return), H::click("BBOk")}));
    // "world" -> "word" is one deletion of "l"; Backspace deletes the "d"; Return inserts the
    // document's own line break.
    QCOMPARE(f.host.edits, (QList<TextEdit>{{9, 1, {}}, {9, 1, {}}, {9, 0, u"\r\n"_s}}));
    QCOMPARE(f.core.review.document().text(), u"Hello wor\r\n"_s);
}

void TestReviewEdit::typedNoBreakSpaceStaysOne()
{
    ReviewFixture f;
    const QString file = f.write(u"a.txt"_s, "a b");
    f.host.steps << H::all({H::click("BEdit"), S::typeOver(1, 2, QString(QChar(0xA0))),
                            S::check("RBNextFile"), H::click("BBOk")});
    f.find({file}, u"b"_s);
    // One no-break space, not a space; an ASCII file takes it in UTF-8.
    QCOMPARE(f.read(file),
             QByteArray("a\xC2\xA0"
                        "b"));
}

void TestReviewEdit::editRtfKeepsTheSourceOutsideTheEdit()
{
    ReviewFixture f;
    const QByteArray head = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0"
                            "\\blue0;}\\f0\\fs24 Hello {\\b bold} and {\\cf1 ";
    const QByteArray tail = "} world\\par\r\n}";
    const QString file = f.write(u"a.rtf"_s, head + "red" + tail);
    f.host.steps << H::all({H::click("BEdit"), S::typeOver(15, 18, u"blue"_s),
                            S::check("RBNextFile"), H::click("BBOk")});
    f.find({file}, u"world"_s);
    QCOMPARE(f.host.showings.first().selected, u"world"_s);
    QCOMPARE(f.core.review.document().text(), u"Hello bold and blue world\r\n"_s);
    QCOMPARE(f.read(file), head + "blue" + tail);
}

void TestReviewEdit::cancelEdit_data()
{
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("editingAfterFirstCancel");

    QTest::newRow("without changes: no question") << false << QList<bool>{} << 0 << false;
    QTest::newRow("with changes, Yes: undone") << true << QList<bool>{true} << 1 << false;
    QTest::newRow("with changes, No: still editing, then Yes")
        << true << QList<bool>{false, true} << 2 << true;
}

void TestReviewEdit::cancelEdit()
{
    QFETCH(bool, typed);
    QFETCH(QList<bool>, answers);
    QFETCH(int, questions);
    QFETCH(bool, editingAfterFirstCancel);

    ReviewFixture f;
    f.load(f.write(u"a.rtf"_s, "{\\rtf1\\ansi Hello {\\b bold} world\\par}"), 6, 4);
    f.core.review.PrepareReplace();
    f.prompter.yesNo = answers;
    bool editingAfter = false;
    QString selectedAfter;
    f.show([&](ReviewDialog &d) {
        H::click("BEdit")(d);
        if (typed)
            S::typeOver(5, 10, u"!"_s)(d);
        H::click("BEdit")(d);
        editingAfter = S::visible(d, "PContinue");
        if (editingAfter)
            H::click("BEdit")(d);
        selectedAfter = d.view()->selectedText();
        H::click("NoB")(d);
    });
    QCOMPARE(editingAfter, editingAfterFirstCancel);
    QCOMPARE(f.prompter.shown.size(), questions);
    for (const QString &question : f.prompter.shown)
        QCOMPARE(question, u"question: Подтверждение: Все изменения будут отменены. Продолжить?"_s);
    QCOMPARE(f.core.review.document().text(), u"Hello bold world\r\n"_s);
    QCOMPARE(selectedAfter, u"bold"_s);
    QVERIFY(!f.core.review.document().isModified());
    // The formatting came back with the text.
    QCOMPARE(f.dialog.view()->shownText(), u"Hello bold world\r\n"_s);
}

void TestReviewEdit::closingWhileEditingCancelsTheEdits_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("close box") << false;
    QTest::newRow("Esc") << true;
}

void TestReviewEdit::closingWhileEditingCancelsTheEdits()
{
    QFETCH(bool, byEscape);
    ReviewFixture f;
    const QString file = f.write(u"a.txt"_s, "x a");
    const QString next = f.write(u"b.txt"_s, "a");
    f.prompter.yesNo = {false, true};
    bool openAfterNo = false;
    const Step close = byEscape ? H::key(Qt::Key_Escape) : Step([](ReviewDialog &d) { d.close(); });
    f.host.steps << [&](ReviewDialog &d) {
        H::click("BEdit")(d);
        S::typeOver(0, 1, u"changed"_s)(d);
        close(d);
        openAfterNo = d.isVisible() && S::visible(d, "PContinue");
        close(d);
    };
    // Closed with 2, the same occurrence comes again, and edit mode is over.
    f.host.steps << H::click("NoB") << H::click("NoB");
    f.replace({file, next}, u"a"_s, u"b"_s);
    QVERIFY(openAfterNo);
    QCOMPARE(f.host.showings.size(), 3);
    QCOMPARE(f.host.showings.at(1).matchStart, 2);
    QCOMPARE(f.host.showings.at(1).panels, (QStringList{u"RP"_s, u"BEdit"_s}));
    QCOMPARE(f.host.showings.at(2).caption, u"Обработка файла b.txt"_s);
    QCOMPARE(f.read(file), QByteArray("x a"));
    QCOMPARE(f.read(next), QByteArray("a"));
}

// The question panel after edit mode is the one of the run in progress, whatever ran before.
void TestReviewEdit::editModeReturnsToTheRunsPanel()
{
    ReviewFixture f;
    const QString file = f.write(u"a.txt"_s, "a");
    f.host.steps << H::click("Ok1b");
    f.find({file}, u"a"_s);
    QStringList panels;
    f.host.steps << [&](ReviewDialog &d) {
        H::click("BEdit")(d);
        H::click("BEdit")(d);
        for (const char *name : {"RP", "FP", "PContinue"})
            if (S::visible(d, name))
                panels << QString::fromLatin1(name);
        H::click("NoB")(d);
    };
    f.replace({file}, u"a"_s, u"b"_s);
    QCOMPARE(panels, QStringList{u"RP"_s});
    QCOMPARE(f.host.showings.first().panels, (QStringList{u"FP"_s, u"BEdit"_s}));
}

void TestReviewEdit::continueChoices_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<qsizetype>("caret");
    QTest::addColumn<QString>("nextCaption");
    QTest::addColumn<qsizetype>("nextAt");

    QTest::newRow("С текущей позиции: at the caret")
        << u"RBCurPos"_s << qsizetype(4) << u"Обработка файла a.txt"_s << qsizetype(4);
    QTest::newRow("С текущей позиции: the caret on an occurrence finds it")
        << u"RBCurPos"_s << qsizetype(2) << u"Обработка файла a.txt"_s << qsizetype(2);
    QTest::newRow("С начала файла: the first character again")
        << u"RBBegFile"_s << qsizetype(5) << u"Обработка файла a.txt"_s << qsizetype(0);
    QTest::newRow("Со следующего файла")
        << u"RBNextFile"_s << qsizetype(3) << u"Обработка файла b.txt"_s << qsizetype(1);
}

void TestReviewEdit::continueChoices()
{
    QFETCH(QString, radio);
    QFETCH(qsizetype, caret);
    QFETCH(QString, nextCaption);
    QFETCH(qsizetype, nextAt);

    ReviewFixture f;
    const QString a = f.write(u"a.txt"_s, "a a a a");
    const QString b = f.write(u"b.txt"_s, "xa");
    f.host.steps << [&](ReviewDialog &d) {
        H::click("BEdit")(d);
        d.view()->setSelection(caret, caret);
        S::check(qPrintable(radio))(d);
        H::click("BBOk")(d);
    };
    f.host.steps << H::click("YesToAll1B");
    f.find({a, b}, u"a"_s);
    QCOMPARE(f.host.showings.size(), 2);
    QCOMPARE(f.host.showings.at(1).caption, nextCaption);
    QCOMPARE(f.host.showings.at(1).matchStart, nextAt);
    // Nothing was typed: the file is not written.
    QCOMPARE(f.read(a), QByteArray("a a a a"));
}

void TestReviewEdit::continueChoiceIsKept()
{
    ReviewFixture f;
    const QString a = f.write(u"a.txt"_s, "a a");
    QString checkedLater;
    f.host.steps << H::all(
        {H::click("BEdit"), S::check("RBBegFile"), H::click("BEdit"), H::click("Ok1b")});
    f.host.steps << [&](ReviewDialog &d) {
        H::click("BEdit")(d);
        for (const char *name : {"RBCurPos", "RBBegFile", "RBNextFile"})
            if (d.findChild<QRadioButton *>(QString::fromLatin1(name))->isChecked())
                checkedLater = QString::fromLatin1(name);
        H::click("BEdit")(d);
        H::click("Ok1b")(d);
    };
    f.find({a}, u"a"_s);
    QCOMPARE(checkedLater, u"RBBegFile"_s);
}

QTEST_MAIN(TestReviewEdit)
#include "tst_reviewedit.moc"
