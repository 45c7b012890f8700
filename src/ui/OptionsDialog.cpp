#include "ui/OptionsDialog.h"

#include "io/RunHistory.h"
#include "lang/MessageId.h"
#include "options/ProfileFile.h"
#include "options/SettingsLocation.h"
#include "options/StoredProps.h"
#include "run/ExcludeMasks.h"
#include "run/QuorvexCore.h"
#include "ui/AccessibleNames.h"
#include "ui/FormStorage.h"
#include "ui/Prompter.h"
#include "ui/RadioGroup.h"
#include "ui/WindowFit.h"
#include "ui_OptionsDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

// The main window's size after "&Восстановить по умолчанию": its minimum size.
constexpr QSize MainWindowDefaultSize(640, 435);

const char *const LocaleIdProperty = "localeId";

} // namespace

OptionsDialog::OptionsDialog(QuorvexCore &core, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::OptionsF>()), m_core(core), m_prompter(prompter)
{
    // The forms' texts are looked up by id: without the built-in texts they would show ids.
    if (!m_core.language.builtinInstalled())
        m_core.language.installBuiltin();
    m_ui->setupUi(this);
    AccessibleNames::apply(this);
    m_ui->LanguageEnglish->setProperty(LocaleIdProperty, InterfaceLanguage::English);
    m_ui->LanguageRussian->setProperty(LocaleIdProperty, InterfaceLanguage::Russian);
    m_optionsStorage = std::make_unique<FormStorage>(
        this, StoredProps::optionsSection(), StoredProps::forOptions(), FormStorage::Kind::Dialog);
    // A run takes its options when it starts: while one goes on, the dialog says that what
    // is changed here applies to the next run.
    m_runNote = new QLabel(this);
    m_runNote->setObjectName(u"RunNoteL"_s);
    m_runNote->setWordWrap(true);
    m_runNote->setText(m_core.messages.LoadMessage(MsgOptionsApplyNextRun));
    m_runNote->hide();
    m_ui->OptionsLayout->insertWidget(1, m_runNote);
    connectControls();
    // The option state mirrors the controls from the start.
    ChangeConfirm();
    ChangeCS();
    m_core.options.DynamicEdit = m_ui->DynamicEditCB->isChecked();
    ChangeSkip();
    ChangeCodePage();
    BackupRGClick();
    showJournalSpace();
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::connectControls()
{
    for (QCheckBox *box :
         {m_ui->HTMCB, m_ui->HTMLCB, m_ui->SHTMLCB, m_ui->SHTMCB, m_ui->RTFCB, m_ui->TXTCB})
        connect(box, &QCheckBox::toggled, m_ui->BuildFilter, &QAction::trigger);
    connect(m_ui->CaseSensitiveCB, &QCheckBox::toggled, m_ui->ChangeCS, &QAction::trigger);
    connect(m_ui->ConfirmCB, &QCheckBox::toggled, m_ui->ChangeConfirm, &QAction::trigger);
    connect(m_ui->DynamicEditCB, &QCheckBox::toggled, this,
            [this](bool checked) { m_core.options.DynamicEdit = checked; });
    connect(m_ui->SkipE, &QLineEdit::textChanged, this, &OptionsDialog::ChangeSkip);
    for (QRadioButton *item : RadioGroup::items(m_ui->TableRG))
        connect(item, &QRadioButton::toggled, this, &OptionsDialog::ChangeCodePage);
    connect(m_ui->BackupRGItem0, &QRadioButton::toggled, this, &OptionsDialog::BackupRGClick);
    connect(m_ui->BackupRGItem1, &QRadioButton::toggled, this, &OptionsDialog::BackupRGClick);
    connect(m_ui->SelectBackupFolderB, &QPushButton::clicked, this,
            &OptionsDialog::SelectBackupFolderBClick);
    connect(m_ui->OkB, &QPushButton::clicked, this, &OptionsDialog::OkBClick);
    connect(m_ui->CancelB, &QPushButton::clicked, this, &QDialog::reject);

    connect(m_ui->ChangeConfirm, &QAction::triggered, this, &OptionsDialog::ChangeConfirm);
    connect(m_ui->InitOptions, &QAction::triggered, this, &OptionsDialog::InitOptions);
    connect(m_ui->BuildFilter, &QAction::triggered, this, &OptionsDialog::BuildFilter);
    connect(m_ui->ChangeCS, &QAction::triggered, this, &OptionsDialog::ChangeCS);
    connect(m_ui->SetIniFileNames, &QAction::triggered, this, &OptionsDialog::SetIniFileNames);
    connect(m_ui->LoadOptions, &QAction::triggered, this, &OptionsDialog::LoadOptions);
    connect(m_ui->SaveOptions, &QAction::triggered, this, &OptionsDialog::SaveOptions);
    connect(m_ui->RestoreDefault, &QAction::triggered, this, &OptionsDialog::RestoreDefault);
}

void OptionsDialog::setUp(QWidget *mainWindow, QWidget *folderChooser)
{
    m_mainWindow = mainWindow;
    m_folderForm = folderChooser;
    if (mainWindow) {
        m_mainStorage
            = std::make_unique<FormStorage>(mainWindow, StoredProps::mainSection(),
                                            StoredProps::forMain(), FormStorage::Kind::MainWindow);
    }
    if (folderChooser) {
        m_folderStorage
            = std::make_unique<FormStorage>(folderChooser, StoredProps::foldersSection(),
                                            StoredProps::forFolders(), FormStorage::Kind::Dialog);
    }
    SetIniFileNames();
    // Until the settings say otherwise the interface speaks the desktop's language: a first
    // start writes that choice, and a stored one is restored over it.
    const bool russian = InterfaceLanguage::desktopLanguage() == InterfaceLanguage::Russian;
    (russian ? m_ui->LanguageRussian : m_ui->LanguageEnglish)->setChecked(true);
    // A file that cannot be written has been reported; the start goes on without it.
    LoadOptions();
    SwitchLanguage(GetLanguageRB());
    InitOptions();
    SetIniFileNames();
    m_languageAtShow = GetLanguageRB();
}

void OptionsDialog::setFolderChooser(FolderChooser chooser)
{
    m_chooseFolder = std::move(chooser);
}

QAction *OptionsDialog::loadOptionsAction() const
{
    return m_ui->LoadOptions;
}

QAction *OptionsDialog::saveOptionsAction() const
{
    return m_ui->SaveOptions;
}

QAction *OptionsDialog::restoreDefaultAction() const
{
    return m_ui->RestoreDefault;
}

bool OptionsDialog::autoSave() const
{
    return m_ui->AutoSaveCB->isChecked();
}

void OptionsDialog::ChangeConfirm()
{
    m_core.options.ConfirmReplace = m_ui->ConfirmCB->isChecked();
}

void OptionsDialog::InitOptions()
{
    m_core.options.ConfirmReplace = m_ui->ConfirmCB->isChecked();
    m_core.options.MakeBackups = backupsChosen();
    if (m_core.options.MakeBackups)
        m_core.backup.SetBackupFolder(m_ui->BackupDirE->text().trimmed());
    takeJournalOptions();
    BuildFilter();
}

void OptionsDialog::takeJournalOptions()
{
    OptionState &o = m_core.options;
    o.KeepJournal = m_ui->JournalCB->isChecked();
    o.JournalRuns = m_ui->JournalRunsE->value();
    o.JournalBytes = qint64(m_ui->JournalSizeE->value()) << 30;
}

void OptionsDialog::showJournalSpace()
{
    const qint64 bytes = m_core.options.JournalFolder.isEmpty()
        ? 0
        : RunHistory(m_core.options.JournalFolder).spaceUsed();
    m_ui->JournalSpaceL->setText(
        qtTrId("TOptionsF.JournalSpaceL.Caption").arg((bytes + (1 << 20) - 1) >> 20));
}

void OptionsDialog::BuildFilter()
{
    const std::pair<QCheckBox *, QString> boxes[] = {
        {m_ui->HTMCB, u".HTM"_s},   {m_ui->HTMLCB, u".HTML"_s}, {m_ui->SHTMLCB, u".SHTML"_s},
        {m_ui->SHTMCB, u".SHTM"_s}, {m_ui->RTFCB, u".RTF"_s},   {m_ui->TXTCB, u".TXT"_s},
    };
    QStringList extensions;
    QString patterns;
    for (const auto &[box, extension] : boxes) {
        if (!box->isChecked())
            continue;
        extensions.append(extension);
        patterns += u'*' + extension + u';';
    }
    if (extensions.isEmpty())
        patterns = u"*.htm;*.html;*.shtml;*.shtm"_s;
    m_core.options.ExtensionList = extensions;
    m_core.options.OpenFilter = m_core.messages.LoadMessage(MsgAllExtensions) + u'|' + patterns;
}

void OptionsDialog::ChangeCS()
{
    m_core.options.SearchOptions.MatchCase = m_ui->CaseSensitiveCB->isChecked();
}

void OptionsDialog::ChangeSkip()
{
    m_core.options.SkipMasks = ExcludeMasks::split(m_ui->SkipE->text());
}

void OptionsDialog::ChangeCodePage()
{
    const std::optional<CodePage> page = CodePages::fromIndex(RadioGroup::itemIndex(m_ui->TableRG));
    m_core.options.FileCodePage = page.value_or(CodePage::Cp1251);
}

void OptionsDialog::SetIniFileNames()
{
    m_iniFileName = m_core.options.SettingsFilePath;
}

void OptionsDialog::LoadOptions()
{
    ProfileFile file;
    if (QFileInfo(m_iniFileName).isFile()) {
        // An unreadable file restores nothing, as a missing key would.
        if (file.load(m_iniFileName))
            restoreForms(file);
        return;
    }
    // An installed program's first start takes its values from the file beside it.
    const QString start
        = SettingsLocation::startingValuesPath(m_core.options.ProgramFolder, m_iniFileName);
    if (!start.isEmpty() && file.load(start))
        restoreForms(file);
    writeSettings(file);
}

bool OptionsDialog::SaveOptions()
{
    ProfileFile file;
    // A file that is there but cannot be read is not replaced: its other contents would be lost.
    if (QFileInfo::exists(m_iniFileName) && !file.load(m_iniFileName)) {
        m_prompter.showError(this,
                             m_core.messages.message(MsgCannotWriteSettings,
                                                     QDir::toNativeSeparators(m_iniFileName)));
        return false;
    }
    return writeSettings(file);
}

bool OptionsDialog::writeSettings(ProfileFile file)
{
    for (const FormStorage *storage : storages())
        storage->save(file);
    QDir().mkpath(QFileInfo(m_iniFileName).absolutePath());
    if (file.save(m_iniFileName))
        return true;
    m_prompter.showError(
        this,
        m_core.messages.message(MsgCannotWriteSettings, QDir::toNativeSeparators(m_iniFileName)));
    return false;
}

void OptionsDialog::restoreForms(const ProfileFile &file)
{
    for (FormStorage *storage : storages())
        storage->restore(file);
}

QList<FormStorage *> OptionsDialog::storages() const
{
    QList<FormStorage *> list;
    for (FormStorage *storage :
         {m_mainStorage.get(), m_folderStorage.get(), m_optionsStorage.get()}) {
        if (storage)
            list.append(storage);
    }
    return list;
}

void OptionsDialog::RestoreDefault()
{
    if (m_mainWindow)
        m_mainWindow->resize(MainWindowDefaultSize);
    for (QCheckBox *box :
         {m_ui->HTMCB, m_ui->HTMLCB, m_ui->SHTMLCB, m_ui->SHTMCB, m_ui->TXTCB, m_ui->ConfirmCB})
        box->setChecked(true);
}

QRadioButton *OptionsDialog::GetLanguageRB() const
{
    if (m_ui->LanguageEnglish->isChecked())
        return m_ui->LanguageEnglish;
    if (m_ui->LanguageRussian->isChecked())
        return m_ui->LanguageRussian;
    return m_ui->LanguageEnglish;
}

void OptionsDialog::SwitchLanguage(QRadioButton *button)
{
    const int localeId = button->property(LocaleIdProperty).toInt();
    if (m_core.language.LoadLanguageModule(localeId)) {
        // The review must not take the re-reading of its texts for a change of selection.
        ReviewState &review = m_core.review.reviewState();
        const bool selecting = review.rsSelect;
        review.rsSelect = true;
        InterfaceLanguage::retranslateAll();
        review.rsSelect = selecting;
        button->setChecked(true);
        // The help is read where it lies: the folder of the language follows, nothing is copied.
        const bool russian = m_core.messages.LoadMessage(MsgLanguageRussian) == button->text();
        emit helpFolderChosen(russian ? m_core.options.RussianHelpFolder
                                      : m_core.options.EnglishHelpFolder);
        // The filter's description speaks the new language too.
        BuildFilter();
    }
    SetIniFileNames();
}

void OptionsDialog::OkBClick()
{
    if (backupsChosen()) {
        const QString folder = m_ui->BackupDirE->text().trimmed();
        if (!backupFolderReady(folder))
            return;
        m_core.backup.SetBackupFolder(folder);
    }
    m_core.options.MakeBackups = backupsChosen();
    takeJournalOptions();
    QRadioButton *languageAtAccept = GetLanguageRB();
    if (languageAtAccept != m_languageAtShow)
        SwitchLanguage(languageAtAccept);
    accept();
}

bool OptionsDialog::backupFolderReady(const QString &folder)
{
    // An empty name means the default folder, which comes into being with the first copy.
    if (folder.isEmpty())
        return true;
    // Checked where the backups will go: a relative name is taken from the settings folder.
    const QString path = m_core.backup.resolveFolder(folder);
    if (QFileInfo(path).isDir())
        return true;
    const QString shown = QDir::toNativeSeparators(path);
    const QString question = m_core.messages.message(MsgFolderMissing, shown)
        + m_core.messages.message(MsgCreateFolder, shown);
    if (!m_prompter.askYesNo(this, question, QString(), true))
        return false;
    if (QDir().mkpath(path) && QFileInfo(path).isDir())
        return true;
    m_prompter.showError(this, m_core.messages.message(MsgCannotCreateFolder, shown));
    return false;
}

bool OptionsDialog::backupsChosen() const
{
    return m_ui->BackupRGItem1->isChecked();
}

void OptionsDialog::FormShow()
{
    m_core.options.ConfirmReplace = m_ui->ConfirmCB->isChecked();
    m_languageAtShow = GetLanguageRB();
    showRunNote();
    showJournalSpace();
}

void OptionsDialog::showRunNote()
{
    m_runNote->setVisible(m_core.engine.RunInProgress);
}

void OptionsDialog::BackupRGClick()
{
    m_ui->BackupDirE->setEnabled(backupsChosen());
    m_ui->SelectBackupFolderB->setEnabled(m_ui->BackupDirE->isEnabled());
}

void OptionsDialog::SelectBackupFolderBClick()
{
    if (!m_chooseFolder)
        return;
    // The chooser's sub-folder switch means nothing for a backup folder.
    QWidget *recurse = m_folderForm ? m_folderForm->findChild<QWidget *>(u"RecurseCB"_s) : nullptr;
    if (recurse)
        recurse->hide();
    const std::optional<QString> folder
        = m_chooseFolder(m_core.backup.resolveFolder(m_ui->BackupDirE->text().trimmed()));
    if (folder) {
        QCoreApplication::processEvents();
        m_ui->BackupDirE->setText(QDir::toNativeSeparators(*folder));
    }
    if (recurse)
        recurse->show();
}

void OptionsDialog::retranslateUi()
{
    m_ui->retranslateUi(this);
    if (m_runNote)
        m_runNote->setText(m_core.messages.LoadMessage(MsgOptionsApplyNextRun));
    showJournalSpace();
    AccessibleNames::apply(this);
}

void OptionsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void OptionsDialog::showEvent(QShowEvent *event)
{
    FormShow();
    // After QDialog has centred a dialog never placed.
    QDialog::showEvent(event);
    WindowFit::fitOnShow(this);
}
