#pragma once

#include <QtGlobal>

// What an edit did to a document's text: [pos, pos + removed) of the old text became
// [pos, pos + inserted) of the new one.
struct TextEdit {
    qsizetype pos = 0;
    qsizetype removed = 0;
    qsizetype inserted = 0;
};
