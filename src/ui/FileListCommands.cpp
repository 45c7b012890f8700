#include "ui/FileListCommands.h"

#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "run/FileListFile.h"
#include "run/FolderScan.h"
#include "ui/FileListModel.h"
#include "ui/FolderDialog.h"
#include "ui/Prompter.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QItemSelection>

#include <new>

using namespace Qt::StringLiterals;

namespace {

// The hourglass for as long as a command works without letting the window repaint.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// The list's repainting held back until the command ends, however it ends.
class HeldUpdates {
public:
    explicit HeldUpdates(QWidget *widget) : m_widget(widget) { m_widget->setUpdatesEnabled(false); }
    ~HeldUpdates() { m_widget->setUpdatesEnabled(true); }
    HeldUpdates(const HeldUpdates &) = delete;
    HeldUpdates &operator=(const HeldUpdates &) = delete;

private:
    QWidget *m_widget;
};

} // namespace

FileListCommands::FileListCommands(Ui::MainF &ui, FileListModel &files,
                                   const MessageCatalogue &messages, const OptionState &options,
                                   Prompter &prompter, QWidget *window)
    : QObject(window)
    , m_ui(ui)
    , m_files(files)
    , m_messages(messages)
    , m_options(options)
    , m_prompter(prompter)
    , m_window(window)
{
    connect(m_ui.AddFile, &QAction::triggered, this, &FileListCommands::AddFileExecute);
    connect(m_ui.AddDir, &QAction::triggered, this, &FileListCommands::AddDirExecute);
    connect(m_ui.RemoveFiles, &QAction::triggered, this, &FileListCommands::RemoveFilesExecute);
    connect(m_ui.RemoveAll, &QAction::triggered, this, &FileListCommands::RemoveAllExecute);
    connect(m_ui.LoadFileList, &QAction::triggered, this, &FileListCommands::LoadFileListExecute);
    connect(m_ui.SaveFileList, &QAction::triggered, this, &FileListCommands::SaveFileListExecute);
    connect(m_ui.FileListBB, &QPushButton::clicked, this, &FileListCommands::FileListBBClick);
    connect(m_ui.AddFileB, &QPushButton::clicked, this, &FileListCommands::AddFileBClick);
    connect(m_ui.SubFileB, &QPushButton::clicked, this, &FileListCommands::SubFileBClick);
    connect(m_ui.SubFilePM, &QMenu::aboutToHide, this, &FileListCommands::UpdateFileCount);
    connect(m_ui.FilesLB, &FileListView::pathsDropped, this, &FileListCommands::addDropped);
}

void FileListCommands::UpdateFileCount()
{
    m_ui.CountFilesL->setText(m_messages.message(MsgFileCount, m_files.count()));
}

void FileListCommands::appendFiles(const QStringList &paths)
{
    m_ui.FilesLB->measure(paths, false);
    m_files.append(paths);
}

void FileListCommands::selectFirst()
{
    if (m_files.isEmpty())
        return;
    // Entry 0 gets the focus and joins the selection; other selected entries stay selected.
    m_ui.FilesLB->selectionModel()->setCurrentIndex(m_files.index(0), QItemSelectionModel::Select);
}

void FileListCommands::AddFileExecute()
{
    const QStringList chosen = m_prompter.openFileNames(
        m_window, m_addFolder, OptionState::fileDialogFilter(m_options.OpenFilter));
    if (!chosen.isEmpty()) {
        m_addFolder = QFileInfo(chosen.constFirst()).absolutePath();
        QStringList paths;
        for (const QString &path : chosen)
            paths << QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        appendFiles(paths);
        selectFirst();
    }
    UpdateFileCount();
}

void FileListCommands::addFolder(const QString &folder, bool recurse)
{
    const BusyCursor busy;
    const HeldUpdates held(m_ui.FilesLB);
    QStringList found;
    try {
        FolderScan::ScanFolder(folder, recurse, m_options.ExtensionList,
                               ExcludeMasks(m_options.SkipMasks), found);
    } catch (const std::bad_alloc &) {
        // The list cannot take more entries: what was found so far stays.
        appendFiles(found);
        m_prompter.showError(m_window, m_messages.LoadMessage(MsgCannotInsertLine));
        return;
    }
    for (QString &path : found)
        path = QDir::toNativeSeparators(path);
    appendFiles(found);
}

void FileListCommands::AddDirExecute()
{
    if (m_folderDialog && m_folderDialog->exec() == QDialog::Accepted) {
        // Let the window repaint where the chooser stood before the scan holds everything up.
        QCoreApplication::processEvents();
        addFolder(m_folderDialog->openFolder(), m_folderDialog->recurse());
    }
    UpdateFileCount();
}

void FileListCommands::addDropped(const QStringList &paths)
{
    const bool recurse = m_folderDialog && m_folderDialog->recurse();
    bool addedFiles = false;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            addFolder(info.absoluteFilePath(), recurse);
        } else if (info.exists()) {
            appendFiles({QDir::toNativeSeparators(info.absoluteFilePath())});
            addedFiles = true;
        }
    }
    if (addedFiles)
        selectFirst();
    UpdateFileCount();
}

void FileListCommands::selectRows(const QList<int> &rows)
{
    QItemSelection selection;
    int first = -1;
    int last = -1;
    for (int row : rows) {
        if (row == last + 1 && first >= 0) {
            last = row;
            continue;
        }
        if (first >= 0)
            selection.select(m_files.index(first), m_files.index(last));
        first = last = row;
    }
    if (first >= 0)
        selection.select(m_files.index(first), m_files.index(last));
    m_ui.FilesLB->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void FileListCommands::RemoveFilesExecute()
{
    const HeldUpdates held(m_ui.FilesLB);
    QItemSelectionModel *selection = m_ui.FilesLB->selectionModel();
    // Without a focus position the first entry counts as focused.
    int focus = std::max(selection->currentIndex().row(), 0);
    QList<int> removed;
    for (const QModelIndex &index : selection->selectedIndexes())
        removed << index.row();
    // Every removed entry before the focus moves it up by one.
    focus -= int(
        std::count_if(removed.cbegin(), removed.cend(), [focus](int row) { return row < focus; }));
    // A removed focus entry passes the focus to the first survivor after it.
    m_files.removeRowsIn(removed);
    focus = std::min(focus, int(m_files.count()) - 1);
    if (focus >= 0) {
        const QModelIndex index = m_files.index(focus);
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    }
    m_ui.FilesLB->measure(m_files.files(), true);
    UpdateFileCount();
}

void FileListCommands::RemoveAllExecute()
{
    if (!m_prompter.askYesNo(m_window, m_messages.LoadMessage(MsgRemoveAllFiles),
                             m_messages.LoadMessage(MsgConfirmation), false))
        return;
    m_files.clear();
    m_ui.FilesLB->measure({}, true);
    UpdateFileCount();
}

QString FileListCommands::listFilter() const
{
    return OptionState::fileDialogFilter(m_messages.LoadMessage(MsgFileListFilter) + u"|*.lst"_s);
}

void FileListCommands::LoadFileListExecute()
{
    const QString path = m_prompter.openFileName(m_window, m_listFolder, listFilter());
    if (!path.isEmpty()) {
        m_listFolder = QFileInfo(path).absolutePath();
        QStringList entries;
        if (!FileListFile::Read(path, entries)) {
            m_prompter.showError(
                m_window, m_messages.message(MsgCannotOpenFile, QDir::toNativeSeparators(path)));
        } else {
            QList<int> missing;
            {
                const HeldUpdates held(m_ui.FilesLB);
                m_ui.FilesLB->measure(entries, true);
                m_files.setFiles(entries);
                for (int i = 0; i < entries.size(); ++i) {
                    if (!QFileInfo(entries.at(i)).isFile())
                        missing << i;
                }
                selectRows(missing);
            }
            if (!missing.isEmpty())
                m_prompter.showMessage(nullptr, m_messages.LoadMessage(MsgRemoveMissingFiles));
        }
    }
    UpdateFileCount();
}

void FileListCommands::SaveFileListExecute()
{
    int filterIndex = 1;
    const QString chosen
        = m_prompter.saveFileName(m_window, m_listFolder, listFilter(), filterIndex);
    if (chosen.isEmpty())
        return;
    emit saveDialogBorrowed();
    const QString path = FileListFile::WithListExtension(chosen);
    m_listFolder = QFileInfo(path).absolutePath();
    // The typed name may have become the name of another list: never replace it unasked.
    if (QFileInfo::exists(path)
        && !m_prompter.askYesNo(
            m_window, m_messages.message(MsgReplaceExistingFile, QDir::toNativeSeparators(path)),
            m_messages.LoadMessage(MsgConfirmation), true))
        return;
    if (!FileListFile::Write(path, m_files.files()))
        m_prompter.showError(
            m_window, m_messages.message(MsgCannotCreateFileError, QDir::toNativeSeparators(path)));
}

void FileListCommands::popUpAt(QMenu *menu, QAbstractButton *button)
{
    // The menu's top-left corner on the button's.
    menu->popup(button->mapToGlobal(QPoint(0, 0)));
}

void FileListCommands::FileListBBClick()
{
    popUpAt(m_ui.FileListPM, m_ui.FileListBB);
}

void FileListCommands::AddFileBClick()
{
    popUpAt(m_ui.AddFilePM, m_ui.AddFileB);
}

void FileListCommands::SubFileBClick()
{
    popUpAt(m_ui.SubFilePM, m_ui.SubFileB);
}
