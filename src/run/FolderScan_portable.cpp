#include "run/FolderScan.h"

#include "io/TempFileName.h"

#include <QDir>
#include <QFileInfo>

// Without folder handles: Qt's listing, which cannot go below the longest name the system
// takes, and sees no names that are not valid in the file-name encoding.
void FolderScan::walkTreePortable(const QString &folder, const Walk &walk)
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
    walk.folderListed();
    if (!walk.recurse)
        return;
    // Links to folders are not followed, so a link loop cannot make the scan endless.
    const QFileInfoList folders
        = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo &sub : folders) {
        if (!walk.leavesOut(folder, sub.fileName(), true))
            walkTreePortable(sub.absoluteFilePath(), walk);
    }
}
