#pragma once

#include "text/FormattedRun.h"

#include <QList>
#include <QString>
#include <QTextEdit>

// A pattern editor (SourceRE or TargetRE). Its text is the pattern exactly as typed: read raw,
// so that a non-breaking space stays one, with every line break as CR LF. Pasting takes plain
// text, or RTF through the program's own reader, never HTML markup.
class PatternEditor : public QTextEdit {
    Q_OBJECT
public:
    explicit PatternEditor(QWidget *parent = nullptr);

    // Rich mode reads a pasted file as RTF when it is RTF; plain-text mode reads every file as
    // plain text, RTF markup included.
    bool richMode() const { return m_richMode; }
    void setRichMode(bool rich) { m_richMode = rich; }

    QString patternText() const;
    // A text document's raw text with its paragraph and line separators as CR LF.
    static QString patternFromRaw(QString raw);

    // Replaces the whole content with `text` in the formatting of `runs`.
    void setFormattedText(const QString &text, const QList<FormattedRun> &runs);

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void insertFormatted(QTextCursor &cursor, const QString &text, const QList<FormattedRun> &runs);

    bool m_richMode = false;
};
