#include "run/AheadWorkers.h"

#include "io/AtomicFileWriter.h"

#include <algorithm>
#include <utility>

namespace {

// Files a worker claims at once: fewer hand-overs between threads for many small files.
constexpr qsizetype Chunk = 8;

} // namespace

AheadWorkers::AheadWorkers(Job job, const FileFeed &paths, int threads, qsizetype first,
                           qsizetype lookahead, TempBudget *budget)
    : m_job(std::move(job))
    , m_paths(paths)
    , m_lookahead(std::max<qsizetype>(lookahead, Chunk))
    , m_results(size_t(m_lookahead))
    , m_arrived(size_t(m_lookahead))
    , m_next(first)
    , m_taken(first)
    , m_budget(budget)
    , m_sizes(budget ? size_t(m_lookahead) : 0)
{
    // Entries still being found: workers waiting for them look again as they come.
    if (threads > 0 && !m_paths.complete()) {
        m_paths.setListener([this] {
            if (m_workersWaiting.load() == 0)
                return; // a worker about to wait sees the new entries
            const std::lock_guard lock(m_mutex);
            m_room.notify_all();
        });
    }
    for (int i = 0; i < threads; ++i)
        m_threads.emplace_back([this] { work(); });
}

AheadWorkers::~AheadWorkers()
{
    // Not under m_mutex: the list calls the listener under its own lock.
    m_paths.setListener(nullptr);
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_room.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
    for (qsizetype i = m_taken; i < m_next; ++i) {
        const FileJobResult &result = m_results[slotOf(i)];
        if (!m_arrived[slotOf(i)] || !result.pending)
            continue;
        AtomicFileWriter::discard(*result.pending);
        if (m_budget)
            m_budget->release(1, result.pending->bytes);
    }
}

AheadWorkers::Sized AheadWorkers::sizeOf(qsizetype index, const QString &path)
{
    Sized sized;
    sized.index = index;
    if (const std::optional<FileStamp> stamp = FileStamp::of(path)) {
        sized.size = stamp->size;
        if (stamp->identified)
            sized.device = stamp->device;
    }
    return sized;
}

bool AheadWorkers::toSize() const
{
    return m_budget && !m_sizing && nextListed() && m_next < m_taken + m_lookahead && !nextSized();
}

void AheadWorkers::sizeAhead(std::unique_lock<std::mutex> &lock)
{
    m_sizing = true;
    const qsizetype first = m_next;
    const qsizetype last
        = std::min({m_paths.available(), m_taken + m_lookahead, first + 2 * Chunk});
    lock.unlock();
    // Entries not sized cannot be started meanwhile, so their slots stay theirs.
    std::vector<Sized> sized;
    for (qsizetype i = first; i < last; ++i)
        sized.push_back(sizeOf(i, m_paths.at(i)));
    lock.lock();
    for (const Sized &entry : sized)
        m_sizes[slotOf(entry.index)] = entry;
    m_sizing = false;
    if (m_workersWaiting > 0)
        m_room.notify_all();
}

bool AheadWorkers::admitsNext()
{
    if (!m_budget)
        return true;
    const Sized &sized = m_sizes[slotOf(m_next)];
    const bool admitted = m_budget->admits(sized.size, m_paths.at(m_next), sized.device);
    m_waitingForRoom = !admitted;
    if (!admitted && m_takerWaits >= 0)
        m_ready.notify_one(); // the run may have to make room
    return admitted;
}

qint64 AheadWorkers::claimNext()
{
    qint64 estimate = 0;
    if (m_budget) {
        estimate = m_sizes[slotOf(m_next)].size;
        m_budget->start(estimate);
    }
    ++m_next;
    return estimate;
}

FileJobResult AheadWorkers::runJob(qsizetype index, qint64 estimate)
{
    FileJobResult result = m_job(m_paths.at(index), m_paths.listedAs(index));
    if (m_budget) {
        m_budget->finish(
            estimate, result.pending ? std::optional<qint64>(result.pending->bytes) : std::nullopt);
    }
    return result;
}

void AheadWorkers::work()
{
    std::vector<FileJobResult> done;
    std::vector<qint64> estimates;
    std::unique_lock lock(m_mutex);
    auto mayClaim = [this] {
        return nextListed() && m_next < m_taken + m_lookahead && (!m_budget || nextSized())
            && admitsNext();
    };
    for (;;) {
        ++m_workersWaiting;
        m_room.wait(lock, [&] { return m_stopping || listDone() || toSize() || mayClaim(); });
        --m_workersWaiting;
        if (m_stopping || listDone())
            return;
        if (toSize()) {
            sizeAhead(lock);
            continue;
        }
        const qsizetype first = m_next;
        estimates.clear();
        do
            estimates.push_back(claimNext());
        while (qsizetype(estimates.size()) < Chunk && mayClaim());
        const qsizetype last = m_next;
        lock.unlock();
        done.clear();
        for (qsizetype i = first; i < last; ++i)
            done.push_back(runJob(i, estimates[size_t(i - first)]));
        // The slots are this worker's until their results arrive: filled without the lock.
        for (qsizetype i = first; i < last; ++i) {
            m_results[slotOf(i)] = std::move(done[size_t(i - first)]);
            m_arrived[slotOf(i)].store(true);
        }
        const qsizetype wanted = m_takerWaits.load();
        lock.lock();
        // Only the result the run waits for wakes it; by now it sleeps (it held the lock from
        // its look until then), and it wakes to a lock nobody holds.
        if (wanted >= first && wanted < last) {
            lock.unlock();
            m_ready.notify_one();
            lock.lock();
        }
        // Files that were not changed gave their room back.
        if (m_budget && m_workersWaiting > 0)
            m_room.notify_all();
    }
}

FileJobResult AheadWorkers::take(qsizetype index, const std::function<void()> &makeRoom,
                                 const std::function<void()> &whileWaiting)
{
    if (m_threads.empty())
        return runHere(index, makeRoom);
    const size_t slot = slotOf(index);
    // Most results are there before the run takes them: no hand-over of the lock then.
    if (!m_arrived[slot].load(std::memory_order_acquire))
        waitFor(index, makeRoom, whileWaiting);
    FileJobResult result = std::exchange(m_results[slot], FileJobResult());
    m_arrived[slot].store(false, std::memory_order_relaxed);
    m_taken.store(index + 1);
    if (m_workersWaiting.load() > 0) {
        const std::lock_guard lock(m_mutex);
        if (m_next < m_taken + m_lookahead)
            m_room.notify_all();
    }
    return result;
}

FileJobResult AheadWorkers::runHere(qsizetype index, const std::function<void()> &makeRoom)
{
    std::unique_lock lock(m_mutex);
    m_taken = index + 1;
    m_next = index;
    qint64 estimate = 0;
    if (m_budget) {
        m_sizes[slotOf(index)] = sizeOf(index, m_paths.at(index));
        if (!admitsNext() && makeRoom) {
            lock.unlock();
            makeRoom();
            lock.lock();
        }
        estimate = claimNext();
    }
    lock.unlock();
    return runJob(index, estimate);
}

void AheadWorkers::waitFor(qsizetype index, const std::function<void()> &makeRoom,
                           const std::function<void()> &whileWaiting)
{
    std::unique_lock lock(m_mutex);
    while (!m_arrived[slotOf(index)].load()) {
        // Entries are started in order: one not started yet waits for room that only the
        // run's own waiting files can give back.
        if (m_waitingForRoom && m_next <= index && makeRoom) {
            m_waitingForRoom = false;
            lock.unlock();
            makeRoom();
            lock.lock();
            m_room.notify_all();
            continue;
        }
        m_takerWaits = index;
        if (m_arrived[slotOf(index)].load())
            break;
        // A large file keeps the run waiting: the window answers meanwhile.
        const bool arrived = m_ready.wait_for(lock, WaitStep) == std::cv_status::no_timeout;
        if (!arrived && whileWaiting) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }
    m_takerWaits = -1;
}

void AheadWorkers::budgetReleased()
{
    const std::lock_guard lock(m_mutex);
    if (m_workersWaiting > 0)
        m_room.notify_all();
}
