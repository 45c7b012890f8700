#pragma once

#include "engine/TMaskBlockS.h"

#include <QString>
#include <QStringView>

// Turns a pattern with bracketed wildcard tokens into a table of blocks.
// A search pattern yields literals, fixed gaps and any-length gaps; a replacement pattern
// yields literals, counters and back references to the blocks of a compiled search pattern.
class MaskCompiler {
public:
    // A compiler whose back references find no search block.
    MaskCompiler() = default;
    // Back references resolve against blocks 1..findBlockCount of findBlocks.
    MaskCompiler(const MaskTable *findBlocks, int findBlockCount);

    // Fills table with the blocks of pattern and sets count. Tokens that are unknown, belong
    // to the other kind of pattern or reference a missing label are dropped without a word.
    void CompileMask(QStringView pattern, MaskTable &table, int &count, bool isReplacement) const;

    // Completes the token block at index (its Text is the whole token, brackets included).
    void ClassifyToken(MaskTable &table, int index, bool isReplacement) const;

    // Reads an optional signed decimal number from text at the 1-based position, stopping
    // before the last character (the closing bracket). Advances position past what it read.
    static void ParseTokenNumber(QStringView text, int length, int &position, bool &isEmpty,
                                 int &value);

    // Removes blocks first..last (1-based, inclusive, clamped to 1..count).
    static void DeleteBlocks(MaskTable &table, int &count, int first, int last);

private:
    static void AppendBlock(MaskTable &table, int &count, TMaskBlockS block);
    void SplitPattern(QStringView pattern, MaskTable &table, int &count, bool isReplacement) const;
    void ClassifyBackReference(TMaskBlockS &block, bool firstEmpty, bool secondEmpty) const;
    static void RemoveInvalidBlocks(MaskTable &table, int &count);
    static void MergeGaps(MaskTable &table, int &count);
    static void TrimAnyGaps(MaskTable &table, int &count);
    static void MergeLiterals(MaskTable &table, int &count);

    const MaskTable *m_findBlocks = nullptr;
    int m_findBlockCount = 0;
};
