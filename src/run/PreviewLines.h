#pragma once

#include "document/Document.h"
#include "run/PreviewList.h"

#include <QString>

// The rows of a preview as they are shown: each occurrence's line and column and its line,
// cut around it, read from the file when the row is shown (the preview keeps no text). The
// last file read is kept, since rows are shown in order.
class PreviewLines {
public:
    struct Row {
        LineColumn position;
        QString before; // the line before the occurrence, cut to its last characters
        QString found;
        QString after; // the line after it, cut
        bool changed = false; // the file is no longer as the preview read it
    };
    // How much of a line is shown on each side of an occurrence, and of the occurrence itself.
    static constexpr qsizetype Around = 40;

    explicit PreviewLines(const PreviewList &list) : m_list(list) { }

    Row row(qsizetype index);
    // The file as the preview read it; nullptr when it cannot be read or has changed since.
    const Document *document(qsizetype file);
    // Forgets the file kept (a new preview, or after applying).
    void clear();

private:
    const PreviewList &m_list;
    qsizetype m_file = -1;
    Document m_document;
    bool m_readable = false;
};
