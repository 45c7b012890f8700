#include "ui/FolderDialog.h"

#include "lang/InterfaceLanguage.h"
#include "lang/MessageCatalogue.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

// The folder chooser: its result is the open folder, StoredFolder is restored only when it
// names an existing folder, Ctrl+Enter accepts, and the options dialog's use hides the
// sub-folder switch.
class TestFolderDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void namesAndTexts();
    void resultIsTheOpenFolder();
    void storedFolder_data();
    void storedFolder();
    void keys_data();
    void keys();
    void listKeysOpenFolders_data();
    void listKeysOpenFolders();
    void chooserForBackupsHidesRecurse();
    void longFolderIsKeptWhole();
    void drivesStartWithRoot();
    void currentFolderNeverChanges();

private:
    MessageCatalogue m_messages;
    InterfaceLanguage m_language{m_messages};
};

// The form translates by id: the built-in texts come first, as in the program.
void TestFolderDialog::initTestCase()
{
    QVERIFY(m_language.installBuiltin());
}

namespace {

QListWidget *folderList(FolderDialog &dialog)
{
    return dialog.findChild<QListWidget *>(u"DirLB"_s);
}

QLabel *dirLabel(FolderDialog &dialog)
{
    return dialog.findChild<QLabel *>(u"DirLabel"_s);
}

int rowOf(QListWidget *list, const QString &path)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->data(Qt::UserRole).toString() == path)
            return i;
    }
    return -1;
}

} // namespace

void TestFolderDialog::namesAndTexts()
{
    FolderDialog dialog;
    QCOMPARE(dialog.objectName(), u"FolderDF"_s);
    QCOMPARE(dialog.windowTitle(), u"Выбор каталога"_s);
    QCOMPARE(dialog.findChild<QLabel *>(u"DrivesL"_s)->text(), u"Диски:"_s);
    QCOMPARE(dialog.findChild<QLabel *>(u"DirsL"_s)->text(), u"Каталоги:"_s);
    QCOMPARE(dialog.findChild<QCheckBox *>(u"RecurseCB"_s)->text(), u"Включая подкаталоги"_s);
    auto *ok = dialog.findChild<QPushButton *>(u"OkBB"_s);
    QCOMPARE(ok->text(), u"\u041Ek"_s); // the first letter is the Cyrillic О
    QVERIFY(ok->isDefault());
    QCOMPARE(dialog.findChild<QPushButton *>(u"CancelBB"_s)->text(), u"Отмена"_s);
    QVERIFY(dialog.findChild<QComboBox *>(u"DriveCB"_s));
    // A fixed dialog: the user cannot resize it.
    dialog.show();
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
}

void TestFolderDialog::resultIsTheOpenFolder()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"top/one"_s);
    QDir(dir.path()).mkpath(u"top/two"_s);
    FolderDialog dialog;
    const QString top = dir.filePath(u"top"_s);
    QVERIFY(dialog.setOpenFolder(top));
    QListWidget *list = folderList(dialog);
    const int one = rowOf(list, dir.filePath(u"top/one"_s));
    QVERIFY(one > 0);
    // Highlighting a row does not open it.
    list->setCurrentRow(one);
    QTimer::singleShot(0, &dialog,
                       [&dialog] { dialog.findChild<QPushButton *>(u"OkBB"_s)->click(); });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.openFolder(), top);
    // A double click opens it.
    emit list->itemDoubleClicked(list->item(rowOf(list, dir.filePath(u"top/two"_s))));
    QCOMPARE(dialog.openFolder(), dir.filePath(u"top/two"_s));
    QCOMPARE(dirLabel(dialog)->text(), QDir::toNativeSeparators(dir.filePath(u"top/two"_s)));
    // The rows from the root down, then the sub-folders.
    QCOMPARE(list->item(0)->data(Qt::UserRole).toString(), u"/"_s);
}

void TestFolderDialog::storedFolder_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("restored");
    QTest::newRow("existing folder") << u"kept"_s << true;
    QTest::newRow("deleted folder") << u"gone"_s << false;
    QTest::newRow("shortened with ...") << u"..."_s << false;
    QTest::newRow("relative path") << u"relative"_s << false;
    QTest::newRow("empty") << u""_s << false;
}

void TestFolderDialog::storedFolder()
{
    QFETCH(QString, stored);
    QFETCH(bool, restored);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"kept"_s);
    QDir(dir.path()).mkpath(u"last"_s);
    FolderDialog dialog;
    QVERIFY(dialog.setOpenFolder(dir.filePath(u"last"_s)));
    QString text = stored;
    if (stored == u"kept"_s || stored == u"gone"_s)
        text = dir.filePath(stored);
    else if (stored == u"..."_s)
        text = dir.path().left(5) + u"...kept"_s;
    else if (stored == u"relative"_s)
        text = u"kept"_s;
    dirLabel(dialog)->setText(text);
    QTimer::singleShot(0, &dialog, &QDialog::reject);
    dialog.exec();
    QCOMPARE(dialog.openFolder(), restored ? dir.filePath(u"kept"_s) : dir.filePath(u"last"_s));
}

void TestFolderDialog::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("result");
    QTest::newRow("Ctrl+Enter in the folder list")
        << int(Qt::Key_Return) << int(Qt::ControlModifier) << int(QDialog::Accepted);
    QTest::newRow("Ctrl+keypad Enter")
        << int(Qt::Key_Enter) << int(Qt::ControlModifier | Qt::KeypadModifier)
        << int(QDialog::Accepted);
    QTest::newRow("Enter presses Оk") << int(Qt::Key_Return) << 0 << int(QDialog::Accepted);
    QTest::newRow("Esc cancels") << int(Qt::Key_Escape) << 0 << int(QDialog::Rejected);
}

void TestFolderDialog::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, result);
    FolderDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        QListWidget *list = folderList(dialog);
        list->setFocus();
        QTest::keyClick(list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    });
    QTimer::singleShot(2000, &dialog, [&dialog] { dialog.done(99); });
    QCOMPARE(dialog.exec(), result);
}

void TestFolderDialog::listKeysOpenFolders_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("highlighted");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("highlightedAfter");
    QTest::newRow("Enter on a sub-folder")
        << int(Qt::Key_Return) << u"top/one"_s << u"top/one"_s << u"top/one"_s;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << u"top/two"_s << u"top/two"_s
                                  << u"top/two"_s;
    QTest::newRow("Right on a sub-folder")
        << int(Qt::Key_Right) << u"top/one"_s << u"top/one"_s << u"top/one"_s;
    QTest::newRow("Enter on a folder above") << int(Qt::Key_Return) << u""_s << u""_s << u""_s;
    QTest::newRow("Backspace goes up")
        << int(Qt::Key_Backspace) << u"top/one"_s << u""_s << u"top"_s;
    QTest::newRow("Left goes up") << int(Qt::Key_Left) << u"top"_s << u""_s << u"top"_s;
}

void TestFolderDialog::listKeysOpenFolders()
{
    QFETCH(int, key);
    QFETCH(QString, highlighted);
    QFETCH(QString, opened);
    QFETCH(QString, highlightedAfter);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"top/one"_s);
    QDir(dir.path()).mkpath(u"top/two"_s);
    const auto full
        = [&dir](const QString &name) { return name.isEmpty() ? dir.path() : dir.filePath(name); };
    FolderDialog dialog;
    QVERIFY(dialog.setOpenFolder(full(u"top"_s)));
    QListWidget *list = folderList(dialog);
    bool stayedOpen = false;
    QTimer::singleShot(0, &dialog, [&] {
        list->setFocus();
        list->setCurrentRow(rowOf(list, full(highlighted)));
        QTest::keyClick(list, Qt::Key(key));
        stayedOpen = dialog.isVisible();
        dialog.done(99);
    });
    QCOMPARE(dialog.exec(), 99);
    QVERIFY(stayedOpen);
    QCOMPARE(dialog.openFolder(), full(opened));
    QCOMPARE(list->currentItem()->data(Qt::UserRole).toString(), full(highlightedAfter));
}

void TestFolderDialog::chooserForBackupsHidesRecurse()
{
    QTemporaryDir dir;
    FolderDialog dialog;
    auto *recurse = dialog.findChild<QCheckBox *>(u"RecurseCB"_s);
    bool hiddenWhileShown = false;
    QTimer::singleShot(0, &dialog, [&] {
        hiddenWhileShown = recurse->isHidden();
        dialog.accept();
    });
    const std::optional<QString> chosen = dialog.chooseFolder(dir.path());
    QVERIFY(hiddenWhileShown);
    QVERIFY(!recurse->isHidden());
    QCOMPARE(chosen, std::optional<QString>(QDir::cleanPath(dir.path())));
    QTimer::singleShot(0, &dialog, &QDialog::reject);
    QCOMPARE(dialog.chooseFolder(QString()), std::nullopt);
    QVERIFY(!recurse->isHidden());
}

void TestFolderDialog::longFolderIsKeptWhole()
{
    QTemporaryDir dir;
    const QString deep = dir.filePath(QString(60, u'a') + u'/' + QString(60, u'b'));
    QVERIFY(QDir().mkpath(deep));
    FolderDialog dialog;
    dialog.show();
    QVERIFY(dialog.setOpenFolder(deep));
    QCOMPARE(dirLabel(dialog)->text(), QDir::toNativeSeparators(deep));
    QVERIFY(dirLabel(dialog)->width() < dialog.fontMetrics().horizontalAdvance(deep));
}

void TestFolderDialog::drivesStartWithRoot()
{
    QStringList drives = FolderDialog::drives();
    QVERIFY(!drives.isEmpty());
    QCOMPARE(drives.constFirst(), u"/"_s);
    QCOMPARE(drives.removeDuplicates(), 0);
}

void TestFolderDialog::currentFolderNeverChanges()
{
    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    FolderDialog dialog;
    QVERIFY(dialog.setOpenFolder(dir.path()));
    QCOMPARE(QDir::currentPath(), before);
}

QTEST_MAIN(TestFolderDialog)
#include "tst_folderdialog.moc"
