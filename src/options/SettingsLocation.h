#pragma once

#include <QString>

// Where the settings file lives. A copy of the program that may write into its own folder
// keeps "Quorvex.ini" there (portable copies, builds); an installed program keeps it in the
// user's configuration folder, and a read-only file in its own folder only gives the values to
// start from.
class SettingsLocation {
public:
    // `programFolder` ends in "/"; `configFolder` is the user's configuration folder
    // ($XDG_CONFIG_HOME), empty for the system's.
    static QString settingsFilePath(const QString &programFolder,
                                    const QString &configFolder = QString());
    // The file to take the first values from when `settingsFile` does not exist yet: the
    // program folder's own file when it is another one and exists; else empty.
    static QString startingValuesPath(const QString &programFolder, const QString &settingsFile);
    // The folder of the journal's runs: "runs/" beside a settings file in the program's folder,
    // else quorvex/runs/ in the user's state folder ($XDG_STATE_HOME, else ~/.local/state).
    static QString journalFolder(const QString &programFolder, const QString &settingsFile);
    // A folder of the system's own programs (/usr, /opt...), never written, whoever runs it.
    static bool isSystemFolder(const QString &programFolder);
};
