#include "run/FolderScan.h"

#include "io/TempFileName.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

void FolderScan::ScanFolder(const QString &folder, bool recurse, const QStringList &extensions,
                            QStringList &fileList, QStringList *undecodable,
                            QList<Unreadable> *unreadable)
{
    const Walk walk{recurse,  extensions,  extensions.contains(u".*"_s),
                    fileList, undecodable, unreadable};
    walkTree(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()), walk);
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
            && walk.wants(file.fileName()))
            walk.files << file.absoluteFilePath();
    }
    if (!walk.recurse)
        return;
    // Links to folders are not followed, so a link loop cannot make the scan endless.
    const QFileInfoList folders
        = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo &sub : folders)
        walkTree(sub.absoluteFilePath(), walk);
}

#endif
