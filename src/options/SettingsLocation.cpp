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
    const bool usable = !isSystemFolder(programFolder)
        && (file.exists() ? file.isFile() && file.isWritable()
                          : folder.isDir() && folder.isWritable());
    if (usable)
        return local;
    const QString config = configFolder.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        : configFolder;
    return QDir::cleanPath(config) + u"/quorvex/"_s + FileName;
}

bool SettingsLocation::isSystemFolder(const QString &programFolder)
{
    // An installed program: the superuser could write there, but settings never belong there.
    const QString folder = QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath());
    for (const QString &system : {u"/usr"_s, u"/bin"_s, u"/sbin"_s, u"/opt"_s}) {
        if (folder == system || folder.startsWith(system + u'/'))
            return true;
    }
    return false;
}

QString SettingsLocation::startingValuesPath(const QString &programFolder,
                                             const QString &settingsFile)
{
    const QString local = programFolder + FileName;
    if (QFileInfo(local).absoluteFilePath() == QFileInfo(settingsFile).absoluteFilePath())
        return {};
    return QFileInfo(local).isFile() ? local : QString();
}

QString SettingsLocation::journalFolder(const QString &programFolder, const QString &settingsFile)
{
    const QString program = QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath());
    if (QFileInfo(settingsFile).absolutePath() == program)
        return program + u"/runs/"_s;
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // XDG_STATE_HOME counts only when absolute; otherwise the desktop default applies.
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + u"/.local/state"_s;
    return QDir::cleanPath(state) + u"/quorvex/runs/"_s;
}
