#pragma once

#include <QByteArray>
#include <QStringView>

#include <array>
#include <optional>
#include <vector>

// A literal pattern as the bytes it may take in a file of one encoding: for each of its
// characters, every byte form of every character that the search takes for it (itself, and
// when case is ignored each character that folds like it), as long as the form has as many
// bytes as the character's own. Forms of another length (in UTF-8, "ſ" for "s", the Kelvin
// sign for "k", the narrow Cyrillic forms U+1C80..U+1C88 for "в", "д", "о" ...) are listed
// apart: a file that holds one of them needs the decoded search.
class ByteForms {
public:
    struct Char {
        qsizetype offset = 0; // of its bytes in a match
        std::vector<QByteArray> forms; // each of the same length, the character's own first
    };

    // For UTF-8 files. Nullopt for a pattern the bytes cannot stand for: an empty one, one with
    // a lone surrogate, or, when case is ignored, a character outside the BMP.
    static std::optional<ByteForms> utf8(QStringView pattern, bool matchCase);
    // For files in a single-byte character set whose byte `b` reads as `table[b]`; nullopt
    // when a character has no byte.
    static std::optional<ByteForms> singleByte(QStringView pattern, bool matchCase,
                                               const std::array<char16_t, 256> &table);

    // Bytes in every match.
    qsizetype size() const { return m_size; }
    const std::vector<Char> &chars() const { return m_chars; }
    const std::vector<QByteArray> &outside() const { return m_outside; }
    // The bytes the forms of the byte at `offset` of a match may be.
    std::vector<unsigned char> bytesAt(qsizetype offset) const;
    // Where, in a match, the last byte of the first character lies: the byte that tells most
    // apart in a UTF-8 letter.
    qsizetype firstCharEnd() const
    {
        return m_chars.size() > 1 ? m_chars[1].offset - 1 : m_size - 1;
    }
    bool matchesAt(const char *at) const;

private:
    void add(std::vector<QByteArray> forms);

    std::vector<Char> m_chars;
    std::vector<QByteArray> m_outside;
    QByteArray m_own; // the pattern's own bytes
    qsizetype m_size = 0;
};
