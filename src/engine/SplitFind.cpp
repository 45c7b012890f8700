#include "engine/SplitFind.h"

#include "engine/ByteFinder.h"
#include "engine/ByteFormsFinder.h"

#include <algorithm>
#include <system_error>

namespace {

// Starts the other thread asks for at once: room is grown as they come, not set aside.
constexpr size_t TailBatch = 4096;

} // namespace

template <class Finder>
SplitFind<Finder>::SplitFind(const Finder &finder, QByteArrayView data, qsizetype from,
                             qsizetype step, qsizetype half, size_t room)
    : m_finder(finder), m_data(data), m_from(from), m_step(step)
{
    if (half == 0) {
        if (data.size() < SplitFrom)
            return;
        half = data.size() / 2;
    }
    if (half <= from || half >= data.size())
        return;
    m_half = half;
    m_room = room > 0 ? room : std::max<size_t>(size_t(data.size() / 128), TailBatch);
    try {
        m_thread = std::thread([this] { findTail(); });
    } catch (const std::system_error &) {
        m_half = -1; // no thread to be had: one search does it all
    }
}

template <class Finder>
SplitFind<Finder>::~SplitFind()
{
    if (m_thread.joinable())
        m_thread.join();
}

template <class Finder>
void SplitFind<Finder>::findTail()
{
    qsizetype from = m_half;
    bool more = true;
    while (more && m_tail.size() < m_room)
        more = m_finder.findMany(m_data, from, m_step, m_tail,
                                 std::min(m_room, m_tail.size() + TailBatch));
    m_tailFrom = from;
    m_tailDone = !more;
}

template <class Finder>
bool SplitFind<Finder>::next(std::vector<qsizetype> &starts, size_t limit)
{
    if (m_met)
        return fromTail(starts, limit);
    const size_t before = starts.size();
    const bool more = m_finder.findMany(m_data, m_from, m_step, starts, limit);
    if (more && m_half >= 0 && starts.size() > before && starts.back() >= m_half)
        meet(starts);
    return more;
}

// The last start the caller's search found lies past the middle: when the other thread found
// it too, the rest of its list is the caller's.
template <class Finder>
void SplitFind<Finder>::meet(const std::vector<qsizetype> &starts)
{
    if (!m_joined) {
        m_thread.join();
        m_joined = true;
    }
    const qsizetype last = starts.back();
    if (m_tail.empty() || last > m_tail.back()) {
        m_half = -1; // past all it found: its list can no longer help
        return;
    }
    const auto at = std::lower_bound(m_tail.begin(), m_tail.end(), last);
    if (*at != last)
        return;
    m_met = true;
    m_taken = size_t(at - m_tail.begin()) + 1;
}

template <class Finder>
bool SplitFind<Finder>::fromTail(std::vector<qsizetype> &starts, size_t limit)
{
    const size_t count = std::min(limit - std::min(limit, starts.size()), m_tail.size() - m_taken);
    starts.insert(starts.end(), m_tail.begin() + qsizetype(m_taken),
                  m_tail.begin() + qsizetype(m_taken + count));
    m_taken += count;
    if (m_taken < m_tail.size())
        return true;
    if (m_tailDone)
        return false;
    // The other thread stopped for room: the caller's search goes on where it did.
    m_met = false;
    m_half = -1;
    m_from = m_tailFrom;
    std::vector<qsizetype>().swap(m_tail);
    return starts.size() >= limit || m_finder.findMany(m_data, m_from, m_step, starts, limit);
}

template class SplitFind<ByteFinder>;
template class SplitFind<ByteFormsFinder>;
