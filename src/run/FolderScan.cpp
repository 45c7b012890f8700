#include "run/FolderScan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#ifdef Q_OS_UNIX
#include <dirent.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// Qt's listing leaves out names whose bytes are not valid in the file-name encoding (UTF-8):
// read the folder itself to find them, since such a file can neither be opened by a name in
// text nor be passed over without a word.
void findUndecodable(const QString &folder, bool recurse, bool everyFile,
                     const QStringList &extensions, QStringList &undecodable)
{
#ifdef Q_OS_UNIX
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString text = utf8(name);
        if (!utf8.hasError())
            continue;
        const bool isFolder = entry->d_type == DT_DIR;
        if ((isFolder && recurse)
            || (!isFolder
                && (everyFile
                    || extensions.contains(FolderScan::UpperAscii(FolderScan::ExtensionOf(text))))))
            undecodable << QDir(folder).absoluteFilePath(text);
    }
    ::closedir(dir);
#else
    Q_UNUSED(folder);
    Q_UNUSED(recurse);
    Q_UNUSED(everyFile);
    Q_UNUSED(extensions);
    Q_UNUSED(undecodable);
#endif
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
        fileList << file.absoluteFilePath();
    }
    if (undecodable)
        findUndecodable(folder, recurse, everyFile, extensions, *undecodable);
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
