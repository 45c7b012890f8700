#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class Prompter;
class QAction;
class QuorvexCore;

// The options dialog, OptionsF. Creating it finishes the program's start-up (setUp): the
// settings file is read into the stored controls of the main window, the folder chooser and
// this dialog (or written on a first start), the stored language is applied and the option
// state is built.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    // Picks a folder for the backups, starting at `start`; nothing when cancelled.
    using FolderChooser = std::function<std::optional<QString>(const QString &start)>;

    OptionsDialog(QuorvexCore &core, Prompter &prompter, QWidget *parent = nullptr);
    ~OptionsDialog() override;

    // The start-up work of the dialog's creation; `mainWindow` and `folderChooser` are the
    // forms whose controls the settings file keeps.
    void setUp(QWidget *mainWindow, QWidget *folderChooser);
    void setFolderChooser(FolderChooser chooser);

    // The menu "&Опции" of the main window offers these three.
    QAction *loadOptionsAction() const;
    QAction *saveOptionsAction() const;
    QAction *restoreDefaultAction() const;

    // "&Автосохранение" is checked.
    bool autoSave() const;
    // Writes the settings file; false, after showing why, when it cannot be written.
    bool SaveOptions();

    void retranslateUi();

private:
    QuorvexCore &m_core;
    Prompter &m_prompter;
    QAction *m_load = nullptr;
    QAction *m_save = nullptr;
    QAction *m_restore = nullptr;
    FolderChooser m_chooseFolder;
};
