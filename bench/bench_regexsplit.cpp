// Every match of a regular expression in 32 MB of text with an address now and then, told in
// order: one search from the start against the search in parts on 1, 2 and 4 threads (the
// argument). CPU time is the calling thread's only: compare wall time. Bytes processed are the
// text's.
#include "engine/RegexByteFinder.h"
#include "engine/RegexBytePattern.h"
#include "engine/RegexSplitSearch.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

namespace {

constexpr qsizetype kSize = qsizetype(32) << 20;

const QByteArray &text()
{
    static const QByteArray bytes = [] {
        const QList<QByteArray> words{"lorem", "ipsum", "dolor", "sit",  "amet", "<b>",
                                      "</b>",  "elit",  "sed",   "user", "do",   "tempor"};
        QRandomGenerator random(42);
        QByteArray out;
        out.reserve(kSize + 64);
        while (out.size() < kSize) {
            out += random.bounded(40) == 0 ? QByteArray("user7@host3.com")
                                           : words[random.bounded(12)];
            out += random.bounded(10) == 0 ? '\n' : ' ';
        }
        return out;
    }();
    return bytes;
}

const char16_t *const kAddresses = u"(\\w+)@(\\w+)\\.com";

void BM_RegexOneSearch(benchmark::State &state)
{
    const auto pattern = RegexBytePattern::compile(kAddresses, true, u"\n");
    for (auto _ : state) {
        RegexByteFinder finder(*pattern);
        qsizetype hits = 0;
        for (qsizetype at = 0; finder.find(text(), at) == RegexByteFinder::Found::Match; ++hits)
            at = RegexByteFinder::resumeAfter(text(), finder.groupStart(0), finder.groupEnd(0));
        state.counters["hits"] = double(hits);
    }
    state.SetBytesProcessed(state.iterations() * text().size());
}
BENCHMARK(BM_RegexOneSearch)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RegexSplitSearch(benchmark::State &state)
{
    const auto pattern = RegexBytePattern::compile(kAddresses, true, u"\n", true);
    const auto threads = int(state.range(0));
    const std::vector<qsizetype> splits = RegexSplitSearch::splitsOf(text(), 8 * threads);
    for (auto _ : state) {
        qsizetype hits = 0;
        RegexSplitSearch(*pattern, true)
            .forEach(text(), splits, threads, [&](const qsizetype *, int) { ++hits; });
        state.counters["hits"] = double(hits);
    }
    state.SetBytesProcessed(state.iterations() * text().size());
}
BENCHMARK(BM_RegexSplitSearch)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
