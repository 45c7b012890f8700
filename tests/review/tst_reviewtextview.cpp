#include "document/Document.h"
#include "document/RichTextCodec.h"
#include "review/FormatSpans.h"
#include "review/ReviewTextView.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace {

// A view on a document of its own, wired as the review dialog wires it: typed edits go to
// the document, which reports them to the spans and the view.
struct ViewRig {
    explicit ViewRig(Document document) : doc(std::move(document))
    {
        spans.reset(doc.formattedRuns(), doc.length());
        view.resize(420, 260);
        view.setSource(&doc, &spans);
        view.setEditor([this](qsizetype pos, qsizetype count, QStringView text) {
            return apply(pos, count, text);
        });
        view.show();
    }

    std::optional<TextEdit> apply(qsizetype pos, qsizetype count, QStringView text)
    {
        asked << TextEdit{pos, count, text.toString()};
        if (refuse)
            return std::nullopt;
        const std::optional<TextEdit> made = doc.replace(pos, count, text);
        if (made) {
            spans.applyEdit(*made, made->pos > 0 && doc.at(made->pos - 1) == u'\n');
            view.documentEdited(*made);
        }
        return made;
    }

    Document doc;
    FormatSpans spans;
    ReviewTextView view;
    QList<TextEdit> asked;
    bool refuse = false;
};

QString randomText(QRandomGenerator &random, int pieces)
{
    static const QString parts[] = {u"ab"_s, u"\r\n"_s, u"\n"_s, u"\r"_s,   u"text "_s,
                                    u"\t"_s, u"я"_s,    u"😀"_s,  u"\r\r"_s, u"\n\n"_s};
    QString text;
    for (int i = 0; i < pieces; ++i)
        text += parts[random.bounded(10)];
    return text;
}

Document rtfDocument(const QByteArray &bytes)
{
    std::optional<DecodedText> decoded = RichTextCodec::load(bytes);
    return Document(decoded->text, std::move(decoded->codec));
}

void press(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

} // namespace

class TestReviewTextView : public QObject {
    Q_OBJECT

private slots:
    void rowsShowTheDocumentAfterRandomEdits();
    void longLinesAreShownInRows_data();
    void longLinesAreShownInRows();
    void pointAndPositionAgree();
    void occurrenceModeKeysOnlyScroll();
    void selectingModeMovesTheCaret_data();
    void selectingModeMovesTheCaret();
    void editingKeys_data();
    void editingKeys();
    void pasteTakesTheDocumentsLineBreaks();
    void refusedEditChangesNothing();
    void widenedEditPutsTheCaretAfterIt();
    void readOnlyModesNeverEdit();
    void centredRowsFollowTheViewWidth();
    void paintsRichTextWithoutRebuilding();
    void wheelScrollsRowsOfOneLongLine();
    void selectionShowsWithoutFocus();
    void screenReaderReadsTheOccurrence();
};

// Whatever edits a document goes through, the rows the view shows are exactly its text,
// with every kind of line break and lines long enough to be cut into rows.
void TestReviewTextView::rowsShowTheDocumentAfterRandomEdits()
{
    QRandomGenerator random(42u);
    for (int round = 0; round < 20; ++round) {
        QString text = randomText(random, 80);
        if (round % 4 == 0)
            text.insert(random.bounded(int(text.size())), QString(2500, u'x'));
        ViewRig rig{Document(text)};
        QCOMPARE(rig.view.shownText(), rig.doc.text());
        for (int i = 0; i < 60; ++i) {
            const qsizetype pos = random.bounded(int(rig.doc.length() + 1));
            const qsizetype count = std::min<qsizetype>(random.bounded(6), rig.doc.length() - pos);
            QString inserted = randomText(random, random.bounded(3));
            if (i % 17 == 0)
                inserted += QString(1200, u'y');
            rig.apply(pos, count, inserted);
            QCOMPARE(rig.view.shownText(), rig.doc.text());
            QCOMPARE(rig.spans.length(), rig.doc.length());
            const qsizetype at = random.bounded(int(rig.doc.length() + 1));
            rig.view.setSelection(at, std::min(rig.doc.length(), at + 3));
            rig.view.centerOn(at, at);
            QVERIFY(!rig.view.grab().isNull());
        }
    }
}

void TestReviewTextView::longLinesAreShownInRows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("rows");

    QTest::newRow("short line") << u"abc"_s << qsizetype(1);
    QTest::newRow("exactly one row") << QString(TextRows::SegmentLength, u'a') << qsizetype(1);
    QTest::newRow("one over") << QString(TextRows::SegmentLength + 1, u'a') << qsizetype(2);
    QTest::newRow("2500 characters") << QString(2500, u'a') << qsizetype(3);
    // A surrogate pair across the boundary stays whole: its row takes both halves.
    QTest::newRow("a pair at the boundary")
        << QString(TextRows::SegmentLength - 1, u'a') + u"😀"_s + u"b"_s << qsizetype(2);
    QTest::newRow("a pair at the very end")
        << QString(TextRows::SegmentLength - 1, u'a') + u"😀"_s << qsizetype(1);
}

void TestReviewTextView::longLinesAreShownInRows()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, rows);
    const Document doc(text + u"\r\nnext"_s);
    FormatSpans spans;
    spans.reset(doc.formattedRuns(), doc.length());
    TextRows shown;
    shown.setSource(&doc, &spans);
    QCOMPARE(shown.segmentCount(0), rows);
    qsizetype covered = 0;
    for (qsizetype segment = 0; segment < rows; ++segment) {
        const RowRef row{0, segment};
        QCOMPARE(shown.rowStart(row), covered);
        covered = shown.rowEnd(row);
        QVERIFY(covered == text.size() || !doc.at(covered).isLowSurrogate());
        for (qsizetype pos = shown.rowStart(row); pos < covered; pos += 97)
            QCOMPARE(shown.rowOf(pos), row);
    }
    QCOMPARE(covered, text.size());
    QCOMPARE(shown.rowOf(text.size()), (RowRef{0, rows - 1}));
    QCOMPARE(shown.rowOf(text.size() + 2), (RowRef{1, 0}));
}

void TestReviewTextView::pointAndPositionAgree()
{
    ViewRig rig{Document(u"first line\r\nsecond\tline\nthird 😀 line\rlast"_s)};
    for (qsizetype pos : {0, 3, 10, 12, 19, 24, 30, 32, 38, 42}) {
        rig.view.ensureVisible(pos);
        const QPoint at = rig.view.pointOf(pos);
        QVERIFY2(at.y() >= 0, qPrintable(QString::number(pos)));
        QCOMPARE(rig.view.positionAt(at + QPoint(0, 2)), pos);
    }
}

void TestReviewTextView::screenReaderReadsTheOccurrence()
{
    ViewRig rig{Document(u"first line\r\nthe cat sat\r\nlast"_s)};
    rig.view.setMode(ReviewTextView::Mode::Occurrence);
    rig.view.setSelection(16, 19);
    QAccessibleInterface *item = QAccessible::queryAccessibleInterface(&rig.view);
    QVERIFY(item);
    QAccessibleTextInterface *text = item->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), int(rig.doc.length()));
    QCOMPARE(text->text(0, text->characterCount()), rig.doc.text());
    QCOMPARE(text->selectionCount(), 1);
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(text->text(start, end), u"cat"_s);
    QCOMPARE(text->cursorPosition(), 19);
    // The surroundings: the line the occurrence stands on.
    QCOMPARE(text->textAtOffset(17, QAccessible::LineBoundary, &start, &end).trimmed(),
             u"the cat sat"_s);
    QVERIFY(item->state().readOnly);
    // The occurrence belongs to the run: a screen reader cannot move it.
    text->setSelection(0, 0, 2);
    QCOMPARE(rig.view.selectedText(), u"cat"_s);
}

void TestReviewTextView::occurrenceModeKeysOnlyScroll()
{
    QString text;
    for (int i = 0; i < 200; ++i)
        text += u"line %1\n"_s.arg(i);
    ViewRig rig{Document(text)};
    rig.view.setMode(ReviewTextView::Mode::Occurrence);
    rig.view.setSelection(5, 9);
    QSignalSpy changed(&rig.view, &ReviewTextView::selectionChanged);
    for (int key : {Qt::Key_PageDown, Qt::Key_Down, Qt::Key_Right, Qt::Key_End, Qt::Key_Home})
        press(&rig.view, key);
    QCOMPARE(changed.count(), 0);
    QVERIFY(rig.view.topRow().line > 10);
    QCOMPARE(rig.view.selectedText(), rig.doc.mid(5, 4));
    press(&rig.view, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(rig.view.topRow(), RowRef());
}

void TestReviewTextView::selectingModeMovesTheCaret_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<qsizetype>("anchor");
    QTest::addColumn<qsizetype>("position");

    // "ab\r\ncd\r\nef", the caret after "c" (5).
    QTest::newRow("left") << QList<int>{Qt::Key_Left} << false << qsizetype(4) << qsizetype(4);
    QTest::newRow("left over a line break")
        << QList<int>{Qt::Key_Left, Qt::Key_Left} << false << qsizetype(2) << qsizetype(2);
    QTest::newRow("right over a line break")
        << QList<int>{Qt::Key_Right, Qt::Key_Right} << false << qsizetype(8) << qsizetype(8);
    QTest::newRow("shift+up selects to the line above")
        << QList<int>{Qt::Key_Up} << true << qsizetype(5) << qsizetype(1);
    QTest::newRow("down") << QList<int>{Qt::Key_Down} << false << qsizetype(9) << qsizetype(9);
    QTest::newRow("end") << QList<int>{Qt::Key_End} << false << qsizetype(6) << qsizetype(6);
    QTest::newRow("shift+home") << QList<int>{Qt::Key_Home} << true << qsizetype(5) << qsizetype(4);
}

void TestReviewTextView::selectingModeMovesTheCaret()
{
    QFETCH(QList<int>, keys);
    QFETCH(bool, shift);
    QFETCH(qsizetype, anchor);
    QFETCH(qsizetype, position);
    ViewRig rig{Document(u"ab\r\ncd\r\nef"_s)};
    rig.view.setMode(ReviewTextView::Mode::Selecting);
    rig.view.setSelection(5, 5);
    for (int key : keys)
        press(&rig.view, key, shift ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(std::pair(rig.view.selectionStart(), rig.view.selectionEnd()),
             std::pair(std::min(anchor, position), std::max(anchor, position)));
    QCOMPARE(rig.view.cursorPosition(), position);
    QCOMPARE(rig.doc.text(), u"ab\r\ncd\r\nef"_s);
}

void TestReviewTextView::editingKeys_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("caret");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("result");
    QTest::addColumn<qsizetype>("caretAfter");

    QTest::newRow("backspace over CR LF deletes both")
        << u"ab\r\ncd"_s << qsizetype(4) << int(Qt::Key_Backspace) << u"abcd"_s << qsizetype(2);
    QTest::newRow("delete before CR LF deletes both")
        << u"ab\r\ncd"_s << qsizetype(2) << int(Qt::Key_Delete) << u"abcd"_s << qsizetype(2);
    QTest::newRow("backspace over a surrogate pair")
        << u"a😀b"_s << qsizetype(3) << int(Qt::Key_Backspace) << u"ab"_s << qsizetype(1);
    QTest::newRow("return in an LF file")
        << u"ab\ncd"_s << qsizetype(1) << int(Qt::Key_Return) << u"a\nb\ncd"_s << qsizetype(2);
    QTest::newRow("return in a CR file")
        << u"ab\rcd"_s << qsizetype(1) << int(Qt::Key_Enter) << u"a\rb\rcd"_s << qsizetype(2);
    QTest::newRow("return in a CR LF file") << u"ab\r\ncd"_s << qsizetype(6) << int(Qt::Key_Return)
                                            << u"ab\r\ncd\r\n"_s << qsizetype(8);
    QTest::newRow("typing") << u"ab"_s << qsizetype(1) << int(Qt::Key_X) << u"axb"_s
                            << qsizetype(2);
    QTest::newRow("backspace at the start does nothing")
        << u"ab"_s << qsizetype(0) << int(Qt::Key_Backspace) << u"ab"_s << qsizetype(0);
}

void TestReviewTextView::editingKeys()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, caret);
    QFETCH(int, key);
    QFETCH(QString, result);
    QFETCH(qsizetype, caretAfter);
    ViewRig rig{Document(text)};
    rig.view.setMode(ReviewTextView::Mode::Editing);
    rig.view.setSelection(caret, caret);
    if (key == Qt::Key_X)
        QTest::keyClicks(&rig.view, u"x"_s);
    else
        press(&rig.view, key);
    QCOMPARE(rig.doc.text(), result);
    QCOMPARE(rig.view.cursorPosition(), caretAfter);
    QCOMPARE(rig.view.shownText(), result);
}

void TestReviewTextView::pasteTakesTheDocumentsLineBreaks()
{
    ViewRig rig{Document(u"one\ntwo"_s)};
    rig.view.setMode(ReviewTextView::Mode::Editing);
    rig.view.setSelection(3, 3);
    QGuiApplication::clipboard()->setText(u"A\r\nB\rC\u2029D"_s);
    press(&rig.view, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(rig.doc.text(), u"oneA\nB\nC\nD\ntwo"_s);
    QCOMPARE(rig.view.cursorPosition(), 10);
}

void TestReviewTextView::refusedEditChangesNothing()
{
    ViewRig rig{Document(u"abc"_s)};
    rig.view.setMode(ReviewTextView::Mode::Editing);
    rig.view.setSelection(1, 2);
    rig.refuse = true;
    QTest::keyClicks(&rig.view, u"z"_s);
    QCOMPARE(rig.asked, (QList<TextEdit>{{1, 1, u"z"_s}}));
    QCOMPARE(rig.doc.text(), u"abc"_s);
    QCOMPARE(std::pair(rig.view.selectionStart(), rig.view.selectionEnd()),
             std::pair(qsizetype(1), qsizetype(2)));
}

// An RTF line break is never cut in two: deleting its LF alone deletes the whole break, and
// the caret goes where the core's edit ended.
void TestReviewTextView::widenedEditPutsTheCaretAfterIt()
{
    ViewRig rig{rtfDocument("{\\rtf1\\ansi one\\par two}")};
    QCOMPARE(rig.doc.text(), u"one\r\ntwo"_s);
    rig.view.setMode(ReviewTextView::Mode::Editing);
    rig.view.setSelection(4, 5);
    QTest::keyClicks(&rig.view, u"X"_s);
    QCOMPARE(rig.asked, (QList<TextEdit>{{4, 1, u"X"_s}}));
    QCOMPARE(rig.doc.text(), u"oneXtwo"_s);
    QCOMPARE(rig.view.cursorPosition(), 4);
    QCOMPARE(rig.view.shownText(), rig.doc.text());
}

void TestReviewTextView::readOnlyModesNeverEdit()
{
    for (ReviewTextView::Mode mode :
         {ReviewTextView::Mode::Occurrence, ReviewTextView::Mode::Selecting}) {
        ViewRig rig{Document(u"abc"_s)};
        rig.view.setMode(mode);
        rig.view.setSelection(1, 2);
        QTest::keyClicks(&rig.view, u"zz"_s);
        for (int key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return})
            press(&rig.view, key);
        press(&rig.view, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(rig.asked.isEmpty());
        QCOMPARE(rig.doc.text(), u"abc"_s);
    }
}

void TestReviewTextView::centredRowsFollowTheViewWidth()
{
    ViewRig rig{rtfDocument("{\\rtf1\\ansi left\\par\\pard\\qc mid\\par\\pard\\qr right\\par}")};
    const int left = rig.view.pointOf(0).x();
    const int centre = rig.view.pointOf(6).x();
    const int right = rig.view.pointOf(11).x();
    QVERIFY(left < centre && centre < right);
    rig.view.resize(700, 260);
    QVERIFY(rig.view.pointOf(6).x() > centre);
}

// Formats come from the spans; painting builds nothing but the rows in sight.
void TestReviewTextView::paintsRichTextWithoutRebuilding()
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Serif;}{\\f1 Mono;}}";
    for (int i = 0; i < 2000; ++i)
        rtf += "{\\f1\\fs" + QByteArray::number(16 + i % 20) + (i % 3 ? " plain " : "\\b bold ")
            + QByteArray::number(i) + "}\\par ";
    ViewRig rig{rtfDocument(rtf + "}")};
    rig.view.centerOn(rig.doc.length() - 5, rig.doc.length());
    QVERIFY(!rig.view.grab().isNull());
    QVERIFY(rig.view.verticalScrollBar()->value() > 1900);
    QCOMPARE(rig.view.shownText(), rig.doc.text());
}

// A file without line breaks is one line of many rows: the wheel still scrolls it.
void TestReviewTextView::wheelScrollsRowsOfOneLongLine()
{
    ViewRig rig{Document(QString(50 * TextRows::SegmentLength, u'z'))};
    QWheelEvent down(QPointF(10, 10), rig.view.mapToGlobal(QPointF(10, 10)), QPoint(),
                     QPoint(0, -2 * QWheelEvent::DefaultDeltasPerStep), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(rig.view.viewport(), &down);
    QCOMPARE(rig.view.topRow(), (RowRef{0, 2 * QApplication::wheelScrollLines()}));
}

// The selection keeps its colours while another window (a question box) has the focus.
void TestReviewTextView::selectionShowsWithoutFocus()
{
    ViewRig rig{Document(u"some text to select"_s)};
    QPalette colours = rig.view.palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, Qt::lightGray);
    rig.view.setPalette(colours);
    rig.view.setSelection(5, 9);
    QWidget other;
    other.show();
    other.activateWindow();
    other.setFocus();
    QVERIFY(!rig.view.hasFocus());
    const QColor highlight = rig.view.palette().color(QPalette::Active, QPalette::Highlight);
    const QImage image = rig.view.viewport()->grab().toImage();
    const QPoint from = rig.view.pointOf(5);
    const QPoint to = rig.view.pointOf(9);
    int highlighted = 0;
    for (int x = from.x(); x < to.x(); ++x)
        for (int y = from.y(); y < from.y() + 10; ++y)
            highlighted += image.pixelColor(x, y) == highlight;
    // Most of the selected box is the highlight colour; the rest is the glyphs on it.
    QVERIFY2(highlighted > (to.x() - from.x()) * 10 / 2, qPrintable(QString::number(highlighted)));
}

QTEST_MAIN(TestReviewTextView)
#include "tst_reviewtextview.moc"
