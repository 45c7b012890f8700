#pragma once

#include "ui_FolderDialog.h"

#include <QDialog>
#include <QHash>
#include <QString>

#include <optional>

// The folder chooser, FolderDF: a drive box (the root and the mounted volumes), the folder
// list of the open folder, the open folder's full path in DirLabel (StoredFolder) and
// "Включая подкаталоги". The open folder, not a highlighted row, is the result. Choosing a
// folder never changes the process's current folder.
class FolderDialog : public QDialog {
    Q_OBJECT
public:
    explicit FolderDialog(QWidget *parent = nullptr);

    // The open folder: a full path, no trailing "/" except at the root.
    QString openFolder() const { return m_open; }
    // Opens `folder` in the list (no message when it cannot be read); false when it is not an
    // existing absolute folder.
    bool setOpenFolder(const QString &folder);
    bool recurse() const { return m_ui.RecurseCB->isChecked(); }

    // For the options dialog: the chooser with "Включая подкаталоги" hidden, starting at
    // `start` when that is an existing folder.
    std::optional<QString> chooseFolder(const QString &start);

    // The drives: "/" first, then the mounted volumes that are ready and backed by a device.
    static QStringList drives();

    void retranslateUi();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // The folder list's keys: Enter or Right opens the highlighted folder, Backspace or Left
    // the parent of the open one.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void FormShow();
    void fillDrives();
    void fillFolders();
    QString driveOf(const QString &folder) const;
    void DriveCBChange(int index);
    bool openHighlighted();
    bool openParent();

    Ui::FolderDF m_ui;
    QString m_open;
    // The folder last opened on each drive.
    QHash<QString, QString> m_lastOnDrive;
};
