#include "run/FolderScan.h"

#include <QDir>
#include <QFileInfo>

void FolderScan::ScanFolder(const QString &folder, bool recurse, const QStringList &extensions,
                            QStringList &fileList)
{
    const QDir dir(folder);
    const QFileInfoList files
        = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &file : files) {
        if (extensions.contains(UpperAscii(ExtensionOf(file.fileName()))))
            fileList << file.absoluteFilePath();
    }
    if (!recurse)
        return;
    // Links to folders are not followed, so a link loop cannot make the scan endless.
    const QFileInfoList folders
        = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo &sub : folders)
        ScanFolder(sub.absoluteFilePath(), recurse, extensions, fileList);
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
