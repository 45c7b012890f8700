#pragma once

#include "engine/TMaskKind.h"

#include <QString>
#include <QtGlobal>

#include <vector>

// One block of a compiled pattern. The meaning of the number fields depends on the kind:
//   Width     literal: length of Text; fixed gap: its count; any gap: -1.
//   Pos       search blocks: where the block lies in the current attempt (the finder writes it);
//             counter: the value the next replacement inserts (64-bit, it never wraps);
//             back reference: 1-based index of the referenced search block.
//   NumBefore fixed gap: count; any gap: gap limit; counter: start value; back reference: label.
//   NumAfter  label of a search block; counter: step; back reference: label referenced.
struct TMaskBlockS {
    QString Text;
    int Width = 0;
    TMaskKind Kind = mkLiteral;
    bool Floating = false;
    qint64 Pos = 0;
    int NumBefore = 0;
    int NumAfter = 0;
};

// A compiled pattern, indexed from 1 like the pattern language numbers its blocks.
// Entry 0 is unused; entries 1..count are the blocks; entry count+1 is the end slot where the
// finder records the end of the last block. Entries past the count are never read.
using MaskTable = std::vector<TMaskBlockS>;
