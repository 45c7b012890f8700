#include "engine/ByteForms.h"

#include <QChar>

#include <algorithm>
#include <cstring>
#include <map>

namespace {

char32_t folded(char32_t c)
{
    return QChar::toCaseFolded(c);
}

// Every character of the BMP that the case-free search takes for `c`, `c` first. Characters
// outside the BMP fold only among themselves.
std::vector<char16_t> variantsOf(char16_t c)
{
    std::vector<char16_t> units{c};
    const char32_t target = folded(c);
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        if (u != c && !QChar::isSurrogate(u) && folded(u) == target)
            units.push_back(char16_t(u));
    }
    return units;
}

QByteArray utf8Of(char16_t c)
{
    return QStringView(&c, 1).toUtf8();
}

} // namespace

void ByteForms::add(std::vector<QByteArray> forms)
{
    m_chars.push_back({m_size, std::move(forms)});
    m_own += m_chars.back().forms.front();
    m_size += m_chars.back().forms.front().size();
}

std::optional<ByteForms> ByteForms::utf8(QStringView pattern, bool matchCase)
{
    if (pattern.isEmpty())
        return std::nullopt;
    ByteForms result;
    // Each letter's partners are looked for across the BMP once, however often it recurs.
    std::map<char16_t, std::vector<char16_t>> partners;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i].unicode();
        if (QChar::isSurrogate(c)) {
            const bool pair = QChar::isHighSurrogate(c) && i + 1 < pattern.size()
                && pattern[i + 1].isLowSurrogate();
            if (!pair || !matchCase)
                return std::nullopt;
            result.add({pattern.sliced(i, 2).toUtf8()});
            ++i;
            continue;
        }
        if (matchCase) {
            result.add({utf8Of(c)});
            continue;
        }
        std::vector<QByteArray> forms;
        auto known = partners.find(c);
        if (known == partners.end())
            known = partners.emplace(c, variantsOf(c)).first;
        for (const char16_t v : known->second) {
            QByteArray bytes = utf8Of(v);
            if (forms.empty() || bytes.size() == forms.front().size())
                forms.push_back(std::move(bytes));
            else
                result.m_outside.push_back(std::move(bytes));
        }
        result.add(std::move(forms));
    }
    std::sort(result.m_outside.begin(), result.m_outside.end());
    result.m_outside.erase(std::unique(result.m_outside.begin(), result.m_outside.end()),
                           result.m_outside.end());
    return result;
}

std::optional<ByteForms> ByteForms::singleByte(QStringView pattern, bool matchCase,
                                               const std::array<char16_t, 256> &table)
{
    if (pattern.isEmpty())
        return std::nullopt;
    ByteForms result;
    for (const QChar ch : pattern) {
        const char16_t c = ch.unicode();
        if (QChar::isSurrogate(c))
            return std::nullopt;
        std::vector<QByteArray> forms;
        for (int b = 0; b < 256; ++b) {
            const bool same
                = matchCase ? table[size_t(b)] == c : folded(table[size_t(b)]) == folded(c);
            if (same)
                forms.emplace_back(1, char(b));
        }
        if (forms.empty())
            return std::nullopt;
        // The character's own byte first, when it has one.
        std::stable_partition(forms.begin(), forms.end(),
                              [&](const QByteArray &f) { return table[uchar(f[0])] == c; });
        result.add(std::move(forms));
    }
    return result;
}

std::vector<unsigned char> ByteForms::bytesAt(qsizetype offset) const
{
    std::vector<unsigned char> bytes;
    for (const Char &ch : m_chars) {
        const qsizetype length = ch.forms.front().size();
        if (offset < ch.offset || offset >= ch.offset + length)
            continue;
        for (const QByteArray &form : ch.forms) {
            const unsigned char b = uchar(form[offset - ch.offset]);
            if (std::find(bytes.begin(), bytes.end(), b) == bytes.end())
                bytes.push_back(b);
        }
    }
    return bytes;
}

bool ByteForms::matchesAt(const char *at) const
{
    // Most matches are written as the pattern is.
    if (std::memcmp(at, m_own.constData(), size_t(m_size)) == 0)
        return true;
    for (const Char &ch : m_chars) {
        const char *here = at + ch.offset;
        const size_t length = size_t(ch.forms.front().size());
        const bool any = std::any_of(ch.forms.begin(), ch.forms.end(), [&](const QByteArray &f) {
            return std::memcmp(here, f.constData(), length) == 0;
        });
        if (!any)
            return false;
    }
    return true;
}
