// Replace-all over a large document: every occurrence is found from just after the previous
// replacement and replaced in place, as a replace run does. Reports the process's peak
// resident memory as peak_rss_MB; run one benchmark per process (--benchmark_filter) for a
// figure that belongs to that benchmark alone.

#include "ProcStatus.h"
#include "document/Document.h"
#include "document/DocumentFile.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kLength = 100'000'000;
constexpr qsizetype kOccurrences = 1'000'000;
constexpr QStringView kNeedle = u"needle";
constexpr QStringView kReplacement = u"haystack";

// kOccurrences lines of 100 characters, each holding the needle once.
QString makeText(QChar filler)
{
    const qsizetype lineLength = kLength / kOccurrences;
    QString line
        = kNeedle.toString() + QString(lineLength - kNeedle.size() - 2, filler) + u"\r\n"_s;
    QString text;
    text.reserve(kLength);
    for (qsizetype i = 0; i < kOccurrences; ++i)
        text += line;
    return text;
}

qsizetype replaceAll(Document &doc)
{
    qsizetype replaced = 0;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype at = doc.view(pos).from(pos).indexOf(kNeedle);
        if (at < 0)
            return replaced;
        doc.replace(pos + at, kNeedle.size(), kReplacement);
        pos += at + kReplacement.size() + 1;
        ++replaced;
    }
}

void BM_ReplaceAll(benchmark::State &state)
{
    const QString source = makeText(u'x');
    qsizetype replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Document doc(QString(source.constData(), source.size()));
        state.ResumeTiming();
        replaced = replaceAll(doc);
        benchmark::DoNotOptimize(doc.length());
    }
    state.counters["replaced"] = double(replaced);
    state.counters["peak_rss_MB"] = statusMegabytes("VmHWM");
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// The same through the file: load (code page 1251), replace all, save atomically.
void BM_LoadReplaceSave(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"big.txt"_s);
    qsizetype replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Document doc(makeText(u'ж'));
        if (!SaveDocument(doc, path))
            state.SkipWithError("cannot write the test file");
        doc = Document();
        state.ResumeTiming();
        if (LoadDocument(doc, path) != LoadStatus::Loaded)
            state.SkipWithError("load failed");
        replaced = replaceAll(doc);
        if (!SaveDocument(doc, path))
            state.SkipWithError("save failed");
    }
    state.counters["replaced"] = double(replaced);
    state.counters["peak_rss_MB"] = statusMegabytes("VmHWM");
}
BENCHMARK(BM_LoadReplaceSave)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace

BENCHMARK_MAIN();
