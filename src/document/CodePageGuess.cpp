#include "document/CodePageGuess.h"

#include "document/SingleByteCodePage.h"

#include <array>
#include <cmath>

namespace {

// How often each small letter а..я occurs in Russian text, per ten thousand letters.
constexpr std::array<int, 32> LetterFrequency = {
    801, 159, 454, 170, 298, 845, 94, 165, 735, 121, 349, 440, 321, 670, 1097, 281,
    473, 547, 626, 262, 26,  97,  48, 144, 73,  36,  4,   190, 174, 32,  64,   201,
};
constexpr int YoFrequency = 4; // ё
// A capital letter is this much less likely than its small one (about one letter in ten);
// anything else from 0x80 on (box drawing, signs) less likely still.
constexpr double CapitalPenalty = 2.3;
constexpr double OtherLogLikelihood = -9.0;
// The lead, in mean log-likelihood per byte, that makes another code page clearly likelier.
constexpr double ClearLead = 1.0;

using Histogram = std::array<qint64, 128>;

Histogram histogramOf(QByteArrayView bytes)
{
    Histogram counts{};
    for (const char c : bytes.first(std::min(bytes.size(), CodePageGuess::Sample))) {
        if (uchar(c) >= 0x80)
            ++counts[uchar(c) - 0x80];
    }
    return counts;
}

double logLikelihood(char16_t ch, double capitalPenalty)
{
    auto small = [](int frequency) { return std::log((frequency + 1) / 10000.0); };
    if (ch >= 0x0430 && ch <= 0x044F)
        return small(LetterFrequency[size_t(ch - 0x0430)]);
    if (ch >= 0x0410 && ch <= 0x042F)
        return small(LetterFrequency[size_t(ch - 0x0410)]) - capitalPenalty;
    if (ch == 0x0451)
        return small(YoFrequency);
    if (ch == 0x0401)
        return small(YoFrequency) - capitalPenalty;
    return OtherLogLikelihood;
}

double scoreOf(const Histogram &counts, CodePage page, double capitalPenalty = CapitalPenalty)
{
    const SingleByteCodePage &table = SingleByteCodePage::of(page);
    double sum = 0;
    qint64 total = 0;
    for (int i = 0; i < 128; ++i) {
        if (counts[size_t(i)] == 0)
            continue;
        sum += double(counts[size_t(i)])
            * logLikelihood(table.toUnicode(uchar(0x80 + i)), capitalPenalty);
        total += counts[size_t(i)];
    }
    return total == 0 ? 0 : sum / double(total);
}

} // namespace

std::optional<CodePage> CodePageGuess::likelier(QByteArrayView bytes, CodePage chosen)
{
    const Histogram counts = histogramOf(bytes);
    qint64 total = 0;
    for (const qint64 n : counts)
        total += n;
    if (total < MinimumLetters)
        return std::nullopt;
    // Small letters of one code page are capitals of another: text mostly in small letters
    // decides, but only for a code page whose letters also fit Russian better case aside, so
    // that a heading in capitals does not count against its own code page.
    const double own = scoreOf(counts, chosen);
    const double ownCaseFree = scoreOf(counts, chosen, 0);
    std::optional<CodePage> best;
    double bestCaseFree = ownCaseFree;
    for (int i = 0; i < CodePages::Count; ++i) {
        const CodePage page = *CodePages::fromIndex(i);
        const double caseFree = scoreOf(counts, page, 0);
        if (page != chosen && scoreOf(counts, page) > own + ClearLead && caseFree >= bestCaseFree
            && (!best || caseFree > bestCaseFree)) {
            best = page;
            bestCaseFree = caseFree;
        }
    }
    return best;
}
