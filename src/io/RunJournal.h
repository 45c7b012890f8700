#pragma once

#include "io/JournalStore.h"
#include "io/PendingWrite.h"
#include "io/RunFolderLock.h"
#include "io/SyncPolicy.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QJsonObject;

// The journal of one run that replaces files, from which the run can be undone: for each file,
// its original bytes (JournalStore) and the stamp of the file the run put in its place. A
// file's original is kept and its record written before its new file is renamed over it, and
// under SyncPolicy::File both are on disk by then; under Batch, sync() makes the records of a
// batch durable before its renames. So a run killed half way can be undone for the files it
// changed. The run folder is taken when the journal is made, and held (RunFolderLock) so that
// no prune removes it while the run goes; it is removed again when the run kept nothing: a run
// that changes nothing leaves no journal.
class RunJournal {
public:
    struct Head {
        QString kind = QStringLiteral("replace"); // or "undo"
        QString search;
        QString replacement;
        QString undoes; // the run an undo puts back
    };

    // Where new files may be made in the store to be swapped in (JournalStore::exchangePlace);
    // tests choose Anywhere or Never.
    RunJournal(const QString &runsFolder, SyncPolicy sync, Head head,
               JournalStore::Exchange exchange = JournalStore::Exchange::InMemory);
    RunJournal(const RunJournal &) = delete;
    RunJournal &operator=(const RunJournal &) = delete;
    ~RunJournal();

    // The store a worker's TempFileWriter may make new files in (keepThrough); none when the
    // run folder could not be taken.
    JournalStore *store() const { return m_store.get(); }
    // On the worker that wrote `pending`, as soon as it is written: links the file it replaces
    // into the journal where that costs no copy, so that keep() only records it. Any thread.
    void keepAhead(const PendingWrite &pending);
    // Before the rename of `pending`: keeps the file it replaces. A file that cannot be kept is
    // still written, and named by unkept().
    void keep(const PendingWrite &pending);
    // The same for each file of a batch, then one sync where the batch's own does not cover
    // the journal (WriteBatch syncs its file systems after this and before the renames).
    void keepAll(const QList<PendingWrite> &pending);
    // After the rename of `pending` (or its failure, which drops what was kept).
    void settle(const PendingWrite &pending, WriteOutcome outcome);
    // The records and kept files written so far, on disk (not under SyncPolicy::None).
    void sync();
    // Ends the journal; nothing more is kept.
    void close();

    // Files written whose change cannot be undone.
    const QStringList &unkept() const { return m_unkept; }
    // The run folder; empty while nothing was kept.
    const QString &runFolder() const { return m_folder; }
    // The name of a new run folder for the time now (sortable, in UTC).
    static QString newRunId();

private:
    bool start();
    void keepOne(const PendingWrite &pending);
    bool outlivesRestart(const PendingWrite &pending);
    void append(const QJsonObject &record);
    void append(const QByteArray &line);
    void endRecord();
    void writeRecords();
    void syncFolder(const QString &folder);

    void reserve();
    void removeUnused();

    QString m_runsFolder;
    SyncPolicy m_sync;
    Head m_head;
    JournalStore::Exchange m_exchange = JournalStore::Exchange::InMemory;
    QString m_reserved; // the run folder, taken; m_folder once the index is in it
    RunFolderLock m_lock;
    QString m_folder;
    bool m_startFailed = false;
    bool m_closed = false;
    QFile m_index;
    QByteArray m_records; // not yet written
    std::unique_ptr<JournalStore> m_store;
    QStringList m_storesToSync; // new folders whose own entry must be synced too
    struct Entry {
        int number = 0;
        qint64 size = 0; // the original's
    };
    QHash<QString, Entry> m_byTemp; // the new file's name: its entry, until it is settled
    qsizetype m_keptFiles = 0; // kept and not dropped
    qint64 m_keptBytes = 0;
    int m_count = 0;
    bool m_keptDurable = false; // a file kept lives on a file system that outlives a restart
    QStringList m_unkept;
};
