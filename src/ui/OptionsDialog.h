#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class FormStorage;
class ProfileFile;
class QLabel;
class Prompter;
class QAction;
class QRadioButton;
class QuorvexCore;

namespace Ui {
class OptionsF;
}

// The options dialog, OptionsF (class TOptionsF): the only editor of the option state. Check
// boxes take effect at once through their actions (Cancel does not undo them); the backup
// choice and the language only on accept. Creating it finishes the program's start-up (setUp):
// the settings file is read into the stored controls of the main window, the folder chooser
// and this dialog (or written on a first start), the stored language is applied and the option
// state is built. It also owns the settings file's actions "&Загрузить", "&Сохранить" and
// "&Восстановить по умолчанию", which the main window puts in its menu "&Опции".
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    // Picks a folder for the backups, starting at `start`; nothing when cancelled. The dialog
    // hides the folder chooser's RecurseCB around the call.
    using FolderChooser = std::function<std::optional<QString>(const QString &start)>;

    OptionsDialog(QuorvexCore &core, Prompter &prompter, QWidget *parent = nullptr);
    ~OptionsDialog() override;

    // The start-up work of the dialog's creation; `mainWindow` and `folderChooser` are the
    // forms whose controls the settings file keeps (either may be null).
    void setUp(QWidget *mainWindow, QWidget *folderChooser);
    void setFolderChooser(FolderChooser chooser);

    // The menu "&Опции" of the main window offers these three.
    QAction *loadOptionsAction() const;
    QAction *saveOptionsAction() const;
    QAction *restoreDefaultAction() const;

    // "&Автосохранение" is checked.
    bool autoSave() const;

    // The dialog's actions.
    void ChangeConfirm();
    void InitOptions();
    void BuildFilter();
    void ChangeCS();
    // The masks of "Не просматривать" become SkipMasks, the "Кодировка файлов" item
    // FileCodePage, as soon as they change.
    void ChangeSkip();
    void ChangeCodePage();
    // Points the settings storages at the settings file (OptionState::SettingsFilePath).
    void SetIniFileNames();
    // Restores the three forms from the settings file, or writes it when there is none.
    void LoadOptions();
    // Writes the settings file; false, after showing why, when it cannot be written.
    bool SaveOptions();
    void RestoreDefault();

    // The checked language button; LanguageEnglish when neither is checked.
    QRadioButton *GetLanguageRB() const;
    // Makes the interface speak the button's language, when its module is there.
    void SwitchLanguage(QRadioButton *button);
    // Accept: checks the backup folder, applies the backup choice and the language.
    void OkBClick();
    // What showing the dialog does; showEvent runs it.
    void FormShow();

    // The settings file the storages are pointed at.
    QString iniFileName() const { return m_iniFileName; }

    void retranslateUi();

signals:
    // A language switch chose the help of its language (RussianHelpFolder or
    // EnglishHelpFolder).
    void helpFolderChosen(const QString &folder);

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void connectControls();
    void BackupRGClick();
    void showRunNote();
    void SelectBackupFolderBClick();
    bool backupFolderReady(const QString &folder);
    void restoreForms(const ProfileFile &file);
    bool writeSettings(ProfileFile file);
    bool backupsChosen() const;
    // The journal's options as the dialog shows them, and the space its runs take.
    void takeJournalOptions();
    void showJournalSpace();
    QList<FormStorage *> storages() const;

    std::unique_ptr<Ui::OptionsF> m_ui;
    QuorvexCore &m_core;
    Prompter &m_prompter;
    QWidget *m_mainWindow = nullptr;
    QWidget *m_folderForm = nullptr;
    std::unique_ptr<FormStorage> m_mainStorage;
    std::unique_ptr<FormStorage> m_folderStorage;
    std::unique_ptr<FormStorage> m_optionsStorage;
    QString m_iniFileName;
    QRadioButton *m_languageAtShow = nullptr;
    FolderChooser m_chooseFolder;
    QLabel *m_runNote = nullptr; // shown while a run goes on
};
