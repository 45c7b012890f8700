#pragma once

#include "io/SyncPolicy.h"
#include "options/OptionState.h"

#include <QString>
#include <QStringList>

#include <memory>

class FileFeed;

// What the processing command takes from the main window when it starts a run.
struct RunRequest {
    QStringList files; // the file list as it stands; the run works on this copy
    // Instead of `files`: a list still growing as a folder scan finds its files. The run starts
    // on the first ones; the scan must not wait for the run.
    std::shared_ptr<const FileFeed> feed;
    QString searchPattern; // line breaks as CR LF
    QString replacementPattern; // line breaks as CR LF
    bool findWildcards = false;
    bool replaceWildcards = false;
    // The search pattern is a regular expression (it excludes findWildcards); the replacement
    // then takes "$" references, and running numbers when replaceWildcards is set.
    bool regex = false;
    bool replaceMode = true; // false: a find run
    bool dryRun = false; // change nothing on disk
    // How written files are made durable: the windows and interactive runs sync each file.
    SyncPolicy sync = SyncPolicy::File;
    // Literal ASCII patterns may be worked through on the bytes of plain files, without a
    // document (only for runs that show no occurrence and make no backup), on up to `workers`
    // threads.
    bool bytePath = false;
    int workers = 1;
    // The host is told every occurrence (RunHost::OccurrenceMet): the byte path then tells
    // each as it meets it, on the run's own thread.
    bool reportsOccurrences = false;
    // The host is told every occurrence even of files worked through ahead (as documents,
    // RunHost::OccurrencesFound): a preview lists them all at the speed of a run that shows
    // nothing.
    bool listsOccurrences = false;
    // Nobody is shown an occurrence: the host takes each one as found (a find run counts them
    // all), so the byte path may start with the first file. Otherwise it starts once an answer
    // for all means nothing more will be shown.
    bool unattended = false;
    // Every option the run goes by (match case, confirmation, backups and their folder,
    // dynamic editing), copied from the option state when the run starts: the options dialog
    // may change that state while a run shows an occurrence, and such a change takes effect
    // with the next run. Set by ProcessingDriver::ProcessFilesExecute.
    OptionState options;
    // The run goes by `options` as given, not the option state's: a preview and the run
    // applying it go by the same.
    bool fixedOptions = false;
};
