#include "options/OptionState.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

void OptionState::SetProgramFolder(const QString &folder)
{
    // QDir of an empty path is the current folder; absolutePath() also drops "." and "..".
    QString path = QDir(QDir::fromNativeSeparators(folder)).absolutePath();
    if (!path.endsWith(u'/'))
        path += u'/';
    ProgramFolder = path;
    SettingsFilePath = path + u"Quorvex.ini"_s;
    RussianHelpFolder = path + u"Help/rus/"_s;
    EnglishHelpFolder = path + u"Help/eng/"_s;
}

QStringList OptionState::DefaultExtensionList()
{
    return {u".HTM"_s, u".HTML"_s, u".SHTML"_s, u".SHTM"_s, u".RTF"_s, u".TXT"_s};
}

QString OptionState::SettingsFolder() const
{
    if (SettingsFilePath.isEmpty())
        return ProgramFolder;
    const QString folder = QFileInfo(SettingsFilePath).absolutePath();
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString OptionState::fileDialogFilter(const QString &openFilter)
{
    const qsizetype bar = openFilter.indexOf(u'|');
    if (bar < 0)
        return openFilter;
    const QStringList patterns = openFilter.sliced(bar + 1).split(u';', Qt::SkipEmptyParts);
    return openFilter.first(bar) + u" ("_s + patterns.join(u' ') + u')';
}
