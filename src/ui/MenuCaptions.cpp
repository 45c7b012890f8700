#include "ui/MenuCaptions.h"

#include <QAction>
#include <QMenu>
#include <QVariant>

MenuCaptions::MenuCaptions(QMenu *menu) : QObject(menu), m_menu(menu)
{
    // A menu lays out its items after aboutToShow and before it is seen.
    connect(menu, &QMenu::aboutToShow, this, &MenuCaptions::open);
    connect(menu, &QMenu::aboutToHide, this, &MenuCaptions::close);
}

void MenuCaptions::showKeys(const QAction *action, const QKeySequence &keys)
{
    m_keys.insert(action, keys);
}

QString MenuCaptions::shownText(const QAction *action, const QString &own) const
{
    const QVariant caption = m_menu->property(action->objectName().toLatin1().constData());
    QString text = caption.typeId() == QMetaType::QString ? caption.toString() : own;
    // A menu shows the text after a tab as the item's keys, and then not the shortcut.
    if (m_keys.contains(action))
        text += u'\t' + m_keys.value(action).toString(QKeySequence::NativeText);
    return text;
}

QString MenuCaptions::ownText(const QAction *action) const
{
    for (const auto &[changed, own] : m_own) {
        if (changed == action)
            return own;
    }
    return action->text();
}

QString MenuCaptions::textIn(const QMenu *menu, const QAction *action)
{
    const auto *captions = menu->findChild<MenuCaptions *>(QString(), Qt::FindDirectChildrenOnly);
    return captions ? captions->shownText(action, captions->ownText(action)) : action->text();
}

void MenuCaptions::open()
{
    if (!m_own.isEmpty())
        return;
    for (QAction *action : m_menu->actions()) {
        if (action->isSeparator() || action->menu())
            continue;
        const QString own = action->text();
        const QString text = shownText(action, own);
        if (text == own)
            continue;
        m_own.append({action, own});
        action->setText(text);
    }
}

void MenuCaptions::close()
{
    // The menu hides before the chosen item runs, so the command sees its own caption.
    for (const auto &[action, own] : std::as_const(m_own)) {
        if (action)
            action->setText(own);
    }
    m_own.clear();
}
