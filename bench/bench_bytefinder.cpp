// ByteFinder::findMany over text where the needle is common (a hit every seventy bytes or so,
// and as many near misses), as a replacement (one after another) and a count (overlapping)
// take them. Bytes processed are the text's.
#include "engine/ByteFinder.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

#include <vector>

namespace {

constexpr qsizetype kSize = qsizetype(32) << 20;

const QByteArray &text()
{
    static const QByteArray bytes = [] {
        const QList<QByteArray> words{"lorem",       "ipsum",   "dolor", "sit", "amet",
                                      "consectetur", "elit",    "<br>",  "sed", "adipiscing",
                                      "do",          "needles", "tempor"};
        QRandomGenerator random(42);
        QByteArray out;
        out.reserve(kSize + 64);
        while (out.size() < kSize) {
            out += random.bounded(12) == 0 ? QByteArray("needle") : words[random.bounded(13)];
            out += random.bounded(10) == 0 ? '\n' : ' ';
        }
        return out;
    }();
    return bytes;
}

void findAll(benchmark::State &state, const QByteArray &needle, bool matchCase, bool overlapping)
{
    const ByteFinder finder(needle, matchCase);
    const qsizetype step = overlapping ? 1 : needle.size();
    std::vector<qsizetype> starts;
    for (auto _ : state) {
        qsizetype hits = 0;
        qsizetype from = 0;
        for (bool more = true; more;) {
            starts.clear();
            more = finder.findMany(text(), from, step, starts, 1024);
            hits += qsizetype(starts.size());
        }
        benchmark::DoNotOptimize(hits);
        state.counters["hits"] = double(hits);
    }
    state.SetBytesProcessed(state.iterations() * text().size());
}

void BM_FindMany_Frequent_Replace(benchmark::State &s)
{
    findAll(s, "needle", true, false);
}
void BM_FindMany_Frequent_Count(benchmark::State &s)
{
    findAll(s, "needle", true, true);
}
void BM_FindMany_Frequent_NoCase(benchmark::State &s)
{
    findAll(s, "NEEDLE", false, false);
}
void BM_FindMany_Frequent_Long(benchmark::State &s)
{
    findAll(s, "needles tempor", true, false);
}

} // namespace

BENCHMARK(BM_FindMany_Frequent_Replace)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindMany_Frequent_Count)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindMany_Frequent_NoCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindMany_Frequent_Long)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
