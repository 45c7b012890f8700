#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QMenu;

// Lets a menu offer the window's shared actions in words of its own: the file list's menu shows
// the action "&Файл(ы)" as "Добавить файл(ы)", and the main menu shows Ctrl+S beside "&Каталог",
// the key that reaches it there. A menu's caption for an action is its string property named
// after the action (translated with the form). While the menu is open each action carries the
// menu's caption and gets its own back when the menu closes; it stays one command, whose state,
// shortcut and handler every menu, button and key share.
class MenuCaptions : public QObject {
    Q_OBJECT
public:
    explicit MenuCaptions(QMenu *menu);

    // Shows `keys` beside `action` in this menu instead of its shortcut; empty keys show none.
    void showKeys(const QAction *action, const QKeySequence &keys);

    // The text `menu` shows for `action`, open or not; after a tab, the keys it shows instead
    // of the shortcut.
    static QString textIn(const QMenu *menu, const QAction *action);

private:
    QString shownText(const QAction *action, const QString &own) const;
    QString ownText(const QAction *action) const;
    void open();
    void close();

    QMenu *m_menu;
    QHash<const QAction *, QKeySequence> m_keys;
    QList<std::pair<QPointer<QAction>, QString>> m_own; // the actions' captions while open
};
