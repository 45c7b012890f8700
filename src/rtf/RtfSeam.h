#pragma once

#include <QByteArrayView>

#include <optional>

// Where an edit joins bytes that did not stand side by side before, the left side may end in
// a token that would swallow the right side: a control word taking letters, digits or its
// delimiting space, "\word-" turning into a negative number, an unfinished \' taking hex
// digits, a double-byte lead byte taking a trail byte, or \uN skipping a fallback that is not
// there. separator() names the bytes that keep both sides reading as before.
//
// A control word is normally ended with a space, its own delimiter. When the word belongs to a
// text unit (a \uN fallback, a break word) that a later edit may delete, an empty group is used
// instead: a space left behind would turn into text.
class RtfSeam {
public:
    // `left` is `leftFar` followed by `leftNear`; `right` is the first byte after the seam, or
    // -1 at the end. `leftUnit` holds the flags of the text unit ending at the seam, if any.
    // The left side must start where a token starts and hold no \bin data, which only looks
    // like tokens: callers cut it after the last data (RtfBinarySpans).
    static QByteArrayView separator(QByteArrayView leftFar, QByteArrayView leftNear, int right,
                                    std::optional<quint8> leftUnit);

private:
    class Tail;
    static bool endsInOpenWord(const Tail &tail);
    static bool endsInWordAndMinus(const Tail &tail);
    static bool endsInOpenHex(const Tail &tail);
};
