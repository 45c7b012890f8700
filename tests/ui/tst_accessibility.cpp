#include "ui/WindowFixture.h"

#include "review/ReviewDialog.h"
#include "ui/FolderDialog.h"
#include "ui/HelpWindow.h"
#include "ui/OptionsDialog.h"

#include <QAccessible>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QtTest>

using namespace Qt::StringLiterals;

// What a screen reader is told about the windows, in both languages.
class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void hiddenPageIsNotOffered();
};

namespace {

// The roles a user moves to and must hear named.
bool needsName(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::List:
    case QAccessible::Grouping:
    case QAccessible::PageTab:
    case QAccessible::ButtonMenu:
        return true;
    default:
        return false;
    }
}

QString describe(QAccessibleInterface *item)
{
    QObject *object = item->object();
    return u"%1 (%2, role %3)"_s
        .arg(item->text(QAccessible::Name), object ? object->objectName() : u"-"_s)
        .arg(int(item->role()));
}

// Every visible element below `item`, depth first.
void collect(QAccessibleInterface *item, QList<QAccessibleInterface *> &into, int depth = 0)
{
    if (!item || !item->isValid() || depth > 40)
        return;
    into.append(item);
    for (int i = 0; i < item->childCount(); ++i)
        collect(item->child(i), into, depth + 1);
}

} // namespace

void TestAccessibility::everyControlIsNamed_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << u"LanguageEnglish"_s;
    QTest::newRow("Russian") << u"LanguageRussian"_s;
}

void TestAccessibility::everyControlIsNamed()
{
    QFETCH(QString, language);
    const bool english = language == u"LanguageEnglish";
    WindowFixture f(WindowFixture::Start::Later);
    f.addLanguageModules();
    f.start();
    OptionsDialog &options = f.program().optionsDialog();
    options.findChild<QRadioButton *>(language)->setChecked(true);
    options.OkBClick();
    QVERIFY(f.showAndActivate());
    f.window().setHelpFolder(f.path(english ? u"Help/eng/"_s : u"Help/rus/"_s));
    const QRegularExpression cyrillic(u"\\p{Cyrillic}"_s);
    QStringList faults;
    QList<QWidget *> windows{&f.window(), &f.program().folderDialog(), &f.program().reviewDialog(),
                             &options, f.window().helpWindow()};
    for (QWidget *window : windows) {
        window->show();
        QList<QAccessibleInterface *> items;
        collect(QAccessible::queryAccessibleInterface(window), items);
        QHash<QString, QString> named;
        const QList<QAccessible::Role> distinct{QAccessible::Grouping, QAccessible::EditableText,
                                                QAccessible::List, QAccessible::ComboBox};
        for (QAccessibleInterface *item : items) {
            const QString name = item->text(QAccessible::Name);
            const bool shown = !item->state().invisible;
            if (shown && needsName(item->role())) {
                if (name.trimmed().isEmpty())
                    faults << u"no name: "_s + describe(item);
                // A control named after its group says nothing of its own.
                else if (named.contains(name) && distinct.contains(item->role()))
                    faults << u"same name as "_s + named.value(name) + u": "_s + describe(item);
                else
                    named.insert(name, describe(item));
            }
            if (english
                && (name.contains(cyrillic)
                    || item->text(QAccessible::Description).contains(cyrillic)))
                faults << u"Russian in English: "_s + describe(item);
        }
        if (window != &f.window())
            window->hide();
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestAccessibility::hiddenPageIsNotOffered()
{
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    const QString replacePage = f.ui().OperationPC->tabText(2);
    const auto offered = [&f] {
        QStringList tabs;
        QList<QAccessibleInterface *> items;
        collect(QAccessible::queryAccessibleInterface(f.ui().OperationPC->tabBar()), items);
        for (QAccessibleInterface *item : items) {
            if (item->role() == QAccessible::PageTab)
                tabs << item->text(QAccessible::Name);
        }
        return tabs;
    };
    QVERIFY(offered().contains(replacePage));
    f.ui().RCB->setChecked(false);
    QVERIFY(!offered().contains(replacePage));
    QCOMPARE(offered().size(), 3);
    f.ui().RCB->setChecked(true);
    QCOMPARE(offered().size(), 4);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
