#pragma once

#include <QKeyCombination>

class QAction;
class QMenu;
class QWidget;
namespace Ui {
class MainF;
}

// Which of the main window's commands a key stands for: the keys the window takes before the
// focused control, by where the focus is, and the menus' Alt+letters.
class WindowCommandKeys {
public:
    explicit WindowCommandKeys(Ui::MainF &ui) : m_ui(ui) { }

    // The action of `key` typed with the focus on `focus`, or null.
    QAction *commandOf(QKeyCombination key, QWidget *focus) const;
    // The menu of the menu bar whose mnemonic is `key`, or null.
    QMenu *menuOfMnemonic(QKeyCombination key) const;

private:
    Ui::MainF &m_ui;
};
