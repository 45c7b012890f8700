// Throughput of the literal search, the wildcard finder and the regular expressions on a
// multi-megabyte document. Bytes processed are document characters (one per byte of a single-byte
// file).
#include "engine/EngineState.h"
#include "engine/OccurrenceFinder.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kDocumentChars = 16 * 1024 * 1024;

const QString &document()
{
    static const QString text = [] {
        const QStringList words{u"<p>"_s,          u"the"_s,  u"quick"_s,  u"brown"_s, u"fox"_s,
                                u"<b>jumps</b>"_s, u"over"_s, u"lazy"_s,   u"dog"_s,   u"съешь"_s,
                                u"ещё"_s,          u"этих"_s, u"мягких"_s, u"булок"_s, u"\r\n"_s};
        QRandomGenerator random(42);
        QString out;
        out.reserve(kDocumentChars + 64);
        while (out.size() < kDocumentChars) {
            out += words[random.bounded(int(words.size()))];
            out += u' ';
        }
        out.truncate(kDocumentChars - 16);
        out += u"RareNeedle"_s; // one occurrence, at the very end
        return out;
    }();
    return text;
}

void countAll(benchmark::State &state, const QString &needle, bool matchCase)
{
    const DocumentView view(document());
    for (auto _ : state) {
        qsizetype hits = 0;
        for (qsizetype p = OccurrenceFinder::FindLiteral(view, needle, 0, view.length(), matchCase);
             p >= 0; p
             = OccurrenceFinder::FindLiteral(view, needle, p + 1, view.length() - p - 1, matchCase))
            ++hits;
        benchmark::DoNotOptimize(hits);
        state.counters["hits"] = double(hits);
    }
    state.SetBytesProcessed(state.iterations() * view.length());
}

void BM_FindLiteral_Rare_Case(benchmark::State &s)
{
    countAll(s, u"RareNeedle"_s, true);
}
void BM_FindLiteral_Rare_NoCase(benchmark::State &s)
{
    countAll(s, u"rareneedle"_s, false);
}
void BM_FindLiteral_Frequent_Case(benchmark::State &s)
{
    countAll(s, u"fox"_s, true);
}
void BM_FindLiteral_Frequent_NoCase(benchmark::State &s)
{
    countAll(s, u"FOX"_s, false);
}
void BM_FindLiteral_Cyrillic_NoCase(benchmark::State &s)
{
    countAll(s, u"МЯГКИХ"_s, false);
}

void findAllMasked(benchmark::State &state, const QString &pattern, bool matchCase)
{
    EngineState engine;
    SearchOptions options;
    options.MatchCase = matchCase;
    engine.SearchText = pattern;
    engine.CompileSearchPattern();
    const OccurrenceFinder finder(engine, options);
    const DocumentView view(document());
    for (auto _ : state) {
        qsizetype hits = 0;
        qsizetype length = 0;
        for (qsizetype p = finder.FindMasked(view, 0, length); p >= 0;
             p = finder.FindMasked(view, p + 1, length))
            ++hits;
        state.counters["hits"] = double(hits);
    }
    state.SetBytesProcessed(state.iterations() * view.length());
}

void BM_FindMasked_Rare(benchmark::State &s)
{
    findAllMasked(s, u"Rare[3?]dle"_s, true);
}
void BM_FindMasked_Frequent(benchmark::State &s)
{
    findAllMasked(s, u"<b>[*]</b>"_s, true);
}
void BM_FindMasked_Frequent_NoCase(benchmark::State &s)
{
    findAllMasked(s, u"<B>[-9*]</B>"_s, false);
}

// The ceiling: memchr over a buffer of the same size for a byte that never occurs.
void BM_Memchr_Ceiling(benchmark::State &state)
{
    const QByteArray bytes(kDocumentChars, 'x');
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(bytes.constData(), 'y', size_t(bytes.size())));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

} // namespace

BENCHMARK(BM_FindLiteral_Rare_Case)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindLiteral_Rare_NoCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindLiteral_Frequent_Case)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindLiteral_Frequent_NoCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindLiteral_Cyrillic_NoCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindMasked_Rare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindMasked_Frequent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindMasked_Frequent_NoCase)->Unit(benchmark::kMillisecond);
// A regular expression over the whole document, as a find run steps through it.
void regexAll(benchmark::State &state, const QString &pattern, bool matchCase)
{
    EngineState engine;
    engine.SearchText = pattern;
    engine.FindRegex = true;
    if (engine.CompileRegexSearch(matchCase)) {
        state.SkipWithError("pattern refused");
        return;
    }
    engine.Regex.startFile(u"\r\n");
    const SearchOptions options{matchCase};
    const OccurrenceFinder finder(engine, options);
    const DocumentView view(document());
    for (auto _ : state) {
        qsizetype hits = 0;
        qsizetype length = 0;
        for (qsizetype p = finder.FindOccurrence(view, 0, length, false); p >= 0;
             p = finder.FindOccurrence(view, p + std::max<qsizetype>(length, 1), length, false))
            ++hits;
        benchmark::DoNotOptimize(hits);
        state.counters["hits"] = double(hits);
    }
    state.SetBytesProcessed(state.iterations() * view.length());
}

void BM_Regex_Rare(benchmark::State &s)
{
    regexAll(s, u"Rare\\w+"_s, true);
}
void BM_Regex_Group_Frequent(benchmark::State &s)
{
    regexAll(s, u"<b>(.*?)</b>"_s, true);
}
void BM_Regex_Cyrillic_NoCase(benchmark::State &s)
{
    regexAll(s, u"МЯГК\\w+"_s, false);
}

BENCHMARK(BM_Regex_Rare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Regex_Group_Frequent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Regex_Cyrillic_NoCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memchr_Ceiling)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
