#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class FileListModel;
class FolderDialog;
class MessageCatalogue;
class OptionState;
class Prompter;
class QAbstractButton;
class QMenu;
class QWidget;
namespace Ui {
class MainF;
}

// The commands of the page "В файлах": add files, add a folder, remove the selected entries or
// all, load and save ".lst" lists, and the count label. They stay available during a run,
// which works on its own copy of the list.
class FileListCommands : public QObject {
    Q_OBJECT
public:
    FileListCommands(Ui::MainF &ui, FileListModel &files, const MessageCatalogue &messages,
                     const OptionState &options, Prompter &prompter, QWidget *window);

    void setFolderDialog(FolderDialog *dialog) { m_folderDialog = dialog; }

    void AddFileExecute();
    void AddDirExecute();
    void RemoveFilesExecute();
    void RemoveAllExecute();
    void LoadFileListExecute();
    void SaveFileListExecute();
    void UpdateFileCount();

    void FileListBBClick();
    void AddFileBClick();
    void SubFileBClick();

    // Appends what ScanFolder finds below `folder`, with the list's updates held back.
    void addFolder(const QString &folder, bool recurse);
    // Files and folders dropped on the list: files as AddFile adds them, folders as AddDir
    // with the folder chooser's "Включая подкаталоги".
    void addDropped(const QStringList &paths);

signals:
    // SaveFileList closed the save dialog it shares with the report with OK: the report's
    // next save starts on its first filter again.
    void saveDialogBorrowed();

private:
    void appendFiles(const QStringList &paths);
    void selectFirst();
    void selectRows(const QList<int> &rows);
    void popUpAt(QMenu *menu, QAbstractButton *button);
    QString listFilter() const;

    Ui::MainF &m_ui;
    FileListModel &m_files;
    const MessageCatalogue &m_messages;
    const OptionState &m_options;
    Prompter &m_prompter;
    QWidget *m_window;
    FolderDialog *m_folderDialog = nullptr;
    QString m_addFolder; // where the next AddFile opens
    QString m_listFolder; // where list dialogs open
};
