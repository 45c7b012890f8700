#include "engine/CaseFreeSearch.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr size_t MaxVariants = 4;

struct Variants {
    char16_t first = 0;
    std::vector<char16_t> units; // empty: too many to search for one by one
};

} // namespace

// Worked out once per character and thread; a pattern's literals start and end with a few
// characters, which stay cached.
const std::vector<char16_t> &CaseFreeSearch::variantsOf(char16_t first)
{
    thread_local std::array<Variants, 8> cache{};
    thread_local size_t filled = 0;
    thread_local size_t next = 0;
    for (size_t i = 0; i < filled; ++i) {
        if (cache[i].first == first)
            return cache[i].units;
    }
    Variants &entry = cache[next];
    next = (next + 1) % cache.size();
    filled = std::min(filled + 1, cache.size());
    entry.first = first;
    entry.units.clear();
    const char32_t folded = QChar::toCaseFolded(char32_t(first));
    for (char32_t c = 0; c <= 0xFFFF && entry.units.size() <= MaxVariants; ++c) {
        if (!QChar::isSurrogate(c) && QChar::toCaseFolded(c) == folded)
            entry.units.push_back(char16_t(c));
    }
    if (entry.units.size() > MaxVariants)
        entry.units.clear();
    return entry.units;
}

qsizetype CaseFreeSearch::indexOf(QStringView text, QStringView needle)
{
    if (needle.isEmpty() || needle.size() > text.size() || QChar::isSurrogate(needle[0].unicode()))
        return text.indexOf(needle, 0, Qt::CaseInsensitive);
    const std::vector<char16_t> &variants = variantsOf(needle[0].unicode());
    if (variants.empty())
        return text.indexOf(needle, 0, Qt::CaseInsensitive);
    const qsizetype lastStart = text.size() - needle.size();
    // Each variant's next place is looked for only up to a horizon that grows as the search
    // goes on: a variant the text never holds costs no more than the distance searched.
    std::array<qsizetype, MaxVariants> next{};
    qsizetype horizon = 0;
    qsizetype window = 64;
    auto look = [&](size_t k, qsizetype from) {
        const qsizetype found = text.sliced(from, horizon - from).indexOf(QChar(variants[k]));
        next[k] = found < 0 ? -1 : from + found;
    };
    for (qsizetype from = 0; from <= lastStart;) {
        if (from >= horizon) {
            horizon = std::min(from + window, lastStart + 1);
            window = std::min<qsizetype>(window * 2, 1 << 16);
            for (size_t k = 0; k < variants.size(); ++k)
                look(k, from);
        }
        qsizetype at = -1;
        for (size_t k = 0; k < variants.size(); ++k) {
            if (next[k] >= 0 && (at < 0 || next[k] < at))
                at = next[k];
        }
        if (at < 0) {
            from = horizon;
            continue;
        }
        if (QtPrivate::compareStrings(text.sliced(at, needle.size()), needle, Qt::CaseInsensitive)
            == 0)
            return at;
        from = at + 1;
        for (size_t k = 0; k < variants.size(); ++k) {
            if (next[k] == at)
                look(k, from);
        }
    }
    return -1;
}
