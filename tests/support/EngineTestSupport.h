#pragma once

#include "engine/TMaskBlockS.h"

#include <QString>

// A compact, readable form of a compiled pattern for comparing in tests:
//   L"text"  literal        ?3  fixed gap of 3      *2  any gap with limit 2
//   I10,5    counter start 10 step 5                B1  back reference to search block 1
// A label other than 0 follows as "#n". Blocks are joined with " | ".
QString describeBlocks(const MaskTable &table, int count);
