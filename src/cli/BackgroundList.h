#pragma once

#include "run/FileFeed.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <thread>

// The run's file list made on a thread of its own: the run starts on the first files while
// the folders are still being scanned, in the same order. What the making says (a missing
// path, a folder that cannot be read) is kept and said on the caller's thread when it ends.
class BackgroundList {
public:
    using Say = std::function<void(const QString &)>;
    // Makes the list: adds files to `files` (and may say in `kinds` what the scan saw of the
    // first of them: FileFeed::append), calls `listed` whenever those added may be handed on,
    // says problems through `say`; false when some path could not be taken.
    using Make = std::function<bool(QStringList &files, QList<ListedAs> &kinds,
                                    const std::function<void()> &listed, const Say &say)>;

    explicit BackgroundList(Make make);
    BackgroundList(const BackgroundList &) = delete;
    BackgroundList &operator=(const BackgroundList &) = delete;
    ~BackgroundList();

    std::shared_ptr<const FileFeed> feed() const { return m_feed; }
    // Waits for the list to end and says, through `say`, what the making said; whether every
    // path was taken.
    bool finish(const Say &say);

private:
    std::shared_ptr<FileFeed> m_feed = std::make_shared<FileFeed>();
    QStringList m_said;
    bool m_allPaths = false;
    std::thread m_thread;
};
