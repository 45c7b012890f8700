#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// Finds a literal byte string: exactly, or with ASCII letters compared in either case (every
// other byte exactly). Candidates are picked 32 or 16 positions at a time (CpuFeatures) by the
// needle's first and last byte, and only they are compared in full.
class ByteFinder {
public:
    ByteFinder() = default;
    ByteFinder(QByteArrayView needle, bool matchCase);

    qsizetype size() const { return m_needle.size(); }
    bool matchCase() const { return m_matchCase; }

    // The first occurrence lying wholly in `data` at or after `from`, or -1.
    qsizetype find(QByteArrayView data, qsizetype from) const;
    // Successive occurrences, each at least `step` past the one before, the first at or after
    // `from`: their starts are appended to `starts` until it holds `limit`. `from` becomes
    // the place the search goes on from. False once the end of `data` was reached. The same
    // starts as calling find() again and again, without starting afresh at each.
    bool findMany(QByteArrayView data, qsizetype &from, qsizetype step,
                  std::vector<qsizetype> &starts, size_t limit) const;

private:
    bool matchesAt(const char *at) const;
    // matchesAt for a place with at least eight bytes readable from it: the first eight bytes
    // in one comparison, which decides most candidates without a loop.
    bool matchesWordAt(const char *at) const;
    qsizetype findOneByte(QByteArrayView data, qsizetype from) const;
    // One place at a time: the tail of the vector loops, or all of it without them.
    qsizetype findScalar(QByteArrayView data, qsizetype from) const;
    // The narrow (sixteen at a time) search; advances `i` past what it looked at.
    qsizetype findNarrow(QByteArrayView data, qsizetype &i) const;
    // The wide search; advances `i` past what it looked at.
    qsizetype findWide(QByteArrayView data, qsizetype &i) const;
    // The wide search of findMany, up to where a full block still fits.
    void findManyWide(QByteArrayView data, qsizetype &from, qsizetype step,
                      std::vector<qsizetype> &starts, size_t limit) const;

    QByteArray m_needle; // letters in lower case when the case does not matter
    // The needle's first (up to) eight bytes as a word; `m_headFold` has the case bit of each
    // letter compared without case, `m_headMask` the bits of the bytes the needle has.
    quint64 m_head = 0;
    quint64 m_headMask = 0;
    quint64 m_headFold = 0;
    qsizetype m_reach = 0; // bytes read from a candidate's start: the needle's, at least eight
    bool m_matchCase = true;
    bool m_wide = false; // the processor compares 32 bytes at once
};
