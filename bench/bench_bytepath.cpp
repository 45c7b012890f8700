// The byte path over one large file (ASCII, and a Russian word in UTF-8): read to its end into
// the thread's reused buffer, searched and, for a replacement, streamed to a new file beside it.
// Reports the process's peak resident memory as a multiple of the file's size (peak_per_file);
// run one benchmark per process (--benchmark_filter) for a figure that belongs to that benchmark
// alone. BM_ByteReplaceCommit also puts each new file in place, with the undo journal off (0)
// and on (1).

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

// kSize bytes of lines of about 100 bytes, each holding the needle once, written a line at a
// time so that the process never holds the file.
bool makeFile(const QString &path, const QByteArray &needle = "needle")
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray line = needle + QByteArray(98 - needle.size(), 'x') + "\r\n";
    for (qint64 written = 0; written < kSize; written += line.size()) {
        if (file.write(line) != line.size())
            return false;
    }
    return true;
}

void run(benchmark::State &state, ByteFileJob::Mode mode, const QString &needle = u"needle"_s,
         const QString &replacement = u"haystack"_s, bool matchCase = true)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"big.txt"_s);
    // Russian lines start with a word whose case differs from the needle's.
    const QByteArray before = ByteFileJob::isPlainAscii(needle) ? "" : u"Ёлка "_s.toUtf8();
    if (!makeFile(path, before + needle.toUtf8()))
        state.SkipWithError("cannot write the test file");
    const ByteFileJob job = *ByteFileJob::forText(needle, replacement, matchCase, mode, false);
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

// A Russian word in a UTF-8 file, in its own case and in any case.
void BM_ByteReplaceCyrillic(benchmark::State &state)
{
    run(state, ByteFileJob::Mode::Replace, u"иголка"_s, u"ИГОЛКА"_s);
}
BENCHMARK(BM_ByteReplaceCyrillic)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_ByteReplaceCyrillicAnyCase(benchmark::State &state)
{
    run(state, ByteFileJob::Mode::Replace, u"ИГОЛКА"_s, u"нитка"_s, false);
}
BENCHMARK(BM_ByteReplaceCyrillicAnyCase)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

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
