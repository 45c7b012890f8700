#include "ui/WindowFixture.h"

#include "options/OptionState.h"
#include "ui/FileListCommands.h"
#include "ui/FileListModel.h"
#include "ui/FolderDialog.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

using namespace Qt::StringLiterals;

// The file list: folder scans, removing entries, ".lst" files, the count label, the popup
// menus and files dropped from a file manager.
class TestFileList : public QObject {
    Q_OBJECT
private slots:
    void scanOrderAndFilter_data();
    void scanOrderAndFilter();
    void addDirUsesTheChooser();
    void addFileAppendsAndSelectsFirst();
    void removeFiles_data();
    void removeFiles();
    void removeAllAsks_data();
    void removeAllAsks();
    void listRoundTrip_data();
    void listRoundTrip();
    void loadSelectsMissingEntries();
    void loadUnreadableListKeepsList();
    void saveForcesExtensionAndCrLf_data();
    void saveForcesExtensionAndCrLf();
    void saveAsksBeforeReplacingList_data();
    void saveAsksBeforeReplacingList();
    void popupsOpenAtTheirButtons();
    void droppedFolderIsScanned();
};

namespace {

QStringList relative(const QString &root, const QStringList &paths)
{
    QStringList list;
    for (const QString &path : paths)
        list << QDir(root).relativeFilePath(path);
    return list;
}

void select(FileListView *view, const QList<int> &rows, int focus)
{
    QItemSelectionModel *model = view->selectionModel();
    model->clear();
    if (focus >= 0)
        model->setCurrentIndex(view->model()->index(focus, 0), QItemSelectionModel::NoUpdate);
    for (int row : rows)
        model->select(view->model()->index(row, 0), QItemSelectionModel::Select);
}

QList<int> selectedRows(FileListView *view)
{
    QList<int> rows;
    for (const QModelIndex &index : view->selectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

void TestFileList::scanOrderAndFilter_data()
{
    QTest::addColumn<bool>("recurse");
    QTest::addColumn<QStringList>("extensions");
    QTest::addColumn<QStringList>("expected");
    const QStringList all = OptionState::DefaultExtensionList();
    QTest::newRow("recursive, all extensions")
        << true << all << QStringList{u".hidden.htm"_s, u"B.HTM"_s,     u"a.htm"_s,
                                      u"c.Txt"_s,       u"sub/d.rtf"_s, u"sub/deeper/f.TXT"_s,
                                      u"sub2/g.html"_s};
    QTest::newRow("this folder only")
        << false << all << QStringList{u".hidden.htm"_s, u"B.HTM"_s, u"a.htm"_s, u"c.Txt"_s};
    QTest::newRow("only .HTM") << true << QStringList{u".HTM"_s}
                               << QStringList{u".hidden.htm"_s, u"B.HTM"_s, u"a.htm"_s};
    QTest::newRow("no extension enabled") << true << QStringList{} << QStringList{};
}

void TestFileList::scanOrderAndFilter()
{
    QFETCH(bool, recurse);
    QFETCH(QStringList, extensions);
    QFETCH(QStringList, expected);
    WindowFixture f;
    for (const char *name : {"root/a.htm", "root/B.HTM", "root/c.Txt", "root/page.htm.bak",
                             "root/noext", "root/.hidden.htm", "root/sub/d.rtf",
                             "root/sub/deeper/f.TXT", "root/.hid/e.htm", "root/sub2/g.html"})
        f.write(QString::fromLatin1(name), "x");
    f.window().core().options.ExtensionList = extensions;
    const QString root = f.path(u"root"_s);
    f.window().fileCommands().addFolder(root, recurse);
    QCOMPARE(relative(root, f.window().fileList()), expected);
    // Adding the same folder twice lists its files twice.
    f.window().fileCommands().addFolder(root, recurse);
    QCOMPARE(f.window().fileList().size(), expected.size() * 2);
}

void TestFileList::addDirUsesTheChooser()
{
    WindowFixture f;
    f.write(u"tree/a.txt"_s, "x");
    f.write(u"tree/sub/b.txt"_s, "x");
    f.window().core().options.ExtensionList = OptionState::DefaultExtensionList();
    FolderDialog &chooser = f.program().folderDialog();
    const QString tree = f.path(u"tree"_s);
    WindowFixture::whenModal([&](QWidget *modal) {
        QCOMPARE(modal, &chooser);
        chooser.setOpenFolder(tree);
        chooser.findChild<QCheckBox *>(u"RecurseCB"_s)->setChecked(true);
        chooser.accept();
    });
    f.ui().AddDir->trigger();
    QCOMPARE(relative(tree, f.window().fileList()), (QStringList{u"a.txt"_s, u"sub/b.txt"_s}));
    QCOMPARE(f.ui().CountFilesL->text(), u"Общее количество файлов: 2"_s);
    // Cancelled: nothing is added, the count is refreshed all the same.
    WindowFixture::whenModal([](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); });
    f.ui().AddDir->trigger();
    QCOMPARE(f.window().fileList().size(), 2);
}

void TestFileList::addFileAppendsAndSelectsFirst()
{
    WindowFixture f;
    const QString a = f.write(u"a.txt"_s, "x");
    const QString b = f.write(u"b.txt"_s, "x");
    f.prompter.openFiles = {{a, b}, {b}};
    f.ui().AddFile->trigger();
    QCOMPARE(f.window().fileList(), (QStringList{a, b}));
    QCOMPARE(selectedRows(f.ui().FilesLB), QList<int>{0});
    select(f.ui().FilesLB, {1}, 1);
    f.ui().AddFile->trigger();
    QCOMPARE(f.window().fileList(), (QStringList{a, b, b}));
    QCOMPARE(selectedRows(f.ui().FilesLB), (QList<int>{0, 1}));
    QCOMPARE(f.ui().FilesLB->currentIndex().row(), 0);
    QCOMPARE(f.ui().CountFilesL->text(), u"Общее количество файлов: 3"_s);
    // Cancelled: the list stays, the count is refreshed.
    f.ui().AddFile->trigger();
    QCOMPARE(f.window().fileList().size(), 3);
}

void TestFileList::removeFiles_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<int>("selectedAfter");
    QTest::newRow("nothing selected keeps the focused entry selected")
        << 4 << QList<int>{} << 2 << QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s} << 2;
    QTest::newRow("block in the middle holding the focus: the entry after it")
        << 6 << QList<int>{2, 3} << 3 << QStringList{u"0"_s, u"1"_s, u"4"_s, u"5"_s} << 2;
    QTest::newRow("focus on an unselected entry after the block")
        << 6 << QList<int>{1, 2} << 4 << QStringList{u"0"_s, u"3"_s, u"4"_s, u"5"_s} << 2;
    QTest::newRow("focus on an unselected entry before the block")
        << 6 << QList<int>{3, 4} << 1 << QStringList{u"0"_s, u"1"_s, u"2"_s, u"5"_s} << 1;
    QTest::newRow("removing the tail moves the focus to the last entry")
        << 5 << QList<int>{3, 4} << 4 << QStringList{u"0"_s, u"1"_s, u"2"_s} << 2;
    QTest::newRow("scattered selection")
        << 7 << QList<int>{0, 2, 6} << 2 << QStringList{u"1"_s, u"3"_s, u"4"_s, u"5"_s} << 1;
    QTest::newRow("everything") << 3 << QList<int>{0, 1, 2} << 1 << QStringList{} << -1;
    QTest::newRow("no focus position counts as the first entry")
        << 4 << QList<int>{1} << -1 << QStringList{u"0"_s, u"2"_s, u"3"_s} << 0;
}

void TestFileList::removeFiles()
{
    QFETCH(int, count);
    QFETCH(QList<int>, selected);
    QFETCH(int, focus);
    QFETCH(QStringList, remaining);
    QFETCH(int, selectedAfter);
    WindowFixture f;
    QStringList entries;
    for (int i = 0; i < count; ++i)
        entries << QString::number(i);
    auto *model = qobject_cast<FileListModel *>(f.ui().FilesLB->model());
    model->setFiles(entries);
    select(f.ui().FilesLB, selected, focus);
    f.ui().RemoveFiles->trigger();
    QCOMPARE(f.window().fileList(), remaining);
    const QList<int> expected = selectedAfter < 0 ? QList<int>{} : QList<int>{selectedAfter};
    QCOMPARE(selectedRows(f.ui().FilesLB), expected);
    if (selectedAfter >= 0)
        QCOMPARE(f.ui().FilesLB->currentIndex().row(), selectedAfter);
    QCOMPARE(f.ui().CountFilesL->text(), u"Общее количество файлов: %1"_s.arg(remaining.size()));
}

void TestFileList::removeAllAsks_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("yes clears") << true;
    QTest::newRow("no changes nothing") << false;
}

void TestFileList::removeAllAsks()
{
    QFETCH(bool, answer);
    WindowFixture f;
    auto *model = qobject_cast<FileListModel *>(f.ui().FilesLB->model());
    model->setFiles({u"a"_s, u"b"_s});
    f.prompter.yesNo = {answer};
    f.ui().RemoveAll->trigger();
    QCOMPARE(f.prompter.shown, QStringList{u"question: Подтверждение: Убрать все файлы ?"_s});
    QCOMPARE(f.window().fileList().size(), answer ? 0 : 2);
    // After No the label is not refreshed either.
    QCOMPARE(f.ui().CountFilesL->text(),
             answer ? u"Общее количество файлов: 0"_s : u"Общее количество файлов: 0"_s);
}

void TestFileList::listRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("entries");
    QTest::newRow("CR LF with a final break") << QByteArray("A\r\nB\r\nC\r\n") << 3;
    QTest::newRow("lone LF") << QByteArray("A\nB\nC\n") << 3;
    QTest::newRow("no final break") << QByteArray("A\r\nB\r\nC") << 3;
    QTest::newRow("empty line inside") << QByteArray("A\r\n\r\nC\r\n") << 3;
}

void TestFileList::listRoundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, entries);
    WindowFixture f;
    QByteArray content = bytes;
    content.replace('A', f.path(u"a.txt"_s).toUtf8()).replace('B', f.path(u"b.txt"_s).toUtf8());
    content.replace('C', f.path(u"c.txt"_s).toUtf8());
    const QString list = f.write(u"in.lst"_s, content);
    f.prompter.openFile = {list};
    f.ui().LoadFileList->trigger();
    QCOMPARE(f.window().fileList().size(), entries);
    f.prompter.saveFiles = {{f.path(u"out"_s), 1}};
    f.ui().SaveFileList->trigger();
    QByteArray expected;
    for (const QString &entry : f.window().fileList())
        expected += entry.toUtf8() + "\r\n";
    QCOMPARE(f.read(f.path(u"out.lst"_s)), expected);
}

void TestFileList::loadSelectsMissingEntries()
{
    WindowFixture f;
    const QString a = f.write(u"a.txt"_s, "x");
    const QString c = f.write(u"c.txt"_s, "x");
    const QString list = f.write(u"l.lst"_s,
                                 (a + u"\r\n"_s + f.path(u"gone.txt"_s) + u"\r\n"_s + c + u"\r\n"_s
                                  + f.dir.path() + u"\r\n"_s)
                                     .toUtf8());
    auto *model = qobject_cast<FileListModel *>(f.ui().FilesLB->model());
    model->setFiles({u"old"_s});
    f.prompter.openFile = {list};
    f.ui().LoadFileList->trigger();
    QCOMPARE(f.window().fileList().size(), 4);
    // A folder is no file either.
    QCOMPARE(selectedRows(f.ui().FilesLB), (QList<int>{1, 3}));
    QCOMPARE(f.prompter.shown.constLast(),
             u"message: Рекомендуется убрать выделенные файлы, т.к. они не существуют"_s);
    QVERIFY(f.prompter.filters.constLast().startsWith(u"Списки Quorvex ("_s));
    QCOMPARE(f.ui().CountFilesL->text(), u"Общее количество файлов: 4"_s);
}

void TestFileList::loadUnreadableListKeepsList()
{
    WindowFixture f;
    auto *model = qobject_cast<FileListModel *>(f.ui().FilesLB->model());
    model->setFiles({u"kept"_s});
    f.prompter.openFile = {f.path(u"none.lst"_s)};
    f.ui().LoadFileList->trigger();
    QCOMPARE(f.window().fileList(), QStringList{u"kept"_s});
    QVERIFY(f.prompter.shown.constLast().startsWith(u"error: Cannot open file "_s));
}

void TestFileList::saveForcesExtensionAndCrLf_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("list.txt") << u"list.txt"_s << u"list.lst"_s;
    QTest::newRow("a.b.txt") << u"a.b.txt"_s << u"a.b.lst"_s;
    QTest::newRow("no extension") << u"list"_s << u"list.lst"_s;
}

void TestFileList::saveForcesExtensionAndCrLf()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    WindowFixture f;
    auto *model = qobject_cast<FileListModel *>(f.ui().FilesLB->model());
    model->setFiles({u"/x/1.htm"_s, u"/x/2.htm"_s});
    f.prompter.saveFiles = {{f.path(typed), 1}};
    f.ui().SaveFileList->trigger();
    QCOMPARE(f.read(f.path(written)), QByteArray("/x/1.htm\r\n/x/2.htm\r\n"));
    // An empty list saves as an empty file.
    model->clear();
    f.prompter.yesNo = {true};
    f.prompter.saveFiles = {{f.path(typed), 1}};
    f.ui().SaveFileList->trigger();
    QCOMPARE(f.read(f.path(written)), QByteArray());
}

void TestFileList::saveAsksBeforeReplacingList_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("yes replaces") << true;
    QTest::newRow("no keeps the old list") << false;
}

void TestFileList::saveAsksBeforeReplacingList()
{
    QFETCH(bool, answer);
    WindowFixture f;
    const QString old = f.write(u"list.lst"_s, "old\r\n");
    auto *model = qobject_cast<FileListModel *>(f.ui().FilesLB->model());
    model->setFiles({u"new"_s});
    f.prompter.yesNo = {answer};
    f.prompter.saveFiles = {{f.path(u"list.txt"_s), 1}};
    f.ui().SaveFileList->trigger();
    QCOMPARE(f.prompter.shown.constLast(),
             u"question: Подтверждение: Файл %1 уже существует. Заменить?"_s.arg(
                 QDir::toNativeSeparators(old)));
    QCOMPARE(f.read(old), answer ? QByteArray("new\r\n") : QByteArray("old\r\n"));
}

void TestFileList::popupsOpenAtTheirButtons()
{
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    Ui::MainF &ui = f.ui();
    const QList<std::pair<QPushButton *, QMenu *>> pairs = {
        {ui.FileListBB, ui.FileListPM}, {ui.AddFileB, ui.AddFilePM}, {ui.SubFileB, ui.SubFilePM}};
    for (const auto &[button, menu] : pairs) {
        button->click();
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), button->mapToGlobal(QPoint(0, 0)));
        menu->hide();
    }
    // The add and remove menus hold the two list actions each.
    QCOMPARE(ui.AddFilePM->actions(), (QList<QAction *>{ui.AddFile, ui.AddDir}));
    QCOMPARE(ui.SubFilePM->actions(), (QList<QAction *>{ui.RemoveFiles, ui.RemoveAll}));
    QCOMPARE(ui.FileListPM->actions(), (QList<QAction *>{ui.LoadFileList, ui.SaveFileList}));
}

void TestFileList::droppedFolderIsScanned()
{
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    f.write(u"drop/a.htm"_s, "x");
    f.write(u"drop/sub/b.htm"_s, "x");
    f.write(u"drop/skip.bin"_s, "x");
    const QString single = f.write(u"single.txt"_s, "x");
    f.window().core().options.ExtensionList = OptionState::DefaultExtensionList();
    f.program().folderDialog().findChild<QCheckBox *>(u"RecurseCB"_s)->setChecked(true);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(f.path(u"drop"_s)), QUrl::fromLocalFile(single)});
    QWidget *viewport = f.ui().FilesLB->viewport();
    const QPointF at(10, 10);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &drop);
    QCOMPARE(relative(f.dir.path(), f.window().fileList()),
             (QStringList{u"drop/a.htm"_s, u"drop/sub/b.htm"_s, u"single.txt"_s}));
    QCOMPARE(f.ui().CountFilesL->text(), u"Общее количество файлов: 3"_s);
}

QTEST_MAIN(TestFileList)
#include "tst_filelist.moc"
