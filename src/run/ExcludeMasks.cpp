#include "run/ExcludeMasks.h"

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Names are compared as the file system compares them.
#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity NameCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity NameCase = Qt::CaseSensitive;
#endif

bool sameChar(QChar a, QChar b)
{
    return NameCase == Qt::CaseSensitive ? a == b : a.toCaseFolded() == b.toCaseFolded();
}

// The bracket expression starting at mask[at] ("[" ... "]"): whether it takes `c`, and where
// the mask goes on after it. A "[" without its "]" is a plain character.
bool classTakes(QStringView mask, qsizetype at, QChar c, qsizetype &after)
{
    qsizetype i = at + 1;
    const bool negated = i < mask.size() && (mask[i] == u'!' || mask[i] == u'^');
    if (negated)
        ++i;
    bool taken = false;
    bool first = true;
    for (; i < mask.size() && (first || mask[i] != u']'); ++i, first = false) {
        if (i + 2 < mask.size() && mask[i + 1] == u'-' && mask[i + 2] != u']') {
            taken = taken || (c >= mask[i] && c <= mask[i + 2]);
            i += 2;
        } else {
            taken = taken || sameChar(mask[i], c);
        }
    }
    if (i >= mask.size()) {
        after = -1;
        return false;
    }
    after = i + 1;
    return taken != negated && c != u'/';
}

} // namespace

ExcludeMasks::ExcludeMasks(const QStringList &masks)
{
    for (QString mask : masks) {
        Mask entry;
        while (mask.endsWith(u'/')) {
            mask.chop(1);
            entry.foldersOnly = true;
        }
        const bool path = mask.contains(u'/');
        while (mask.startsWith(u'/'))
            mask.remove(0, 1);
        if (mask.isEmpty())
            continue;
        entry.pattern = mask;
        (path ? m_paths : m_names).append(entry);
    }
}

QStringList ExcludeMasks::split(const QString &line)
{
    QStringList masks;
    for (const QString &part : line.split(u';', Qt::SkipEmptyParts)) {
        const QString mask = part.trimmed();
        if (!mask.isEmpty())
            masks << mask;
    }
    return masks;
}

QStringList ExcludeMasks::defaults()
{
    return {u".git"_s, u".svn"_s, u".hg"_s};
}

QString ExcludeMasks::defaultLine()
{
    return defaults().join(u';');
}

bool ExcludeMasks::excludes(QStringView name, QStringView relativePath, bool isFolder) const
{
    return anyMatches(m_names, name, isFolder) || anyMatches(m_paths, relativePath, isFolder);
}

bool ExcludeMasks::anyMatches(const QList<Mask> &masks, QStringView text, bool isFolder)
{
    for (const Mask &mask : masks) {
        if ((isFolder || !mask.foldersOnly) && matches(mask.pattern, text))
            return true;
    }
    return false;
}

// Over every pair of positions at once: reach[j] says whether the mask read so far can end
// at text position j. Masks and names are short; no pattern can make this slow.
bool ExcludeMasks::matches(QStringView mask, QStringView text)
{
    // Most masks are plain names (".git"), met by every entry a scan sees.
    if (!mask.contains(u'*') && !mask.contains(u'?') && !mask.contains(u'[')) {
        return mask.size() == text.size()
            && std::equal(mask.begin(), mask.end(), text.begin(), sameChar);
    }
    const qsizetype n = text.size();
    std::vector<char> reach(size_t(n) + 1, 0);
    reach[0] = 1;
    qsizetype i = 0;
    while (i < mask.size()) {
        std::vector<char> next(size_t(n) + 1, 0);
        const QChar m = mask[i];
        if (m == u'*') {
            const bool crossesFolders = i + 1 < mask.size() && mask[i + 1] == u'*';
            for (qsizetype j = 0; j <= n; ++j) {
                next[size_t(j)] = reach[size_t(j)]
                    || (j > 0 && next[size_t(j - 1)] && (crossesFolders || text[j - 1] != u'/'));
            }
            i += crossesFolders ? 2 : 1;
        } else {
            qsizetype after = i + 1;
            qsizetype classEnd = -1;
            if (m == u'[') {
                classTakes(mask, i, QChar(), classEnd);
                if (classEnd >= 0)
                    after = classEnd;
            }
            for (qsizetype j = 0; j < n; ++j) {
                if (!reach[size_t(j)])
                    continue;
                const QChar c = text[j];
                qsizetype unused = -1;
                const bool takes = m == u'?' ? c != u'/'
                    : classEnd >= 0          ? classTakes(mask, i, c, unused)
                                             : sameChar(m, c);
                next[size_t(j + 1)] = next[size_t(j + 1)] || takes;
            }
            i = after;
        }
        reach.swap(next);
    }
    return reach[size_t(n)] != 0;
}
