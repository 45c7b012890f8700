#pragma once

#include <QString>

// Where a form's window is and how it is shown, in the settings file's terms: the show state
// (1 normal, 2 minimized, 3 maximized), the screen's logical pixels per inch, and the normal
// rectangle as left, top, right and bottom, right and bottom exclusive.
struct WindowPlacement {
    enum ShowCmd { Normal = 1, Minimized = 2, Maximized = 3 };

    struct Rect {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;

        int width() const { return right - left; }
        int height() const { return bottom - top; }
        bool operator==(const Rect &) const = default;
    };

    int flags = 0;
    int showCmd = Normal;
    int pixelsPerInch = 96;
    // Minimized and maximized positions; never used, so always "none".
    Rect minMaxPos{-1, -1, -1, -1};
    Rect normPos;

    // "left,top,right,bottom".
    static QString format(const Rect &rect);
    // The first four numbers of `text`, separated by commas or blanks; a number that does not
    // parse counts as 0, a missing one keeps its value from `defaults`.
    static Rect parse(const QString &text, const Rect &defaults);
    // The show state a stored ShowCmd stands for: anything unknown is normal.
    static ShowCmd showCmdFromStored(int value);
};
