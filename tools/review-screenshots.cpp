// Renders the review dialog (replace, find, select and edit mode), the report page and the
// preview page (in Russian and English) to PNG files, from real runs over sample files: an RTF
// with bold, colour and a table, and a plain HTML file. Usage: review-screenshots [output
// folder] (default: docs/screenshots).

#include "document/Document.h"
#include "engine/EngineState.h"
#include "lang/MessageId.h"
#include "review/ReviewDialog.h"
#include "review/ReviewTextView.h"
#include "run/QuorvexCore.h"
#include "run/ReviewSession.h"
#include "run/RunHost.h"
#include "run/RunRequest.h"
#include "ui/FixedPrompter.h"
#include "ui/PreviewModel.h"
#include "ui/PreviewPage.h"
#include "ui/ReportPage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QPalette>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QTreeView>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray SampleRtf
    = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss "
      "Arial;}}{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;\\red0\\green96\\blue192;}"
      "\r\n\\pard\\qc\\f1\\fs32\\b Price list\\b0\\par\r\n"
      "\\pard\\ql\\f0\\fs24 Our {\\b red apples} are ripe, the {\\cf2 red} label marks new prices,"
      " the {\\cf3\\i blue} one old prices.\\par\r\n"
      "\\trowd\\cellx3000\\cellx6000\\pard\\intbl\\b Item\\b0\\cell\\b Price\\b0\\cell\\row\r\n"
      "\\trowd\\cellx3000\\cellx6000\\pard\\intbl Apples, red\\cell {\\cf2 3 EUR}\\cell\\row\r\n"
      "\\trowd\\cellx3000\\cellx6000\\pard\\intbl Plums\\cell {\\cf3 4 EUR}\\cell\\row\r\n"
      "\\pard\\fs20 Prices in {\\ul red} are valid from Monday.\\par\r\n}";

const QByteArray SampleHtml = "<html>\r\n<head><title>Links</title></head>\r\n<body>\r\n"
                              "<h2>Links to check</h2>\r\n"
                              "<p>See <a href=\"old.htm\">the old page</a> and <a "
                              "href=\"new.htm\">the new one</a>.</p>\r\n"
                              "<ul>\r\n  <li><a href=\"old.htm#top\">Top</a></li>\r\n"
                              "  <li><a href=\"index.htm\">Home</a></li>\r\n</ul>\r\n"
                              "<p>Last changed: Monday.</p>\r\n</body>\r\n</html>\r\n";

// Passes the run's news to the dialog, as the main window does, and runs one scripted step
// at each showing.
class ShotHost : public RunHost {
public:
    using Step = std::function<void(ReviewDialog &)>;
    ReviewDialog *dialog = nullptr;
    QList<Step> steps;
    QStringList report;

    ModalResult ShowOccurrence(ReviewSession &) override
    {
        const Step step = steps.isEmpty() ? Step(click("NoToAllB")) : steps.takeFirst();
        QTimer::singleShot(0, dialog, [this, step] { step(*dialog); });
        return dialog->ShowOccurrence();
    }
    bool AskYesNo(const QString &, const QString &, bool) override { return true; }
    void ShowMessage(const QString &) override { }
    Answer AskAbortRetryIgnore(const QString &) override { return Answer::Ignore; }
    void ReviewFileChanged(const QString &name) override { dialog->ReviewFileChanged(name); }
    void DocumentLoaded(const Document &document) override { dialog->DocumentLoaded(document); }
    void DocumentEdited(const TextEdit &edit) override { dialog->DocumentEdited(edit); }
    void ReportLineAppended(const QString &line) override { report << line; }

    static Step click(const char *name)
    {
        return [name](ReviewDialog &d) {
            d.findChild<QAbstractButton *>(QString::fromLatin1(name))->click();
        };
    }
};

void save(QWidget &widget, const QString &folder, const QString &name)
{
    // As on screen: the window active, its layout settled.
    widget.activateWindow();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name);
    if (!widget.grab().save(path))
        qFatal("cannot write %s", qPrintable(path));
    qInfo("%s", qPrintable(path));
}

QString write(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

void typeOver(ReviewDialog &d, qsizetype from, qsizetype to, const QString &text)
{
    d.view()->setSelection(from, to);
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(d.view(), &event);
}

// The preview page of a replace job with one occurrence unticked, in Russian, then in English
// from the module of the build tree (lang/quorvex.ENG): without it the English picture would
// silently stay an old one, so the tool stops.
void shootPreview(QuorvexCore &core, RunHost &host, const QString &out, const QStringList &files)
{
    PreviewPage page(core, host);
    page.resize(680, 300);
    RunRequest request;
    request.files = files;
    request.searchPattern = u"red"_s;
    request.replacementPattern = u"green"_s;
    page.start(request);
    PreviewModel &model = page.model();
    model.setData(model.index(1, 0, model.index(0, 0)), Qt::Unchecked, Qt::CheckStateRole);
    page.view()->setCurrentIndex(model.index(2, 0, model.index(0, 0)));
    page.show();
    save(page, out, u"preview-page.png"_s);
    const QString modules = QCoreApplication::applicationDirPath() + u"/../lang/quorvex"_s;
    core.language.setExecutablePath(modules);
    if (!core.language.LoadLanguageModule(InterfaceLanguage::English))
        qFatal("no English module %s.ENG", qPrintable(modules));
    InterfaceLanguage::retranslateAll();
    save(page, out, u"preview-page-en.png"_s);
}

} // namespace

void useDarkPalette()
{
    QApplication::setStyle(u"Fusion"_s);
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(53, 53, 56));
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    QApplication::setPalette(dark);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont(u"DejaVu Sans"_s, 9));
    // QUORVEX_SHOT_DARK=1: the same pictures on a dark desktop (Fusion with a dark palette).
    if (!qEnvironmentVariableIsEmpty("QUORVEX_SHOT_DARK"))
        useDarkPalette();
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"docs/screenshots"_s;
    QDir().mkpath(out);

    // A fixed folder, so that the report shows the same paths every time.
    QDir dir(QDir::temp().filePath(u"quorvex-samples"_s));
    dir.removeRecursively();
    dir.mkpath(u"."_s);
    const QString rtf = write(dir, u"prices.rtf"_s, SampleRtf);
    const QString html = write(dir, u"links.html"_s, SampleHtml);

    ShotHost host;
    FixedPrompter prompter{true, BackupHost::Answer::Ignore};
    QuorvexCore core{host};
    core.options.SetProgramFolder(dir.filePath(u"program"_s));
    // The forms translate by id: the built-in texts come first, as in the program.
    core.language.installBuiltin();
    ReviewDialog dialog(core.review, prompter);
    host.dialog = &dialog;
    dialog.resize(760, 400);

    // Replace mode on the RTF, then edit mode with a word typed over.
    host.steps << [&](ReviewDialog &d) {
        save(d, out, u"review-replace.png"_s);
        ShotHost::click("BEdit")(d);
        const qsizetype at = d.view()->document()->text().indexOf(u"ripe"_s);
        typeOver(d, at, at + 4, u"sweet"_s);
        save(d, out, u"review-edit.png"_s);
        ShotHost::click("BBOk")(d);
    };
    RunRequest replace;
    replace.files = {rtf};
    replace.searchPattern = u"red"_s;
    replace.replacementPattern = u"green"_s;
    replace.dryRun = true;
    core.driver.ProcessFilesExecute(replace);

    // Find mode on the HTML file.
    host.steps << [&](ReviewDialog &d) {
        save(d, out, u"review-find.png"_s);
        ShotHost::click("YesToAll1B")(d);
    };
    host.report.clear();
    RunRequest find;
    find.files = {html, rtf};
    find.searchPattern = u"old.htm"_s;
    find.replaceMode = false;
    core.driver.ProcessFilesExecute(find);

    // Select mode: a block of the HTML file.
    core.review.PrepareSelect(html);
    QTimer::singleShot(0, &dialog, [&] {
        const QString text = core.review.selection().text();
        const qsizetype from = text.indexOf(u"<ul>"_s);
        dialog.view()->setSelection(from, text.indexOf(u"</ul>"_s) + 5);
        save(dialog, out, u"review-select.png"_s);
        ShotHost::click("OkB")(dialog);
    });
    dialog.selectBlock(core.messages.LoadMessage(MsgSelectBlock) + u" links.html"_s);

    // The report of the find run.
    ReportPage page(core.messages, prompter);
    page.resize(640, 300);
    page.clear();
    for (const QString &line : host.report)
        page.appendLine(line);
    page.finish();
    page.show();
    save(page, out, u"report-page.png"_s);
    shootPreview(core, host, out, {rtf, html});
    dir.removeRecursively();
    return 0;
}
