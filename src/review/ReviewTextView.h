#pragma once

#include "review/CaretKeys.h"
#include "review/TextRows.h"
#include "text/TextEdit.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPoint>

#include <functional>
#include <optional>
#include <utility>

class Document;
class FormatSpans;
class ShownRows;

// The review dialog's editor ProcessRE. It paints the visible rows straight from the shown
// document's text through its line index (nothing is copied, so a file of any size shows at
// once) with the formatting of its spans, and shows a selection and, where the mode allows,
// a caret. It never changes the text itself: typed edits go to the editor callback (the run's
// review), which tells the owner the edit as made, and the owner passes it to
// documentEdited().
//
// The vertical scroll bar counts lines; the top row may be a later piece of a very long line.
class ReviewTextView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class Mode {
        Occurrence, // read-only, the selection belongs to the occurrence: keys only scroll
        Selecting, // read-only, the user selects freely
        Editing, // the user edits the text
    };
    using Editor
        = std::function<std::optional<TextEdit>(qsizetype pos, qsizetype count, QStringView text)>;

    explicit ReviewTextView(QWidget *parent = nullptr);
    ~ReviewTextView() override;

    // Shows `document` with the formatting of `spans` (neither owned), from the top.
    void setSource(const Document *document, const FormatSpans *spans);
    const Document *document() const { return m_rows.document(); }
    // Follows an edit already made to the shown document (and to its spans).
    void documentEdited(const TextEdit &edit);
    // The spans were replaced as a whole (the text is the same).
    void formatsChanged();

    void setMode(Mode mode);
    Mode mode() const { return m_mode; }
    void setEditor(Editor editor) { m_editor = std::move(editor); }

    qsizetype selectionStart() const { return std::min(m_anchor, m_position); }
    qsizetype selectionEnd() const { return std::max(m_anchor, m_position); }
    qsizetype cursorPosition() const { return m_position; }
    QString selectedText() const;
    // Selects from `anchor` to `position` (the caret); tells selectionChanged() when that
    // changes anything.
    void setSelection(qsizetype anchor, qsizetype position);
    // Scrolls so that the rows of [start, end) stand in the middle and are in view sideways;
    // a hidden view does so when it is shown, when its size is known.
    void centerOn(qsizetype start, qsizetype end);
    // Scrolls as little as needed to bring `pos` into view.
    void ensureVisible(qsizetype pos);

    RowRef topRow() const { return m_top; }
    // Every row and line break as the view shows them, in order: what the user sees.
    QString shownText() const;
    // The view-local x of a position's caret, and the position under a view-local point.
    QPoint pointOf(qsizetype pos) const;
    qsizetype positionAt(QPoint point) const;

signals:
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void changeEvent(QEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    // The rows as they stand now: top row, viewport size and sideways scroll.
    ShownRows shown() const;
    void setTop(RowRef top);
    void updateRanges();
    bool perform(const CaretKeys::Command &command);
    void scrollBy(CaretKeys::Motion motion);
    qsizetype caretTarget(CaretKeys::Motion motion, bool extend);
    void moveCaret(CaretKeys::Motion motion, bool extend);
    void moveTo(qsizetype pos, bool extend);
    void replaceSelection(const QString &text);
    void deleteAround(bool forward);
    void copy() const;
    void paste();
    void selectWordAt(qsizetype pos);
    void scrollRows(qsizetype rows);
    void restartBlink();
    bool showsCaret() const;
    QRect caretRect() const;

    // Laid-out rows are a cache: reading them from const members is fine.
    mutable TextRows m_rows;
    Mode m_mode = Mode::Occurrence;
    Editor m_editor;
    qsizetype m_anchor = 0;
    qsizetype m_position = 0;
    qreal m_preferredX = -1;
    RowRef m_top;
    bool m_rangesDirty = true;
    bool m_dragging = false;
    QPoint m_dragPoint;
    std::optional<std::pair<qsizetype, qsizetype>> m_pendingCenter;
    QBasicTimer m_autoScroll;
    QBasicTimer m_blink;
    bool m_caretOn = true;
    int m_wheelDelta = 0;
};
