#include "ui/WindowFixture.h"

#include "lang/BuiltinMessages.h"
#include "lang/InterfaceLanguage.h"
#include "lang/MessageCatalogue.h"

#include "review/ReviewDialog.h"
#include "ui/AboutBox.h"
#include "ui/DisplayCheck.h"
#include "ui/FolderDialog.h"
#include "ui/HelpWindow.h"
#include "ui/MenuCaptions.h"
#include "ui/OptionsDialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSysInfo>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtTest>

using namespace Qt::StringLiterals;

// The help pages of both languages, the help window, the about box and the start without a
// display.
class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void everyContextHasItsAnchor_data();
    void everyContextHasItsAnchor();
    void everyContentsLinkExists_data();
    void everyContentsLinkExists();
    void f1OpensTheFocusedControlsTopic();
    void f1WorksInEveryDialog_data();
    void f1WorksInEveryDialog();
    void languageSwitchKeepsPageAndHistory();
    void quotedCaptionsExist_data();
    void quotedCaptionsExist();
    void missingHelpSaysWhichFile();
    void aboutBoxShowsVersionAndComputer();
    void displayCheck_data();
    void displayCheck();
    void programWithoutDisplaySaysSo_data();
    void programWithoutDisplaySaysSo();
};

namespace {

QString helpRoot()
{
    return QDir(QString::fromUtf8(QUORVEX_TESTS_ROOT)).absoluteFilePath(u"../Help"_s);
}

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A caption as the help quotes it: no mnemonic marks, no closing colon, single blanks.
QString plainCaption(QString text)
{
    text.remove(u'&');
    text = text.simplified();
    while (text.endsWith(u':') || text.endsWith(u' '))
        text.chop(1);
    return text;
}

// Every text the interface of the running program shows: the forms' controls, menus and pages,
// and the catalogue's messages.
QSet<QString> interfaceTexts(WindowFixture &f)
{
    QSet<QString> texts;
    const auto add = [&texts](const QString &text) {
        for (const QString &line : text.split(u'\n'))
            texts.insert(plainCaption(line));
    };
    QList<QWidget *> forms{&f.window(), &f.program().folderDialog(), &f.program().reviewDialog(),
                           &f.program().optionsDialog()};
    for (QWidget *form : forms) {
        add(form->windowTitle());
        for (const QWidget *widget : form->findChildren<QWidget *>()) {
            if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
                add(button->text());
            else if (const auto *label = qobject_cast<const QLabel *>(widget))
                add(label->text());
            else if (const auto *group = qobject_cast<const QGroupBox *>(widget))
                add(group->title());
            else if (const auto *tabs = qobject_cast<const QTabWidget *>(widget)) {
                for (int i = 0; i < tabs->count(); ++i)
                    add(tabs->tabText(i));
            }
        }
        for (const QAction *action : form->findChildren<QAction *>())
            add(action->text());
        // A menu may word a shared action its own way.
        for (const QMenu *menu : form->findChildren<QMenu *>()) {
            for (const QAction *action : menu->actions())
                add(MenuCaptions::textIn(menu, action).section(u'\t', 0, 0));
        }
    }
    for (int id : BuiltinMessages::Ids())
        add(f.window().core().messages.LoadMessage(id));
    return texts;
}

// The texts a help page quotes or sets in bold, but not examples (digits, brackets, dots).
QStringList quotedCaptions(const QString &page)
{
    QString body = page;
    body.remove(QRegularExpression(u"<[^>]*>"_s));
    body.replace(u"&quot;"_s, u"\""_s);
    QStringList captions;
    const QRegularExpression quoted(u"[\"«]([^\"«»\n]{1,60})[\"»]"_s);
    const QRegularExpression bold(u"<b>([^<]{1,60})</b>"_s);
    const QRegularExpression example(u"[0-9\\[\\].*/]"_s);
    for (auto it = quoted.globalMatch(body); it.hasNext();)
        captions << it.next().captured(1);
    for (auto it = bold.globalMatch(page); it.hasNext();)
        captions << it.next().captured(1);
    captions.removeIf([&example](const QString &text) { return text.contains(example); });
    return captions;
}

} // namespace

void TestHelp::everyContextHasItsAnchor_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("context");
    for (const QString &language : {u"rus"_s, u"eng"_s}) {
        for (int context : HelpWindow::contexts())
            QTest::addRow("%s %d", qPrintable(language), context) << language << context;
    }
}

void TestHelp::everyContextHasItsAnchor()
{
    QFETCH(QString, language);
    QFETCH(int, context);
    const QString topic = HelpWindow::topicOf(context);
    const QString page = readAll(helpRoot() + u'/' + language + u'/' + topic.section(u'#', 0, 0));
    QVERIFY2(!page.isEmpty(), qPrintable(topic));
    QVERIFY(page.contains(u"name=\"%1\""_s.arg(topic.section(u'#', 1))));
}

void TestHelp::everyContentsLinkExists_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("rus") << u"rus"_s;
    QTest::newRow("eng") << u"eng"_s;
}

void TestHelp::everyContentsLinkExists()
{
    QFETCH(QString, language);
    const QDir folder(helpRoot() + u'/' + language);
    const QStringList pages = folder.entryList({u"*.html"_s}, QDir::Files);
    QCOMPARE(pages, QDir(helpRoot() + u"/rus"_s).entryList({u"*.html"_s}, QDir::Files));
    const QRegularExpression link(u"href=\"([^\"#]+)"_s);
    for (const QString &page : pages) {
        const QString html = readAll(folder.filePath(page));
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(pages.contains(target), qPrintable(page + u" -> "_s + target));
        }
    }
}

void TestHelp::f1OpensTheFocusedControlsTopic()
{
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    f.window().setHelpFolder(helpRoot() + u"/rus/"_s);
    Ui::MainF &ui = f.ui();
    ui.OperationPC->setCurrentWidget(ui.SourceTS);
    QTRY_COMPARE(QApplication::focusWidget(), ui.SourceRE);
    QTest::keyClick(ui.SourceRE, Qt::Key_F1);
    HelpWindow *help = f.window().helpWindow();
    QVERIFY(help->isVisible());
    QCOMPARE(help->browser()->source().fileName(), u"search.html"_s);
    QCOMPARE(help->browser()->source().fragment(), u"context-150"_s);
    QVERIFY(help->browser()->toPlainText().contains(u"Что искать"_s));
    auto *contents = help->findChild<QListWidget *>(u"ContentsLB"_s);
    QCOMPARE(contents->count(), 10);
    f.window().setHelpFolder(helpRoot() + u"/eng/"_s);
    ui.ShowHelp->trigger();
    QCOMPARE(help->browser()->source().fileName(), u"index.html"_s);
    QCOMPARE(contents->item(0)->text(), u"Getting started"_s);
    // Closing the main window closes the help too.
    f.window().close();
    QVERIFY(!help->isVisible());
}

void TestHelp::f1WorksInEveryDialog_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("page");
    QTest::newRow("options") << u"OptionsF"_s << u"review.html"_s;
    QTest::newRow("review") << u"TProcessF"_s << u"review.html"_s;
    QTest::newRow("folder chooser") << u"FolderDF"_s << u"start.html"_s;
}

void TestHelp::f1WorksInEveryDialog()
{
    QFETCH(QString, dialog);
    QFETCH(QString, page);
    WindowFixture f;
    QVERIFY(f.showAndActivate());
    f.window().setHelpFolder(helpRoot() + u"/eng/"_s);
    HelpWindow *help = f.window().helpWindow();
    QDialog *form = dialog == u"OptionsF" ? static_cast<QDialog *>(&f.program().optionsDialog())
        : dialog == u"FolderDF"           ? static_cast<QDialog *>(&f.program().folderDialog())
                                          : static_cast<QDialog *>(&f.program().reviewDialog());
    QString shown;
    bool usable = false;
    bool closedByEsc = false;
    WindowFixture::whenModal([&](QWidget *modal) {
        QWidget *focus = modal->focusWidget() ? modal->focusWidget() : modal;
        QTest::keyClick(focus, Qt::Key_F1);
        shown = help->browser()->source().fileName();
        // A window outside the modal dialog could not be used while it is up.
        usable = help->isVisible() && help->parentWidget() == modal;
        QTest::keyClick(help->browser(), Qt::Key_Escape);
        closedByEsc = !help->isVisible();
        static_cast<QDialog *>(modal)->reject();
    });
    form->exec();
    QCOMPARE(shown, page);
    QVERIFY(usable);
    QVERIFY(closedByEsc);
    QCOMPARE(help->parentWidget(), &f.window());
}

void TestHelp::languageSwitchKeepsPageAndHistory()
{
    WindowFixture f;
    f.window().setHelpFolder(helpRoot() + u"/rus/"_s);
    HelpWindow *help = f.window().helpWindow();
    QVERIFY(help->showContents());
    QVERIFY(help->showContext(150));
    f.window().setHelpFolder(helpRoot() + u"/eng/"_s);
    QCOMPARE(help->browser()->source().fileName(), u"search.html"_s);
    QVERIFY(!help->browser()->toPlainText().contains(u"Что искать"_s));
    QVERIFY(help->browser()->isBackwardAvailable());
    help->browser()->backward();
    QCOMPARE(help->browser()->source().fileName(), u"index.html"_s);
    QCOMPARE(help->browser()->toPlainText().contains(u"Getting started"_s), true);
}

void TestHelp::quotedCaptionsExist_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << u"eng"_s;
    QTest::newRow("Russian") << u"rus"_s;
}

// The help names each control by its caption in the same language.
void TestHelp::quotedCaptionsExist()
{
    QFETCH(QString, language);
    WindowFixture f(WindowFixture::Start::Later);
    f.addLanguageModules();
    if (language == u"rus")
        QVERIFY(!f.write(u"Quorvex.ini"_s,
                         "[Options]\nLanguageEnglish_Checked=False\nLanguageRussian_Checked=True\n")
                     .isEmpty());
    f.start();
    const QSet<QString> texts = interfaceTexts(f);
    QStringList unknown;
    const QDir folder(helpRoot() + u'/' + language);
    for (const QString &name : folder.entryList({u"*.html"_s})) {
        for (const QString &caption : quotedCaptions(readAll(folder.filePath(name)))) {
            if (!texts.contains(plainCaption(caption)))
                unknown << name + u": "_s + caption;
        }
    }
    unknown.removeDuplicates();
    QVERIFY2(unknown.isEmpty(), qPrintable(unknown.join(u'\n')));
}

void TestHelp::missingHelpSaysWhichFile()
{
    WindowFixture f;
    const QString folder = f.path(u"Help/rus/"_s);
    QCOMPARE(f.window().helpFolder(), folder);
    f.ui().ShowHelp->trigger();
    QCOMPARE(f.prompter.shown,
             QStringList{u"error: Cannot open file "_s
                         + QDir::toNativeSeparators(folder + u"index.html"_s)});
}

void TestHelp::aboutBoxShowsVersionAndComputer()
{
    QCoreApplication::setApplicationVersion(u"1.2.3"_s);
    MessageCatalogue messages;
    // The form translates by id: the built-in texts come first, as in the program.
    InterfaceLanguage language(messages);
    QVERIFY(language.installBuiltin());
    AboutBox box(messages);
    QCOMPARE(box.objectName(), u"AboutF"_s);
    QCOMPARE(box.windowTitle(), u"О программе"_s);
    QCOMPARE(box.findChild<QLabel *>(u"VersionL"_s)->text(), u"Версия 1.2.3"_s);
    QCOMPARE(box.findChild<QLabel *>(u"QtL"_s)->text(), QString::fromLatin1(qVersion()));
    QCOMPARE(box.findChild<QLabel *>(u"HostL"_s)->text(), QSysInfo::machineHostName());
    QVERIFY(!box.findChild<QLabel *>(u"UserL"_s)->text().isEmpty());
    QVERIFY(box.findChild<QLabel *>(u"SystemL"_s)->text().contains(QSysInfo::kernelType()));
}

void TestHelp::displayCheck_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<bool>("has");
    QTest::newRow("nothing set") << u""_s << u""_s << u""_s << false;
    QTest::newRow("X display") << u""_s << u":0"_s << u""_s << true;
    QTest::newRow("Wayland") << u""_s << u""_s << u"wayland-0"_s << true;
    QTest::newRow("offscreen needs none") << u"offscreen"_s << u""_s << u""_s << true;
    QTest::newRow("xcb asked, no display") << u"xcb"_s << u""_s << u""_s << false;
}

void TestHelp::displayCheck()
{
    QFETCH(QString, platform);
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    QFETCH(bool, has);
    QCOMPARE(DisplayCheck::hasDisplay(platform, display, wayland), has);
}

void TestHelp::programWithoutDisplaySaysSo_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("says");
    QTest::newRow("C locale: English") << u"C"_s << u"no display"_s;
    QTest::newRow("British English") << u"en_GB.UTF-8"_s << u"no display"_s;
    QTest::newRow("Russian locale: Russian") << u"ru_RU.UTF-8"_s << u"нет дисплея"_s;
}

void TestHelp::programWithoutDisplaySaysSo()
{
    QFETCH(QString, locale);
    QFETCH(QString, says);
    const QString program = QString::fromUtf8(QUORVEX_BINARY_DIR) + u"/src/app/quorvex"_s;
    if (!QFile::exists(program))
        QSKIP("the program is not built");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(u"LANG"_s, locale);
    process.setProcessEnvironment(environment);
    process.start(program, {});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 2);
    const QStringList lines
        = QString::fromLocal8Bit(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines.constFirst().contains(u"quorvex-batch"_s));
    QVERIFY2(lines.constFirst().contains(says), qPrintable(lines.constFirst()));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
