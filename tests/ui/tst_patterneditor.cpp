#include "ui/WindowFixture.h"

#include "review/ReviewDialog.h"
#include "review/ReviewTextView.h"

#include "ui/PatternCommands.h"
#include "ui/PatternEditor.h"

#include <QAbstractButton>
#include <QDir>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QtTest>

using namespace Qt::StringLiterals;

// The pattern editors: the text a run takes from them, what pasting takes from the clipboard
// and from files, and the commands that act on CurrentEditor.
class TestPatternEditor : public QObject {
    Q_OBJECT
private slots:
    void rawText_data();
    void rawText();
    void pasteTakesRtfThroughTheReader();
    void pasteNeverTakesHtmlMarkup();
    void pasteFile_data();
    void pasteFile();
    void pasteFileRefuses_data();
    void pasteFileRefuses();
    void pasteFromFileCancelledKeepsEditor();
    void pasteFromFileTakesTheSelectedBlock_data();
    void pasteFromFileTakesTheSelectedBlock();
    void pasteFromFileRefuses_data();
    void pasteFromFileRefuses();
    void pasteFromFileRefusesBinary();
    void clearActsOnCurrentEditorOnly();
    void insertOpensMenuAtButton();
};

namespace {

class PasteProbe : public PatternEditor {
public:
    using PatternEditor::insertFromMimeData;
};

const QByteArray Rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 {\\b bold} plain\\par next}";

} // namespace

void TestPatternEditor::rawText_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("paragraph break") << u"a\u2029b"_s << u"a\r\nb"_s;
    QTest::newRow("line separator") << u"a\u2028b"_s << u"a\r\nb"_s;
    QTest::newRow("non-breaking space stays") << u"a\u00A0b"_s << u"a\u00A0b"_s;
    QTest::newRow("brackets and tabs") << u"[*1]\t[B1]"_s << u"[*1]\t[B1]"_s;
    QTest::newRow("only a break") << u"\u2029"_s << u"\r\n"_s;
}

void TestPatternEditor::rawText()
{
    QFETCH(QString, raw);
    QFETCH(QString, pattern);
    QCOMPARE(PatternEditor::patternFromRaw(raw), pattern);
    PatternEditor editor;
    QTextCursor(editor.document()).insertText(raw);
    QCOMPARE(editor.patternText(), pattern);
}

void TestPatternEditor::pasteTakesRtfThroughTheReader()
{
    PasteProbe editor;
    QMimeData mime;
    mime.setData(u"text/rtf"_s, Rtf);
    mime.setText(u"wrong"_s);
    editor.insertFromMimeData(&mime);
    QCOMPARE(editor.patternText(), u"bold plain\r\nnext"_s);
    QTextCursor cursor(editor.document());
    cursor.setPosition(2);
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
    cursor.setPosition(7);
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Normal));
}

void TestPatternEditor::pasteNeverTakesHtmlMarkup()
{
    PasteProbe editor;
    QMimeData mime;
    mime.setHtml(u"<b>x</b><script>y</script>"_s);
    mime.setText(u"x"_s);
    editor.insertFromMimeData(&mime);
    QCOMPARE(editor.patternText(), u"x"_s);
    QVERIFY(!editor.toHtml().contains(u"font-weight:700"_s));
    QMimeData htmlOnly;
    htmlOnly.setHtml(u"<b>z</b>"_s);
    editor.insertFromMimeData(&htmlOnly);
    QCOMPARE(editor.patternText(), u"x"_s);
}

void TestPatternEditor::pasteFile_data()
{
    QTest::addColumn<bool>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("RTF into SourceRE: its text") << true << u"bold plain\r\nnext"_s;
    QTest::newRow("RTF into TargetRE: its markup") << false << QString::fromLatin1(Rtf);
}

void TestPatternEditor::pasteFile()
{
    QFETCH(bool, source);
    QFETCH(QString, expected);
    WindowFixture f;
    Ui::MainF &ui = f.ui();
    PatternEditor *editor = source ? ui.SourceRE : ui.TargetRE;
    editor->setPlainText(u"old"_s);
    f.window().patternCommands().setCurrentEditor(editor);
    f.prompter.openFile = {f.write(u"p.rtf"_s, Rtf)};
    ui.PasteFile->trigger();
    QCOMPARE(editor->patternText(), expected);
}

void TestPatternEditor::pasteFileRefuses_data()
{
    QTest::addColumn<bool>("source");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    for (bool source : {true, false}) {
        const QByteArray editor = source ? "SourceRE" : "TargetRE";
        QTest::newRow("NUL bytes into " + editor)
            << source << u"bin.txt"_s << u"error: Failed to Load Stream"_s;
        QTest::newRow("missing file into " + editor)
            << source << u"none.txt"_s << u"error: Cannot open file "_s;
    }
}

void TestPatternEditor::pasteFileRefuses()
{
    QFETCH(bool, source);
    QFETCH(QString, file);
    QFETCH(QString, message);
    WindowFixture f;
    PatternEditor *editor = source ? f.ui().SourceRE : f.ui().TargetRE;
    editor->setPlainText(u"old"_s);
    f.window().patternCommands().setCurrentEditor(editor);
    f.write(u"bin.txt"_s, QByteArray("ab\0cd", 5));
    f.prompter.openFile = {f.path(file)};
    f.ui().PasteFile->trigger();
    QVERIFY2(f.prompter.shown.constLast().startsWith(message),
             qPrintable(f.prompter.shown.constLast()));
    QCOMPARE(editor->patternText(), u"old"_s);
}

void TestPatternEditor::pasteFromFileCancelledKeepsEditor()
{
    WindowFixture f;
    ReviewDialog &review = f.program().reviewDialog();
    const QString ownCaption = review.windowTitle();
    f.ui().TargetRE->setPlainText(u"old"_s);
    f.window().patternCommands().setCurrentEditor(f.ui().TargetRE);
    f.prompter.openFile = {f.write(u"p.txt"_s, "text")};
    QString caption;
    QStringList panels;
    WindowFixture::whenModal([&](QWidget *modal) {
        caption = modal->windowTitle();
        for (const char *name : {"SP", "RP", "FP", "PContinue", "BEdit"}) {
            if (modal->findChild<QWidget *>(QString::fromLatin1(name))->isVisible())
                panels << QString::fromLatin1(name);
        }
        modal->findChild<QAbstractButton *>(u"CancelB"_s)->click();
    });
    f.ui().PasteFromFile->trigger();
    QCOMPARE(caption, u"Выделение блока в файле p.txt"_s);
    QCOMPARE(panels, QStringList{u"SP"_s});
    QCOMPARE(f.ui().TargetRE->patternText(), u"old"_s);
    QCOMPARE(review.windowTitle(), ownCaption);
    // The block was chosen in a document of its own; select mode is over afterwards.
    QVERIFY(!f.window().core().review.reviewState().rsSelect);
    QCOMPARE(f.window().core().review.document().length(), 0);
}

void TestPatternEditor::pasteFromFileTakesTheSelectedBlock_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a word") << 5 << 8 << u"two"_s;
    QTest::newRow("across a line break") << 5 << 15 << u"two\r\nthree"_s;
    QTest::newRow("nothing selected empties the editor") << 4 << 4 << QString();
}

void TestPatternEditor::pasteFromFileTakesTheSelectedBlock()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, expected);
    WindowFixture f;
    f.ui().SourceRE->setPlainText(u"old"_s);
    f.window().patternCommands().setCurrentEditor(f.ui().SourceRE);
    f.prompter.openFile = {f.write(u"block.txt"_s, "one  two\r\nthree\r\n")};
    WindowFixture::whenModal([&](QWidget *modal) {
        f.program().reviewDialog().view()->setSelection(from, to);
        modal->findChild<QAbstractButton *>(u"OkB"_s)->click();
    });
    f.ui().PasteFromFile->trigger();
    QCOMPARE(f.ui().SourceRE->patternText(), expected);
    QVERIFY(!f.window().core().review.reviewState().rsSelect);
}

void TestPatternEditor::pasteFromFileRefuses_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << u"none.txt"_s << u"error: Cannot open file "_s;
    QTest::newRow("a folder") << u"folder"_s << u"error: Cannot open file "_s;
    QTest::newRow("NUL bytes") << u"bin.txt"_s << u"error: Failed to Load Stream"_s;
}

void TestPatternEditor::pasteFromFileRefuses()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    WindowFixture f;
    ReviewDialog &review = f.program().reviewDialog();
    const QString ownCaption = review.windowTitle();
    f.ui().SourceRE->setPlainText(u"old"_s);
    f.window().patternCommands().setCurrentEditor(f.ui().SourceRE);
    f.write(u"bin.txt"_s, QByteArray("ab\0cd", 5));
    QDir().mkpath(f.path(u"folder"_s));
    f.prompter.openFile = {f.path(file)};
    f.ui().PasteFromFile->trigger();
    QVERIFY2(f.prompter.shown.constLast().startsWith(message),
             qPrintable(f.prompter.shown.constLast()));
    if (message.contains(u"Cannot open"_s))
        QVERIFY(f.prompter.shown.constLast().endsWith(QDir::toNativeSeparators(f.path(file))));
    QVERIFY(!review.isVisible());
    QCOMPARE(review.windowTitle(), ownCaption);
    QCOMPARE(f.ui().SourceRE->patternText(), u"old"_s);
    QVERIFY(!f.window().core().review.reviewState().rsSelect);
}

void TestPatternEditor::pasteFromFileRefusesBinary()
{
    WindowFixture f;
    f.ui().SourceRE->setPlainText(u"old"_s);
    f.window().patternCommands().setCurrentEditor(f.ui().SourceRE);
    f.prompter.openFile = {f.write(u"bin.txt"_s, QByteArray("ab\0cd", 5))};
    f.ui().PasteFromFile->trigger();
    QCOMPARE(f.prompter.shown.constLast(), u"error: Failed to Load Stream"_s);
    QCOMPARE(f.ui().SourceRE->patternText(), u"old"_s);
    QVERIFY(!f.window().core().review.reviewState().rsSelect);
}

void TestPatternEditor::clearActsOnCurrentEditorOnly()
{
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    Ui::MainF &ui = f.ui();
    ui.SourceRE->setPlainText(u"source"_s);
    ui.TargetRE->setPlainText(u"target"_s);
    ui.OperationPC->setCurrentWidget(ui.TargetTS);
    ui.TClearB->click();
    QVERIFY(ui.TargetRE->toPlainText().isEmpty());
    QCOMPARE(ui.SourceRE->toPlainText(), u"source"_s);
}

void TestPatternEditor::insertOpensMenuAtButton()
{
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    Ui::MainF &ui = f.ui();
    ui.OperationPC->setCurrentWidget(ui.SourceTS);
    ui.InsertSB->click();
    QTRY_VERIFY(ui.InsertPM->isVisible());
    QCOMPARE(ui.InsertPM->pos(), ui.InsertSB->mapToGlobal(QPoint(0, 0)));
    ui.InsertPM->hide();
}

QTEST_MAIN(TestPatternEditor)
#include "tst_patterneditor.moc"
