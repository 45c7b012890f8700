#pragma once

#include <mutex>
#include <utility>
#include <vector>

// Containers handed to another thread come back to be filled again rather than being freed
// there: memory freed by another thread than the one that uses it next costs more (page
// faults, and the allocator's locks) than the work it carries. `T` is emptied by clear().
template <typename T>
class SpareList {
public:
    // An empty `T`, with the room of one given back earlier when there is one.
    T take()
    {
        const std::lock_guard lock(m_mutex);
        if (m_spare.empty())
            return T();
        T item = std::move(m_spare.back());
        m_spare.pop_back();
        return item;
    }

    void keep(T item)
    {
        item.clear();
        const std::lock_guard lock(m_mutex);
        m_spare.push_back(std::move(item));
    }

private:
    std::mutex m_mutex;
    std::vector<T> m_spare;
};
