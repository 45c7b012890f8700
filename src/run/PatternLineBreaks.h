#pragma once

#include <QString>
#include <QStringList>

class EngineState;

// Patterns are typed with CR LF line breaks; a document may use LF or CR alone. Before each
// file the literal parts of both patterns are put into that file's style, so a line break in
// a pattern finds and inserts the document's own. Counters and block positions are kept.
class PatternLineBreaks {
public:
    // Remembers the patterns as compiled for the run; the replacement only when replacing.
    void Capture(const EngineState &state, bool replacing);
    // Puts the remembered patterns into the style of `lineBreak`.
    void Apply(EngineState &state, const QString &lineBreak) const;

private:
    QString m_searchText;
    QString m_replaceText;
    QStringList m_findTexts;
    QStringList m_replaceTexts;
    bool m_replacing = false;
};
