#include "io/FolderHandlePool.h"

namespace {

// More than the threads of a run ever ask for at once.
constexpr size_t MostKept = 8;

} // namespace

FolderHandlePool::Lease::Lease(FolderHandlePool *pool) : m_pool(pool)
{
    {
        const std::lock_guard lock(pool->m_mutex);
        if (!pool->m_spare.empty()) {
            // The one given back last: most likely the folder this thread is in.
            m_cache = std::move(pool->m_spare.back());
            pool->m_spare.pop_back();
        }
    }
    if (!m_cache)
        m_cache = std::make_unique<FolderHandleCache>();
}

FolderHandlePool::Lease::~Lease()
{
    const std::lock_guard lock(m_pool->m_mutex);
    if (m_pool->m_spare.size() < MostKept)
        m_pool->m_spare.push_back(std::move(m_cache));
}
