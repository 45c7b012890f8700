#include "run/ByteWorkers.h"

#include "document/AtomicFileWriter.h"

namespace {

// Files a worker claims at once: fewer hand-overs between threads for many small files.
constexpr qsizetype Chunk = 8;

} // namespace

ByteWorkers::ByteWorkers(Job job, QStringList paths, int threads, qsizetype first,
                         qsizetype lookahead)
    : m_job(std::move(job))
    , m_paths(std::move(paths))
    , m_lookahead(std::max<qsizetype>(lookahead, Chunk))
    , m_results(size_t(m_paths.size()))
    , m_next(first)
    , m_taken(first)
{
    for (int i = 0; i < threads; ++i)
        m_threads.emplace_back([this] { work(); });
}

ByteWorkers::~ByteWorkers()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_room.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
    for (qsizetype i = m_taken; i < qsizetype(m_results.size()); ++i) {
        if (m_results[size_t(i)] && m_results[size_t(i)]->pending)
            AtomicFileWriter::discard(*m_results[size_t(i)]->pending);
    }
}

void ByteWorkers::work()
{
    std::vector<ByteFileResult> done;
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_workersWaiting;
        m_room.wait(lock, [this] {
            return m_stopping || m_next >= m_paths.size() || m_next < m_taken + m_lookahead;
        });
        --m_workersWaiting;
        if (m_stopping || m_next >= m_paths.size())
            return;
        const qsizetype first = m_next;
        const qsizetype last = std::min({first + Chunk, m_paths.size(), m_taken + m_lookahead});
        m_next = last;
        lock.unlock();
        done.clear();
        for (qsizetype i = first; i < last; ++i)
            done.push_back(m_job(m_paths.at(i)));
        lock.lock();
        for (qsizetype i = first; i < last; ++i)
            m_results[size_t(i)] = std::move(done[size_t(i - first)]);
        if (m_takerWaiting)
            m_ready.notify_one();
    }
}

ByteFileResult ByteWorkers::take(qsizetype index, const std::function<void()> &whileWaiting)
{
    std::unique_lock lock(m_mutex);
    if (m_threads.empty()) {
        // No workers: the run's own thread does the work.
        m_taken = index + 1;
        lock.unlock();
        return m_job(m_paths.at(index));
    }
    while (!m_results[size_t(index)].has_value()) {
        m_takerWaiting = true;
        // A large file keeps the run waiting: the window answers meanwhile.
        const bool arrived = m_ready.wait_for(lock, WaitStep) == std::cv_status::no_timeout;
        m_takerWaiting = false;
        if (!arrived && whileWaiting) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }
    ByteFileResult result = std::move(*m_results[size_t(index)]);
    m_results[size_t(index)].reset();
    m_taken = index + 1;
    if (m_workersWaiting > 0 && m_next < m_taken + m_lookahead)
        m_room.notify_all();
    return result;
}
