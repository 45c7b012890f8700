#include "ui/HelpKeyFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

HelpKeyFilter::HelpKeyFilter(QObject *owner, ShowHelp showHelp)
    : QObject(owner), m_showHelp(std::move(showHelp))
{
    qApp->installEventFilter(this);
}

bool HelpKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // Only a key delivered to a widget counts; the window system's copy is the same key.
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Claimed, so that no control or shortcut takes it first; the key press shows the help.
        event->accept();
        return true;
    }
    // The topic is that of the window the key was typed in.
    QWidget *focus = QApplication::focusWidget();
    if (!focus || focus->window() != widget->window())
        focus = widget;
    m_showHelp(focus);
    return true;
}
