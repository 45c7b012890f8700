#include "io/JournalPruner.h"

#include "io/RunHistory.h"

void JournalPruner::start(const QString &runsFolder, int maxRuns, qint64 maxBytes)
{
    wait();
    m_thread = std::thread(
        [runsFolder, maxRuns, maxBytes] { RunHistory(runsFolder).prune(maxRuns, maxBytes); });
}

void JournalPruner::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
