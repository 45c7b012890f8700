#pragma once

#include <QString>
#include <QStringView>

class Document;

// A replacement typed or pasted in the view, cut down to the characters that really change:
// the start and end it shares with the text it replaces are left out, so that an RTF document
// keeps the bytes (and formatting) of everything the user did not change.
struct MinimalEdit {
    qsizetype pos = 0;
    qsizetype removed = 0;
    QString text;
    // How many characters after the edit the replacement shared with the old text: the caret
    // belongs after them.
    qsizetype keptAfter = 0;

    bool changesNothing() const { return removed == 0 && text.isEmpty(); }

    // Replacing [pos, pos + count) of `old` (which starts at document position `base`) by
    // `text`.
    static MinimalEdit between(QStringView old, qsizetype base, qsizetype pos, qsizetype count,
                               QStringView text);
    static MinimalEdit between(const Document &document, qsizetype pos, qsizetype count,
                               QStringView text);
};
