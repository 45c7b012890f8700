#include "ui/ScriptedPrompter.h"

#include "document/Cp1251.h"
#include "lang/InterfaceLanguage.h"
#include "lang/MessageCatalogue.h"
#include "rtf/RtfDocument.h"
#include "ui/ReportPage.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList SampleReport{
    u"Изменен файл /home/u/a.htm. Кол-во замен - 2/3"_s,
    u"Файл /home/u/b.htm не изменен."_s,
    QString(),
    u"------------------------------------"_s,
    u"Итого:"_s,
    u"Tab\there, braces {} and a backslash \\"_s,
};

struct Page {
    Page()
    {
        page.clear();
        for (const QString &line : SampleReport)
            page.appendLine(line);
        page.finish();
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir;
    MessageCatalogue messages;
    // The form translates by id: the built-in texts come first, as in the program.
    InterfaceLanguage language{messages};
    bool builtin = language.installBuiltin();
    ScriptedPrompter prompter;
    ReportPage page{messages, prompter};
};

QString rtfText(const QByteArray &bytes)
{
    const std::optional<RtfDocument> rtf = RtfDocument::fromRtf(bytes);
    return rtf ? rtf->plainText() : u"<not RTF>"_s;
}

// The pages of a PDF as Qt writes it: one "/Type /Page" object each.
int pdfPages(const QByteArray &pdf)
{
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0;
         at = pdf.indexOf("/Type /Page", at + 1))
        if (pdf.at(at + 11) != 's')
            ++pages;
    return pages;
}

} // namespace

class TestReportPage : public QObject {
    Q_OBJECT

private slots:
    void readableOnADarkDesktop();
    void linesReachTheEditorInBatches_data();
    void linesReachTheEditorInBatches();
    void runFillsTheReport();
    void save_data();
    void save();
    void textFallsBackToUtf8_data();
    void textFallsBackToUtf8();
    void emptyReport_data();
    void emptyReport();
    void savedRtfUsesTheReportsFont();
    void unwritablePath_data();
    void unwritablePath();
    void failedSaveKeepsTheOldFile();
    void filterIsRemembered();
    void cancelledSaveWritesNothing();
    void printsOneJob_data();
    void printsOneJob();
    void printErrorIsShown();
    void cancelledPrintPrintsNothing();
    void boundActionsRunOnce();
    void okAsksForTheFileList();
    void languageChangeRetranslates();
};

void TestReportPage::linesReachTheEditorInBatches_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("the run ends") << u"finish"_s;
    QTest::newRow("the page is shown during the run") << u"show"_s;
    QTest::newRow("a moment passes") << u"wait"_s;
}

void TestReportPage::linesReachTheEditorInBatches()
{
    QFETCH(QString, how);
    Page p;
    p.page.clear();
    for (const QString &line : SampleReport)
        p.page.appendLine(line);
    // The report is whole at once, wherever its lines are.
    QCOMPARE(p.page.lines(), SampleReport);
    QVERIFY(p.page.reportEditor()->toPlainText().isEmpty());
    if (how == u"finish")
        p.page.finish();
    else if (how == u"show")
        p.page.show();
    const QString expected = SampleReport.join(u'\n');
    if (how == u"wait")
        QTRY_COMPARE(p.page.reportEditor()->toPlainText(), expected);
    else
        QCOMPARE(p.page.reportEditor()->toPlainText(), expected);
    QCOMPARE(p.page.lines(), SampleReport);
    p.page.appendLine(u"after"_s);
    p.page.finish();
    QCOMPARE(p.page.lines(), SampleReport + QStringList{u"after"_s});
    QCOMPARE(p.page.reportEditor()->isReadOnly(), true);
    // A new run starts from nothing, with nothing left over.
    p.page.appendLine(u"pending"_s);
    p.page.clear();
    QVERIFY(p.page.lines().isEmpty());
    QTest::qWait(300);
    QVERIFY(p.page.reportEditor()->toPlainText().isEmpty());
}

void TestReportPage::runFillsTheReport()
{
    Page p;
    QCOMPARE(p.page.lines(), SampleReport);
    QVERIFY(p.page.reportEditor()->isReadOnly());
    QCOMPARE(p.page.reportEditor()->objectName(), u"ReportRE"_s);
    for (const char *name : {"PanelB", "BitBtn1", "SaveReportBB", "BitBtn3"})
        QVERIFY(p.page.findChild<QWidget *>(QString::fromLatin1(name)));
    p.page.clear();
    QVERIFY(p.page.lines().isEmpty());
    p.page.appendLine(QString());
    p.page.appendLine(u"x"_s);
    p.page.finish();
    QCOMPARE(p.page.lines(), (QStringList{QString(), u"x"_s}));
}

void TestReportPage::save_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("rtf");

    QTest::newRow("Текстовый файл, no extension: .TXT")
        << 1 << u"report"_s << u"report.TXT"_s << false;
    QTest::newRow("Документ RTF, no extension: .RTF")
        << 2 << u"report"_s << u"report.RTF"_s << true;
    QTest::newRow("Текстовый файл named .rtf: text")
        << 1 << u"report.rtf"_s << u"report.rtf"_s << false;
    QTest::newRow("Документ RTF named .txt: RTF")
        << 2 << u"report.txt"_s << u"report.txt"_s << true;
    QTest::newRow("a dot in the folder only")
        << 1 << u"a.b/report"_s << u"a.b/report.TXT"_s << false;
}

void TestReportPage::save()
{
    QFETCH(int, filter);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(bool, rtf);

    Page p;
    QDir(p.dir.path()).mkpath(u"a.b"_s);
    QFile::remove(p.path(written));
    p.prompter.saveFiles = {{p.path(typed), filter}};
    p.page.SaveReportExecute();
    QCOMPARE(p.prompter.shown, QStringList{u"save 1"_s});
    QCOMPARE(p.prompter.filters.first(), u"Текстовый файл (*.txt);;Документ RTF (*.rtf)"_s);
    const QByteArray bytes = p.read(written);
    if (rtf) {
        QVERIFY(bytes.startsWith("{\\rtf1"));
        QCOMPARE(rtfText(bytes), SampleReport.join(u"\r\n"_s));
    } else {
        QCOMPARE(Cp1251::decode(bytes), SampleReport.join(u"\r\n"_s) + u"\r\n"_s);
    }
}

void TestReportPage::textFallsBackToUtf8_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("utf8");

    QTest::newRow("Cyrillic and Latin: code page 1251") << u"Файл /home/u/отчет.htm"_s << false;
    QTest::newRow("a character 1251 lacks: UTF-8 with a mark")
        << u"Файл /home/u/日本.htm"_s << true;
    QTest::newRow("a no-break space fits 1251") << u"a\u00A0b"_s << false;
}

void TestReportPage::textFallsBackToUtf8()
{
    QFETCH(QString, line);
    QFETCH(bool, utf8);
    Page p;
    p.page.clear();
    p.page.appendLine(line);
    p.page.finish();
    p.prompter.saveFiles = {{p.path(u"r.txt"_s), 1}};
    p.page.SaveReportExecute();
    const QByteArray bytes = p.read(u"r.txt"_s);
    QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), utf8);
    QCOMPARE(utf8 ? QString::fromUtf8(bytes.mid(3)) : Cp1251::decode(bytes), line + u"\r\n"_s);
}

void TestReportPage::emptyReport_data()
{
    QTest::addColumn<int>("filter");
    QTest::newRow("text") << 1;
    QTest::newRow("RTF") << 2;
}

void TestReportPage::emptyReport()
{
    QFETCH(int, filter);
    Page p;
    p.page.clear();
    p.page.finish();
    p.prompter.saveFiles = {{p.path(u"empty"_s), filter}};
    p.page.SaveReportExecute();
    const QByteArray bytes = p.read(filter == 1 ? u"empty.TXT"_s : u"empty.RTF"_s);
    if (filter == 1) {
        QCOMPARE(bytes, QByteArray());
    } else {
        QVERIFY(bytes.startsWith("{\\rtf1"));
        QCOMPARE(rtfText(bytes), QString());
    }
}

void TestReportPage::savedRtfUsesTheReportsFont()
{
    Page p;
    QFont font(u"DejaVu Serif"_s);
    font.setPointSizeF(11);
    p.page.reportEditor()->setFont(font);
    p.prompter.saveFiles = {{p.path(u"r.rtf"_s), 2}};
    p.page.SaveReportExecute();
    const QByteArray bytes = p.read(u"r.rtf"_s);
    QVERIFY(bytes.contains("DejaVu Serif;"));
    QVERIFY(bytes.contains("\\fs22 "));
    QCOMPARE(QFontInfo(p.page.reportEditor()->font()).family(), u"DejaVu Serif"_s);
}

void TestReportPage::unwritablePath_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing folder") << u"missing/sub/report.txt"_s;
    QTest::newRow("a folder in the way") << u"folder.txt"_s;
    QTest::newRow("a file where a folder should be") << u"file.txt/report.txt"_s;
}

void TestReportPage::unwritablePath()
{
    QFETCH(QString, name);
    Page p;
    QDir(p.dir.path()).mkpath(u"folder.txt"_s);
    QFile file(p.path(u"file.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QStringList before = QDir(p.dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    p.prompter.saveFiles = {{p.path(name), 1}};
    p.page.SaveReportExecute();
    QCOMPARE(p.prompter.shown.last(),
             u"error: Cannot create file "_s + QDir::toNativeSeparators(p.path(name)));
    // Nothing half-written is left behind.
    QCOMPARE(QDir(p.dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    QVERIFY(QFileInfo(p.path(u"folder.txt"_s)).isDir());
    QCOMPARE(QFileInfo(p.path(u"file.txt"_s)).size(), 0);
}

void TestReportPage::failedSaveKeepsTheOldFile()
{
    Page p;
    const QString folder = p.path(u"locked"_s);
    QDir().mkpath(folder);
    QFile old(folder + u"/report.txt"_s);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old report");
    old.close();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(folder).isWritable()) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSKIP("the folder cannot be made read-only for this user");
    }
    p.prompter.saveFiles = {{old.fileName(), 1}};
    p.page.SaveReportExecute();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(p.prompter.shown.last().startsWith(u"error: Cannot create file "_s));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old report"));
}

void TestReportPage::filterIsRemembered()
{
    Page p;
    p.prompter.saveFiles = {{p.path(u"a"_s), 2}, {QString(), 1}, {p.path(u"b"_s), 2}};
    p.page.SaveReportExecute();
    p.page.SaveReportExecute(); // cancelled: the index stays
    p.page.resetSaveFilter();
    p.page.SaveReportExecute();
    QCOMPARE(p.prompter.shown, (QStringList{u"save 1"_s, u"save 2"_s, u"save 1"_s}));
}

void TestReportPage::cancelledSaveWritesNothing()
{
    Page p;
    p.page.SaveReportExecute();
    QCOMPARE(QDir(p.dir.path()).entryList(QDir::Files), QStringList());
    QCOMPARE(p.prompter.shown, QStringList{u"save 1"_s});
}

void TestReportPage::printsOneJob_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("minPages");
    QTest::addColumn<int>("maxPages");

    QTest::newRow("short report: one page") << 5 << 1 << 1;
    QTest::newRow("empty report: one blank page") << 0 << 1 << 1;
    QTest::newRow("long report: page after page") << 400 << 4 << 20;
}

void TestReportPage::printsOneJob()
{
    QFETCH(int, lines);
    QFETCH(int, minPages);
    QFETCH(int, maxPages);
    Page p;
    p.page.clear();
    for (int i = 0; i < lines; ++i)
        p.page.appendLine(u"Файл /home/u/page%1.htm. Кол-во вхождений - %1"_s.arg(i));
    p.page.finish();
    const QString pdf = p.path(u"report.pdf"_s);
    QString title;
    p.prompter.printerChosen = true;
    p.prompter.configurePrinter = [&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    };
    p.page.PrintReportExecute();
    QCOMPARE(p.prompter.shown, QStringList{u"print"_s});
    const QByteArray bytes = p.read(u"report.pdf"_s);
    QVERIFY(bytes.startsWith("%PDF"));
    const int pages = pdfPages(bytes);
    QVERIFY2(pages >= minPages && pages <= maxPages, qPrintable(QString::number(pages)));
    // The job's title is the document title of the PDF (UTF-16 big-endian, in hex or literal).
    const QString expected = u"Отчет о проделанной работе"_s;
    QByteArray utf16;
    for (const QChar c : expected)
        utf16 += char(c.unicode() >> 8), utf16 += char(c.unicode() & 0xFF);
    QVERIFY(bytes.contains(utf16) || bytes.contains(utf16.toHex().toUpper())
            || bytes.contains(utf16.toHex()));
}

void TestReportPage::printErrorIsShown()
{
    Page p;
    p.prompter.printerChosen = true;
    p.prompter.configurePrinter = [&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(p.path(u"missing/folder/report.pdf"_s));
    };
    p.page.PrintReportExecute();
    QCOMPARE(p.prompter.shown, (QStringList{u"print"_s, u"error: Не удалось напечатать отчет"_s}));
}

void TestReportPage::cancelledPrintPrintsNothing()
{
    Page p;
    p.page.PrintReportExecute();
    QCOMPARE(p.prompter.shown, QStringList{u"print"_s});
}

void TestReportPage::boundActionsRunOnce()
{
    Page p;
    QAction print;
    QAction save;
    p.page.bindActions(&print, &save);
    p.page.bindActions(&print, &save);
    auto *printButton = p.page.findChild<QPushButton *>(u"BitBtn1"_s);
    auto *saveButton = p.page.findChild<QPushButton *>(u"SaveReportBB"_s);
    QSignalSpy triggered(&save, &QAction::triggered);
    saveButton->click();
    QCOMPARE(triggered.count(), 1);
    printButton->click();
    QCOMPARE(p.prompter.shown, (QStringList{u"save 1"_s, u"print"_s}));
    save.setEnabled(false);
    QVERIFY(!saveButton->isEnabled());
    print.trigger();
    QCOMPARE(p.prompter.shown.size(), 3);
}

void TestReportPage::okAsksForTheFileList()
{
    Page p;
    QSignalSpy ok(&p.page, &ReportPage::okClicked);
    p.page.findChild<QPushButton *>(u"BitBtn3"_s)->click();
    QCOMPARE(ok.count(), 1);
    QVERIFY(p.prompter.shown.isEmpty());
}

void TestReportPage::languageChangeRetranslates()
{
    Page p;
    auto *print = p.page.findChild<QPushButton *>(u"BitBtn1"_s);
    print->setText(u"stale"_s);
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&p.page, &change);
    QCOMPARE(print->text(), u"&Печать"_s);
    QCOMPARE(p.page.lines(), SampleReport);
}

QTEST_MAIN(TestReportPage)
// The report keeps its silver behind the text on a dark desktop, whose light text would
// vanish on it.
void TestReportPage::readableOnADarkDesktop()
{
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Base, Qt::black);
    QApplication::setPalette(dark);
    Page f;
    QApplication::setPalette(before);
    const QPalette shown = f.page.findChild<QPlainTextEdit *>(u"ReportRE"_s)->palette();
    QVERIFY(qGray(shown.color(QPalette::Base).rgb()) - qGray(shown.color(QPalette::Text).rgb())
            > 100);
}

#include "tst_reportpage.moc"
