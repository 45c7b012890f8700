#include "io/TempBudget.h"

#include "io/IoLevel.h"

void TempBudget::setFreeSpace(FreeSpace freeSpace)
{
    const std::lock_guard lock(m_mutex);
    m_freeSpace = std::move(freeSpace);
}

bool TempBudget::admits(qint64 bytes, const QString &path) const
{
    const std::lock_guard lock(m_mutex);
    if (m_files == 0)
        return true;
    if (m_files + 1 > MaxFiles || m_bytes + bytes > MaxBytes)
        return false;
    const std::optional<qint64> free = m_freeSpace ? m_freeSpace(path) : std::nullopt;
    // A sixteenth of the free space is left for others and for the file system's own needs.
    return !free || m_writing + bytes <= *free - *free / 16;
}

void TempBudget::start(qint64 bytes)
{
    const std::lock_guard lock(m_mutex);
    ++m_files;
    m_bytes += bytes;
    m_writing += bytes;
}

void TempBudget::finish(qint64 estimate, std::optional<qint64> written)
{
    const std::lock_guard lock(m_mutex);
    m_writing -= estimate;
    m_bytes += written.value_or(0) - estimate;
    if (!written)
        --m_files;
}

void TempBudget::hold(qint64 bytes)
{
    const std::lock_guard lock(m_mutex);
    ++m_files;
    m_bytes += bytes;
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
