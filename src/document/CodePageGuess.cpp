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
    // Every byte counted, without a test: four tables in turn, so that a run of one byte does
    // not wait on its own count; the bytes below 0x80 are left out afterwards.
    std::array<std::array<quint32, 256>, 4> tables{};
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *end = p + std::min(bytes.size(), CodePageGuess::Sample);
    for (; end - p >= 4; p += 4) {
        ++tables[0][p[0]];
        ++tables[1][p[1]];
        ++tables[2][p[2]];
        ++tables[3][p[3]];
    }
    for (; p < end; ++p)
        ++tables[0][*p];
    Histogram counts{};
    for (size_t i = 0; i < counts.size(); ++i) {
        for (const std::array<quint32, 256> &table : tables)
            counts[i] += table[0x80 + i];
    }
    return counts;
}

// The log of each small letter's share (а..я, then ё), worked out once.
const std::array<double, 33> &smallLetterLogs()
{
    static const std::array<double, 33> logs = [] {
        std::array<double, 33> l{};
        for (size_t i = 0; i < LetterFrequency.size(); ++i)
            l[i] = std::log((LetterFrequency[i] + 1) / 10000.0);
        l[32] = std::log((YoFrequency + 1) / 10000.0);
        return l;
    }();
    return logs;
}

double logLikelihood(char16_t ch, double capitalPenalty)
{
    const std::array<double, 33> &small = smallLetterLogs();
    if (ch >= 0x0430 && ch <= 0x044F)
        return small[size_t(ch - 0x0430)];
    if (ch >= 0x0410 && ch <= 0x042F)
        return small[size_t(ch - 0x0410)] - capitalPenalty;
    if (ch == 0x0451)
        return small[32];
    if (ch == 0x0401)
        return small[32] - capitalPenalty;
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
