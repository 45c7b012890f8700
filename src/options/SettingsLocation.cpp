#include "options/SettingsLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

const QString FileName = u"Quorvex.ini"_s;

} // namespace

QString SettingsLocation::settingsFilePath(const QString &programFolder,
                                           const QString &configFolder)
{
    const QString local = programFolder + FileName;
    const QFileInfo file(local);
    const QFileInfo folder(programFolder);
    const bool usable = file.exists() ? file.isFile() && file.isWritable()
                                      : folder.isDir() && folder.isWritable();
    if (usable)
        return local;
    const QString config = configFolder.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        : configFolder;
    return QDir::cleanPath(config) + u"/quorvex/"_s + FileName;
}

QString SettingsLocation::startingValuesPath(const QString &programFolder,
                                             const QString &settingsFile)
{
    const QString local = programFolder + FileName;
    if (QFileInfo(local).absoluteFilePath() == QFileInfo(settingsFile).absoluteFilePath())
        return {};
    return QFileInfo(local).isFile() ? local : QString();
}
