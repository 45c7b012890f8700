#include "ui/OptionsDialog.h"

#include "run/QuorvexCore.h"

#include <QAction>

// Placeholder until the options dialog is built: the default options, nothing stored.
OptionsDialog::OptionsDialog(QuorvexCore &core, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_core(core)
    , m_prompter(prompter)
    , m_load(new QAction(this))
    , m_save(new QAction(this))
    , m_restore(new QAction(this))
{
    setObjectName(QStringLiteral("OptionsF"));
    m_load->setObjectName(QStringLiteral("LoadOptions"));
    m_save->setObjectName(QStringLiteral("SaveOptions"));
    m_restore->setObjectName(QStringLiteral("RestoreDefault"));
    m_load->setText(QStringLiteral("&Загрузить"));
    m_save->setText(QStringLiteral("&Сохранить"));
    m_restore->setText(QStringLiteral("&Восстановить по умолчанию"));
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::setUp(QWidget *, QWidget *)
{
    m_core.options.ExtensionList = OptionState::DefaultExtensionList();
}

void OptionsDialog::setFolderChooser(FolderChooser chooser)
{
    m_chooseFolder = std::move(chooser);
}

QAction *OptionsDialog::loadOptionsAction() const
{
    return m_load;
}

QAction *OptionsDialog::saveOptionsAction() const
{
    return m_save;
}

QAction *OptionsDialog::restoreDefaultAction() const
{
    return m_restore;
}

bool OptionsDialog::autoSave() const
{
    return false;
}

bool OptionsDialog::SaveOptions()
{
    return true;
}

void OptionsDialog::retranslateUi() { }
