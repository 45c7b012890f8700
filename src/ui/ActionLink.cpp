#include "ui/ActionLink.h"

#include <QAction>

ActionLink::ActionLink(QAction *item, QAction *action, Caption caption)
    : QObject(item), m_item(item), m_action(action), m_caption(caption)
{
    connect(action, &QAction::changed, this, &ActionLink::follow);
    connect(item, &QAction::triggered, action, [action] { action->trigger(); });
    follow();
}

void ActionLink::bind(QAction *item, QAction *action, Caption caption)
{
    new ActionLink(item, action, caption);
}

void ActionLink::follow()
{
    if (m_caption == Caption::FromAction)
        m_item->setText(m_action->text());
    m_item->setShortcut(m_action->shortcut());
    m_item->setShortcutContext(Qt::WidgetShortcut);
    m_item->setEnabled(m_action->isEnabled());
    m_item->setCheckable(m_action->isCheckable());
    m_item->setChecked(m_action->isChecked());
}
