#pragma once

#include "io/ListedAs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

// A run's file list that may still be growing: a folder scan adds the files it finds while the
// run works through those found so far, in the same order. One thread adds; any thread reads
// the entries already there without a lock (they never move once added).
class FileFeed {
public:
    FileFeed() = default;
    // A list given whole: complete from the start.
    explicit FileFeed(const QStringList &files);
    FileFeed(const FileFeed &) = delete;
    FileFeed &operator=(const FileFeed &) = delete;
    ~FileFeed();

    // The adding side (one thread). `listed` says, for the first of the files, what the scan
    // saw of them; those beyond it are Unknown.
    void append(const QStringList &files, const QList<ListedAs> &listed = {});
    // No more entries come.
    void finish();

    // Entries there now; the list is complete when `complete()` said so first. (Sequentially
    // consistent: a reader that counts itself waiting before it looks, as AheadWorkers does,
    // is seen by the listener, or sees the entries.)
    qsizetype available() const { return m_count.load(); }
    bool complete() const { return m_complete.load(); }
    // Whether the list has entry `index`, waiting for the list to grow that far or end.
    bool has(qsizetype index) const;
    // An entry below available().
    const QString &at(qsizetype index) const;
    ListedAs listedAs(qsizetype index) const;
    // The whole list, once complete (waits for it).
    qsizetype size() const;
    QStringList all() const;

    // Called on the adding thread after entries arrive and when the list ends (not under any
    // lock of the caller's). Given before the reading starts, taken away (nullptr) before the
    // reader goes.
    void setListener(std::function<void()> listener) const;

private:
    static constexpr qsizetype FirstBlock = 256; // each block after it twice the one before
    static constexpr int Blocks = 40;

    static int blockOf(qsizetype index, qsizetype &offset);
    void grown();

    struct Entry {
        QString path;
        ListedAs listed = ListedAs::Unknown;
    };
    const Entry &entry(qsizetype index) const;

    std::array<std::unique_ptr<Entry[]>, Blocks> m_blocks;
    std::atomic<qsizetype> m_count{0};
    std::atomic<bool> m_complete{false};
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_grown;
    mutable int m_waiting = 0; // readers waiting in has()
    mutable std::function<void()> m_listener; // called under m_mutex: a reader takes it away safely
};
