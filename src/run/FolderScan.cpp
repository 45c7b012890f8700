#include "run/FolderScan.h"

#include "io/IoLevel.h"

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

void FolderScan::walkTree(const QString &folder, const Walk &walk)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return walkTreePosix(folder, walk);
#endif
    walkTreePortable(folder, walk);
}
