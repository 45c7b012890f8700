#include "engine/RegexSplitSearch.h"

#include "engine/RegexByteFinder.h"
#include "engine/RegexBytePattern.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

// How far past an even split a line start is looked for.
constexpr qsizetype lineNear = 4096;

// The first match at or after `at` that starts at or before `lastStart` (-1: anywhere). A
// pattern that cannot be bounded is searched on and its match told apart.
RegexByteFinder::Found findIn(RegexByteFinder &finder, const RegexBytePattern &pattern,
                              QByteArrayView text, qsizetype at, qsizetype lastStart)
{
    if (pattern.boundedStarts())
        return finder.find(text, at, lastStart);
    const RegexByteFinder::Found found = finder.find(text, at);
    if (found == RegexByteFinder::Found::Match && lastStart >= 0
        && finder.groupStart(0) > lastStart)
        return RegexByteFinder::Found::None;
    return found;
}

} // namespace

RegexSplitSearch::RegexSplitSearch(const RegexBytePattern &pattern, bool groups)
    : m_pattern(pattern), m_groups(groups ? pattern.captureCount() + 1 : 1)
{
}

std::vector<qsizetype> RegexSplitSearch::splitsOf(QByteArrayView text, int parts)
{
    std::vector<qsizetype> splits;
    for (int k = 1; k < parts; ++k) {
        qsizetype at = qsizetype(double(text.size()) * k / parts);
        const qsizetype near = std::min(lineNear, text.size() - at);
        if (const void *line
            = near > 0 ? std::memchr(text.data() + at, '\n', size_t(near)) : nullptr)
            at = static_cast<const char *>(line) - text.data() + 1;
        at = RegexByteFinder::characterStart(text, at);
        if (at > 0 && at < text.size() && (splits.empty() || at > splits.back()))
            splits.push_back(at);
    }
    return splits;
}

std::vector<RegexSplitSearch::Part>
RegexSplitSearch::partsOf(QByteArrayView text, const std::vector<qsizetype> &splits) const
{
    std::vector<Part> parts(1);
    for (const qsizetype split : splits) {
        const qsizetype at = RegexByteFinder::characterStart(text, split);
        if (at <= parts.back().from || at >= text.size())
            continue;
        parts.back().lastStart = at - 1;
        parts.push_back({});
        parts.back().from = at;
    }
    return parts;
}

void RegexSplitSearch::search(QByteArrayView text, Part &part) const
{
    RegexByteFinder finder(m_pattern);
    const qsizetype size = (part.lastStart < 0 ? text.size() : part.lastStart + 1) - part.from;
    // Half the part's size in bytes.
    const qsizetype keptMost = m_keptMost >= 0
        ? m_keptMost
        : std::max<qsizetype>(size / 2 / qsizetype(sizeof(qsizetype)), stride());
    const auto width = size_t(stride());
    for (qsizetype at = part.from;;) {
        if (qsizetype(part.kept.size() + width) > keptMost) {
            part.stoppedAt = at;
            return;
        }
        const RegexByteFinder::Found found = findIn(finder, m_pattern, text, at, part.lastStart);
        if (found == RegexByteFinder::Found::None)
            return;
        if (found == RegexByteFinder::Found::Limit) {
            part.limit = true;
            return;
        }
        part.kept.insert(part.kept.end(), finder.groups(), finder.groups() + width);
        at = RegexByteFinder::resumeAfter(text, finder.groupStart(0), finder.groupEnd(0));
    }
}

bool RegexSplitSearch::forEach(QByteArrayView text, const std::vector<qsizetype> &splits,
                               int threads, const Take &take) const
{
    std::vector<Part> parts = partsOf(text, splits);
    Schedule schedule;
    schedule.searched.assign(parts.size(), 0);
    // Parts searched ahead of the one told: enough to keep every thread busy.
    schedule.window = size_t(std::max(threads, 1)) * 2 + 2;
    std::vector<std::thread> helpers;
    for (int i = 1; i < threads && size_t(i) < parts.size(); ++i) {
        try {
            helpers.emplace_back([&] { help(text, parts, schedule); });
        } catch (const std::system_error &) {
            break; // no thread to be had: this one does more
        }
    }
    const bool known = lead(text, parts, schedule, take);
    {
        const std::lock_guard lock(schedule.mutex);
        schedule.stop = true;
    }
    schedule.changed.notify_all();
    for (std::thread &helper : helpers)
        helper.join();
    return known;
}

// A helper thread: searches the next part while the window allows.
void RegexSplitSearch::help(QByteArrayView text, std::vector<Part> &parts, Schedule &schedule) const
{
    for (;;) {
        size_t k = 0;
        {
            std::unique_lock lock(schedule.mutex);
            schedule.changed.wait(lock, [&] { return schedule.stop || schedule.mayTake(); });
            if (schedule.stop || schedule.next >= parts.size())
                return;
            k = schedule.take(parts);
        }
        search(text, parts[k]);
        {
            const std::lock_guard lock(schedule.mutex);
            schedule.searched[k] = 1;
        }
        schedule.changed.notify_all();
    }
}

// The calling thread: tells each part's matches in order as soon as it is searched, and
// searches parts itself while none is ready.
bool RegexSplitSearch::lead(QByteArrayView text, std::vector<Part> &parts, Schedule &schedule,
                            const Take &take) const
{
    RegexByteFinder finder(m_pattern);
    qsizetype resume = 0; // where the one search from the start goes on
    std::unique_lock lock(schedule.mutex);
    while (schedule.told < parts.size()) {
        const bool telling = schedule.searched[schedule.told] != 0;
        if (!telling && !schedule.mayTake()) {
            schedule.changed.wait(lock);
            continue;
        }
        const size_t k = telling ? schedule.told : schedule.take(parts);
        lock.unlock();
        bool known = true;
        if (telling) {
            known = follow(text, parts[k], finder, resume, take);
            parts[k].kept.clear();
        } else {
            search(text, parts[k]);
        }
        lock.lock();
        if (!known)
            return false;
        if (telling) {
            ++schedule.told;
            schedule.spare.push_back(std::move(parts[k].kept)); // for a part searched later
        } else {
            schedule.searched[k] = 1;
        }
        schedule.changed.notify_all();
    }
    return true;
}

// Tells the matches of `part` that one search from the start finds, `resume` being where that
// search goes on. Every match starting before `resume` was found already; a match before the
// part's start that `resume` lies at or before does not exist (the part before searched there),
// so from its own start the part's search is that search.
bool RegexSplitSearch::follow(QByteArrayView text, const Part &part, RegexByteFinder &finder,
                              qsizetype &resume, const Take &take) const
{
    const auto width = size_t(stride());
    const size_t kept = part.kept.size() / width;
    size_t next = 0; // the part's first match not yet told or passed over
    if (part.limit)
        return false;
    bool agreed = resume <= part.from;
    for (;;) {
        if (agreed) {
            for (; next < kept; ++next) {
                const qsizetype *groups = part.kept.data() + next * width;
                take(groups, m_groups);
                resume = RegexByteFinder::resumeAfter(text, groups[0], groups[1]);
            }
            if (part.stoppedAt < 0)
                return true;
            agreed = false; // what the part did not keep is searched here
        }
        const RegexByteFinder::Found found
            = findIn(finder, m_pattern, text, resume, part.lastStart);
        if (found == RegexByteFinder::Found::None)
            return true;
        if (found == RegexByteFinder::Found::Limit)
            return false;
        const qsizetype start = finder.groupStart(0);
        const qsizetype end = finder.groupEnd(0);
        // A match depends only on where it starts: met once, both searches go on alike.
        if (next < kept && part.kept[next * width] == start && part.kept[next * width + 1] == end) {
            agreed = true;
            continue;
        }
        take(finder.groups(), m_groups);
        resume = RegexByteFinder::resumeAfter(text, start, end);
        while (next < kept && part.kept[next * width] < resume)
            ++next;
    }
}
