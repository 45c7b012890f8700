#include "document/Document.h"
#include "document/PositionMapper.h"

#include <QString>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A text of about `megabytes` MB in UTF-16, lines of 60 characters with CR LF breaks.
QString text(int megabytes)
{
    const QString line = QString(60, u'x') + u"\r\n"_s;
    QString whole;
    const qsizetype lines = qsizetype(megabytes) * 1024 * 1024 / 2 / line.size();
    whole.reserve(lines * line.size());
    for (qsizetype i = 0; i < lines; ++i)
        whole += line;
    return whole;
}

void BM_BuildMapper(benchmark::State &state)
{
    const QString whole = text(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(PositionMapper(whole).lineCount());
    state.SetBytesProcessed(state.iterations() * whole.size() * 2);
}
BENCHMARK(BM_BuildMapper)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_Lookup(benchmark::State &state)
{
    const QString whole = text(100);
    const PositionMapper mapper(whole);
    qsizetype offset = 12345;
    for (auto _ : state) {
        offset = (offset * 7919 + 13) % whole.size();
        benchmark::DoNotOptimize(mapper.toParagraphOffset(offset));
    }
}
BENCHMARK(BM_Lookup);

// A replace-all moving forward through a 100 MB document, the mapper kept in step.
void BM_ForwardEditsWithMapper(benchmark::State &state)
{
    const QString whole = text(100);
    for (auto _ : state) {
        state.PauseTiming();
        Document document(whole);
        document.positions();
        state.ResumeTiming();
        for (qsizetype pos = 0; pos < document.length(); pos += 6200)
            document.replace(pos, 2, u"\n"_s);
        benchmark::DoNotOptimize(document.positions().lineCount());
    }
}
BENCHMARK(BM_ForwardEditsWithMapper)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
