#pragma once

#include "io/TempBudget.h"
#include "run/ByteFileJob.h"
#include "run/FileFeed.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Works through the files of a run ahead of the run itself (ByteFileJob, DocumentFileJob), on
// worker threads, while the run takes the results in list order (so the report keeps that order).
// Workers only ever write new files beside the originals; putting them in place is left to the
// run, in order, so a stopped run never has a file written that it did not report. At most
// `lookahead` files are done ahead of the one the run is taking, and, given a budget, a file
// is started only when the budget admits a new file of its size (files are started in list
// order, so the run can always make room by putting its own waiting files in place).
class AheadWorkers {
public:
    // `listed`: what the folder scan saw of the entry (FileFeed::listedAs).
    using Job = std::function<FileJobResult(const QString &path, ListedAs listed)>;

    // `job` is called on worker threads, several at once, for the entries from `first` on, as
    // the list (which outlives the workers) has them.
    AheadWorkers(Job job, const FileFeed &paths, int threads, qsizetype first = 0,
                 qsizetype lookahead = 1024, TempBudget *budget = nullptr);
    AheadWorkers(const AheadWorkers &) = delete;
    AheadWorkers &operator=(const AheadWorkers &) = delete;
    // Stops the workers and removes the new files of results never taken.
    ~AheadWorkers();

    // The result for entry `index`, waiting for it if need be; each entry is taken once, in
    // increasing order. Entries with an empty path give a Fallback result. When the entry
    // waits for room in the budget, `makeRoom` is called to put the run's waiting files in
    // place. A new file in the result is still held in the budget: the run releases it.
    // `whileWaiting` runs every few milliseconds while the result is not there yet.
    FileJobResult take(qsizetype index, const std::function<void()> &makeRoom = {},
                       const std::function<void()> &whileWaiting = {});
    // The run released some of the budget: workers waiting for room look again.
    void budgetReleased();

private:
    static constexpr std::chrono::milliseconds WaitStep{10};

    void work();
    // What the budget needs to know of an entry, looked up once, outside the lock.
    struct Sized {
        qsizetype index = -1; // the entry the slot's figures are for
        qint64 size = 0;
        std::optional<quint64> device;
    };
    static Sized sizeOf(qsizetype index, const QString &path);
    bool nextSized() const { return m_sizes[slotOf(m_next)].index == m_next; }
    // Whether a worker is to look up the sizes of the entries next (nobody is at it yet).
    bool toSize() const;
    // Looks them up, with the lock let go meanwhile.
    void sizeAhead(std::unique_lock<std::mutex> &lock);
    // Whether the budget admits the next entry, whose size is known.
    bool admitsNext();
    // Claims the next entry; its estimated size.
    qint64 claimNext();
    FileJobResult runJob(qsizetype index, qint64 estimate);
    // take() without workers: the run's own thread does the work.
    FileJobResult runHere(qsizetype index, const std::function<void()> &makeRoom);
    // Waits for entry `index` to arrive.
    void waitFor(qsizetype index, const std::function<void()> &makeRoom,
                 const std::function<void()> &whileWaiting);
    // No entry is left to start: the list ended and every entry was started.
    bool listDone() const { return m_paths.complete() && m_next >= m_paths.available(); }
    // Whether entry m_next is in the list yet.
    bool nextListed() const { return m_next < m_paths.available(); }
    size_t slotOf(qsizetype index) const { return size_t(index % m_lookahead); }

    Job m_job;
    const FileFeed &m_paths;
    qsizetype m_lookahead;
    // The results of the entries under way (at most `lookahead`, each in slot index modulo
    // lookahead) and whether each is there. (Not an optional each: moving a result out of an
    // optional of results makes GCC's optimiser warn of members never set.)
    std::vector<FileJobResult> m_results;
    // Set under the lock; the run reads it, and takes a result that is there, without it.
    std::vector<std::atomic<bool>> m_arrived;
    qsizetype m_next = 0; // the next entry a worker starts on
    // Entries before this one have been taken. Set by the run without the lock, before it
    // looks whether a worker waits; a worker counts itself waiting before it reads this.
    std::atomic<qsizetype> m_taken = 0;
    bool m_stopping = false;
    // Each side is woken only when it waits: most results are ready before they are taken.
    // The entry the run waits for, or -1. Set under the lock before the run looks whether it
    // arrived; a worker looks at it after its results arrived, so one of them sees the other.
    std::atomic<qsizetype> m_takerWaits = -1;
    std::atomic<int> m_workersWaiting = 0;
    std::mutex m_mutex;
    std::condition_variable m_ready; // a result arrived
    std::condition_variable m_room; // the run took results: workers may go further
    TempBudget *m_budget;
    std::vector<Sized> m_sizes; // by slot, as the results
    bool m_sizing = false;
    bool m_waitingForRoom = false;
    std::vector<std::thread> m_threads;
};
