#include "io/SerialWorker.h"

SerialWorker::SerialWorker(bool threaded, int depth) : m_depth(depth)
{
    if (threaded)
        m_thread = std::thread([this] { run(); });
}

SerialWorker::~SerialWorker()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_posted.notify_one();
    m_thread.join();
}

void SerialWorker::post(Step step)
{
    if (!m_thread.joinable()) {
        step();
        return;
    }
    {
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [this] { return m_steps.size() < size_t(m_depth); });
        m_steps.push_back(std::move(step));
    }
    m_posted.notify_one();
}

void SerialWorker::finish()
{
    if (!m_thread.joinable())
        return;
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [this] { return m_steps.empty() && !m_busy; });
}

void SerialWorker::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_posted.wait(lock, [this] { return m_stopping || !m_steps.empty(); });
        if (m_steps.empty())
            return; // stopping, and nothing left to do
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        m_busy = true;
        lock.unlock();
        m_done.notify_all();
        step();
        lock.lock();
        m_busy = false;
        m_done.notify_all();
    }
}
