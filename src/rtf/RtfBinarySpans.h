#pragma once

#include <QByteArrayView>

#include <utility>
#include <vector>

// Where the data of \binN blocks ends in a source. Those bytes are no tokens, however much they
// look like some (a backslash, letters, digits), so whoever reads a source backwards from a
// place must stop at the end of the last data before it and read on only from there.
class RtfBinarySpans {
public:
    // The data ends in `bytes`, which start where a token starts, as positions counted from
    // `offset`. A block cut short by the end of `bytes` is left out: nothing follows it.
    static std::vector<qsizetype> scan(QByteArrayView bytes, qsizetype offset);

    void reset(std::vector<qsizetype> ends) { m_ends = std::move(ends); }
    // The end of the last data that ends at or before `pos`; 0 when there is none.
    qsizetype floorAt(qsizetype pos) const;
    // The source bytes [begin, end) gave way to bytes whose data ends are `inserted` (positions
    // after the edit); the source grew by `delta`.
    void replace(qsizetype begin, qsizetype end, const std::vector<qsizetype> &inserted,
                 qsizetype delta);

private:
    std::vector<qsizetype> m_ends;
};
