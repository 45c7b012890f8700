#include "io/TempBudget.h"

#include "io/IoLevel.h"

#include <algorithm>

void TempBudget::setFreeSpace(FreeSpace freeSpace)
{
    const std::lock_guard lock(m_mutex);
    m_freeSpace = std::move(freeSpace);
    m_rooms.clear();
}

bool TempBudget::admits(qint64 bytes, const QString &path, std::optional<quint64> device) const
{
    const std::lock_guard lock(m_mutex);
    if (m_files == 0)
        return true;
    if (m_files + 1 > MaxFiles || m_bytes + bytes > MaxBytes)
        return false;
    if (device && fitsLastSeen(bytes, *device))
        return true;
    const std::optional<qint64> free = m_freeSpace ? m_freeSpace(path) : std::nullopt;
    if (device)
        m_rooms.insert(*device, {free, m_added - m_writing});
    // A sixteenth of the free space is left for others and for the file system's own needs.
    return !free || m_writing + bytes <= *free - *free / 16;
}

// Counts every byte written since as taken from that free space, and none given back by the
// files replaced: within half of it, the file fits whatever else was written meanwhile.
bool TempBudget::fitsLastSeen(qint64 bytes, quint64 device) const
{
    const auto room = m_rooms.constFind(device);
    if (room == m_rooms.cend())
        return false;
    if (!room->free)
        return true; // the file system does not tell
    const qint64 free = *room->free;
    return m_added - room->base + bytes <= (free - free / 16) / 2;
}

void TempBudget::start(qint64 bytes)
{
    const std::lock_guard lock(m_mutex);
    ++m_files;
    m_bytes += bytes;
    m_writing += bytes;
    m_added += bytes;
}

void TempBudget::finish(qint64 estimate, std::optional<qint64> written)
{
    const std::lock_guard lock(m_mutex);
    m_writing -= estimate;
    m_bytes += written.value_or(0) - estimate;
    m_added += std::max<qint64>(written.value_or(0) - estimate, 0);
    if (!written)
        --m_files;
}

void TempBudget::hold(qint64 bytes)
{
    const std::lock_guard lock(m_mutex);
    ++m_files;
    m_bytes += bytes;
    m_added += bytes;
}

void TempBudget::release(qsizetype files, qint64 bytes)
{
    const std::lock_guard lock(m_mutex);
    m_files -= files;
    m_bytes -= bytes;
}

std::optional<qint64> TempBudget::systemFreeSpace(const QString &path)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return freeSpacePosix(path);
#endif
    return freeSpacePortable(path);
}
