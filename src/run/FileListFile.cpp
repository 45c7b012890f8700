#include "run/FileListFile.h"

#include "io/AtomicFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace {

QString decode(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1251("windows-1251");
    return cp1251(bytes);
}

} // namespace

// `find -print0 > x.lst` writes NUL after each name: NUL ends an entry as a line break does.
QStringList FileListFile::Parse(const QByteArray &bytes)
{
    const QString text = decode(bytes);
    QStringList entries;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n' && c != u'\0')
            continue;
        entries << text.mid(lineStart, i - lineStart);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        lineStart = i + 1;
    }
    if (lineStart < text.size())
        entries << text.mid(lineStart);
    return entries;
}

QList<QByteArray> FileListFile::SplitNames(QByteArrayView bytes, bool nulSeparated)
{
    QList<QByteArray> names;
    const char separator = nulSeparated ? '\0' : '\n';
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf(separator, start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView name = bytes.sliced(start, end - start);
        if (!nulSeparated && name.endsWith('\r'))
            name.chop(1);
        names << name.toByteArray();
        start = end + 1;
    }
    return names;
}

bool FileListFile::Read(const QString &path, QStringList &entries)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    entries = Parse(bytes);
    return true;
}

bool FileListFile::Write(const QString &path, const QStringList &entries)
{
    QString text;
    for (const QString &entry : entries)
        text += entry + u"\r\n"_s;
    QStringEncoder cp1251("windows-1251");
    QByteArray bytes = cp1251(text);
    if (cp1251.hasError())
        bytes = text.toUtf8();
    // Every write, the sync and the close are checked (a full disk fails the save) and the old
    // list stays until the new one is complete.
    return AtomicFileWriter::write(path, bytes);
}

QString FileListFile::WithListExtension(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    const QString folder = path.left(path.size() - name.size());
    return folder + base + u".lst"_s;
}
