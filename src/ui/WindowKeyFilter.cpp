#include "ui/WindowKeyFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

WindowKeyFilter::WindowKeyFilter(QWidget *window, Dispatch dispatch)
    : QObject(window), m_window(window), m_dispatch(std::move(dispatch))
{
    qApp->installEventFilter(this);
}

QWidget *WindowKeyFilter::targetOf(QObject *watched) const
{
    if (auto *widget = qobject_cast<QWidget *>(watched))
        return widget->window() == m_window ? widget : nullptr;
    if (auto *window = qobject_cast<QWindow *>(watched)) {
        if (m_window->windowHandle() == window)
            return QApplication::focusWidget() ? QApplication::focusWidget() : m_window;
    }
    return nullptr;
}

bool WindowKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    QWidget *target = targetOf(watched);
    if (!target)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QKeyCombination combination = key->keyCombination();
    // Modifiers of the keypad do not change the command.
    const QKeyCombination plain(combination.keyboardModifiers() & ~Qt::KeypadModifier,
                                combination.key());
    QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : target;
    if (type == QEvent::ShortcutOverride) {
        // Claim the key, so that neither a shortcut nor the control's own use of it runs;
        // the key press that follows runs the command.
        if (!m_dispatch(plain, focus, false))
            return false;
        event->accept();
        return true;
    }
    // Only the key press delivered to a widget runs the command, never twice.
    if (!qobject_cast<QWidget *>(watched))
        return false;
    return m_dispatch(plain, focus, true);
}
