#pragma once

#include "document/SyncPolicy.h"

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
    // How written files are made durable: the windows and interactive runs sync each file.
    SyncPolicy sync = SyncPolicy::File;
    // Literal ASCII patterns may be worked through on the bytes of plain files, without a
    // document (only for runs that show no occurrence, make no backup and report no
    // occurrence to the host), on up to `workers` threads.
    bool bytePath = false;
    int workers = 1;
    // Nobody is shown an occurrence: the host takes each one as found (a find run counts them
    // all), so the byte path may start with the first file. Otherwise it starts once an answer
    // for all means nothing more will be shown.
    bool unattended = false;
};
