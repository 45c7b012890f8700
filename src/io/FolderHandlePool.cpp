#include "io/FolderHandlePool.h"

#include <algorithm>
#include <iterator>

namespace {

// More than the threads of a run ever ask for at once.
constexpr size_t MostKept = 8;

} // namespace

FolderHandlePool::Lease::Lease(FolderHandlePool *pool, QStringView path) : m_pool(pool)
{
    {
        const std::lock_guard lock(pool->m_mutex);
        std::vector<std::unique_ptr<FolderHandleCache>> &spare = pool->m_spare;
        if (!spare.empty()) {
            // The one holding the file's folder, else the one given back last.
            auto found = std::find_if(spare.rbegin(), spare.rend(), [&](const auto &cache) {
                return cache->holdsFolderOf(path);
            });
            auto taken = found == spare.rend() ? std::prev(spare.end()) : std::prev(found.base());
            m_cache = std::move(*taken);
            spare.erase(taken);
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
