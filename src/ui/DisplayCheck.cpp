#include "ui/DisplayCheck.h"

#include <QtGlobal>

bool DisplayCheck::hasDisplay(const QString &platform, const QString &x11Display,
                              const QString &waylandDisplay)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // A platform chosen by hand (offscreen, vnc, eglfs) needs no display server.
    if (!platform.isEmpty() && !platform.startsWith(QStringView(u"xcb"))
        && !platform.startsWith(QStringView(u"wayland")))
        return true;
    return !x11Display.isEmpty() || !waylandDisplay.isEmpty();
#else
    Q_UNUSED(platform);
    Q_UNUSED(x11Display);
    Q_UNUSED(waylandDisplay);
    return true;
#endif
}

bool DisplayCheck::hasDisplay()
{
    return hasDisplay(qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("DISPLAY"),
                      qEnvironmentVariable("WAYLAND_DISPLAY"));
}
