#pragma once

#include "io/FolderHandleCache.h"

#include <memory>
#include <mutex>
#include <vector>

// The folder caches of a job that several threads run at once: each call takes one for its
// file and gives it back after, so that a thread working through one folder mostly finds it
// still open. A few are kept; the job's end closes them.
class FolderHandlePool {
public:
    // One cache, the caller's until this is destroyed.
    class Lease {
    public:
        Lease(FolderHandlePool *pool, QStringView path);
        Lease(const Lease &) = delete;
        Lease &operator=(const Lease &) = delete;
        ~Lease();
        FolderHandleCache *get() const { return m_cache.get(); }

    private:
        FolderHandlePool *m_pool;
        std::unique_ptr<FolderHandleCache> m_cache;
    };

    // One for the file `path`: the one holding its folder when there is one.
    Lease lease(QStringView path) { return Lease(this, path); }

private:
    std::mutex m_mutex;
    std::vector<std::unique_ptr<FolderHandleCache>> m_spare;
};
