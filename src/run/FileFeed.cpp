#include "run/FileFeed.h"

#include <bit>
#include <limits>

FileFeed::FileFeed(const QStringList &files)
{
    append(files);
    finish();
}

FileFeed::~FileFeed() = default;

int FileFeed::blockOf(qsizetype index, qsizetype &offset)
{
    // Block k holds FirstBlock << k entries, from FirstBlock * (2^k - 1) on.
    const auto scaled = quint64(index / FirstBlock) + 1;
    const int block = int(std::bit_width(scaled)) - 1;
    offset = index - FirstBlock * ((qsizetype(1) << block) - 1);
    return block;
}

void FileFeed::append(const QStringList &files, const QList<ListedAs> &listed)
{
    if (files.isEmpty())
        return;
    qsizetype count = m_count.load(std::memory_order_relaxed);
    for (qsizetype i = 0; i < files.size(); ++i) {
        qsizetype offset = 0;
        const int block = blockOf(count, offset);
        if (offset == 0)
            m_blocks[size_t(block)] = std::make_unique<Entry[]>(size_t(FirstBlock << block));
        m_blocks[size_t(block)][size_t(offset)]
            = {files[i], i < listed.size() ? listed[i] : ListedAs::Unknown};
        ++count;
    }
    m_count.store(count);
    grown();
}

void FileFeed::finish()
{
    m_complete.store(true);
    grown();
}

void FileFeed::grown()
{
    const std::lock_guard lock(m_mutex);
    if (m_waiting > 0)
        m_grown.notify_all();
    if (m_listener)
        m_listener();
}

void FileFeed::setListener(std::function<void()> listener) const
{
    const std::lock_guard lock(m_mutex);
    m_listener = std::move(listener);
}

bool FileFeed::has(qsizetype index) const
{
    if (index < available())
        return true;
    std::unique_lock lock(m_mutex);
    ++m_waiting;
    // The end is read before the count: a complete list's count is final.
    m_grown.wait(lock, [&] { return complete() || index < available(); });
    --m_waiting;
    return index < available();
}

const FileFeed::Entry &FileFeed::entry(qsizetype index) const
{
    Q_ASSERT(index >= 0 && index < available());
    qsizetype offset = 0;
    const int block = blockOf(index, offset);
    return m_blocks[size_t(block)][size_t(offset)];
}

const QString &FileFeed::at(qsizetype index) const
{
    return entry(index).path;
}

ListedAs FileFeed::listedAs(qsizetype index) const
{
    return entry(index).listed;
}

qsizetype FileFeed::size() const
{
    has(std::numeric_limits<qsizetype>::max() - 1);
    return available();
}

QStringList FileFeed::all() const
{
    QStringList files;
    files.reserve(size());
    for (qsizetype i = 0; i < available(); ++i)
        files << at(i);
    return files;
}
