#include "BackgroundList.h"

BackgroundList::BackgroundList(Make make)
{
    m_thread = std::thread([this, make = std::move(make)] {
        QStringList files;
        QList<ListedAs> kinds;
        const std::function<void()> listed = [&] {
            m_feed->append(files, kinds);
            files.clear();
            kinds.clear();
        };
        m_allPaths = make(files, kinds, listed, [this](const QString &text) { m_said << text; });
        listed();
        m_feed->finish();
    });
}

BackgroundList::~BackgroundList()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool BackgroundList::finish(const Say &say)
{
    if (m_thread.joinable())
        m_thread.join();
    for (const QString &text : std::as_const(m_said))
        say(text);
    m_said.clear();
    return m_allPaths;
}
