#include "io/ResolvedNames.h"

#include "io/IoLevel.h"
#include "io/ResolvedPath.h"

#include <QFileInfo>

namespace {

// Folders kept at once: a tree's folders are met one after another, so few are enough.
constexpr qsizetype KeptFolders = 4096;

} // namespace

QString ResolvedNames::of(const QString &path, std::optional<bool> leafIsLink)
{
#ifdef Q_OS_WIN
    if (path.contains(u'\\')) // native separators: the canonical name tells
        return ResolvedPath::of(path);
#endif
    const qsizetype slash = path.lastIndexOf(u'/');
    // A relative name depends on the working folder, and "." or ".." on the folders around:
    // those are resolved whole, as is a link, whose target may lie anywhere.
    if (slash <= 0 || slash == path.size() - 1)
        return ResolvedPath::of(path);
    const QStringView leaf = QStringView(path).sliced(slash + 1);
    if (leaf == u"." || leaf == u".." || (leafIsLink ? *leafIsLink : isLink(path)))
        return ResolvedPath::of(path);
    const QString resolved = folder(path.left(slash));
    if (resolved.isEmpty())
        return ResolvedPath::of(path);
    QString name;
    name.reserve(resolved.size() + 1 + leaf.size());
    name.append(resolved);
    if (!resolved.endsWith(u'/'))
        name.append(u'/');
    name.append(leaf);
    return name;
}

void ResolvedNames::clear()
{
    const std::lock_guard lock(m_mutex);
    m_folders.clear();
}

QString ResolvedNames::folder(const QString &name)
{
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_folders.constFind(name);
        if (found != m_folders.cend())
            return *found;
    }
    // Resolved outside the lock: other threads go on with folders they know.
    const QString resolved = ResolvedPath::of(name);
    const std::lock_guard lock(m_mutex);
    if (m_folders.size() >= KeptFolders)
        m_folders.clear();
    m_folders.insert(name, resolved);
    return resolved;
}

bool ResolvedNames::isLink(const QString &path)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return isLinkPosix(path);
#endif
    const QFileInfo info(path);
    return info.isSymLink() || !info.exists();
}
