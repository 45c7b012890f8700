#include "review/ReviewTextView.h"

#include "document/Document.h"
#include "review/FormatSpans.h"
#include "review/MinimalEdit.h"
#include "review/ReviewTextAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleHints>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Room left of every row and above the first, as a rich-text editor leaves it.
constexpr qreal Margin = 4;
constexpr qreal TopMargin = 2;
constexpr int CaretWidth = 1;
constexpr int AutoScrollInterval = 50;
constexpr int SidewaysStep = 20;

enum class Motion {
    NextChar,
    PreviousChar,
    NextWord,
    PreviousWord,
    Down,
    Up,
    PageDown,
    PageUp,
    LineStart,
    LineEnd,
    DocumentStart,
    DocumentEnd
};

struct MoveKey {
    QKeySequence::StandardKey move;
    QKeySequence::StandardKey select;
    Motion motion;
};

const MoveKey MoveKeys[] = {
    {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, Motion::NextChar},
    {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, Motion::PreviousChar},
    {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, Motion::NextWord},
    {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, Motion::PreviousWord},
    {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, Motion::Down},
    {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, Motion::Up},
    {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, Motion::PageDown},
    {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, Motion::PageUp},
    {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, Motion::LineStart},
    {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, Motion::LineEnd},
    {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument,
     Motion::DocumentStart},
    {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, Motion::DocumentEnd},
};

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c.isMark();
}

} // namespace

ReviewTextView::ReviewTextView(QWidget *parent) : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    horizontalScrollBar()->setSingleStep(SidewaysStep);
    m_rows.setFont(font());
    ReviewTextAccessible::install();
}

ReviewTextView::~ReviewTextView() = default;

void ReviewTextView::setSource(const Document *document, const FormatSpans *spans)
{
    m_rows.setSource(document, spans);
    m_anchor = 0;
    m_position = 0;
    m_preferredX = -1;
    m_top = RowRef();
    m_rangesDirty = true;
    m_pendingCenter.reset();
    const QSignalBlocker blockV(verticalScrollBar());
    const QSignalBlocker blockH(horizontalScrollBar());
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void ReviewTextView::documentEdited(const TextEdit &edit)
{
    const auto follow = [&edit](qsizetype pos) {
        if (pos <= edit.pos)
            return pos;
        if (pos >= edit.pos + edit.removed)
            return pos + edit.inserted() - edit.removed;
        return edit.pos;
    };
    m_anchor = follow(m_anchor);
    m_position = follow(m_position);
    m_rows.clear();
    m_rangesDirty = true;
    const RowRef last = m_rows.lastRow();
    if (m_top > last)
        m_top = last;
    else
        m_top.segment = std::min(m_top.segment, m_rows.segmentCount(m_top.line) - 1);
    viewport()->update();
}

void ReviewTextView::formatsChanged()
{
    m_rows.clear();
    m_rangesDirty = true;
    viewport()->update();
}

void ReviewTextView::setMode(Mode mode)
{
    m_mode = mode;
    setAttribute(Qt::WA_InputMethodEnabled, mode == Mode::Editing);
    m_dragging = false;
    m_autoScroll.stop();
    restartBlink();
}

QString ReviewTextView::selectedText() const
{
    return document() ? document()->mid(selectionStart(), selectionEnd() - selectionStart())
                      : QString();
}

void ReviewTextView::setSelection(qsizetype anchor, qsizetype position)
{
    const qsizetype length = document() ? document()->length() : 0;
    anchor = std::clamp<qsizetype>(anchor, 0, length);
    position = std::clamp<qsizetype>(position, 0, length);
    if (anchor == m_anchor && position == m_position)
        return;
    m_anchor = anchor;
    m_position = position;
    viewport()->update();
    // A screen reader reads the occurrence and the caret as they move.
    if (QAccessible::isActive()) {
        QAccessibleTextSelectionEvent selection(this, int(selectionStart()), int(selectionEnd()));
        selection.setCursorPosition(int(position));
        QAccessible::updateAccessibility(&selection);
    }
    emit selectionChanged();
}

// The height the rows have below the top margin.
qreal ReviewTextView::viewHeight() const
{
    return std::max<qreal>(viewport()->height() - TopMargin, 0);
}

// Where a row's text starts in the viewport: after the margin, moved by the row's alignment
// within the visible width and by the sideways scroll.
qreal ReviewTextView::originOf(const TextRows::Row &row) const
{
    const qreal room = viewport()->width() - 2 * Margin - row.width;
    qreal shift = 0;
    if (room > 0 && row.alignment == TextAlignment::Center)
        shift = room / 2;
    else if (room > 0 && row.alignment == TextAlignment::Right)
        shift = room;
    return Margin + shift - horizontalScrollBar()->value();
}

RowRef ReviewTextView::lastTop()
{
    RowRef top = m_rows.lastRow();
    qreal used = m_rows.row(top).height;
    for (RowRef probe = top; m_rows.previous(probe);) {
        used += m_rows.row(probe).height;
        if (used > viewHeight())
            break;
        top = probe;
    }
    return top;
}

void ReviewTextView::updateRanges()
{
    if (!document())
        return;
    QScrollBar *vertical = verticalScrollBar();
    if (m_rangesDirty) {
        m_rangesDirty = false;
        const QSignalBlocker block(vertical);
        const qreal lineHeight = std::max<qreal>(QFontMetricsF(font()).height(), 1);
        vertical->setRange(0, int(lastTop().line));
        vertical->setPageStep(std::max(1, int(viewHeight() / lineHeight)));
        vertical->setValue(int(m_top.line));
    }
    QScrollBar *sideways = horizontalScrollBar();
    const int wanted = int(std::ceil(m_rows.maxWidth() + 2 * Margin + CaretWidth));
    sideways->setPageStep(std::max(1, viewport()->width()));
    sideways->setMaximum(std::max({0, wanted - viewport()->width(), sideways->maximum()}));
}

void ReviewTextView::setTop(RowRef top)
{
    updateRanges();
    m_top = std::min(top, lastTop());
    const QSignalBlocker block(verticalScrollBar());
    verticalScrollBar()->setValue(int(m_top.line));
    viewport()->update();
}

void ReviewTextView::scrollContentsBy(int, int dy)
{
    if (dy != 0) {
        const qsizetype line = verticalScrollBar()->value();
        if (line != m_top.line)
            m_top = RowRef{line, 0};
    }
    viewport()->update();
}

// The wheel moves rows, not lines, so that a long line cut into rows scrolls too.
void ReviewTextView::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    if (delta.y() == 0 || (event->modifiers() & Qt::AltModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    m_wheelDelta += delta.y();
    const int notches = m_wheelDelta / QWheelEvent::DefaultDeltasPerStep;
    m_wheelDelta -= notches * QWheelEvent::DefaultDeltasPerStep;
    scrollRows(-qsizetype(notches) * QApplication::wheelScrollLines());
    event->accept();
}

void ReviewTextView::scrollRows(qsizetype rows)
{
    RowRef top = m_top;
    for (; rows > 0 && m_rows.next(top); --rows) { }
    for (; rows < 0 && m_rows.previous(top); ++rows) { }
    setTop(top);
}

void ReviewTextView::centerOn(qsizetype start, qsizetype end)
{
    if (!document())
        return;
    if (!isVisible()) {
        m_pendingCenter = {start, end};
        return;
    }
    m_rows.trimCache();
    const RowRef target = m_rows.rowOf(start);
    const qreal above = (viewHeight() - m_rows.row(target).height) / 2;
    RowRef top = target;
    qreal used = 0;
    for (RowRef probe = target; m_rows.previous(probe);) {
        used += m_rows.row(probe).height;
        if (used > above)
            break;
        top = probe;
    }
    setTop(top);

    const TextRows::Row &row = m_rows.row(target);
    const qreal scroll = horizontalScrollBar()->value();
    const qreal left = originOf(row) + scroll + m_rows.xOf(start);
    const qreal right = m_rows.rowOf(end) == target
        ? originOf(m_rows.row(target)) + scroll + m_rows.xOf(end)
        : left + row.width;
    const qreal width = viewport()->width();
    if (left >= scroll + Margin && right <= scroll + width - Margin)
        return;
    const qreal wanted
        = right - left <= width - 2 * Margin ? (left + right - width) / 2 : left - Margin;
    updateRanges();
    QScrollBar *sideways = horizontalScrollBar();
    sideways->setMaximum(std::max(sideways->maximum(), int(wanted)));
    sideways->setValue(std::max(0, int(wanted)));
}

void ReviewTextView::ensureVisible(qsizetype pos)
{
    if (!document())
        return;
    m_rows.trimCache();
    const RowRef target = m_rows.rowOf(pos);
    bool visible = false;
    if (target >= m_top) {
        qreal y = 0;
        for (RowRef probe = m_top; y < viewHeight();) {
            const qreal height = m_rows.row(probe).height;
            if (probe == target) {
                visible = y + height <= viewHeight() || probe == m_top;
                break;
            }
            y += height;
            if (!m_rows.next(probe))
                break;
        }
    }
    if (target < m_top) {
        setTop(target);
    } else if (!visible) {
        RowRef top = target;
        qreal used = m_rows.row(target).height;
        for (RowRef probe = target; m_rows.previous(probe);) {
            used += m_rows.row(probe).height;
            if (used > viewHeight())
                break;
            top = probe;
        }
        setTop(top);
    }

    QScrollBar *sideways = horizontalScrollBar();
    const qreal x = originOf(m_rows.row(target)) + m_rows.xOf(pos);
    const qreal width = viewport()->width();
    int value = sideways->value();
    if (x < Margin)
        value += int(std::floor(x - width / 3));
    else if (x > width - Margin - CaretWidth)
        value += int(std::ceil(x - width * 2 / 3));
    updateRanges();
    sideways->setMaximum(std::max(sideways->maximum(), value));
    sideways->setValue(std::max(0, value));
}

QPoint ReviewTextView::pointOf(qsizetype pos) const
{
    if (!document())
        return {-1, -1};
    const RowRef target = m_rows.rowOf(pos);
    qreal y = TopMargin;
    for (RowRef probe = m_top; probe <= target && y < viewport()->height();) {
        const TextRows::Row &row = m_rows.row(probe);
        if (probe == target)
            return QPointF(originOf(row) + m_rows.xOf(pos), y).toPoint();
        y += row.height;
        if (!m_rows.next(probe))
            break;
    }
    return {-1, -1};
}

qsizetype ReviewTextView::positionAt(QPoint point) const
{
    if (!document())
        return 0;
    const qreal wantedY
        = std::clamp<qreal>(point.y() - TopMargin, 0, std::max<qreal>(viewHeight() - 1, 0));
    RowRef probe = m_top;
    qreal y = 0;
    for (;;) {
        const qreal height = m_rows.row(probe).height;
        RowRef next = probe;
        if (wantedY < y + height || !m_rows.next(next))
            break;
        y += height;
        probe = next;
    }
    return m_rows.positionAt(probe, point.x() - originOf(m_rows.row(probe)));
}

QString ReviewTextView::shownText() const
{
    QString shown;
    const Document *doc = document();
    if (!doc)
        return shown;
    RowRef row;
    do {
        const qsizetype end = m_rows.rowEnd(row);
        shown += doc->mid(m_rows.rowStart(row), end - m_rows.rowStart(row));
        RowRef next = row;
        if (m_rows.endsLine(row))
            shown
                += doc->mid(end, (m_rows.next(next) ? m_rows.rowStart(next) : doc->length()) - end);
    } while (m_rows.next(row));
    return shown;
}

void ReviewTextView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    if (!document())
        return;
    updateRanges();
    m_rows.trimCache();
    const QPalette &colours = palette();
    // The selection keeps its colours while a question box has the focus.
    const QBrush highlight = colours.brush(QPalette::Active, QPalette::Highlight);
    QTextCharFormat selected;
    selected.setBackground(highlight);
    selected.setForeground(colours.brush(QPalette::Active, QPalette::HighlightedText));
    painter.setPen(colours.color(QPalette::Active, QPalette::Text));
    const qreal breakWidth = QFontMetricsF(font()).horizontalAdvance(u' ');
    const qsizetype from = selectionStart();
    const qsizetype to = selectionEnd();
    const bool caret = showsCaret() && m_caretOn;
    const RowRef last = m_rows.lastRow();
    qreal y = TopMargin;
    for (RowRef ref = m_top;;) {
        const TextRows::Row &row = m_rows.row(ref);
        const qsizetype start = m_rows.rowStart(ref);
        const qsizetype end = m_rows.rowEnd(ref);
        const QPointF origin(originOf(row), y);
        QList<QTextLayout::FormatRange> ranges;
        if (from < end && to > start) {
            const qsizetype first = std::max(from, start);
            ranges.append({int(first - start), int(std::min(to, end) - first), selected});
        }
        row.layout->draw(&painter, origin, ranges);
        // A selected line break shows as a blank after the line.
        if (from < to && ref != last && m_rows.endsLine(ref) && from <= end && to > end)
            painter.fillRect(QRectF(origin.x() + row.width, y, breakWidth, row.height), highlight);
        if (caret && m_position >= start && m_position <= end && m_rows.rowOf(m_position) == ref)
            row.layout->drawCursor(&painter, origin, int(m_position - start), CaretWidth);
        y += row.height;
        if (y >= viewport()->height() || !m_rows.next(ref))
            break;
    }
    updateRanges();
}

void ReviewTextView::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    if (const auto pending = std::exchange(m_pendingCenter, std::nullopt))
        centerOn(pending->first, pending->second);
}

void ReviewTextView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_rangesDirty = true;
    updateRanges();
}

bool ReviewTextView::scrollKey(QKeyEvent *event)
{
    QScrollBar *sideways = horizontalScrollBar();
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        scrollRows(-1);
        return true;
    case Qt::Key_Down:
        scrollRows(1);
        return true;
    case Qt::Key_PageUp:
        scrollRows(-verticalScrollBar()->pageStep());
        return true;
    case Qt::Key_PageDown:
        scrollRows(verticalScrollBar()->pageStep());
        return true;
    case Qt::Key_Home:
        if (control)
            setTop(RowRef());
        sideways->setValue(0);
        return true;
    case Qt::Key_End:
        if (control)
            setTop(m_rows.lastRow());
        return true;
    case Qt::Key_Left:
        sideways->setValue(sideways->value() - SidewaysStep);
        return true;
    case Qt::Key_Right:
        sideways->setValue(sideways->value() + SidewaysStep);
        return true;
    default:
        return false;
    }
}

qsizetype ReviewTextView::lineMove(qsizetype pos, qsizetype rows)
{
    RowRef row = m_rows.rowOf(pos);
    if (m_preferredX < 0)
        m_preferredX = originOf(m_rows.row(row)) + m_rows.xOf(pos);
    for (; rows > 0 && m_rows.next(row); --rows) { }
    for (; rows < 0 && m_rows.previous(row); ++rows) { }
    return m_rows.positionAt(row, m_preferredX - originOf(m_rows.row(row)));
}

void ReviewTextView::moveTo(qsizetype pos, bool extend)
{
    setSelection(extend ? m_anchor : pos, pos);
    ensureVisible(pos);
    restartBlink();
}

bool ReviewTextView::moveKey(QKeyEvent *event)
{
    if (event == QKeySequence::SelectAll) {
        setSelection(0, document()->length());
        return true;
    }
    if (event == QKeySequence::Copy) {
        copy();
        return true;
    }
    for (const MoveKey &key : MoveKeys) {
        const bool extend = event == key.select;
        if (!extend && event != key.move)
            continue;
        const PositionMapper &positions = document()->positions();
        const qsizetype line = positions.lineOf(m_position);
        const qsizetype page = verticalScrollBar()->pageStep();
        const bool collapse = !extend && m_anchor != m_position;
        qsizetype target = m_position;
        bool vertical = false;
        switch (key.motion) {
        case Motion::NextChar:
            target = collapse ? selectionEnd()
                              : m_rows.nextPosition(m_position, QTextLayout::SkipCharacters);
            break;
        case Motion::PreviousChar:
            target = collapse ? selectionStart()
                              : m_rows.previousPosition(m_position, QTextLayout::SkipCharacters);
            break;
        case Motion::NextWord:
            target = m_rows.nextPosition(m_position, QTextLayout::SkipWords);
            break;
        case Motion::PreviousWord:
            target = m_rows.previousPosition(m_position, QTextLayout::SkipWords);
            break;
        case Motion::Down:
        case Motion::Up:
            target = lineMove(m_position, key.motion == Motion::Down ? 1 : -1);
            vertical = true;
            break;
        case Motion::PageDown:
        case Motion::PageUp:
            scrollRows(key.motion == Motion::PageDown ? page : -page);
            target = lineMove(m_position, key.motion == Motion::PageDown ? page : -page);
            vertical = true;
            break;
        case Motion::LineStart:
            target = positions.lineStart(line);
            break;
        case Motion::LineEnd:
            target = positions.lineEnd(line);
            break;
        case Motion::DocumentStart:
            target = 0;
            break;
        case Motion::DocumentEnd:
            target = document()->length();
            break;
        }
        const qreal keptX = m_preferredX;
        moveTo(target, extend);
        m_preferredX = vertical ? keptX : -1;
        return true;
    }
    return false;
}

bool ReviewTextView::editKey(QKeyEvent *event)
{
    if (event == QKeySequence::Cut) {
        copy();
        replaceSelection(QString());
    } else if (event == QKeySequence::Paste) {
        paste();
    } else if (event->key() == Qt::Key_Delete && !(event->modifiers() & Qt::ControlModifier)) {
        deleteAround(true);
    } else if (event->key() == Qt::Key_Backspace) {
        deleteAround(false);
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        replaceSelection(document()->lineBreak());
    } else {
        const QString text = event->text();
        const bool printable = !text.isEmpty()
            && std::all_of(text.begin(), text.end(),
                           [](QChar c) { return c.isPrint() || c.isSurrogate(); });
        if (!printable || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
            return false;
        replaceSelection(text);
    }
    return true;
}

void ReviewTextView::keyPressEvent(QKeyEvent *event)
{
    bool handled = false;
    if (document()) {
        if (m_mode == Mode::Occurrence)
            handled = event == QKeySequence::Copy ? (copy(), true) : scrollKey(event);
        else
            handled = moveKey(event) || (m_mode == Mode::Editing && editKey(event));
    }
    if (handled)
        event->accept();
    else
        QAbstractScrollArea::keyPressEvent(event);
}

void ReviewTextView::replaceSelection(const QString &text)
{
    if (m_mode != Mode::Editing || !m_editor || !document())
        return;
    const qsizetype start = selectionStart();
    const MinimalEdit edit = MinimalEdit::between(*document(), start, selectionEnd() - start, text);
    qsizetype caret = start + text.size();
    if (!edit.changesNothing()) {
        const std::optional<TextEdit> made = m_editor(edit.pos, edit.removed, edit.text);
        if (!made) {
            // The file's format has no place for this text: nothing changed.
            QApplication::beep();
            return;
        }
        caret = made->end() + edit.keptAfter;
    }
    m_preferredX = -1;
    moveTo(std::clamp<qsizetype>(caret, 0, document()->length()), false);
}

void ReviewTextView::deleteAround(bool forward)
{
    if (m_anchor == m_position) {
        const qsizetype other = forward
            ? m_rows.nextPosition(m_position, QTextLayout::SkipCharacters)
            : m_rows.previousPosition(m_position, QTextLayout::SkipCharacters);
        if (other == m_position)
            return;
        setSelection(m_position, other);
    }
    replaceSelection(QString());
}

void ReviewTextView::copy() const
{
    if (m_anchor != m_position)
        QGuiApplication::clipboard()->setText(selectedText());
}

// Pasted line breaks become the document's own.
QString ReviewTextView::fromClipboard(QString text) const
{
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text.replace(u"\n"_s, document()->lineBreak());
}

void ReviewTextView::paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        replaceSelection(fromClipboard(text));
}

void ReviewTextView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !document()) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const qsizetype pos = positionAt(point);
    const bool free = m_mode != Mode::Occurrence;
    const bool extend = free && (event->modifiers() & Qt::ShiftModifier);
    m_dragging = free;
    m_dragPoint = point;
    m_preferredX = -1;
    setSelection(extend ? m_anchor : pos, pos);
    restartBlink();
}

void ReviewTextView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    m_dragPoint = event->position().toPoint();
    setSelection(m_anchor, positionAt(m_dragPoint));
    if (viewport()->rect().contains(m_dragPoint))
        m_autoScroll.stop();
    else if (!m_autoScroll.isActive())
        m_autoScroll.start(AutoScrollInterval, this);
}

void ReviewTextView::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
    m_autoScroll.stop();
}

void ReviewTextView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_mode == Mode::Occurrence || event->button() != Qt::LeftButton || !document()) {
        mousePressEvent(event);
        return;
    }
    selectWordAt(positionAt(event->position().toPoint()));
}

void ReviewTextView::selectWordAt(qsizetype pos)
{
    const RowRef row = m_rows.rowOf(pos);
    const qsizetype start = m_rows.rowStart(row);
    const QString text = document()->mid(start, m_rows.rowEnd(row) - start);
    qsizetype first = pos - start;
    qsizetype last = first;
    while (first > 0 && isWordChar(text.at(first - 1)))
        --first;
    while (last < text.size() && isWordChar(text.at(last)))
        ++last;
    if (first == last && last < text.size())
        ++last;
    setSelection(start + first, start + last);
}

void ReviewTextView::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
}

void ReviewTextView::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    restartBlink();
}

bool ReviewTextView::showsCaret() const
{
    return m_mode != Mode::Occurrence && hasFocus();
}

void ReviewTextView::restartBlink()
{
    m_caretOn = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (showsCaret() && flash >= 2)
        m_blink.start(flash / 2, this);
    else
        m_blink.stop();
    viewport()->update();
}

void ReviewTextView::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_blink.timerId()) {
        m_caretOn = !m_caretOn;
        viewport()->update();
    } else if (event->timerId() == m_autoScroll.timerId()) {
        if (m_dragPoint.y() < 0)
            scrollRows(-1);
        else if (m_dragPoint.y() >= viewport()->height())
            scrollRows(1);
        QScrollBar *sideways = horizontalScrollBar();
        if (m_dragPoint.x() < 0)
            sideways->setValue(sideways->value() - SidewaysStep);
        else if (m_dragPoint.x() >= viewport()->width())
            sideways->setValue(sideways->value() + SidewaysStep);
        setSelection(m_anchor, positionAt(m_dragPoint));
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

void ReviewTextView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_rows.setFont(font());
        m_rangesDirty = true;
        viewport()->update();
    }
}

void ReviewTextView::inputMethodEvent(QInputMethodEvent *event)
{
    if (m_mode == Mode::Editing && !event->commitString().isEmpty())
        replaceSelection(event->commitString());
    event->accept();
}

QRect ReviewTextView::caretRect() const
{
    const QPoint at = pointOf(m_position);
    const qreal height = document() ? m_rows.row(m_rows.rowOf(m_position)).height : 0;
    return QRect(at, QSize(CaretWidth, int(std::ceil(height))));
}

QVariant ReviewTextView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return m_mode == Mode::Editing;
    case Qt::ImCursorRectangle:
        return caretRect();
    case Qt::ImFont:
        return font();
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}
