// The program's window: start-up to the first paint of the main window, adding a folder tree of
// 20,000 files to the list, a find run over 20,000 files from the window against the same run in
// quorvex-batch, and how soon the window asks when stopped during a run over large files.
#include "cli/BatchTool.h"
#include "review/ReviewDialog.h"
#include "ui/FileListCommands.h"
#include "ui/FileListModel.h"
#include "ui/FixedPrompter.h"
#include "ui/MainWindow.h"
#include "ui/OptionsDialog.h"
#include "ui/Program.h"
#include "ui/ReportPage.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

// Notes the first paint of a window.
class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

constexpr int TreeFiles = 20000;

// Argument 0: a word that every tenth file holds (2,000 report lines); 1: a word no file holds.
QString patternFor(const benchmark::State &state)
{
    return state.range(0) == 0 ? u"colour"_s : u"nowhere"_s;
}

// 100 folders of 200 small HTML files; every tenth file holds the word searched for.
const QTemporaryDir &tree()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        for (int folder = 0; folder < TreeFiles / 200; ++folder) {
            const QString path = dir.filePath(u"site/part%1"_s.arg(folder, 3, 10, QChar(u'0')));
            QDir().mkpath(path);
            for (int i = 0; i < 200; ++i) {
                QFile file(path + u"/page%1.htm"_s.arg(i, 3, 10, QChar(u'0')));
                if (!file.open(QIODevice::WriteOnly))
                    qFatal("cannot write the tree");
                file.write("<html><body><h1>Page</h1>\r\n<p>Some text of the page.</p>\r\n");
                if (i % 10 == 0)
                    file.write("<p>The colour of the page.</p>\r\n");
                file.write("</body></html>\r\n");
            }
        }
        made = true;
    }
    return dir;
}

QStringList treeFiles()
{
    static QStringList files;
    if (files.isEmpty()) {
        FixedPrompter prompter{false, BackupHost::Answer::Abort};
        MainWindow window(prompter, tree().filePath(u"quorvex"_s));
        window.core().options.ExtensionList = OptionState::DefaultExtensionList();
        window.fileCommands().addFolder(tree().filePath(u"site"_s), true);
        files = window.fileList();
    }
    return files;
}

// The tree's files in a list file, as quorvex-batch -l reads it.
QString listFile(const QStringList &files)
{
    const QString list = tree().filePath(u"files.lst"_s);
    QFile file(list);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the list");
    file.write((files.join(u"\r\n"_s) + u"\r\n"_s).toUtf8());
    return list;
}

// quorvex-batch with `arguments`, its output kept in memory.
void runBatch(const QStringList &arguments)
{
    QString none;
    QTextStream in(&none);
    QString report;
    QTextStream out(&report);
    QString errors;
    QTextStream err(&errors);
    BatchTool::Run(QStringList{u"quorvex-batch"_s} + arguments, in, out, err, false);
}

// Argument 0: the built-in Russian texts only; 1: the language modules beside the program, so
// that the start switches to English, as a first start of an installed program does.
void BM_StartUpToFirstPaint(benchmark::State &state)
{
    QTemporaryDir folder;
    if (state.range(0) == 1) {
        for (const QString &module : {u"quorvex.ENG"_s, u"quorvex.RUS"_s})
            QFile::copy(QString::fromUtf8(QUORVEX_BINARY_DIR "/lang/") + module,
                        folder.filePath(module));
    }
    FixedPrompter prompter{false, BackupHost::Answer::Abort};
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        auto program = std::make_unique<Program>(prompter, folder.filePath(u"quorvex"_s));
        FirstPaint paint;
        program->mainWindow().installEventFilter(&paint);
        program->show();
        while (!paint.painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        program->mainWindow().removeEventFilter(&paint);
        const bool english = program->mainWindow().windowTitle() == u"Search and Replace"_s;
        if (english != (state.range(0) == 1))
            state.SkipWithError("the start chose the wrong language");
    }
}
BENCHMARK(BM_StartUpToFirstPaint)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_AddFolderTree(benchmark::State &state)
{
    const QString site = tree().filePath(u"site"_s);
    FixedPrompter prompter{false, BackupHost::Answer::Abort};
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<MainWindow>(prompter, tree().filePath(u"quorvex"_s));
        window->core().options.ExtensionList = OptionState::DefaultExtensionList();
        window->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->fileCommands().addFolder(site, true);
        window->fileCommands().UpdateFileCount();
        // Until the list has laid itself out and painted.
        window->ui().FilesLB->viewport()->repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (window->fileList().size() != TreeFiles)
            state.SkipWithError("the tree was not listed whole");
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddFolderTree)->Unit(benchmark::kMillisecond)->Iterations(5);

// Answers every showing of the review dialog with "Не спрашивать", as soon as it is shown.
class DontAsk : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *button
                = static_cast<QWidget *>(watched)->findChild<QAbstractButton *>(u"YesToAll1B"_s);
            QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
        }
        return false;
    }
};

// The program's find run, as a user starts it with F9: progress painted for every file, events
// handled as a run does, the report filled, and the review dialog showing the first occurrence,
// answered with "Не спрашивать" so that the rest are counted, as quorvex-batch counts them.
void BM_FindRunWindow(benchmark::State &state)
{
    const QStringList files = treeFiles();
    FixedPrompter prompter{false, BackupHost::Answer::Abort};
    QTemporaryDir folder;
    Program program(prompter, folder.filePath(u"quorvex"_s));
    MainWindow &window = program.mainWindow();
    DontAsk dontAsk;
    program.reviewDialog().installEventFilter(&dontAsk);
    auto *model = qobject_cast<FileListModel *>(window.ui().FilesLB->model());
    model->setFiles(files);
    window.ui().SourceRE->setPlainText(patternFor(state));
    window.ui().RCB->setChecked(false);
    program.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        window.ProcessFilesExecute();
    if (window.reportPage()->lines().size() < 4)
        state.SkipWithError("no report");
    state.counters["files"] = double(files.size());
    state.counters["report lines"] = double(window.reportPage()->lines().size());
}
BENCHMARK(BM_FindRunWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FindRunBatch(benchmark::State &state)
{
    const QStringList files = treeFiles();
    const QString list = listFile(files);
    for (auto _ : state) {
        runBatch({u"-f"_s, patternFor(state), u"-l"_s, list});
    }
    state.counters["files"] = double(files.size());
}
BENCHMARK(BM_FindRunBatch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

// Replace runs with confirmation off, window against quorvex-batch on the same job: "colour"
// becomes "color" in every tenth file and back again on the next iteration, so the tree is the
// same after an even count. Both sync each file (the window's policy; --sync=file for the tool).
QString replaceFrom(qint64 iteration)
{
    return iteration % 2 == 0 ? u"colour"_s : u"color"_s;
}

void BM_ReplaceRunWindow(benchmark::State &state)
{
    const QStringList files = treeFiles();
    FixedPrompter prompter{false, BackupHost::Answer::Abort};
    QTemporaryDir folder;
    Program program(prompter, folder.filePath(u"quorvex"_s));
    MainWindow &window = program.mainWindow();
    window.core().options.ConfirmReplace = false;
    window.core().options.MakeBackups = false;
    auto *model = qobject_cast<FileListModel *>(window.ui().FilesLB->model());
    model->setFiles(files);
    window.ui().RCB->setChecked(true);
    program.show();
    QCoreApplication::processEvents();
    qint64 iteration = 0;
    for (auto _ : state) {
        window.ui().SourceRE->setPlainText(replaceFrom(iteration));
        window.ui().TargetRE->setPlainText(replaceFrom(iteration + 1));
        window.ProcessFilesExecute();
        ++iteration;
    }
    state.counters["files"] = double(files.size());
    state.counters["report lines"] = double(window.reportPage()->lines().size());
}
BENCHMARK(BM_ReplaceRunWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ReplaceRunBatch(benchmark::State &state)
{
    const QStringList files = treeFiles();
    const QString list = listFile(files);
    qint64 iteration = 0;
    for (auto _ : state) {
        runBatch({u"--sync=file"_s, u"-f"_s, replaceFrom(iteration), u"-r"_s,
                  replaceFrom(iteration + 1), u"-l"_s, list});
        ++iteration;
    }
    state.counters["files"] = double(files.size());
}
BENCHMARK(BM_ReplaceRunBatch)->Unit(benchmark::kMillisecond)->Iterations(10);

// Answers Yes, and notes when the window asked.
class TimedPrompter : public FixedPrompter {
public:
    TimedPrompter() : FixedPrompter(true, BackupHost::Answer::Abort) { clock.start(); }
    bool askYesNo(QWidget *parent, const QString &text, const QString &caption,
                  bool questionIcon) override
    {
        if (asked < 0)
            asked = clock.nsecsElapsed();
        return FixedPrompter::askYesNo(parent, text, caption, questionIcon);
    }

    QElapsedTimer clock;
    std::atomic<qint64> sent{-1};
    qint64 asked = -1;
};

// Twelve plain files of 2 MB of Cyrillic text (so each is loaded and edited as a document).
QStringList largeFiles()
{
    static QTemporaryDir dir;
    static QStringList files;
    if (files.isEmpty()) {
        const QByteArray line
            = QStringLiteral("кот сидит на окне, кот спит на солнце\r\n").toUtf8();
        for (int i = 0; i < 12; ++i) {
            files << dir.filePath(u"large%1.txt"_s.arg(i));
            QFile file(files.last());
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write a large file");
            for (qint64 size = 0; size < 2 * 1024 * 1024; size += line.size())
                file.write(line);
        }
    }
    return files;
}

// A replace run without confirmation over the large files; 150 ms in, another thread sends Esc
// (argument 0) or closes the window (1), as the window system would. Timed: from the sending to
// the question "Прервать операцию ?".
void BM_QuestionDuringRun(benchmark::State &state)
{
    const QStringList files = largeFiles();
    for (auto _ : state) {
        TimedPrompter prompter;
        QTemporaryDir folder;
        Program program(prompter, folder.filePath(u"quorvex"_s));
        MainWindow &window = program.mainWindow();
        program.optionsDialog().findChild<QCheckBox *>(u"ConfirmCB"_s)->setChecked(false);
        qobject_cast<FileListModel *>(window.ui().FilesLB->model())->setFiles(files);
        window.ui().SourceRE->setPlainText(u"кот"_s);
        window.ui().TargetRE->setPlainText(u"кот"_s);
        program.show();
        QCoreApplication::processEvents();
        // Made here: a key event made on another thread would make Qt's keyboard device there.
        QEvent *event = state.range(0) == 1
            ? static_cast<QEvent *>(new QCloseEvent)
            : new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        std::thread sender([&prompter, &window, event] {
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            prompter.sent = prompter.clock.nsecsElapsed();
            QCoreApplication::postEvent(&window, event);
        });
        window.ProcessFilesExecute();
        sender.join();
        if (prompter.asked < 0 || prompter.asked < prompter.sent) {
            state.SkipWithError("the run ended before it was asked to stop");
            break;
        }
        state.SetIterationTime(double(prompter.asked - prompter.sent) / 1e9);
    }
}
BENCHMARK(BM_QuestionDuringRun)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
