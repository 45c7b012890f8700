#pragma once

#include "io/JournalIndex.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>

// The runs kept in the journal folder, newest first, and the limits on them.
class RunHistory {
public:
    // Raised by another thread to end a removal between two files; what is left of a run
    // being removed stays hidden (out of the list) and goes with the next prune.
    using Stop = std::atomic<bool>;

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
    // `stop`, when given, ends it early (what earlier processes left half removed is finished
    // first all the same).
    void prune(int maxRuns, qint64 maxBytes, const Stop *stop = nullptr) const;
    // Removes a run's folder and the folders of its copies on other file systems.
    static void remove(const QString &runFolder, const Stop *stop = nullptr);

private:
    // Removes the run `id`, held: out of the list at once (renamed), then its files.
    void removeHeld(const QString &id, const Stop *stop) const;
    // Finishes removals that a process ended half way.
    void sweep() const;

    QString m_folder;
};
