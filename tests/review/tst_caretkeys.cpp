#include "review/CaretKeys.h"

#include <QKeyEvent>
#include <QTest>

using namespace Qt::StringLiterals;

using Action = CaretKeys::Action;
using Motion = CaretKeys::Motion;

Q_DECLARE_METATYPE(CaretKeys::Action)
Q_DECLARE_METATYPE(CaretKeys::Motion)

namespace {

// How the view asks: while the occurrence owns the selection, while selecting, while editing.
enum Use { Scrolling, Selecting, Editing };

} // namespace

class TestCaretKeys : public QObject {
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void pastedTakesTheLineBreak_data();
    void pastedTakesTheLineBreak();
};

void TestCaretKeys::keys_data()
{
    QTest::addColumn<int>("use");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Action>("action");
    QTest::addColumn<Motion>("motion");
    QTest::addColumn<bool>("extend");

    const auto row = [](const char *name, Use use, int key, Qt::KeyboardModifiers modifiers,
                        const QString &text, Action action, Motion motion = Motion::NextChar,
                        bool extend = false) {
        QTest::newRow(name) << int(use) << key << modifiers << text << action << motion << extend;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    row("copy while scrolling", Scrolling, Qt::Key_C, Qt::ControlModifier, u"c"_s, Action::Copy);
    row("down scrolls", Scrolling, Qt::Key_Down, none, {}, Action::Scroll, Motion::Down);
    row("shift+down scrolls too", Scrolling, Qt::Key_Down, Qt::ShiftModifier, {}, Action::Scroll,
        Motion::Down);
    row("home scrolls to the left", Scrolling, Qt::Key_Home, none, {}, Action::Scroll,
        Motion::LineStart);
    row("control+end scrolls to the end", Scrolling, Qt::Key_End, Qt::ControlModifier, {},
        Action::Scroll, Motion::DocumentEnd);
    row("typing does nothing while scrolling", Scrolling, Qt::Key_A, none, u"a"_s, Action::None);
    row("select all", Selecting, Qt::Key_A, Qt::ControlModifier, u"a"_s, Action::SelectAll);
    row("right moves", Selecting, Qt::Key_Right, none, {}, Action::Move);
    row("shift+right selects", Selecting, Qt::Key_Right, Qt::ShiftModifier, {}, Action::Move,
        Motion::NextChar, true);
    row("control+home moves to the start", Selecting, Qt::Key_Home, Qt::ControlModifier, {},
        Action::Move, Motion::DocumentStart);
    row("page up moves", Selecting, Qt::Key_PageUp, none, {}, Action::Move, Motion::PageUp);
    row("typing does nothing while selecting", Selecting, Qt::Key_A, none, u"a"_s, Action::None);
    row("paste does nothing while selecting", Selecting, Qt::Key_V, Qt::ControlModifier, u"v"_s,
        Action::None);
    row("cut", Editing, Qt::Key_X, Qt::ControlModifier, u"x"_s, Action::Cut);
    row("paste", Editing, Qt::Key_V, Qt::ControlModifier, u"v"_s, Action::Paste);
    row("delete", Editing, Qt::Key_Delete, none, {}, Action::DeleteNext);
    row("control+delete is not the view's", Editing, Qt::Key_Delete, Qt::ControlModifier, {},
        Action::None);
    row("backspace", Editing, Qt::Key_Backspace, none, {}, Action::DeletePrevious);
    row("enter", Editing, Qt::Key_Enter, Qt::KeypadModifier, {}, Action::LineBreak);
    row("typing", Editing, Qt::Key_A, none, u"a"_s, Action::Type);
    row("control+letter types nothing", Editing, Qt::Key_B, Qt::ControlModifier, u"b"_s,
        Action::None);
    row("a control character types nothing", Editing, Qt::Key_Escape, none, u"\x1b"_s,
        Action::None);
}

void TestCaretKeys::keys()
{
    QFETCH(int, use);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(Action, action);
    QFETCH(Motion, motion);
    QFETCH(bool, extend);
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    const CaretKeys::Command command
        = use == Scrolling ? CaretKeys::scrolling(event) : CaretKeys::caret(event, use == Editing);
    QCOMPARE(command.action, action);
    if (action == Action::Move || action == Action::Scroll) {
        QCOMPARE(command.motion, motion);
        QCOMPARE(command.extend, extend);
    }
    if (action == Action::Type)
        QCOMPARE(command.text, text);
}

void TestCaretKeys::pastedTakesTheLineBreak_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("lineBreak");
    QTest::addColumn<QString>("pasted");

    QTest::newRow("mixed breaks into CR LF")
        << u"a\r\nb\nc\rd\u2029e\u2028f"_s << u"\r\n"_s << u"a\r\nb\r\nc\r\nd\r\ne\r\nf"_s;
    QTest::newRow("CR LF into LF, not two") << u"a\r\n\r\nb"_s << u"\n"_s << u"a\n\nb"_s;
    QTest::newRow("LF into CR") << u"a\n"_s << u"\r"_s << u"a\r"_s;
}

void TestCaretKeys::pastedTakesTheLineBreak()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, lineBreak);
    QFETCH(QString, pasted);
    QCOMPARE(CaretKeys::pasted(clipboard, lineBreak), pasted);
}

QTEST_MAIN(TestCaretKeys)
#include "tst_caretkeys.moc"
