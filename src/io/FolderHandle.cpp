#include "io/FolderHandle.h"

#include <QFile>

QByteArray FolderHandle::leafOf(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    return name.mid(name.lastIndexOf('/') + 1);
}

#ifndef Q_OS_UNIX
// Without POSIX calls there is no folder to hold: nothing is ever reached.
FolderHandle::FolderHandle(const QString &path, Open) : m_leaf(leafOf(path))
{
}

FolderHandle::~FolderHandle() = default;

bool FolderHandle::identify(quint64 *, quint64 *) const
{
    return false;
}

int FolderHandle::take()
{
    return -1;
}
#endif
