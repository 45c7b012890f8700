#pragma once

#include <QString>

#include <optional>

class QKeyEvent;
class TextRows;

// What a key does in the review dialog's text view, decided apart from doing it, so that the
// view only carries commands out. Where the occurrence owns the selection, the caret's
// motions scroll the view instead.
class CaretKeys {
public:
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
    enum class Action {
        None, // not the view's key
        Copy,
        SelectAll,
        Scroll, // scrolls by `motion`; the caret stays
        Move, // moves the caret by `motion`, selecting when `extend`
        Cut,
        Paste,
        DeleteNext,
        DeletePrevious,
        LineBreak,
        Type, // puts `text` in place of the selection
    };
    struct Command {
        Action action = Action::None;
        Motion motion = Motion::NextChar;
        bool extend = false;
        QString text = {};
    };

    // Keys while the selection belongs to the occurrence: they scroll, or copy.
    static Command scrolling(const QKeyEvent &event);
    // Keys while the user moves the caret, and edits too when `editing`.
    static Command caret(const QKeyEvent &event, bool editing);
    // Where a motion along the text takes the caret at `position`, the selection starting at
    // `anchor`; none for the motions up and down, which go by the rows in view.
    static std::optional<qsizetype> target(Motion motion, TextRows &rows, qsizetype anchor,
                                           qsizetype position, bool extend);
    // Whether the motion goes up or down, so that the caret keeps its column.
    static bool isVertical(Motion motion);

    // What a paste puts in: the clipboard's text with every kind of line break made
    // `lineBreak`, the document's own.
    static QString pasted(QString text, const QString &lineBreak);

private:
    static Command edit(const QKeyEvent &event);
};
