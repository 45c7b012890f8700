#pragma once

#include <QHash>
#include <QString>

#include <functional>
#include <mutex>
#include <optional>

// How many new files, and how much new data, a run holds at once before they are renamed over
// the files they replace: files worked out ahead on worker threads and files waiting in the
// write batch. A new file is admitted while the count stays within a batch, the data within a
// fixed cap, and the file (with those still being written) fits in the free space of the file
// system it goes to with some room to spare. With nothing held, a file is always admitted:
// when space is short, files go one at a time, as an editor saving them in turn would. Safe to
// use from several threads.
class TempBudget {
public:
    // The free bytes of the file system `path` lives on; nothing when unknown.
    using FreeSpace = std::function<std::optional<qint64>(const QString &path)>;

    static constexpr qsizetype MaxFiles = 1000; // a write batch
    static constexpr qint64 MaxBytes = qint64(256) << 20;

    void setFreeSpace(FreeSpace freeSpace);
    // Whether a new file of about `bytes` for the file `path` (on the file system `device`,
    // when known) may be started now. The free space of a known file system is looked up again
    // only when what was written since the last look makes it get near.
    bool admits(qint64 bytes, const QString &path,
                std::optional<quint64> device = std::nullopt) const;
    // A new file of about `bytes` is being written.
    void start(qint64 bytes);
    // It was written (`written` bytes), or not (nothing).
    void finish(qint64 estimate, std::optional<qint64> written);
    // A new file of `bytes` was written (by the run itself).
    void hold(qint64 bytes);
    // New files written earlier were renamed or removed.
    void release(qsizetype files, qint64 bytes);

    static std::optional<qint64> systemFreeSpace(const QString &path);

private:
    // Each level's own way (TempBudget_posix.cpp, TempBudget_portable.cpp).
    static std::optional<qint64> freeSpacePosix(const QString &path);
    static std::optional<qint64> freeSpacePortable(const QString &path);

    // The free space of a file system when it was last looked up, and m_added then less the
    // bytes being written (which that free space did not show yet).
    struct Room {
        std::optional<qint64> free;
        qint64 base = 0;
    };
    // Whether a file of `bytes` fits well within the free space last seen.
    bool fitsLastSeen(qint64 bytes, quint64 device) const;

    mutable std::mutex m_mutex;
    mutable QHash<quint64, Room> m_rooms; // by device
    qint64 m_added = 0; // every byte started or held, never taken back
    FreeSpace m_freeSpace = systemFreeSpace;
    qsizetype m_files = 0; // written or being written
    qint64 m_bytes = 0;
    qint64 m_writing = 0; // bytes being written, not yet seen in the free space
};
