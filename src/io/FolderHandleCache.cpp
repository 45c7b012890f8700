#include "io/FolderHandleCache.h"

#include <QFile>

bool FolderHandleCache::holds(const QString &path, QByteArray &folder)
{
    const QByteArray name = QFile::encodeName(path);
    const qsizetype slash = name.lastIndexOf('/');
    m_leaf = name.mid(slash + 1);
    folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : name.left(slash);
    return m_dir >= 0 && folder == m_folder;
}

bool FolderHandleCache::holdsFolderOf(QStringView path) const
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return m_dir >= 0 && slash > 0 && path.first(slash) == m_folderName;
}

#ifndef Q_OS_UNIX
FolderHandleCache::FolderHandleCache() = default;
FolderHandleCache::~FolderHandleCache() = default;

bool FolderHandleCache::reach(const QString &)
{
    return false;
}

bool FolderHandleCache::reachChecked(const QString &)
{
    return false;
}

void FolderHandleCache::release()
{
}

bool FolderHandleCache::givesAcl()
{
    return true;
}

quint32 FolderHandleCache::groupOfNewFiles() const
{
    return m_egid;
}
#endif
