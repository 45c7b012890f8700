#pragma once

#include <QString>
#include <QStringList>

// What the processing command takes from the main window when it starts a run.
struct RunRequest {
    QStringList files; // the file list as it stands; the run works on this copy
    QString searchPattern; // line breaks as CR LF
    QString replacementPattern; // line breaks as CR LF
    bool findWildcards = false;
    bool replaceWildcards = false;
    bool replaceMode = true; // false: a find run
    bool dryRun = false; // change nothing on disk
};
