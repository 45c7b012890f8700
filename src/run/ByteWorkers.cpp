#include "run/ByteWorkers.h"

#include "document/AtomicFileWriter.h"

ByteWorkers::ByteWorkers(const ByteFileJob &job, QStringList paths, int threads,
                         qsizetype lookahead)
    : m_job(job)
    , m_paths(std::move(paths))
    , m_lookahead(std::max<qsizetype>(lookahead, 1))
    , m_results(size_t(m_paths.size()))
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
    m_changed.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
    for (qsizetype i = m_taken; i < qsizetype(m_results.size()); ++i) {
        if (m_results[size_t(i)] && m_results[size_t(i)]->pending)
            AtomicFileWriter::discard(*m_results[size_t(i)]->pending);
    }
}

void ByteWorkers::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] {
            return m_stopping || m_next >= m_paths.size() || m_next < m_taken + m_lookahead;
        });
        if (m_stopping || m_next >= m_paths.size())
            return;
        const qsizetype index = m_next++;
        const QString path = m_paths[index];
        lock.unlock();
        ByteFileResult result = path.isEmpty() ? ByteFileResult{} : m_job.process(path);
        lock.lock();
        m_results[size_t(index)] = std::move(result);
        m_changed.notify_all();
    }
}

ByteFileResult ByteWorkers::take(qsizetype index)
{
    std::unique_lock lock(m_mutex);
    if (m_threads.empty()) {
        // No workers: the run's own thread does the work.
        m_taken = index + 1;
        lock.unlock();
        return m_paths[index].isEmpty() ? ByteFileResult{} : m_job.process(m_paths[index]);
    }
    m_changed.wait(lock, [&] { return m_results[size_t(index)].has_value(); });
    ByteFileResult result = std::move(*m_results[size_t(index)]);
    m_results[size_t(index)].reset();
    m_taken = index + 1;
    m_changed.notify_all();
    return result;
}
