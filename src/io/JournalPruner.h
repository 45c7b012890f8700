#pragma once

#include "io/RunHistory.h"

#include <QString>

#include <mutex>
#include <thread>

// Prunes the runs kept in a journal folder (RunHistory::prune) on a thread of its own, while a
// run goes: removing an old run's originals costs a system call each, which the run's own
// thread need not wait for. The run's own folder, held from its start, is never removed. When
// the pruner goes (the process ends), a removal still going stops between two files: the run
// is out of the list already, and the next prune removes the rest.
class JournalPruner {
public:
    JournalPruner() = default;
    JournalPruner(const JournalPruner &) = delete;
    JournalPruner &operator=(const JournalPruner &) = delete;
    // Stops a prune still going and waits for that.
    ~JournalPruner() { stop(); }

    // Prunes `runsFolder` to `maxRuns` runs and `maxBytes`; once more after the prune going,
    // if one is, without waiting for it.
    void start(const QString &runsFolder, int maxRuns, qint64 maxBytes);
    // Waits for the prunes asked for to end.
    void wait();
    // Ends the prune going early, and with it this pruner: no prune starts after.
    void stop();

private:
    void work();

    std::mutex m_mutex;
    QString m_folder;
    int m_maxRuns = 0;
    qint64 m_maxBytes = 0;
    bool m_running = false;
    bool m_again = false;
    RunHistory::Stop m_stop = false;
    std::thread m_thread;
};
