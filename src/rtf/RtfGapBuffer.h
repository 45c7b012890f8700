#pragma once

#include <QtGlobal>

#include <algorithm>
#include <span>
#include <vector>

// A sequence with a gap at the last edit point. An edit moves the gap there, copying only the
// elements between the old and the new place, so edits that walk forward through a long
// sequence cost about one pass over it in all.
template <typename T>
class RtfGapBuffer {
public:
    void assign(std::span<const T> items)
    {
        m_items.assign(items.begin(), items.end());
        m_gapStart = m_gapEnd = qsizetype(m_items.size());
    }

    qsizetype size() const { return qsizetype(m_items.size()) - gapSize(); }
    T at(qsizetype i) const
    {
        return i < m_gapStart ? m_items[size_t(i)] : m_items[size_t(i + gapSize())];
    }

    // The elements before and after the gap; together, in order, they are the whole sequence.
    std::span<const T> before() const { return {m_items.data(), size_t(m_gapStart)}; }
    std::span<const T> after() const
    {
        return {m_items.data() + m_gapEnd, m_items.size() - size_t(m_gapEnd)};
    }
    qsizetype gapPosition() const { return m_gapStart; }

    void moveGap(qsizetype pos)
    {
        pos = std::clamp<qsizetype>(pos, 0, size());
        T *data = m_items.data();
        if (pos < m_gapStart)
            std::move_backward(data + pos, data + m_gapStart, data + m_gapEnd);
        else if (pos > m_gapStart)
            std::move(data + m_gapEnd, data + m_gapEnd + (pos - m_gapStart), data + m_gapStart);
        m_gapEnd += pos - m_gapStart;
        m_gapStart = pos;
    }

    // Replaces `count` elements at `pos` with `items`; the gap ends up after the new elements.
    void replace(qsizetype pos, qsizetype count, std::span<const T> items)
    {
        moveGap(pos);
        m_gapEnd += std::min(count, qsizetype(m_items.size()) - m_gapEnd);
        reserveGap(qsizetype(items.size()));
        std::copy(items.begin(), items.end(), m_items.begin() + m_gapStart);
        m_gapStart += qsizetype(items.size());
    }

    std::vector<T> toVector() const
    {
        std::vector<T> whole(before().begin(), before().end());
        whole.insert(whole.end(), after().begin(), after().end());
        return whole;
    }

private:
    qsizetype gapSize() const { return m_gapEnd - m_gapStart; }

    void reserveGap(qsizetype needed)
    {
        if (gapSize() >= needed)
            return;
        const qsizetype tail = qsizetype(m_items.size()) - m_gapEnd;
        const qsizetype grown = std::max<qsizetype>(needed + 64, qsizetype(m_items.size()) / 2);
        m_items.resize(m_items.size() + size_t(grown));
        std::move_backward(m_items.begin() + m_gapEnd, m_items.begin() + m_gapEnd + tail,
                           m_items.end());
        m_gapEnd = qsizetype(m_items.size()) - tail;
    }

    std::vector<T> m_items;
    qsizetype m_gapStart = 0;
    qsizetype m_gapEnd = 0;
};
