#pragma once

#include "engine/ByteForms.h"

#include <QByteArrayView>

#include <array>
#include <vector>

// Finds a pattern given by its byte forms (ByteForms): candidates are picked 32 or 16 places
// at a time (CpuFeatures) by two bytes of the match, the last one of the first character and
// the last one of all, each compared with the few values its forms allow; only candidates are
// compared in full. Patterns whose chosen bytes have too many values are searched one place
// at a time.
class ByteFormsFinder {
public:
    ByteFormsFinder() = default;
    explicit ByteFormsFinder(ByteForms forms);

    qsizetype size() const { return m_forms.size(); }
    const ByteForms &forms() const { return m_forms; }

    // As ByteFinder's.
    qsizetype find(QByteArrayView data, qsizetype from) const;
    bool findMany(QByteArrayView data, qsizetype &from, qsizetype step,
                  std::vector<qsizetype> &starts, size_t limit) const;

    // The values a filtered byte is compared with at most.
    static constexpr size_t MaxValues = 8;

private:
    struct Filter {
        qsizetype offset = 0;
        std::array<unsigned char, MaxValues> values{};
        size_t count = 0;
        std::array<bool, 256> allowed{};
    };

    static Filter filterAt(const ByteForms &forms, qsizetype offset);
    qsizetype findScalar(QByteArrayView data, qsizetype from) const;
    qsizetype findNarrow(QByteArrayView data, qsizetype &i) const;
    qsizetype findWide(QByteArrayView data, qsizetype &i) const;

    ByteForms m_forms;
    Filter m_first;
    Filter m_last;
    bool m_vectors = false; // both filters fit the vector loops
};
