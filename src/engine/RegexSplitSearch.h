#pragma once

#include <QByteArrayView>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

class RegexByteFinder;
class RegexBytePattern;

// Finds every match of a pattern in one large text on several threads, giving exactly the
// matches (and the order) of one search from the text's start. Each part is searched from its
// own start with the whole text in view, so look-behind, "\b" and "^" see what lies before it,
// and keeps the matches that start inside it. Where the matches kept before run past the start
// of a part, this thread searches on from there until it meets one of the part's own matches;
// from that match on both searches agree.
class RegexSplitSearch {
public:
    // A match: the start and end offsets of each group in turn (`count` groups; start -1 for a
    // group that took no part).
    using Take = std::function<void(const qsizetype *groups, int count)>;

    // RegexBytePattern::startsAnywhere holds for `pattern`; compiled with bounded starts, no
    // part searches past its own end. `groups`: every group is told, else only the whole match.
    RegexSplitSearch(const RegexBytePattern &pattern, bool groups);

    // Where parts after the first start to give `parts` parts of near equal size: at a line
    // start where one is near.
    static std::vector<qsizetype> splitsOf(QByteArrayView text, int parts);

    // Tells `take` each match of `text` in order, the parts (starting at 0 and at `splits`,
    // ascending) searched by `threads` threads, this one among them: each part is told as soon
    // as those before it are, while the threads search a few parts ahead. False when a search
    // reached the step limit: the matches are then not known (and some may have been told).
    bool forEach(QByteArrayView text, const std::vector<qsizetype> &splits, int threads,
                 const Take &take) const;

    // The offsets a part keeps at most: its search stops there and the rest of the part is
    // searched on this thread, so memory stays bounded however dense the matches. By default
    // half the part's size in bytes; with the parts searched ahead, the memory kept is a few
    // parts' size at most.
    void setKeptMost(qsizetype offsets) { m_keptMost = offsets; }

private:
    struct Part {
        qsizetype from = 0;
        qsizetype lastStart = -1; // the last offset a match of the part may start at; -1: any
        std::vector<qsizetype> kept;
        qsizetype stoppedAt = -1; // where the search stopped with `kept` full
        bool limit = false;
    };

    // Which parts are searched and told; guarded by `mutex`.
    struct Schedule {
        std::mutex mutex;
        std::condition_variable changed;
        std::vector<char> searched; // per part
        size_t next = 0; // the next part to search
        size_t told = 0; // the parts told
        size_t window = 1; // parts searched ahead of the one told, at most
        bool stop = false;

        // Offsets of parts told, their memory kept for the parts searched next: fresh memory
        // for every part costs the system as much again as the search.
        std::vector<std::vector<qsizetype>> spare;

        bool mayTake() const { return next < searched.size() && next < told + window; }
        // The next part to search, given spare memory for its offsets.
        size_t take(std::vector<Part> &parts)
        {
            if (!spare.empty()) {
                parts[next].kept = std::move(spare.back());
                spare.pop_back();
            }
            return next++;
        }
    };

    std::vector<Part> partsOf(QByteArrayView text, const std::vector<qsizetype> &splits) const;
    void help(QByteArrayView text, std::vector<Part> &parts, Schedule &schedule) const;
    bool lead(QByteArrayView text, std::vector<Part> &parts, Schedule &schedule,
              const Take &take) const;
    void search(QByteArrayView text, Part &part) const;
    bool follow(QByteArrayView text, const Part &part, RegexByteFinder &finder, qsizetype &resume,
                const Take &take) const;
    int stride() const { return m_groups * 2; }

    const RegexBytePattern &m_pattern;
    int m_groups = 1;
    qsizetype m_keptMost = -1;
};
