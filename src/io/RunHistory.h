#pragma once

#include "io/JournalIndex.h"

#include <QString>
#include <QStringList>

#include <optional>

// The runs kept in the journal folder, newest first, and the limits on them.
class RunHistory {
public:
    explicit RunHistory(const QString &runsFolder) : m_folder(runsFolder) { }

    // The ids (folder names) of the runs, newest first.
    QStringList ids() const;
    // The run `id`; with an empty id, the newest.
    std::optional<JournalIndex> find(const QString &id = {}) const;
    // The bytes the kept originals of all runs take.
    qint64 spaceUsed() const;
    // Removes the oldest runs until at most `maxRuns` remain and they take at most `maxBytes`.
    // The newest run is always kept: without it, the run just done could not be undone. A run
    // still going (RunFolderLock) is never removed; nor is its folder, kept nothing yet.
    void prune(int maxRuns, qint64 maxBytes) const;
    // Removes a run's folder and the folders of its copies on other file systems.
    static void remove(const QString &runFolder);

private:
    // Removes the run `id`, held: out of the list at once (renamed), then its files.
    void removeHeld(const QString &id) const;
    // Finishes removals that a process ended half way.
    void sweep() const;

    QString m_folder;
};
