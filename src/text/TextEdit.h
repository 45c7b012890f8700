#pragma once

#include <QString>

// One change of a document's text as it was made: [pos, pos + removed) of the old text became
// `text`, which stands at [pos, end()) of the new one.
struct TextEdit {
    qsizetype pos = 0;
    qsizetype removed = 0;
    QString text;

    qsizetype inserted() const { return text.size(); }
    qsizetype end() const { return pos + text.size(); }
    bool changesNothing() const { return removed == 0 && text.isEmpty(); }
    bool operator==(const TextEdit &) const = default;
};
