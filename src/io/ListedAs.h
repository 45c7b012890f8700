#pragma once

#include <QtGlobal>

// What the folder scan learnt of a file it listed, from the folder itself: a regular file under
// that very name (no link), which its reader opens without looking at its type first (the open
// handle's type is still checked, and a name that became a link meanwhile is looked at as any
// other); or nothing (a link, a file system that does not say, a name given in a list).
enum class ListedAs : quint8 { Unknown, RegularFile };
