#include "review/ReviewTextView.h"

#include "document/Document.h"
#include "review/FormatSpans.h"
#include "review/MinimalEdit.h"
#include "review/ReviewTextAccessible.h"
#include "review/ShownRows.h"

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

namespace {

constexpr int AutoScrollInterval = 50;
constexpr int SidewaysStep = 20;

using Motion = CaretKeys::Motion;
using Action = CaretKeys::Action;

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

ShownRows ReviewTextView::shown() const
{
    return ShownRows(m_rows, m_top, viewport()->size(), horizontalScrollBar()->value());
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
        const ShownRows rows = shown();
        vertical->setRange(0, int(rows.lastTop().line));
        vertical->setPageStep(std::max(1, int(rows.height() / lineHeight)));
        vertical->setValue(int(m_top.line));
    }
    QScrollBar *sideways = horizontalScrollBar();
    const int wanted
        = int(std::ceil(m_rows.maxWidth() + 2 * ShownRows::Margin + ShownRows::CaretWidth));
    sideways->setPageStep(std::max(1, viewport()->width()));
    sideways->setMaximum(std::max({0, wanted - viewport()->width(), sideways->maximum()}));
}

void ReviewTextView::setTop(RowRef top)
{
    updateRanges();
    m_top = std::min(top, shown().lastTop());
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
    setTop(shown().stepped(m_top, rows));
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
    setTop(shown().centring(start));
    const std::optional<int> wanted = shown().centringScroll(start, end);
    if (!wanted)
        return;
    updateRanges();
    QScrollBar *sideways = horizontalScrollBar();
    sideways->setMaximum(std::max(sideways->maximum(), *wanted));
    sideways->setValue(std::max(0, *wanted));
}

void ReviewTextView::ensureVisible(qsizetype pos)
{
    if (!document())
        return;
    m_rows.trimCache();
    if (const std::optional<RowRef> top = shown().showing(pos))
        setTop(*top);
    const int value = shown().showingScroll(pos);
    updateRanges();
    QScrollBar *sideways = horizontalScrollBar();
    sideways->setMaximum(std::max(sideways->maximum(), value));
    sideways->setValue(std::max(0, value));
}

QPoint ReviewTextView::pointOf(qsizetype pos) const
{
    return document() ? shown().pointOf(pos) : QPoint(-1, -1);
}

qsizetype ReviewTextView::positionAt(QPoint point) const
{
    return document() ? shown().positionAt(point) : 0;
}

QString ReviewTextView::shownText() const
{
    return shown().text();
}

void ReviewTextView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    if (!document())
        return;
    updateRanges();
    m_rows.trimCache();
    const qreal breakWidth = QFontMetricsF(font()).horizontalAdvance(u' ');
    const qsizetype caret = showsCaret() && m_caretOn ? m_position : -1;
    shown().paint(painter, palette(), breakWidth, {selectionStart(), selectionEnd()}, caret);
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

void ReviewTextView::scrollBy(Motion motion)
{
    QScrollBar *sideways = horizontalScrollBar();
    const qsizetype page = verticalScrollBar()->pageStep();
    switch (motion) {
    case Motion::Up:
    case Motion::Down:
        scrollRows(motion == Motion::Down ? 1 : -1);
        break;
    case Motion::PageUp:
    case Motion::PageDown:
        scrollRows(motion == Motion::PageDown ? page : -page);
        break;
    case Motion::DocumentStart:
        setTop(RowRef());
        sideways->setValue(0);
        break;
    case Motion::LineStart:
        sideways->setValue(0);
        break;
    case Motion::DocumentEnd:
        setTop(m_rows.lastRow());
        break;
    case Motion::PreviousChar:
    case Motion::NextChar:
        sideways->setValue(sideways->value()
                           + (motion == Motion::NextChar ? SidewaysStep : -SidewaysStep));
        break;
    case Motion::LineEnd:
    case Motion::NextWord:
    case Motion::PreviousWord:
        break;
    }
}

void ReviewTextView::moveTo(qsizetype pos, bool extend)
{
    setSelection(extend ? m_anchor : pos, pos);
    ensureVisible(pos);
    restartBlink();
}

// Where a motion takes the caret: along the text, or up and down the rows in view keeping
// the caret's column.
qsizetype ReviewTextView::caretTarget(Motion motion, bool extend)
{
    if (const auto along = CaretKeys::target(motion, m_rows, m_anchor, m_position, extend))
        return *along;
    qsizetype rows = motion == Motion::Down ? 1 : -1;
    if (motion == Motion::PageDown || motion == Motion::PageUp) {
        const qsizetype page = verticalScrollBar()->pageStep();
        rows = motion == Motion::PageDown ? page : -page;
        scrollRows(rows);
    }
    return shown().lineMove(m_position, rows, m_preferredX);
}

void ReviewTextView::moveCaret(Motion motion, bool extend)
{
    const qsizetype target = caretTarget(motion, extend);
    const qreal keptX = m_preferredX;
    moveTo(target, extend);
    m_preferredX = CaretKeys::isVertical(motion) ? keptX : -1;
}

bool ReviewTextView::perform(const CaretKeys::Command &command)
{
    switch (command.action) {
    case Action::None:
        return false;
    case Action::Copy:
        copy();
        break;
    case Action::SelectAll:
        setSelection(0, document()->length());
        break;
    case Action::Scroll:
        scrollBy(command.motion);
        break;
    case Action::Move:
        moveCaret(command.motion, command.extend);
        break;
    case Action::Cut:
        copy();
        replaceSelection(QString());
        break;
    case Action::Paste:
        paste();
        break;
    case Action::DeleteNext:
    case Action::DeletePrevious:
        deleteAround(command.action == Action::DeleteNext);
        break;
    case Action::LineBreak:
        replaceSelection(document()->lineBreak());
        break;
    case Action::Type:
        replaceSelection(command.text);
        break;
    }
    return true;
}

void ReviewTextView::keyPressEvent(QKeyEvent *event)
{
    CaretKeys::Command command;
    if (document() && m_mode == Mode::Occurrence)
        command = CaretKeys::scrolling(*event);
    else if (document())
        command = CaretKeys::caret(*event, m_mode == Mode::Editing);
    if (perform(command))
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

void ReviewTextView::paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        replaceSelection(CaretKeys::pasted(text, document()->lineBreak()));
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
    const auto [start, end] = shown().wordAt(pos);
    setSelection(start, end);
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
    return QRect(at, QSize(ShownRows::CaretWidth, int(std::ceil(height))));
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
