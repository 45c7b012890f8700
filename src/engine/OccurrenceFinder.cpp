#include "engine/OccurrenceFinder.h"

#include "engine/LiteralSearch.h"

#include <algorithm>

qsizetype OccurrenceFinder::FindOccurrence(const DocumentView &document, qsizetype start,
                                           qsizetype &matchLength, bool useWildcards) const
{
    if (m_state.FindRegex)
        return m_state.Regex.find(document, start, m_state.ReplaceLen, matchLength);
    if (useWildcards)
        return FindMasked(document, start, matchLength);
    matchLength = m_state.SearchLen;
    return FindFrom(document, m_state.SearchText, start);
}

qsizetype OccurrenceFinder::FindMasked(const DocumentView &document, qsizetype start,
                                       qsizetype &matchLength) const
{
    const int count = m_state.FindBlockCount;
    // A pattern with nothing left to match would "occur" at every position.
    if (count == 0)
        return -1;
    const qsizetype length = document.length();
    m_searched.assign(size_t(count) + 2, Searched{});
    block(1).Pos = start;
    int i = 1;
    while (i <= count) {
        TMaskBlockS &current = block(i);
        if (current.Kind == mkFixedGap) {
            if (current.Pos + current.Width > length)
                return -1;
            PlaceFixedGap(document, i);
        } else if (current.Kind == mkAnyGap) {
            current.Floating = false;
            block(i + 1).Pos = current.Pos;
        } else {
            const qsizetype found = FindBlock(document, i, current.Pos);
            if (found < 0)
                return -1; // moving earlier blocks forward cannot help
            if (LiteralFails(i, found)) {
                const int k = LastFloatingBefore(i);
                if (k == 0)
                    return -1;
                block(k).Pos += 1;
                i = k; // blocks k..i are placed again from scratch
                continue;
            }
            current.Floating = PrevKind(i) == mkAnyGap;
            current.Pos = found;
            block(i + 1).Pos = found + current.Width;
        }
        ++i;
    }
    matchLength = block(count).Pos + block(count).Width - block(1).Pos;
    return block(1).Pos;
}

void OccurrenceFinder::PlaceFixedGap(const DocumentView &document, int i) const
{
    TMaskBlockS &gap = block(i);
    if (PrevKind(i) == mkAnyGap) {
        gap.Floating = true;
        // A leading gap slides forward so that it ends where the following literal begins.
        if (i < m_state.FindBlockCount && block(i + 1).Kind == mkLiteral) {
            const qsizetype found = FindBlock(document, i + 1, gap.Pos + gap.Width);
            if (found >= 0)
                gap.Pos = found - gap.Width;
            else
                gap.Floating = false;
        }
    }
    block(i + 1).Pos = gap.Pos + gap.Width;
}

bool OccurrenceFinder::LiteralFails(int i, qsizetype found) const
{
    const TMaskBlockS &literal = block(i);
    if (PrevKind(i) != mkAnyGap)
        return found > literal.Pos; // after a fixed gap the literal must start right there
    if (i == 1)
        return false;
    const TMaskBlockS &gap = block(i - 1);
    const qint64 limit = gap.NumBefore;
    const qint64 covered = found - gap.Pos;
    return (limit > 0 && covered <= limit) || (limit < 0 && covered >= -limit);
}

TMaskKind OccurrenceFinder::PrevKind(int i) const
{
    return i <= 1 ? mkAnyGap : block(i - 1).Kind;
}

int OccurrenceFinder::LastFloatingBefore(int i) const
{
    for (int k = i - 1; k >= 1; --k) {
        if (block(k).Floating)
            return k;
    }
    return 0;
}

qsizetype OccurrenceFinder::FindBlock(const DocumentView &document, int i, qsizetype from) const
{
    Searched &last = m_searched[size_t(i)];
    if (last.from >= 0 && last.from <= from && (last.found < 0 || last.found >= from))
        return last.found;
    last = {from, FindFrom(document, block(i).Text, from)};
    return last.found;
}

qsizetype OccurrenceFinder::FindFrom(const DocumentView &document, QStringView literal,
                                     qsizetype from) const
{
    return FindLiteral(document, literal, from, document.length() - from, m_options.MatchCase);
}

qsizetype OccurrenceFinder::FindLiteral(const DocumentView &document, QStringView literal,
                                        qsizetype s, qsizetype n, bool matchCase)
{
    const qsizetype length = document.length();
    if (literal.isEmpty() || n <= 0 || s < 0 || s >= length)
        return -1;
    Q_ASSERT(s >= document.base());
    const qsizetype end = std::min(length, s + n);
    const QStringView range = document.mid(s, end - s);
    const qsizetype found = LiteralSearch::indexOf(range, literal, matchCase);
    return found < 0 ? -1 : s + found;
}
