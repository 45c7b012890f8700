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

QString OptionState::fileDialogFilter(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(u'|');
    if (parts.size() < 2)
        return pipeFilter;
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        entries << parts.at(i) + u" ("_s + patterns.join(u' ') + u')';
    }
    return entries.join(u";;"_s);
}
