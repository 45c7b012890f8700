#include "LinePosition.h"

#include "document/Document.h"

void LinePosition::Reset()
{
    m_position = 0;
    m_line = 1;
    m_lineStart = 0;
}

void LinePosition::Locate(const Document &document, qsizetype position, qsizetype &line,
                          qsizetype &column)
{
    if (position < m_position)
        Reset();
    // One character more, to see whether a CR at the end is the first half of CR LF.
    const qsizetype count = position - m_position;
    const QString stretch = document.mid(m_position, count + 1);
    for (qsizetype i = 0; i < count && i < stretch.size(); ++i) {
        const QChar c = stretch[i];
        const bool crBeforeLf = c == u'\r' && i + 1 < stretch.size() && stretch[i + 1] == u'\n';
        if (c == u'\n' || (c == u'\r' && !crBeforeLf)) {
            ++m_line;
            m_lineStart = m_position + i + 1;
        }
    }
    m_position = position;
    line = m_line;
    column = position - m_lineStart + 1;
}
