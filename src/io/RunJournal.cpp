#include "io/RunJournal.h"

#include "io/JournalIndex.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// The records of a run's files are written straight into the index's buffer: a run of many
// small files would otherwise spend more on building them than on keeping the files.
template <typename Number>
void addNumber(QByteArray &out, Number value)
{
    char text[24];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
    out.append(text, end.ptr - text);
}

// `text` as a JSON string, quotes included.
void addString(QByteArray &out, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    out += '"';
    const bool plain = std::all_of(utf8.cbegin(), utf8.cend(), [](char c) {
        return uchar(c) >= 0x20 && c != '"' && c != '\\';
    });
    if (plain) {
        out += utf8;
    } else {
        for (const char c : utf8) {
            if (c == '"' || c == '\\') {
                out += '\\';
                out += c;
            } else if (uchar(c) < 0x20) {
                out += "\\u00" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

// JournalIndex::stampText, quotes included.
void addStamp(QByteArray &out, const FileStamp &s)
{
    out += '"';
    addNumber(out, s.device);
    out += ':';
    addNumber(out, s.inode);
    out += ':';
    addNumber(out, s.size);
    out += ':';
    addNumber(out, s.modifiedNs);
    out += ':';
    addNumber(out, s.changedNs);
    out += ':';
    addNumber(out, s.links);
    out += '"';
}

} // namespace

RunJournal::RunJournal(const QString &runsFolder, SyncPolicy sync, Head head,
                       JournalStore::Exchange exchange)
    : m_runsFolder(runsFolder), m_sync(sync), m_head(std::move(head)), m_exchange(exchange)
{
    reserve();
}

// Takes a run folder of its own now, before any worker links a file into it: two runs within
// a millisecond (tests, scripts, two processes) each get one.
void RunJournal::reserve()
{
    if (!QDir().mkpath(m_runsFolder))
        return;
    QDir runs(m_runsFolder);
    // Numbered after the time first read, so that names keep the order of the runs.
    const QString time = newRunId();
    QString id = time;
    bool made = runs.mkdir(id);
    for (int n = 2; n < 1000 && !made; ++n) {
        id = time + u'-' + QString::number(n).rightJustified(3, u'0');
        made = runs.mkdir(id);
    }
    const QString folder = runs.filePath(id);
    if (!made || !m_lock.take(folder))
        return;
    m_reserved = folder;
    m_store = std::make_unique<JournalStore>(folder, id);
    m_store->setDurableCopies(m_sync != SyncPolicy::None);
    m_store->setExchange(m_exchange);
}

RunJournal::~RunJournal()
{
    close();
}

QString RunJournal::newRunId()
{
    return QDateTime::currentDateTimeUtc().toString(u"yyyy-MM-dd_HH-mm-ss.zzz"_s);
}

bool RunJournal::start()
{
    if (!m_folder.isEmpty() || m_startFailed)
        return !m_startFailed;
    const QString folder = m_reserved;
    m_index.setFileName(folder + u'/' + JournalIndex::fileName());
    if (folder.isEmpty() || !m_index.open(QIODevice::WriteOnly | QIODevice::Append)) {
        m_startFailed = true;
        return false;
    }
    m_folder = folder;
    append({{u"t"_s, u"run"_s},
            {u"kind"_s, m_head.kind},
            {u"started"_s, QDateTime::currentDateTime().toString(Qt::ISODateWithMs)},
            {u"search"_s, m_head.search},
            {u"replace"_s, m_head.replacement},
            {u"undoes"_s, m_head.undoes}});
    m_storesToSync << m_runsFolder << folder;
    return true;
}

void RunJournal::append(const QJsonObject &record)
{
    append(QJsonDocument(record).toJson(QJsonDocument::Compact));
}

// Records wait in memory until the renames they stand for (writeRecords): a run of many small
// files would otherwise spend a system call on each.
void RunJournal::append(const QByteArray &line)
{
    m_records += line;
    endRecord();
}

void RunJournal::endRecord()
{
    m_records += '\n';
    if (m_records.size() >= (1 << 20))
        writeRecords();
}

void RunJournal::writeRecords()
{
    if (m_records.isEmpty())
        return;
    m_index.write(m_records);
    m_index.flush();
    m_records.clear();
}

void RunJournal::keepAhead(const PendingWrite &pending)
{
    if (m_store)
        m_store->linkAhead(pending);
}

void RunJournal::keep(const PendingWrite &pending)
{
    keepOne(pending);
    writeRecords();
    if (m_sync == SyncPolicy::File && outlivesRestart(pending))
        sync();
}

void RunJournal::keepAll(const QList<PendingWrite> &pending)
{
    for (const PendingWrite &p : pending)
        keepOne(p);
    writeRecords();
    // The batch syncs the file systems of its files before their renames, which makes what
    // was kept there durable too; files on a file system that a restart empties need nothing.
    bool needed = false;
    for (const PendingWrite &p : pending) {
        const bool outlives = outlivesRestart(p);
        if (m_store && p.device != m_store->runDevice() && outlives)
            needed = true;
    }
#ifndef Q_OS_LINUX
    needed = true; // the batch syncs file by file there
#endif
    if (needed)
        sync();
}

// Whether the file of `pending` is still there after a restart: only then must what the
// journal keeps of it be too. Noted for the journal's last sync.
bool RunJournal::outlivesRestart(const PendingWrite &pending)
{
    const bool outlives = !m_store || !m_store->isVolatile(pending.device, pending.temp);
    m_keptDurable = m_keptDurable || outlives;
    return outlives;
}

void RunJournal::keepOne(const PendingWrite &pending)
{
    if (m_closed)
        return;
    // Without the stamp it was read with, the file cannot be told from a later one.
    if (!pending.expected || !start()) {
        m_unkept << pending.target;
        return;
    }
    const int number = ++m_count;
    QString copy;
    QString error;
    JournalStore::Result kept = JournalStore::Result::Kept;
    // Made in the store: its swap leaves the original there, under its name.
    if (pending.inStore)
        copy = pending.temp;
    else if (std::optional<QString> ahead = m_store->takeAhead(pending))
        copy = *ahead;
    else
        kept = m_store->keep(pending.target, *pending.expected, number, &copy, &error);
    // Before the record of a file kept there: a store is removed with its run.
    for (const QString &store : m_store->takeNewStores()) {
        m_storesToSync << QFileInfo(store).absolutePath() << store;
        if (!store.startsWith(m_folder + u'/'))
            append({{u"t"_s, u"store"_s}, {u"dir"_s, store}});
    }
    // A changed file is refused by its rename: there is nothing to keep.
    if (kept != JournalStore::Result::Kept) {
        if (kept == JournalStore::Result::Failed)
            m_unkept << pending.target;
        return;
    }
    m_byTemp.insert(pending.temp, {number, pending.expected->size});
    m_keptFiles += 1;
    m_keptBytes += pending.expected->size;
    // One of these a file: written by hand, without a JSON object of its own.
    QByteArray &out = m_records;
    out += "{\"t\":\"keep\",\"n\":";
    addNumber(out, number);
    out += ",\"path\":";
    addString(out, pending.target);
    out += ",\"copy\":";
    addString(out, copy);
    out += ",\"old\":";
    addStamp(out, *pending.expected);
    out += ",\"dev\":\"";
    addNumber(out, pending.device);
    out += "\",\"ino\":\"";
    addNumber(out, pending.inode);
    out += "\",\"size\":\"";
    addNumber(out, pending.bytes);
    out += "\"}";
    endRecord();
}

void RunJournal::settle(const PendingWrite &pending, WriteOutcome outcome)
{
    const Entry entry = m_byTemp.take(pending.temp);
    const int number = entry.number;
    if (number == 0)
        return;
    const std::optional<FileStamp> now
        = outcome == WriteOutcome::Ok ? FileStamp::of(pending.target) : std::nullopt;
    // Renamed, and still the new file: its stamp is what an undo compares with.
    if (now && now->inode == pending.inode && now->device == pending.device) {
        QByteArray &out = m_records;
        out += "{\"t\":\"done\",\"n\":";
        addNumber(out, number);
        out += ",\"new\":";
        addStamp(out, *now);
        out += '}';
        endRecord();
        return;
    }
    if (outcome == WriteOutcome::Ok)
        return; // changed at once: the undo leaves it alone
    append({{u"t"_s, u"drop"_s}, {u"n"_s, number}});
    m_keptFiles -= 1;
    m_keptBytes -= entry.size;
}

void RunJournal::sync()
{
    writeRecords();
    if (m_folder.isEmpty() || m_sync == SyncPolicy::None)
        return;
#ifdef Q_OS_UNIX
    ::fsync(m_index.handle());
    for (const QString &folder : std::as_const(m_storesToSync))
        syncFolder(folder);
    m_storesToSync.clear();
    // The new links' names are entries of the store folders.
    if (m_store)
        m_store->syncFolders();
#endif
}

void RunJournal::syncFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int fd
        = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

void RunJournal::close()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_store)
        m_store->dropAhead();
    if (m_folder.isEmpty()) {
        removeUnused();
        m_lock.release();
        return;
    }
    append({{u"t"_s, u"end"_s},
            {u"ended"_s, QDateTime::currentDateTime().toString(Qt::ISODateWithMs)}});
    writeRecords();
    // A run whose files all live on file systems that a restart empties has nothing to undo
    // after one: its syncs would cost the time of a disk for no file.
    if (m_keptDurable)
        sync();
    m_index.close();
    JournalIndex::writeSummary(m_folder, {m_keptFiles, m_keptBytes});
    m_lock.release();
}

// A run that kept nothing: the folders taken for it go, all empty by now.
void RunJournal::removeUnused()
{
    if (m_reserved.isEmpty())
        return;
    QDir dir;
    if (m_store) {
        for (const QString &folder : m_store->folders())
            dir.rmdir(folder);
    }
    dir.rmdir(m_reserved);
    m_reserved.clear();
}
