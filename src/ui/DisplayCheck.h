#pragma once

#include <QString>

// Whether a window can be shown at all. Without a display Qt would abort; the program says
// so in one line and points to the command-line tool instead.
class DisplayCheck {
public:
    // `platform`, `x11Display` and `waylandDisplay` are the values of QT_QPA_PLATFORM,
    // DISPLAY and WAYLAND_DISPLAY.
    static bool hasDisplay(const QString &platform, const QString &x11Display,
                           const QString &waylandDisplay);
    // The same for this process's environment.
    static bool hasDisplay();
};
