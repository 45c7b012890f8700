#include "options/OptionState.h"

#include <QDir>

void OptionState::SetProgramFolder(const QString &folder)
{
    // QDir of an empty path is the current folder; absolutePath() also drops "." and "..".
    QString path = QDir(QDir::fromNativeSeparators(folder)).absolutePath();
    if (!path.endsWith(u'/'))
        path += u'/';
    ProgramFolder = path;
    SettingsFilePath = path + QStringLiteral("Quorvex.ini");
    RussianHelpFolder = path + QStringLiteral("Help/rus/");
    EnglishHelpFolder = path + QStringLiteral("Help/eng/");
}

QStringList OptionState::DefaultExtensionList()
{
    return {QStringLiteral(".HTM"),  QStringLiteral(".HTML"), QStringLiteral(".SHTML"),
            QStringLiteral(".SHTM"), QStringLiteral(".RTF"),  QStringLiteral(".TXT")};
}
