#pragma once

#include <QString>

#include <limits>
#include <vector>

// What was put in place of many occurrences, each text kept once for a run of occurrences that
// got the same one: an occurrence holds a number, not a string of its own. Most jobs put the
// same text everywhere, so a big list keeps one string, and no thread touches a shared count
// for each occurrence.
class ReplacementTexts {
public:
    // The number of "nothing was put in place" (a null text).
    static constexpr qint32 None = -1;

    // Texts longer than `kept` are kept cut to that many characters.
    explicit ReplacementTexts(qsizetype kept) : m_kept(kept) { }
    ReplacementTexts() = default;

    // The number of `text` (cut as kept): the last one added when it is the same.
    qint32 add(const QString &text);
    // The text `index` of `from`, as kept there (cut or not).
    qint32 addKept(const ReplacementTexts &from, qint32 index);
    // The text of `index`, as kept (null for None).
    const QString &at(qint32 index) const;
    // Whether the text of `index` was cut.
    bool isCut(qint32 index) const { return index != None && entry(index).cut; }
    qsizetype size() const { return m_size; }
    void clear();
    // What the texts hold in memory, in bytes (a text shared with others' not counted).
    qsizetype bytesUsed() const;

private:
    // `kept` is `text` itself unless cut.
    qint32 add(QStringView kept, bool cut, const QString &text);

    struct Text {
        QString text;
        bool cut = false;
    };
    const Text &entry(qint32 index) const
    {
        return index == 0 ? m_first : m_more[size_t(index - 1)];
    }

    // Most lists have one text: kept here, a file's listing then allocates nothing for it.
    Text m_first;
    std::vector<Text> m_more;
    qsizetype m_size = 0;
    qsizetype m_kept = std::numeric_limits<qsizetype>::max();
};
