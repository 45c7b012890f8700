// quorvex-batch --json over one dense file: 16 MB of "cat ", four million occurrences, each
// replaced (argument 16: occurrences per line of 64 bytes); and, for comparison, a file of the
// same size with none (argument 0). Every occurrence is printed as it is met, so memory must
// not grow with their number: the run's peak resident memory, above what the process held
// before it, is reported as run_peak_MB and as a share of the file (peak_per_file_size). Run
// it in a release build, one benchmark per process (--benchmark_filter).

#include "ProcStatus.h"
#include "cli/BatchTool.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kFileSize = 16 * 1024 * 1024;

// Lines of 64 bytes, `hits` of their 16 words "cat", the others "dog".
void writeDenseFile(const QString &path, int hits)
{
    QByteArray line;
    for (int i = 0; i < 16; ++i)
        line += i < hits ? "cat " : "dog ";
    line[line.size() - 1] = '\n';
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    for (qsizetype written = 0; written < kFileSize; written += line.size())
        file.write(line);
}

// From here on the peak counts anew (Linux 4.0 and later).
void resetPeak()
{
    QFile clearRefs(u"/proc/self/clear_refs"_s);
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

void BM_JsonDenseFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"dense.txt"_s);
    double runPeak = 0;
    int status = 0;
    for (auto _ : state) {
        state.PauseTiming();
        writeDenseFile(path, int(state.range(0)));
        QFile sink(u"/dev/null"_s);
        sink.open(QIODevice::WriteOnly);
        QString none;
        QTextStream in(&none);
        QTextStream out(&sink);
        QTextStream err(&none);
        const double before = statusMegabytes("VmRSS");
        resetPeak();
        state.ResumeTiming();
        status = BatchTool::Run({u"quorvex-batch"_s, u"--json"_s, u"--sync=none"_s, u"-f"_s,
                                 u"cat"_s, u"-r"_s, u"dog"_s, path},
                                in, out, err, false);
        state.PauseTiming();
        runPeak = std::max(runPeak, statusMegabytes("VmHWM") - before);
        state.ResumeTiming();
    }
    if (status != (state.range(0) > 0 ? 0 : 1))
        state.SkipWithError("the run failed");
    const double fileMegabytes = double(kFileSize) / (1024 * 1024);
    state.counters["file_MB"] = fileMegabytes;
    state.counters["run_peak_MB"] = runPeak;
    state.counters["peak_per_file_size"] = runPeak / fileMegabytes;
    state.counters["process_peak_MB"] = statusMegabytes("VmHWM");
}
BENCHMARK(BM_JsonDenseFile)
    ->Arg(16)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
