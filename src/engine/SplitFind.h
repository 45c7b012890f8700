#pragma once

#include <QByteArrayView>

#include <thread>
#include <vector>

// The occurrences one after another (each at least `step` past the one before) that a finder's
// findMany gives from `from`, with the second half of a large text looked through by another
// thread meanwhile. The two lists are the same from the first start they share: past the middle
// the caller's own search goes on until it meets a start the other thread found, and takes the
// rest from there. Where they never meet (a needle that overlaps itself, met at another phase)
// the caller's search goes on to the end. The other thread keeps at most `room` starts; past
// them the caller's search takes over again. `Finder` is ByteFinder or ByteFormsFinder.
template <class Finder>
class SplitFind {
public:
    // Texts from this size on are split.
    static constexpr qsizetype SplitFrom = qsizetype(8) << 20;

    // `data` and `finder` must outlive the object. `half` is where the other thread starts
    // (the middle when 0, and no thread for texts below SplitFrom); `room` 0 is one start for
    // every 128 bytes of the text.
    SplitFind(const Finder &finder, QByteArrayView data, qsizetype from, qsizetype step,
              qsizetype half = 0, size_t room = 0);
    SplitFind(const SplitFind &) = delete;
    SplitFind &operator=(const SplitFind &) = delete;
    ~SplitFind();

    // As findMany: appends the next starts to `starts` (at most `limit` in all); false once the
    // end of the text was reached.
    bool next(std::vector<qsizetype> &starts, size_t limit);

private:
    void findTail();
    bool fromTail(std::vector<qsizetype> &starts, size_t limit);
    void meet(const std::vector<qsizetype> &starts);

    const Finder &m_finder;
    const QByteArrayView m_data;
    qsizetype m_from;
    const qsizetype m_step;
    qsizetype m_half = -1; // where the other thread began; -1 without one
    size_t m_room = 0;
    std::vector<qsizetype> m_tail; // the other thread's starts
    qsizetype m_tailFrom = 0; // where its search would go on
    bool m_tailDone = false; // it reached the end of the text
    size_t m_taken = 0; // starts of m_tail handed out, once the two met
    bool m_met = false;
    bool m_joined = false;
    std::thread m_thread;
};
