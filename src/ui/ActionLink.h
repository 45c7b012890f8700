#pragma once

#include <QObject>

class QAction;

// A menu item bound to an action: it takes the action's caption (unless it has one of its
// own), shortcut, enabled and checked state whenever the action changes, and triggering it
// triggers the action.
class ActionLink : public QObject {
    Q_OBJECT
public:
    enum class Caption { FromAction, Own };

    static void bind(QAction *item, QAction *action, Caption caption = Caption::FromAction);

private:
    ActionLink(QAction *item, QAction *action, Caption caption);
    void follow();

    QAction *m_item;
    QAction *m_action;
    Caption m_caption;
};
