#include "run/FolderScan.h"

#include "io/IoLevel.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

void FolderScan::ScanFolder(const QString &folder, bool recurse, const QStringList &extensions,
                            QStringList &fileList, QStringList *undecodable,
                            QList<Unreadable> *unreadable)
{
    ScanFolder(folder, recurse, extensions, ExcludeMasks(), fileList, undecodable, unreadable);
}

void FolderScan::ScanFolder(const QString &folder, bool recurse, const QStringList &extensions,
                            const ExcludeMasks &excludes, QStringList &fileList,
                            QStringList *undecodable, QList<Unreadable> *unreadable,
                            const std::function<void()> &listed, QList<ListedAs> *kinds)
{
    const QString root = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const Walk walk{recurse,
                    extensions,
                    extensions.contains(u".*"_s),
                    fileList,
                    undecodable,
                    unreadable,
                    excludes,
                    root,
                    listed,
                    kinds,
                    qEnvironmentVariableIsSet("QUORVEX_SCAN_UNTYPED")};
    walkTree(root, walk);
}

void FolderScan::Walk::add(const QString &path, ListedAs kind) const
{
    if (kinds && kind != ListedAs::Unknown) {
        while (kinds->size() < files.size())
            kinds->append(ListedAs::Unknown);
        kinds->append(kind);
    }
    files << path;
}

bool FolderScan::Walk::leavesOut(const QString &folderPath, const QString &name,
                                 bool isFolder) const
{
    if (excludes.isEmpty())
        return false;
    if (!excludes.hasPathMasks())
        return excludes.excludes(name, {}, isFolder);
    QString relative = folderPath.startsWith(root) ? folderPath.mid(root.size()) : QString();
    while (relative.startsWith(u'/'))
        relative.remove(0, 1);
    relative = relative.isEmpty() ? name : relative + u'/' + name;
    return excludes.excludes(name, relative, isFolder);
}

bool FolderScan::Walk::wants(const QString &fileName) const
{
    return everyFile || extensions.contains(UpperAscii(ExtensionOf(fileName)));
}

void FolderScan::Walk::cannotRead(const QString &path, const QString &reason) const
{
    if (unreadable)
        unreadable->append({path, reason});
}

QString FolderScan::ExtensionOf(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QString() : fileName.mid(dot);
}

QString FolderScan::UpperAscii(QString text)
{
    for (QChar &c : text) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return text;
}

void FolderScan::walkTree(const QString &folder, const Walk &walk)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return walkTreePosix(folder, walk);
#endif
    walkTreePortable(folder, walk);
}
