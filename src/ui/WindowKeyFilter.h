#pragma once

#include <QKeyCombination>
#include <QObject>

#include <functional>

class QWidget;

// Takes the main window's command keys before the focused control sees them, as the window
// always has: Ctrl+A opens the add-files dialog even inside a pattern editor, and Ctrl+S means
// one thing in the file list and another elsewhere. Qt fires neither of two actions that share
// a key, so the window dispatches these keys itself, by focus.
class WindowKeyFilter : public QObject {
    Q_OBJECT
public:
    // `dispatch` runs the command of a key typed with the focus on `focus` (a control of
    // `window`) and returns whether the key is one of the window's commands.
    using Dispatch = std::function<bool(QKeyCombination key, QWidget *focus, bool run)>;

    WindowKeyFilter(QWidget *window, Dispatch dispatch);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *targetOf(QObject *watched) const;

    QWidget *m_window;
    Dispatch m_dispatch;
};
