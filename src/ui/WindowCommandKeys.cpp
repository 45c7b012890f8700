#include "ui/WindowCommandKeys.h"

#include "ui/PatternEditor.h"
#include "ui_MainWindow.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace {

enum class Where { Anywhere, InList, Elsewhere, OutsideEditors };

// The keys the window takes before the focused control (Ctrl+A opens the add-files dialog even
// in a pattern editor) and the action each one triggers; Ctrl+S depends on the focus.
struct CommandKey {
    QKeyCombination key;
    Where where;
    QAction *Ui::MainF::*action;
};

const CommandKey CommandKeys[] = {
    {Qt::CTRL | Qt::Key_A, Where::Anywhere, &Ui::MainF::AddFile},
    {Qt::CTRL | Qt::Key_S, Where::InList, &Ui::MainF::SaveFileList},
    {Qt::CTRL | Qt::Key_S, Where::Elsewhere, &Ui::MainF::AddDir},
    {Qt::CTRL | Qt::Key_D, Where::Anywhere, &Ui::MainF::RemoveFiles},
    {Qt::CTRL | Qt::Key_L, Where::Anywhere, &Ui::MainF::LoadFileList},
    {Qt::CTRL | Qt::ALT | Qt::Key_A, Where::Anywhere, &Ui::MainF::AddDir},
    {Qt::CTRL | Qt::ALT | Qt::Key_D, Where::Anywhere, &Ui::MainF::RemoveAll},
    {Qt::ALT | Qt::Key_F4, Where::Anywhere, &Ui::MainF::ExitProg},
    {QKeyCombination(Qt::Key_F9), Where::Anywhere, &Ui::MainF::ProcessFiles},
    {Qt::SHIFT | Qt::Key_F9, Where::Anywhere, &Ui::MainF::PreviewFiles},
    // In a pattern editor Ctrl+Z undoes the typing.
    {Qt::CTRL | Qt::Key_Z, Where::OutsideEditors, &Ui::MainF::UndoRun},
};

} // namespace

QAction *WindowCommandKeys::commandOf(QKeyCombination key, QWidget *focus) const
{
    const bool inList = focus == m_ui.FilesLB || m_ui.FilesLB->isAncestorOf(focus);
    const bool inEditor = qobject_cast<const PatternEditor *>(focus) != nullptr;
    for (const CommandKey &entry : CommandKeys) {
        const bool here = entry.where == Where::OutsideEditors
            ? !inEditor
            : entry.where == Where::Anywhere || (entry.where == Where::InList) == inList;
        if (entry.key == key && here)
            return m_ui.*entry.action;
    }
    return nullptr;
}

// The menus take their Alt+letter before the buttons and labels of the page (several share a
// letter with a menu: "&Опции" and "&Обработать"), as the window's menus always have; Qt would
// give such a key to none of them.
QMenu *WindowCommandKeys::menuOfMnemonic(QKeyCombination key) const
{
    for (QAction *item : m_ui.MainMenu1->actions()) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(item->text());
        if (item->menu() && item->isVisible() && item->isEnabled() && !mnemonic.isEmpty()
            && mnemonic[0] == key)
            return item->menu();
    }
    return nullptr;
}
