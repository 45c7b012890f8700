// The byte path over one large file: read to its end into the thread's reused buffer, searched
// and, for a replacement, streamed to a new file beside it. Reports the process's peak resident
// memory as a multiple of the file's size (peak_per_file); run one benchmark per process
// (--benchmark_filter) for a figure that belongs to that benchmark alone. BM_ByteReplaceCommit
// also puts each new file in place, with the undo journal off (0) and on (1).

#include "ProcStatus.h"
#include "io/AtomicFileWriter.h"
#include "io/RunJournal.h"
#include "run/ByteFileJob.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kSize = qint64(100) << 20;

// kSize bytes of lines of 100 characters, each holding the needle once, written a line at a
// time so that the process never holds the file.
bool makeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray line = "needle" + QByteArray(92, 'x') + "\r\n";
    for (qint64 written = 0; written < kSize; written += line.size()) {
        if (file.write(line) != line.size())
            return false;
    }
    return true;
}

void run(benchmark::State &state, ByteFileJob::Mode mode)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"big.txt"_s);
    if (!makeFile(path))
        state.SkipWithError("cannot write the test file");
    const ByteFileJob job("needle", "haystack", true, mode, false);
    qsizetype hits = 0;
    for (auto _ : state) {
        FileJobResult result = job.process(path);
        hits = result.hits;
        if (result.pending)
            AtomicFileWriter::discard(*result.pending);
    }
    state.counters["hits"] = double(hits);
    state.counters["peak_per_file"] = statusMegabytes("VmHWM") * 1024.0 * 1024.0 / double(kSize);
}

void BM_ByteCount(benchmark::State &state)
{
    run(state, ByteFileJob::Mode::Count);
}
BENCHMARK(BM_ByteCount)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_ByteReplace(benchmark::State &state)
{
    run(state, ByteFileJob::Mode::Replace);
}
BENCHMARK(BM_ByteReplace)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Replaces the needle and then puts it back, in turn, each new file renamed over the old one
// and, with the journal on, the old one kept in it first.
void BM_ByteReplaceCommit(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"big.txt"_s);
    if (!makeFile(path))
        state.SkipWithError("cannot write the test file");
    const ByteFileJob there("needle", "haystack", true, ByteFileJob::Mode::Replace, false);
    const ByteFileJob back("haystack", "needle", true, ByteFileJob::Mode::Replace, false);
    const bool journaled = state.range(0) != 0;
    int turn = 0;
    for (auto _ : state) {
        FileJobResult result = (turn++ % 2 == 0 ? there : back).process(path);
        if (!result.pending) {
            state.SkipWithError("nothing to write");
            break;
        }
        RunJournal journal(dir.filePath(u"runs"_s), SyncPolicy::Batch, {});
        if (journaled)
            journal.keepAll({*result.pending});
        journal.settle(*result.pending, AtomicFileWriter::commit(*result.pending, nullptr));
        journal.close();
    }
}
BENCHMARK(BM_ByteReplaceCommit)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(4);

} // namespace

BENCHMARK_MAIN();
