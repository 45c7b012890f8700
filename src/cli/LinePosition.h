#pragma once

#include <QtGlobal>

class Document;

// Line and column of positions met in order through one document, counted incrementally so
// that a file with many occurrences is read once. Both are 1-based; CR LF is one break.
class LinePosition {
public:
    void Reset();
    // Positions normally come in increasing order; an earlier one starts the count again.
    void Locate(const Document &document, qsizetype position, qsizetype &line, qsizetype &column);

private:
    qsizetype m_position = 0;
    qsizetype m_line = 1;
    qsizetype m_lineStart = 0;
};
