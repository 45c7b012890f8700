#include "ui/WindowFit.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace {

const char *const StoredCentre = "storedCentre";

// The window's frame around its client area: known once it was shown, else a title bar's
// worth above and a thin border elsewhere.
QMargins frameMargins(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    if (frame != client)
        return {client.left() - frame.left(), client.top() - frame.top(),
                frame.right() - client.right(), frame.bottom() - client.bottom()};
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return {4, title + 4, 4, 4};
}

int clampStart(int start, int length, int areaStart, int areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

} // namespace

void WindowFit::setStoredCentre(QWidget *dialog, QPoint centre)
{
    dialog->setProperty(StoredCentre, centre);
}

void WindowFit::fitOnShow(QWidget *window)
{
    // The texts may have changed since the layout last ran (a language switch while hidden);
    // a size the layout changes keeps the centre the window was given.
    const QPoint given = window->geometry().center();
    if (QLayout *layout = window->layout())
        layout->activate();
    QRect client = window->geometry();
    client.moveCenter(given);
    const QVariant centre = window->property(StoredCentre);
    if (centre.isValid()) {
        client.moveCenter(centre.toPoint());
        window->setProperty(StoredCentre, QVariant());
    }
    if (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QScreen *screen = QGuiApplication::screenAt(client.center());
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QMargins margins = frameMargins(window);
    const QRect area = screen->availableGeometry().marginsRemoved(margins);
    if (window->minimumSize() != window->maximumSize()) {
        const QSize fitted = client.size().boundedTo(area.size()).expandedTo(window->minimumSize());
        if (fitted != client.size()) {
            client.setSize(fitted);
            window->resize(fitted);
        }
    }
    const QPoint topLeft(clampStart(client.left(), client.width(), area.left(), area.width()),
                         clampStart(client.top(), client.height(), area.top(), area.height()));
    if (topLeft != window->geometry().topLeft())
        window->move(topLeft - QPoint(margins.left(), margins.top()));
}
