#include "io/JournalPruner.h"

#include "io/RunHistory.h"

void JournalPruner::start(const QString &runsFolder, int maxRuns, qint64 maxBytes)
{
    {
        const std::lock_guard lock(m_mutex);
        m_folder = runsFolder;
        m_maxRuns = maxRuns;
        m_maxBytes = maxBytes;
        if (m_stop)
            return;
        if (m_running) {
            m_again = true;
            return;
        }
        m_running = true;
    }
    // The last thread has ended its work: the join does not wait.
    if (m_thread.joinable())
        m_thread.join();
    m_thread = std::thread([this] { work(); });
}

void JournalPruner::work()
{
    for (;;) {
        QString folder;
        int maxRuns = 0;
        qint64 maxBytes = 0;
        {
            const std::lock_guard lock(m_mutex);
            folder = m_folder;
            maxRuns = m_maxRuns;
            maxBytes = m_maxBytes;
        }
        RunHistory(folder).prune(maxRuns, maxBytes, &m_stop);
        const std::lock_guard lock(m_mutex);
        if (!m_again || m_stop) {
            m_running = false;
            return;
        }
        m_again = false;
    }
}

void JournalPruner::stop()
{
    m_stop = true;
    wait();
}

void JournalPruner::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
