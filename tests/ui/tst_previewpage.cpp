#include "ui/WindowFixture.h"

#include "run/PreviewList.h"
#include "ui/FileListCommands.h"
#include "ui/PreviewCommands.h"
#include "ui/PreviewModel.h"
#include "ui/PreviewPage.h"
#include "ui_MainWindow.h"

#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;

// The preview command from the window: its page lists the occurrences by file, Space and a
// file's box untick them, and Apply writes only the ticked ones.
class TestPreviewPage : public QObject {
    Q_OBJECT
private slots:
    void previewTickAndApply();
};

void TestPreviewPage::previewTickAndApply()
{
    WindowFixture f;
    const QString a = f.write(u"data/a.txt"_s, "one two one\r\nthree one\r\n");
    const QString b = f.write(u"data/b.txt"_s, "one\r\n");
    f.prompter.openFiles = {{a, b}};
    f.window().fileCommands().AddFileExecute();
    f.ui().SourceRE->setPlainText(u"one"_s);
    f.ui().TargetRE->setPlainText(u"1"_s);
    QVERIFY(f.showAndActivate());
    QTest::keyClick(f.ui().FilesLB, Qt::Key_F9, Qt::ShiftModifier);

    PreviewPage *page = f.window().previewCommands().page();
    QCOMPARE(f.ui().OperationPC->currentWidget(), page);
    QCOMPARE(f.read(a), QByteArray("one two one\r\nthree one\r\n")); // nothing written yet
    PreviewModel &model = page->model();
    QCOMPARE(model.rowCount(), 2);
    const QModelIndex fileA = model.index(0, 0);
    QCOMPARE(model.rowCount(fileA), 3);
    const QStringList parts = model.index(2, 0, fileA).data(PreviewModel::PartsRole).toStringList();
    QCOMPARE(parts, (QStringList{u"2:7"_s, u"three "_s, u"one"_s, u"1"_s, QString()}));

    // Space on the second occurrence of a.txt; b.txt's own box.
    QTreeView *view = page->view();
    view->setCurrentIndex(model.index(1, 0, fileA));
    QTest::keyClick(view, Qt::Key_Space);
    QCOMPARE(fileA.data(Qt::CheckStateRole).toInt(), int(Qt::PartiallyChecked));
    model.setData(model.index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
    QCOMPARE(page->run().list().tickedCount(), 2);

    page->apply();
    QCOMPARE(f.read(a), QByteArray("1 two one\r\nthree 1\r\n"));
    QCOMPARE(f.read(b), QByteArray("one\r\n"));
    QCOMPARE(f.ui().OperationPC->currentWidget(), f.ui().ReportTS);
    QCOMPARE(f.ui().OperationPC->indexOf(page), -1);
}

QTEST_MAIN(TestPreviewPage)
#include "tst_previewpage.moc"
