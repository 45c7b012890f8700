// Reading and writing text in the 8-bit code pages, beside code page 1251's own converter, and
// the letter-frequency test that looks at the first MiB of a file read in one of them.

#include "document/CodePageGuess.h"
#include "document/Cp1251.h"
#include "document/SingleByteCodePage.h"

#include <QByteArray>
#include <QString>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype Size = qsizetype(64) << 20;

// Russian text with ASCII between, in `page`, `Size` bytes long.
QByteArray sample(CodePage page)
{
    QByteArray line;
    SingleByteCodePage::of(page).encode(
        u"Съешь же ещё этих мягких французских булок, да выпей чаю (tea), 2024.\r\n"_s, line);
    QByteArray bytes = line.repeated(int(Size / line.size()) + 1);
    bytes.truncate(Size);
    return bytes;
}

void BM_Decode(benchmark::State &state)
{
    const CodePage page = *CodePages::fromIndex(int(state.range(0)));
    const QByteArray bytes = sample(page);
    for (auto _ : state)
        benchmark::DoNotOptimize(SingleByteCodePage::of(page).decode(bytes));
    state.SetBytesProcessed(state.iterations() * Size);
    state.SetLabel(CodePages::name(page).toStdString());
}

void BM_DecodeCp1251Converter(benchmark::State &state)
{
    const QByteArray bytes = sample(CodePage::Cp1251);
    for (auto _ : state)
        benchmark::DoNotOptimize(Cp1251::decode(bytes));
    state.SetBytesProcessed(state.iterations() * Size);
}

void BM_Encode(benchmark::State &state)
{
    const CodePage page = *CodePages::fromIndex(int(state.range(0)));
    const QString text = SingleByteCodePage::of(page).decode(sample(page));
    for (auto _ : state) {
        QByteArray out;
        benchmark::DoNotOptimize(SingleByteCodePage::of(page).encode(text, out));
    }
    state.SetBytesProcessed(state.iterations() * Size);
    state.SetLabel(CodePages::name(page).toStdString());
}

void BM_Guess(benchmark::State &state)
{
    const QByteArray bytes = sample(CodePage::Koi8R);
    for (auto _ : state)
        benchmark::DoNotOptimize(CodePageGuess::likelier(bytes, CodePage::Cp1251));
    state.SetBytesProcessed(state.iterations() * CodePageGuess::Sample);
}

} // namespace

BENCHMARK(BM_Decode)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DecodeCp1251Converter)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Encode)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Guess)->Unit(benchmark::kMicrosecond)->UseRealTime();

BENCHMARK_MAIN();
