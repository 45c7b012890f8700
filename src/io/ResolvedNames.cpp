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
        const std::shared_lock lock(m_mutex);
        const auto found = m_folders.constFind(name);
        if (found != m_folders.cend())
            return *found;
    }
    // Resolved outside the lock: other threads go on with folders they know.
    const QString resolved = fromParent(name);
    const std::lock_guard lock(m_mutex);
    if (m_folders.size() >= KeptFolders)
        m_folders.clear();
    m_folders.insert(name, resolved);
    return resolved;
}

// A folder below a resolved folder, by one look at its last part: resolving the whole name
// again would look at every part of it. A link, "." or ".." is resolved whole.
QString ResolvedNames::fromParent(const QString &name)
{
    const qsizetype slash = name.lastIndexOf(u'/');
    if (slash <= 0 || slash == name.size() - 1)
        return ResolvedPath::of(name);
    const QStringView leaf = QStringView(name).sliced(slash + 1);
    if (leaf == u"." || leaf == u".." || !isPlainFolder(name))
        return ResolvedPath::of(name);
    const QString parent = folder(name.left(slash));
    if (parent.isEmpty())
        return ResolvedPath::of(name);
    QString resolved = parent;
    if (!resolved.endsWith(u'/'))
        resolved.append(u'/');
    return resolved.append(leaf);
}

bool ResolvedNames::isPlainFolder(const QString &path)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return isPlainFolderPosix(path);
#endif
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink();
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
