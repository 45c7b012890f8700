// A preview of a big replace job: 100,000 occurrences in 20,000 files, against the dry run of
// the same job (documents, as the preview reads them; and the byte path the windows take when
// nothing is shown), with the memory the preview keeps per occurrence; and the window's preview
// page, its rows shown. The CPU column is the whole process's (every thread), which a loaded
// machine does not blur as it does the wall time.
#include "ProcStatus.h"

#include "run/PreviewRun.h"
#include "run/QuorvexCore.h"
#include "ui/FileListModel.h"
#include "ui/FixedPrompter.h"
#include "ui/MainWindow.h"
#include "ui/PreviewCommands.h"
#include "ui/PreviewModel.h"
#include "ui/PreviewPage.h"
#include "ui/Program.h"
#include "ui_MainWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace Qt::StringLiterals;

namespace {

constexpr int Files = 20000;
constexpr int PerFile = 5;

// Answers yes to everything and shows nothing.
class QuietHost : public RunHost {
public:
    ModalResult ShowOccurrence(ReviewSession &) override { return ModalResult::Yes; }
    bool AskYesNo(const QString &, const QString &, bool) override { return false; }
    void ShowMessage(const QString &) override { }
    Answer AskAbortRetryIgnore(const QString &) override { return Answer::Abort; }
};

// 100 folders of 200 small HTML files, each with five occurrences of "colour".
const QStringList &files()
{
    static QTemporaryDir dir;
    static QStringList list;
    if (list.isEmpty()) {
        for (int i = 0; i < Files; ++i) {
            const QString folder = dir.filePath(u"part%1"_s.arg(i / 200, 3, 10, QChar(u'0')));
            QDir().mkpath(folder);
            QFile file(folder + u"/page%1.htm"_s.arg(i % 200, 3, 10, QChar(u'0')));
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write the tree");
            file.write("<html><body><h1>Page</h1>\r\n");
            for (int k = 0; k < PerFile; ++k)
                file.write("<p>The colour of line " + QByteArray::number(k) + ".</p>\r\n");
            file.write("</body></html>\r\n");
            list << file.fileName();
        }
    }
    return list;
}

RunRequest job()
{
    RunRequest request;
    request.files = files();
    request.searchPattern = u"colour"_s;
    request.replacementPattern = u"color"_s;
    return request;
}

// The bytes the heap has handed out and not taken back; 0 where that cannot be told.
double heapInUse()
{
#ifdef __GLIBC__
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
#else
    return 0;
#endif
}

// The dry run the preview is compared with: on documents (argument 0), or on the byte path on
// two threads as the windows run a job that shows nothing (argument 1).
void BM_DryRun(benchmark::State &state)
{
    QuietHost host;
    QuorvexCore core(host);
    core.options.ConfirmReplace = false;
    RunRequest request = job();
    request.dryRun = true;
    request.bytePath = state.range(0) == 1;
    request.workers = 2;
    for (auto _ : state)
        core.driver.ProcessFilesExecute(request);
    state.counters["occurrences"] = core.driver.LastTotals().occurrences;
}
BENCHMARK(BM_DryRun)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The preview read on this thread, one occurrence after another (argument 0), or as the window
// asks it, with files read ahead on two threads (argument 1).
void BM_Preview(benchmark::State &state)
{
    QuietHost host;
    QuorvexCore core(host);
    PreviewRun preview(core, host);
    RunRequest request = job();
    request.bytePath = state.range(0) == 1;
    request.workers = 2;
    const double before = statusMegabytes("VmRSS");
    for (auto _ : state)
        preview.preview(request);
    const double occurrences = double(preview.list().size());
    state.counters["occurrences"] = occurrences;
    state.counters["bytes_per_occurrence"] = double(preview.list().bytesUsed()) / occurrences;
    // With the index of its files by path, which applying makes.
    preview.list().indexOf(QString());
    state.counters["bytes_per_occurrence_indexed"]
        = double(preview.list().bytesUsed()) / occurrences;
    // The process's growth, which includes what the run itself keeps (an upper bound).
    state.counters["rss_growth_per_occurrence"]
        = (statusMegabytes("VmRSS") - before) * 1024 * 1024 / occurrences;
}
BENCHMARK(BM_Preview)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The preview as a user asks for it in the window (Shift+F9), up to its rows painted: the run
// with events handled as the window handles them, the page's rows and its tree, and how long
// the window went without answering.
void BM_PreviewWindow(benchmark::State &state)
{
    FixedPrompter prompter{false, BackupHost::Answer::Abort};
    QTemporaryDir folder;
    Program program(prompter, folder.filePath(u"quorvex"_s));
    MainWindow &window = program.mainWindow();
    qobject_cast<FileListModel *>(window.ui().FilesLB->model())->setFiles(files());
    window.ui().RCB->setChecked(true);
    window.ui().SourceRE->setPlainText(u"colour"_s);
    window.ui().TargetRE->setPlainText(u"color"_s);
    program.show();
    QCoreApplication::processEvents();
    PreviewPage &page = *window.previewCommands().page();
    // The window answers while the preview fills: the longest time between two turns of its
    // event loop, up to the rows painted.
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer turns;
    turns.setInterval(1);
    QObject::connect(&turns, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    const double before = statusMegabytes("VmRSS");
    const double heapBefore = heapInUse();
    for (auto _ : state) {
        last = clock.elapsed();
        turns.start();
        window.previewCommands().PreviewFilesExecute();
        QCoreApplication::processEvents();
        turns.stop();
        longest = std::max(longest, clock.elapsed() - last);
    }
    const double occurrences = double(page.run().list().size());
    if (page.model().rowCount() != Files)
        state.SkipWithError("the page does not list every file");
    state.counters["occurrences"] = occurrences;
    state.counters["longest_stall_ms"] = double(longest);
    state.counters["rss_growth_per_occurrence"]
        = (statusMegabytes("VmRSS") - before) * 1024 * 1024 / occurrences;
    // What the last preview keeps, its list, its rows in the tree and their texts on screen.
    state.counters["heap_per_occurrence"] = (heapInUse() - heapBefore) / occurrences;
}
BENCHMARK(BM_PreviewWindow)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    files();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
