#include "ui/OptionsDialogStart.h"

#include "ui/FileBytes.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The language modules of the build tree.
QString builtModules()
{
    return QString::fromUtf8(QUORVEX_BINARY_DIR "/lang/");
}

} // namespace

OptionsDialogStart::OptionsDialogStart() : program(dir.filePath(u"prog/"_s))
{
    QVERIFY(QDir().mkpath(program));
    core.options.SetProgramFolder(program);
    core.language.setExecutablePath(program + u"quorvex"_s);
}

void OptionsDialogStart::addModule(const QString &built, const QString &as)
{
    QFile::remove(program + as);
    QVERIFY(QFile::copy(builtModules() + built, program + as));
}

OptionsDialog &OptionsDialogStart::create()
{
    dialog = std::make_unique<OptionsDialog>(core, prompter);
    return *dialog;
}

OptionsDialog &OptionsDialogStart::start()
{
    if (!dialog)
        create();
    dialog->setUp(&main, &folders);
    return *dialog;
}

QByteArray OptionsDialogStart::iniBytes() const
{
    return FileBytes::read(ini());
}

QCheckBox *OptionsDialogStart::box(const QString &name)
{
    return control<QCheckBox>(name);
}

QRadioButton *OptionsDialogStart::radio(const QString &name)
{
    return control<QRadioButton>(name);
}
