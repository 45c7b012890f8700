#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <functional>
#include <span>
#include <type_traits>
#include <utility>

// A sequence held in one container with a gap at the place of the last edit, so that a run of
// edits moving forward through the sequence (a replace-all) costs its length plus the inserted
// items in all, not its length for every edit. One template serves the document's text
// (QString), the RTF source (QByteArray) and the position mapper's line starts (std::vector).
//
// Invariants: 0 <= m_gapStart <= m_gapEnd <= m_items.size(); the sequence is
// m_items[0, m_gapStart) followed by m_items[m_gapEnd, m_items.size()). Items in the gap are
// meaningless. `Container` needs data(), size() and resize(); its items must be trivially
// copyable, since the gap is moved with memmove.
template <typename Container>
class GapBuffer {
public:
    using Item = std::remove_cvref_t<decltype(*std::declval<Container &>().data())>;
    static_assert(std::is_trivially_copyable_v<Item>);

    GapBuffer() = default;
    // Takes over the container's storage; nothing is copied until an edit needs room.
    explicit GapBuffer(Container items)
        : m_items(std::move(items)), m_gapStart(length()), m_gapEnd(m_gapStart)
    {
    }

    qsizetype size() const { return qsizetype(m_items.size()) - gapSize(); }
    bool isEmpty() const { return size() == 0; }
    Item at(qsizetype i) const
    {
        Q_ASSERT(i >= 0 && i < size());
        return i < m_gapStart ? m_items.data()[i] : m_items.data()[i + gapSize()];
    }

    void set(qsizetype i, Item item)
    {
        Q_ASSERT(i >= 0 && i < size());
        m_items.data()[i < m_gapStart ? i : i + gapSize()] = item;
    }

    // The items before and after the gap; together, in order, they are the whole sequence.
    std::span<const Item> before() const { return {m_items.data(), size_t(m_gapStart)}; }
    std::span<const Item> after() const
    {
        return {m_items.data() + m_gapEnd, size_t(qsizetype(m_items.size()) - m_gapEnd)};
    }
    qsizetype gapPosition() const { return m_gapStart; }

    // Moves the gap to `pos` (clamped), copying only the items between the old and new place.
    void moveGap(qsizetype pos)
    {
        pos = std::clamp<qsizetype>(pos, 0, size());
        if (pos == m_gapStart)
            return;
        Item *data = m_items.data();
        if (pos < m_gapStart)
            moveItems(data + m_gapEnd - (m_gapStart - pos), data + pos, m_gapStart - pos);
        else
            moveItems(data + m_gapStart, data + m_gapEnd, pos - m_gapStart);
        m_gapEnd += pos - m_gapStart;
        m_gapStart = pos;
        checkInvariants();
    }

    // Replaces `count` items at `pos` by `items`; both are clipped to the sequence. `items`
    // may be a view of this buffer. The gap ends up right after the new items.
    void replace(qsizetype pos, qsizetype count, std::span<const Item> items)
    {
        if (overlaps(items)) {
            Container copy;
            copy.resize(decltype(copy.size())(items.size()));
            std::memcpy(static_cast<void *>(copy.data()), items.data(),
                        items.size() * sizeof(Item));
            replace(pos, count, std::span<const Item>(copy.data(), items.size()));
            return;
        }
        pos = std::clamp<qsizetype>(pos, 0, size());
        count = std::clamp<qsizetype>(count, 0, size() - pos);
        moveGap(pos);
        m_gapEnd += count;
        const qsizetype needed = qsizetype(items.size());
        if (gapSize() < needed)
            widenGap(needed);
        if (needed > 0)
            std::memcpy(static_cast<void *>(m_items.data() + m_gapStart), items.data(),
                        size_t(needed) * sizeof(Item));
        m_gapStart += needed;
        checkInvariants();
    }

    // The items [pos, pos + count), clipped, appended to `out`.
    template <typename Out>
    void appendTo(Out &out, qsizetype pos, qsizetype count) const
    {
        pos = std::clamp<qsizetype>(pos, 0, size());
        count = std::clamp<qsizetype>(count, 0, size() - pos);
        const qsizetype first = std::clamp<qsizetype>(m_gapStart - pos, 0, count);
        out.append(m_items.data() + pos, first);
        out.append(m_items.data() + m_gapEnd + (pos + first - m_gapStart), count - first);
    }

private:
    // The least room a widened gap gets, and the share of the sequence it gets beyond what one
    // edit needs, so that widening (which moves the items after the gap) happens rarely.
    static constexpr qsizetype MinimumGap = 4096 / sizeof(Item);
    static constexpr qsizetype GapShare = 16;

    qsizetype length() const { return qsizetype(m_items.size()); }
    qsizetype gapSize() const { return m_gapEnd - m_gapStart; }

    static void moveItems(Item *dest, const Item *src, qsizetype count)
    {
        std::memmove(static_cast<void *>(dest), src, size_t(count) * sizeof(Item));
    }

    void widenGap(qsizetype needed)
    {
        const qsizetype tail = length() - m_gapEnd;
        const qsizetype extra
            = needed - gapSize() + std::max<qsizetype>(MinimumGap, size() / GapShare);
        m_items.resize(decltype(m_items.size())(length() + extra));
        Item *data = m_items.data();
        moveItems(data + length() - tail, data + length() - extra - tail, tail);
        m_gapEnd += extra;
    }

    bool overlaps(std::span<const Item> items) const
    {
        if (items.empty() || m_items.size() == 0)
            return false;
        const std::less<const Item *> before;
        const Item *begin = m_items.data();
        const Item *end = begin + m_items.size();
        return before(items.data(), end) && before(begin, items.data() + items.size());
    }

    void checkInvariants() const
    {
        Q_ASSERT(0 <= m_gapStart && m_gapStart <= m_gapEnd && m_gapEnd <= length());
    }

    Container m_items;
    qsizetype m_gapStart = 0;
    qsizetype m_gapEnd = 0;
};
