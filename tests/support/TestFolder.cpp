#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString TestFolder::path(const QString &name) const
{
    return QDir(dir.path()).filePath(name);
}

QString TestFolder::write(const QString &name, const QByteArray &bytes)
{
    const QString full = path(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test file %s", qPrintable(full));
    return full;
}

QByteArray TestFolder::read(const QString &full) const
{
    QFile file(full);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
