#pragma once

#include "document/DocumentView.h"

#include <QString>
#include <QStringView>

// Text in one buffer with a gap at the place of the last edit, so that a run of edits that
// moves forward through the text (a replace-all) costs the length of the text plus the
// inserted characters in all, not the length of the text for every edit.
//
// Reading never changes the text, but a view from before the gap moves the gap out of the
// way; that is why the buffer is mutable. A view stays valid until the next view or edit.
class GapBuffer {
public:
    GapBuffer() = default;
    // Takes over the string's storage; nothing is copied until the first edit needs room.
    explicit GapBuffer(QString text);

    qsizetype length() const { return m_buffer.size() - gapSize(); }

    // Replaces `count` characters at `pos` by `text`; both are clipped to the text.
    // `text` may be a view of this buffer.
    void replace(qsizetype pos, qsizetype count, QStringView text);

    // A contiguous window that covers at least [from, length()). The text moves only when
    // `from` lies before the gap.
    DocumentView view(qsizetype from) const;
    QString mid(qsizetype pos, qsizetype count) const;
    QString text() const;

private:
    qsizetype gapSize() const { return m_gapEnd - m_gapStart; }
    qsizetype tailSize() const { return m_buffer.size() - m_gapEnd; }
    void moveGapTo(qsizetype pos) const;
    void widenGap(qsizetype needed);
    bool overlapsBuffer(QStringView text) const;

    mutable QString m_buffer; // text before the gap, the gap, text after it
    mutable qsizetype m_gapStart = 0;
    mutable qsizetype m_gapEnd = 0;
};
