#include "run/FolderScan.h"

#include "io/TempFileName.h"

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
                            QStringList *undecodable, QList<Unreadable> *unreadable)
{
    const QString root = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const Walk walk{recurse,  extensions,  extensions.contains(u".*"_s),
                    fileList, undecodable, unreadable,
                    excludes, root};
    walkTree(root, walk);
}

bool FolderScan::Walk::leavesOut(const QString &folderPath, const QString &name,
                                 bool isFolder) const
{
    if (excludes.isEmpty())
        return false;
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

#ifndef Q_OS_UNIX

// Without folder handles: Qt's listing, which cannot go below the longest name the system
// takes, and sees no names that are not valid in the file-name encoding.
void FolderScan::walkTree(const QString &folder, const Walk &walk)
{
    const QDir dir(folder);
    if (!dir.isReadable()) {
        walk.cannotRead(folder, QString());
        return;
    }
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &file : files) {
        if (file.isFile() && !TempFileName::isTempName(file.fileName())
            && walk.wants(file.fileName()) && !walk.leavesOut(folder, file.fileName(), false))
            walk.files << file.absoluteFilePath();
    }
    if (!walk.recurse)
        return;
    // Links to folders are not followed, so a link loop cannot make the scan endless.
    const QFileInfoList folders
        = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo &sub : folders) {
        if (!walk.leavesOut(folder, sub.fileName(), true))
            walkTree(sub.absoluteFilePath(), walk);
    }
}

#endif
