#include "run/FolderScan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// A name read with bytes the file-name encoding cannot represent comes back altered (with
// U+FFFD in their place): encoded again it names no file. (The entry itself still knows the
// name's bytes, so the check goes through the text alone.)
bool isDecodable(const QFileInfo &file)
{
    return !file.fileName().contains(QChar::ReplacementCharacter)
        || QFile::exists(file.absoluteFilePath());
}

} // namespace

void FolderScan::ScanFolder(const QString &folder, bool recurse, const QStringList &extensions,
                            QStringList &fileList, QStringList *undecodable)
{
    const QDir dir(folder);
    const bool everyFile = extensions.contains(u".*"_s);
    const QFileInfoList files
        = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &file : files) {
        if (!everyFile && !extensions.contains(UpperAscii(ExtensionOf(file.fileName()))))
            continue;
        if (undecodable && !isDecodable(file))
            *undecodable << file.absoluteFilePath();
        else
            fileList << file.absoluteFilePath();
    }
    if (!recurse)
        return;
    // Links to folders are not followed, so a link loop cannot make the scan endless.
    const QFileInfoList folders
        = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo &sub : folders)
        ScanFolder(sub.absoluteFilePath(), recurse, extensions, fileList, undecodable);
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
