#include "io/JournalIndex.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

QString JournalIndex::fileName()
{
    return u"journal.jsonl"_s;
}

void JournalIndex::writeSummary(const QString &folder, const Summary &summary)
{
    QFile file(folder + u"/summary"_s);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(QByteArray::number(summary.files) + ' ' + QByteArray::number(summary.bytes));
}

JournalIndex::Summary JournalIndex::summaryOf(const QString &folder)
{
    QFile file(folder + u"/summary"_s);
    if (file.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> parts = file.readAll().split(' ');
        if (parts.size() == 2)
            return {qsizetype(parts[0].toLongLong()), parts[1].toLongLong()};
    }
    const std::optional<JournalIndex> index = read(folder);
    return index ? Summary{index->filesChanged(), index->bytesKept()} : Summary{};
}

qint64 JournalIndex::bytesKept() const
{
    qint64 bytes = 0;
    for (const Entry &entry : entries)
        bytes += !entry.dropped && entry.old ? entry.old->size : 0;
    return bytes;
}

qsizetype JournalIndex::filesChanged() const
{
    qsizetype count = 0;
    for (const Entry &entry : entries)
        count += entry.dropped ? 0 : 1;
    return count;
}

// Numbers of 64 bits do not fit a JSON number whole: the stamp is one text.
QString JournalIndex::stampText(const FileStamp &s)
{
    return u"%1:%2:%3:%4:%5:%6"_s.arg(s.device)
        .arg(s.inode)
        .arg(s.size)
        .arg(s.modifiedNs)
        .arg(s.changedNs)
        .arg(s.links);
}

std::optional<FileStamp> JournalIndex::stampFrom(const QString &text)
{
    const QStringList parts = text.split(u':');
    if (parts.size() != 6)
        return std::nullopt;
    FileStamp s;
    bool ok[6] = {};
    s.device = parts[0].toULongLong(&ok[0]);
    s.inode = parts[1].toULongLong(&ok[1]);
    s.size = parts[2].toLongLong(&ok[2]);
    s.modifiedNs = parts[3].toLongLong(&ok[3]);
    s.changedNs = parts[4].toLongLong(&ok[4]);
    s.links = parts[5].toULongLong(&ok[5]);
    for (const bool each : ok) {
        if (!each)
            return std::nullopt;
    }
    return s;
}

std::optional<JournalIndex> JournalIndex::read(const QString &folder)
{
    QFile file(folder + u'/' + fileName());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    JournalIndex index;
    index.folder = folder;
    index.id = QFileInfo(folder).fileName();
    while (!file.atEnd()) {
        // A line cut short by a crash is not a record.
        const QJsonDocument line = QJsonDocument::fromJson(file.readLine());
        if (line.isObject())
            index.take(line.object());
    }
    if (index.kind.isEmpty())
        return std::nullopt;
    return index;
}

QStringList JournalIndex::storesOf(const QString &folder)
{
    QStringList stores;
    QFile file(folder + u'/' + fileName());
    if (!file.open(QIODevice::ReadOnly))
        return stores;
    // Quotes inside a string are escaped: no other record holds these bytes as they stand.
    constexpr QByteArrayView Marker = "\"t\":\"store\"";
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (!line.contains(Marker))
            continue;
        const QJsonDocument record = QJsonDocument::fromJson(line);
        if (record.isObject() && record.object().value(u"t"_s).toString() == u"store"_s)
            stores << record.object().value(u"dir"_s).toString();
    }
    return stores;
}

void JournalIndex::take(const QJsonObject &record)
{
    const QString type = record.value(u"t"_s).toString();
    if (type == u"run"_s) {
        kind = record.value(u"kind"_s).toString();
        search = record.value(u"search"_s).toString();
        replacement = record.value(u"replace"_s).toString();
        undoes = record.value(u"undoes"_s).toString();
        started = QDateTime::fromString(record.value(u"started"_s).toString(), Qt::ISODateWithMs);
        return;
    }
    if (type == u"store"_s) {
        stores << record.value(u"dir"_s).toString();
        return;
    }
    if (type == u"end"_s) {
        ended = true;
        return;
    }
    const int number = record.value(u"n"_s).toInt();
    if (type == u"keep"_s) {
        Entry entry;
        entry.number = number;
        entry.path = record.value(u"path"_s).toString();
        entry.copy = record.value(u"copy"_s).toString();
        entry.old = stampFrom(record.value(u"old"_s).toString());
        entry.newDevice = record.value(u"dev"_s).toString().toULongLong();
        entry.newInode = record.value(u"ino"_s).toString().toULongLong();
        entry.newSize = record.value(u"size"_s).toString().toLongLong();
        entries.append(entry);
        return;
    }
    // Entries are numbered from 1 in the order they are kept.
    if (number < 1 || number > entries.size() || entries[number - 1].number != number)
        return;
    Entry &entry = entries[number - 1];
    if (type == u"done"_s)
        entry.written = stampFrom(record.value(u"new"_s).toString());
    else if (type == u"drop"_s)
        entry.dropped = true;
}
