#include "review/ReviewTextAccessible.h"

#include "document/Document.h"
#include "review/ReviewTextView.h"

#include <QFontMetrics>

#include <algorithm>
#include <limits>

namespace {

QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("ReviewTextView") && object && object->isWidgetType())
        return new ReviewTextAccessible(static_cast<ReviewTextView *>(object));
    return nullptr;
}

int toInt(qsizetype value)
{
    return int(std::min<qsizetype>(value, std::numeric_limits<int>::max()));
}

} // namespace

ReviewTextAccessible::ReviewTextAccessible(ReviewTextView *view)
    : QAccessibleWidget(view, QAccessible::EditableText)
{
}

void ReviewTextAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

ReviewTextView *ReviewTextAccessible::view() const
{
    return static_cast<ReviewTextView *>(widget());
}

void *ReviewTextAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State ReviewTextAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = view()->mode() != ReviewTextView::Mode::Editing;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

void ReviewTextAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || view()->selectionStart() == view()->selectionEnd())
        return;
    *startOffset = toInt(view()->selectionStart());
    *endOffset = toInt(view()->selectionEnd());
}

int ReviewTextAccessible::selectionCount() const
{
    return view()->selectionStart() == view()->selectionEnd() ? 0 : 1;
}

void ReviewTextAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void ReviewTextAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        setSelection(0, cursorPosition(), cursorPosition());
}

void ReviewTextAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    // The occurrence is the run's: only where the user may select is the selection moved.
    if (selectionIndex == 0 && view()->mode() != ReviewTextView::Mode::Occurrence)
        view()->setSelection(startOffset, endOffset);
}

int ReviewTextAccessible::cursorPosition() const
{
    return toInt(view()->cursorPosition());
}

void ReviewTextAccessible::setCursorPosition(int position)
{
    setSelection(0, position, position);
}

QString ReviewTextAccessible::text(int startOffset, int endOffset) const
{
    const Document *document = view()->document();
    if (!document)
        return {};
    const qsizetype start = std::clamp<qsizetype>(startOffset, 0, document->length());
    const qsizetype end = std::clamp<qsizetype>(endOffset, start, document->length());
    return document->mid(start, end - start);
}

int ReviewTextAccessible::characterCount() const
{
    const Document *document = view()->document();
    return document ? toInt(document->length()) : 0;
}

QRect ReviewTextAccessible::characterRect(int offset) const
{
    const QPoint at = view()->pointOf(offset);
    const QFontMetrics metrics(view()->font());
    const QPoint global = view()->viewport()->mapToGlobal(at);
    return {global, QSize(metrics.averageCharWidth(), metrics.height())};
}

int ReviewTextAccessible::offsetAtPoint(const QPoint &point) const
{
    return toInt(view()->positionAt(view()->viewport()->mapFromGlobal(point)));
}

void ReviewTextAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    view()->centerOn(startIndex, endIndex);
}

QString ReviewTextAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = offset;
    *endOffset = offset + 1;
    return {};
}
