#include "review/CaretKeys.h"

#include "document/Document.h"
#include "review/TextRows.h"

#include <QKeyEvent>
#include <QKeySequence>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using Motion = CaretKeys::Motion;
using Action = CaretKeys::Action;

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

// Scrolling goes by the bare key, whatever else is held; only Control changes Home and End.
struct ScrollKey {
    int key;
    Motion plain;
    Motion withControl;
};

const ScrollKey ScrollKeys[] = {
    {Qt::Key_Up, Motion::Up, Motion::Up},
    {Qt::Key_Down, Motion::Down, Motion::Down},
    {Qt::Key_PageUp, Motion::PageUp, Motion::PageUp},
    {Qt::Key_PageDown, Motion::PageDown, Motion::PageDown},
    {Qt::Key_Home, Motion::LineStart, Motion::DocumentStart},
    {Qt::Key_End, Motion::LineEnd, Motion::DocumentEnd},
    {Qt::Key_Left, Motion::PreviousChar, Motion::PreviousChar},
    {Qt::Key_Right, Motion::NextChar, Motion::NextChar},
};

} // namespace

CaretKeys::Command CaretKeys::scrolling(const QKeyEvent &event)
{
    if (event.matches(QKeySequence::Copy))
        return {Action::Copy};
    const bool control = event.modifiers() & Qt::ControlModifier;
    for (const ScrollKey &key : ScrollKeys) {
        if (event.key() == key.key)
            return {Action::Scroll, control ? key.withControl : key.plain};
    }
    return {};
}

CaretKeys::Command CaretKeys::caret(const QKeyEvent &event, bool editing)
{
    if (event.matches(QKeySequence::SelectAll))
        return {Action::SelectAll};
    if (event.matches(QKeySequence::Copy))
        return {Action::Copy};
    for (const MoveKey &key : MoveKeys) {
        const bool extend = event.matches(key.select);
        if (extend || event.matches(key.move))
            return {Action::Move, key.motion, extend};
    }
    return editing ? edit(event) : Command();
}

CaretKeys::Command CaretKeys::edit(const QKeyEvent &event)
{
    if (event.matches(QKeySequence::Cut))
        return {Action::Cut};
    if (event.matches(QKeySequence::Paste))
        return {Action::Paste};
    if (event.key() == Qt::Key_Delete && !(event.modifiers() & Qt::ControlModifier))
        return {Action::DeleteNext};
    if (event.key() == Qt::Key_Backspace)
        return {Action::DeletePrevious};
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return {Action::LineBreak};
    const QString text = event.text();
    const bool printable = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.isPrint() || c.isSurrogate();
    });
    if (!printable || (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return {};
    return {Action::Type, Motion::NextChar, false, text};
}

std::optional<qsizetype> CaretKeys::target(Motion motion, TextRows &rows, qsizetype anchor,
                                           qsizetype position, bool extend)
{
    const PositionMapper &positions = rows.document()->positions();
    const qsizetype line = positions.lineOf(position);
    // A plain move off a selection lands at its edge.
    const bool collapse = !extend && anchor != position;
    switch (motion) {
    case Motion::NextChar:
        return collapse ? std::max(anchor, position)
                        : rows.nextPosition(position, QTextLayout::SkipCharacters);
    case Motion::PreviousChar:
        return collapse ? std::min(anchor, position)
                        : rows.previousPosition(position, QTextLayout::SkipCharacters);
    case Motion::NextWord:
        return rows.nextPosition(position, QTextLayout::SkipWords);
    case Motion::PreviousWord:
        return rows.previousPosition(position, QTextLayout::SkipWords);
    case Motion::LineStart:
        return positions.lineStart(line);
    case Motion::LineEnd:
        return positions.lineEnd(line);
    case Motion::DocumentStart:
        return 0;
    case Motion::DocumentEnd:
        return rows.document()->length();
    case Motion::Down:
    case Motion::Up:
    case Motion::PageDown:
    case Motion::PageUp:
        break;
    }
    return std::nullopt;
}

bool CaretKeys::isVertical(Motion motion)
{
    return motion == Motion::Down || motion == Motion::Up || motion == Motion::PageDown
        || motion == Motion::PageUp;
}

QString CaretKeys::pasted(QString text, const QString &lineBreak)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text.replace(u"\n"_s, lineBreak);
}
