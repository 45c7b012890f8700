#pragma once

#include "ScriptedHost.h"
#include "ui/OptionsDialog.h"
#include "ui/ScriptedPrompter.h"
#include "ui/StandInFolderChooser.h"
#include "ui/StandInMainWindow.h"

#include "run/QuorvexCore.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class QCheckBox;
class QRadioButton;

// The start of the program as far as the options dialog is concerned: the core, the main
// window and the folder chooser (stand-ins), then the dialog, whose setUp reads the settings.
class OptionsDialogStart {
public:
    OptionsDialogStart();

    // Copies the built language module `built` into the program's folder as `as`.
    void addModule(const QString &built, const QString &as);

    OptionsDialog &create();
    OptionsDialog &start();

    QString ini() const { return core.options.SettingsFilePath; }
    QByteArray iniBytes() const;

    // The dialog's control `name`; a missing one ends the test program.
    template <typename T = QWidget>
    T *control(const QString &name)
    {
        T *found = dialog->findChild<T *>(name);
        if (!found)
            qFatal("no %s", qPrintable(name));
        return found;
    }
    QCheckBox *box(const QString &name);
    QRadioButton *radio(const QString &name);

    QTemporaryDir dir;
    QString program;
    ScriptedHost host;
    QuorvexCore core{host};
    bool builtin = core.language.installBuiltin();
    ScriptedPrompter prompter;
    StandInMainWindow main;
    StandInFolderChooser folders;
    std::unique_ptr<OptionsDialog> dialog;
};
