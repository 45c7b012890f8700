#pragma once

#include <QString>

#include <thread>

// Prunes the runs kept in a journal folder (RunHistory::prune) on a thread of its own, while a
// run goes: removing an old run's originals costs a system call each, which the run's own
// thread need not wait for. The run's own folder, held from its start, is never removed.
class JournalPruner {
public:
    JournalPruner() = default;
    JournalPruner(const JournalPruner &) = delete;
    JournalPruner &operator=(const JournalPruner &) = delete;
    // Waits for a prune still going.
    ~JournalPruner() { wait(); }

    // Starts a prune of `runsFolder` to `maxRuns` runs and `maxBytes`, after the last ended.
    void start(const QString &runsFolder, int maxRuns, qint64 maxBytes);
    void wait();

private:
    std::thread m_thread;
};
