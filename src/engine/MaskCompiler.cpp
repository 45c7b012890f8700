#include "engine/MaskCompiler.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

bool isGap(const TMaskBlockS &block)
{
    return block.Kind == mkFixedGap || block.Kind == mkAnyGap;
}

char16_t upperAscii(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}

TMaskBlockS literalBlock(QStringView text)
{
    TMaskBlockS block;
    block.Text = text.toString();
    block.Width = int(text.size());
    block.Kind = mkLiteral;
    return block;
}

} // namespace

MaskCompiler::MaskCompiler(const MaskTable *findBlocks, int findBlockCount)
    : m_findBlocks(findBlocks), m_findBlockCount(findBlocks ? findBlockCount : 0)
{
}

void MaskCompiler::CompileMask(QStringView pattern, MaskTable &table, int &count,
                               bool isReplacement) const
{
    count = 0;
    SplitPattern(pattern, table, count, isReplacement);
    RemoveInvalidBlocks(table, count);
    if (!isReplacement) {
        MergeGaps(table, count);
        TrimAnyGaps(table, count);
        MergeLiterals(table, count);
    }
    // Entry 0 is unused and the finder writes the end slot after the last block.
    if (table.size() < size_t(count) + 2)
        table.resize(size_t(count) + 2);
}

void MaskCompiler::AppendBlock(MaskTable &table, int &count, TMaskBlockS block)
{
    const size_t index = size_t(count) + 1;
    if (table.size() <= index)
        table.resize(index + 1);
    table[index] = std::move(block);
    ++count;
}

void MaskCompiler::SplitPattern(QStringView pattern, MaskTable &table, int &count,
                                bool isReplacement) const
{
    qsizetype consumed = 0; // the first position not yet taken into a block
    qsizetype open = pattern.indexOf(u'[');
    while (open >= 0) {
        if (open > consumed)
            AppendBlock(table, count, literalBlock(pattern.sliced(consumed, open - consumed)));
        // The character right after "[" never closes the token.
        const qsizetype close = pattern.indexOf(u']', open + 2);
        if (close < 0) {
            // An unclosed "[" and everything after it is plain text.
            consumed = open;
            break;
        }
        TMaskBlockS token;
        token.Text = pattern.sliced(open, close - open + 1).toString();
        token.Width = int(token.Text.size());
        AppendBlock(table, count, std::move(token));
        ClassifyToken(table, count, isReplacement);
        consumed = close + 1;
        open = pattern.indexOf(u'[', consumed);
    }
    if (consumed < pattern.size())
        AppendBlock(table, count, literalBlock(pattern.sliced(consumed)));
}

void MaskCompiler::ClassifyToken(MaskTable &table, int index, bool isReplacement) const
{
    TMaskBlockS &block = table[size_t(index)];
    const QStringView text = block.Text;
    const int length = int(text.size());

    int position = 2;
    bool firstEmpty = true;
    ParseTokenNumber(text, length, position, firstEmpty, block.NumBefore);
    if (firstEmpty)
        block.NumBefore = 0;
    const char16_t letter = position <= length ? upperAscii(text[position - 1].unicode()) : u']';
    int after = position + 1;
    bool secondEmpty = true;
    ParseTokenNumber(text, length, after, secondEmpty, block.NumAfter);
    if (secondEmpty)
        block.NumAfter = 0;

    switch (letter) {
    case u'*':
        block.Kind = isReplacement ? mkInvalid : mkAnyGap;
        block.Width = -1;
        break;
    case u'?':
        if (firstEmpty)
            block.NumBefore = 1;
        // A negative count would let the match end before it starts.
        block.Kind = (isReplacement || block.NumBefore < 0) ? mkInvalid : mkFixedGap;
        block.Width = block.NumBefore;
        break;
    case u'B':
        if (isReplacement)
            ClassifyBackReference(block, firstEmpty, secondEmpty);
        else
            block.Kind = mkInvalid;
        break;
    case u'I':
        block.Kind = (isReplacement && !firstEmpty) ? mkCounter : mkInvalid;
        if (secondEmpty)
            block.NumAfter = 1;
        break;
    case u'O':
    case u'C':
        block.Kind = mkLiteral;
        block.Text = letter == u'O' ? u"["_s : u"]"_s;
        block.Width = 1;
        break;
    default:
        block.Kind = mkInvalid;
        block.NumBefore = 0;
        block.Width = -1;
        break;
    }
}

void MaskCompiler::ClassifyBackReference(TMaskBlockS &block, bool firstEmpty,
                                         bool secondEmpty) const
{
    block.Kind = mkInvalid;
    if (firstEmpty && secondEmpty)
        return;
    // The number after the letter wins when both are given.
    if (secondEmpty)
        block.NumAfter = block.NumBefore;
    else
        block.NumBefore = block.NumAfter;
    for (int i = 1; i <= m_findBlockCount; ++i) {
        if ((*m_findBlocks)[size_t(i)].NumAfter == block.NumAfter) {
            block.Kind = mkBackRef;
            block.Pos = i;
            return;
        }
    }
}

void MaskCompiler::ParseTokenNumber(QStringView text, int length, int &position, bool &isEmpty,
                                    int &value)
{
    auto at = [&](int p) { return p >= 1 && p <= length ? text[p - 1].unicode() : u'\0'; };
    int sign = 1;
    if (at(position) == u'+' || at(position) == u'-') {
        sign = at(position) == u'-' ? -1 : 1;
        ++position;
    }
    constexpr qint64 limit = std::numeric_limits<int>::max();
    qint64 magnitude = 0;
    bool anyDigit = false;
    bool tooLarge = false;
    while (position < length && at(position) >= u'0' && at(position) <= u'9') {
        anyDigit = true;
        if (!tooLarge) {
            magnitude = magnitude * 10 + (at(position) - u'0');
            tooLarge = magnitude > limit;
        }
        ++position;
    }
    // The largest 32-bit value has always meant "no number"; larger ones do not fit.
    isEmpty = !anyDigit || tooLarge || magnitude == limit;
    value = isEmpty ? 0 : int(magnitude) * sign;
}

void MaskCompiler::DeleteBlocks(MaskTable &table, int &count, int first, int last)
{
    first = std::max(first, 1);
    last = std::min(last, count);
    if (first > last)
        return;
    const auto begin = table.begin();
    std::move(begin + last + 1, begin + count + 1, begin + first);
    count -= last - first + 1;
}

void MaskCompiler::RemoveInvalidBlocks(MaskTable &table, int &count)
{
    for (int i = count; i >= 1;) {
        if (table[size_t(i)].Kind != mkInvalid) {
            --i;
            continue;
        }
        int first = i;
        while (first > 1 && table[size_t(first) - 1].Kind == mkInvalid)
            --first;
        DeleteBlocks(table, count, first, i);
        i = first - 1;
    }
}

void MaskCompiler::MergeGaps(MaskTable &table, int &count)
{
    for (int i = count; i >= 1;) {
        if (table[size_t(i)].Kind != mkAnyGap) {
            --i;
            continue;
        }
        int followEnd = i;
        while (followEnd < count && isGap(table[size_t(followEnd) + 1]))
            ++followEnd;
        DeleteBlocks(table, count, i + 1, followEnd);
        int precedeStart = i;
        while (precedeStart > 1 && isGap(table[size_t(precedeStart) - 1]))
            --precedeStart;
        DeleteBlocks(table, count, precedeStart, i - 1);
        i = precedeStart - 1; // the "*" now stands at precedeStart
    }
}

void MaskCompiler::TrimAnyGaps(MaskTable &table, int &count)
{
    while (count > 0 && table[size_t(count)].Kind == mkAnyGap)
        --count;
    while (count > 0 && table[1].Kind == mkAnyGap)
        DeleteBlocks(table, count, 1, 1);
}

void MaskCompiler::MergeLiterals(MaskTable &table, int &count)
{
    for (int i = count; i >= 1;) {
        if (table[size_t(i)].Kind != mkLiteral) {
            --i;
            continue;
        }
        int first = i;
        while (first > 1 && table[size_t(first) - 1].Kind == mkLiteral)
            --first;
        if (first < i) {
            TMaskBlockS &merged = table[size_t(first)];
            for (int j = first + 1; j <= i; ++j)
                merged.Text += table[size_t(j)].Text;
            merged.Width = int(merged.Text.size());
            // The run's last block lends its numbers, so a label survives only there.
            merged.NumBefore = table[size_t(i)].NumBefore;
            merged.NumAfter = table[size_t(i)].NumAfter;
            DeleteBlocks(table, count, first + 1, i);
        }
        i = first - 1;
    }
}
