#include "ui/WindowFixture.h"

#include "RunFixture.h"
#include "document/Document.h"
#include "review/ReviewTextView.h"
#include "run/PreviewList.h"
#include "ui/FileListCommands.h"
#include "ui/PreviewCommands.h"
#include "ui/PreviewModel.h"
#include "ui/PreviewOccurrenceDialog.h"
#include "ui/PreviewPage.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace Qt::StringLiterals;

// The preview command from the window: its page lists the occurrences by file, Space and a
// file's box untick them, and Apply writes only the ticked ones.
class TestPreviewPage : public QObject {
    Q_OBJECT
private slots:
    void previewTickAndApply();
    void rowsComeWhileTheRunGoes();
    void occurrenceShownWhileRowsPaint();
    void rowsSpreadOverHashBuckets_data();
    void rowsSpreadOverHashBuckets();
};

namespace {

// Lets events through at every chance the run gives, as a window does once a frame.
class EventsHost : public ScriptedHost {
public:
    std::function<void()> duringRun;
    void ProcessPendingEvents() override
    {
        QCoreApplication::processEvents();
        if (duringRun)
            duringRun();
    }
};

} // namespace

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

// The rows of the files listed so far are added while the run goes, each file's row expanded
// and whole; Apply waits for the end. At the end the page shows the whole list.
void TestPreviewPage::rowsComeWhileTheRunGoes()
{
    RunFixture f;
    EventsHost host;
    QStringList files;
    for (int i = 0; i < 12; ++i)
        files << f.write(u"f%1.txt"_s.arg(i, 2, 10, QChar(u'0')), "cat and cat\r\ncat\r\n");
    PreviewPage page(f.core, host);
    page.setRowsInterval(0);
    page.resize(600, 400);
    page.show();
    PreviewModel &model = page.model();
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    bool applyWhileRunning = false;
    int shownWhileRunning = 0;
    host.duringRun = [&] {
        const int files = model.rowCount();
        if (files > 0) // a file shown is whole
            QCOMPARE(model.rowCount(model.index(files - 1, 0)), 3);
        shownWhileRunning = std::max(shownWhileRunning, files);
        applyWhileRunning |= page.findChild<QPushButton *>(u"ApplyB"_s)->isEnabled();
    };
    RunRequest request;
    request.files = files;
    request.searchPattern = u"cat"_s;
    request.replacementPattern = u"dog"_s;
    request.bytePath = true;
    request.workers = 2;
    QVERIFY(page.start(request));

    QVERIFY(shownWhileRunning > 0);
    QVERIFY(inserted.count() > 1);
    QVERIFY(!applyWhileRunning);
    QVERIFY(page.findChild<QPushButton *>(u"ApplyB"_s)->isEnabled());
    QCOMPARE(model.rowCount(), 12);
    for (int i = 0; i < 12; ++i) {
        const QModelIndex file = model.index(i, 0);
        QVERIFY(page.view()->isExpanded(file));
        QCOMPARE(model.rowCount(file), 3);
        QCOMPARE(model.index(2, 0, file).data(PreviewModel::PartsRole).toStringList(),
                 (QStringList{u"2:1"_s, QString(), u"cat"_s, u"dog"_s, QString()}));
    }
    QCOMPARE(page.view()->currentIndex(), model.index(0, 0));
}

// An occurrence shown in its file stays in that file while the rows of other files are
// painted behind the dialog.
void TestPreviewPage::occurrenceShownWhileRowsPaint()
{
    RunFixture f;
    const QString a = f.write(u"a.txt"_s, "first cat\r\n");
    const QString b = f.write(u"b.txt"_s, "second file, its cat\r\n");
    PreviewPage page(f.core, f.host);
    RunRequest request;
    request.files = {a, b};
    request.searchPattern = u"cat"_s;
    request.replacementPattern = u"dog"_s;
    QVERIFY(page.start(request));
    PreviewModel &model = page.model();
    QString shown;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<PreviewOccurrenceDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        model.index(0, 0, model.index(1, 0)).data(PreviewModel::PartsRole); // b.txt's row
        shown = dialog->view()->document()->text();
        dialog->reject();
    });
    emit page.view()->activated(model.index(0, 0, model.index(0, 0)));
    QCOMPARE(shown, u"first cat\r\n"_s);
}

// Qt hashes an index by its row and internal id; a big preview's persistent indexes (a file
// expanded, rows selected) must not crowd a few buckets, or expanding 20,000 files takes
// minutes. Each row's index is still found again from its own.
void TestPreviewPage::rowsSpreadOverHashBuckets_data()
{
    QTest::addColumn<bool>("occurrences");
    QTest::newRow("files") << false;
    QTest::newRow("occurrences") << true;
}

void TestPreviewPage::rowsSpreadOverHashBuckets()
{
    QFETCH(bool, occurrences);
    PreviewList list;
    for (int i = 0; i < 2048; ++i) {
        list.addFile(u"f%1"_s.arg(i), std::nullopt);
        for (int k = 0; k < 5; ++k)
            list.add(k * 10, 3, u"x"_s);
    }
    PreviewModel model(list);
    model.reload();
    QList<QModelIndex> rows;
    for (int i = 0; i < 2048; ++i) {
        const QModelIndex file = model.index(i, 0);
        if (!occurrences)
            rows << file;
        for (int k = 0; occurrences && k < 5; ++k)
            rows << model.index(k, 0, file);
    }
    // A table twice as big as its keys, as a hash keeps it.
    const size_t buckets = 4 * 2048 * (occurrences ? 5 : 1);
    QSet<size_t> used;
    for (const QModelIndex &row : rows) {
        used.insert(qHash(row, 0) & (buckets - 1));
        QCOMPARE(model.index(row.row(), 0, model.parent(row)), row);
        QCOMPARE(model.fileOf(row), occurrences ? model.parent(row).row() : row.row());
        QCOMPARE(bool(model.flags(row) & Qt::ItemNeverHasChildren), occurrences);
    }
    QVERIFY2(used.size() > rows.size() / 2, qPrintable(QString::number(used.size())));
}

QTEST_MAIN(TestPreviewPage)
#include "tst_previewpage.moc"
