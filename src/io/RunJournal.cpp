#include "io/RunJournal.h"

#include "io/JournalIndex.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

RunJournal::RunJournal(const QString &runsFolder, SyncPolicy sync, Head head)
    : m_runsFolder(runsFolder), m_sync(sync), m_head(std::move(head))
{
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
    const QDir runs(m_runsFolder);
    QString id = newRunId();
    // Two runs within a millisecond (tests, scripts) each get a folder of their own.
    for (int n = 2; QFileInfo::exists(runs.filePath(id)); ++n)
        id = newRunId() + u'-' + QString::number(n);
    const QString folder = runs.filePath(id);
    m_index.setFileName(folder + u'/' + JournalIndex::fileName());
    if (!QDir().mkpath(folder) || !m_index.open(QIODevice::WriteOnly | QIODevice::Append)) {
        m_startFailed = true;
        return false;
    }
    m_folder = folder;
    m_store = std::make_unique<JournalStore>(folder, id);
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
    m_index.write(QJsonDocument(record).toJson(QJsonDocument::Compact) + '\n');
    m_index.flush();
}

void RunJournal::keep(const PendingWrite &pending)
{
    keepOne(pending);
    if (m_sync == SyncPolicy::File)
        sync();
}

void RunJournal::keepAll(const QList<PendingWrite> &pending)
{
    for (const PendingWrite &p : pending)
        keepOne(p);
    sync();
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
    QString newStore;
    const JournalStore::Result kept
        = m_store->keep(pending.target, *pending.expected, number, &copy, &error, &newStore);
    if (!newStore.isEmpty()) {
        m_storesToSync << QFileInfo(newStore).absolutePath() << newStore;
        if (!newStore.startsWith(m_folder + u'/'))
            append({{u"t"_s, u"store"_s}, {u"dir"_s, newStore}});
    }
    // A changed file is refused by its rename: there is nothing to keep.
    if (kept != JournalStore::Result::Kept) {
        if (kept == JournalStore::Result::Failed)
            m_unkept << pending.target;
        return;
    }
    m_byTemp.insert(pending.temp, number);
    m_sizes.insert(number, pending.expected->size);
    append({{u"t"_s, u"keep"_s},
            {u"n"_s, number},
            {u"path"_s, pending.target},
            {u"copy"_s, copy},
            {u"old"_s, JournalIndex::stampText(*pending.expected)},
            {u"dev"_s, QString::number(pending.device)},
            {u"ino"_s, QString::number(pending.inode)},
            {u"size"_s, QString::number(pending.bytes)}});
}

void RunJournal::settle(const PendingWrite &pending, WriteOutcome outcome)
{
    const int number = m_byTemp.take(pending.temp);
    if (number == 0)
        return;
    const std::optional<FileStamp> now
        = outcome == WriteOutcome::Ok ? FileStamp::of(pending.target) : std::nullopt;
    // Renamed, and still the new file: its stamp is what an undo compares with.
    if (now && now->inode == pending.inode && now->device == pending.device) {
        append({{u"t"_s, u"done"_s}, {u"n"_s, number}, {u"new"_s, JournalIndex::stampText(*now)}});
        return;
    }
    if (outcome == WriteOutcome::Ok)
        return; // changed at once: the undo leaves it alone
    append({{u"t"_s, u"drop"_s}, {u"n"_s, number}});
    m_sizes.remove(number);
}

void RunJournal::sync()
{
    if (m_folder.isEmpty() || m_sync == SyncPolicy::None)
        return;
#ifdef Q_OS_UNIX
    ::fsync(m_index.handle());
    for (const QString &folder : std::as_const(m_storesToSync))
        syncFolder(folder);
    m_storesToSync.clear();
    // The new links' names are entries of the store folders.
    if (m_store) {
        for (const QString &folder : m_store->folders())
            syncFolder(folder);
    }
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
    if (m_folder.isEmpty())
        return;
    append({{u"t"_s, u"end"_s},
            {u"ended"_s, QDateTime::currentDateTime().toString(Qt::ISODateWithMs)}});
    sync();
    m_index.close();
    qint64 bytes = 0;
    for (const qint64 size : std::as_const(m_sizes))
        bytes += size;
    JournalIndex::writeSummary(m_folder, {qsizetype(m_sizes.size()), bytes});
}
