#pragma once

#include "io/FolderHandleCache.h"
#include "io/PendingWrite.h"

#include <QList>
#include <QString>

class RunJournal;

// New files written without a sync of their own and put in place together: one sync of each
// file system they live on, then the renames, in the order the files were added. Every file's
// data is on disk before its rename, so after a crash each file is either old or new, as with
// a sync per file, at the cost of one sync per batch. When a file system's sync fails, no file
// of it is renamed until each has been synced on its own; those that still fail are reported
// and their old files kept.
class WriteBatch {
public:
    struct Result {
        WriteOutcome outcome = WriteOutcome::Ok;
        QString error; // as AtomicFileWriter::commit gives it
    };

    explicit WriteBatch(qsizetype maxFiles = 1000, qint64 maxBytes = qint64(256) << 20)
        : m_maxFiles(maxFiles), m_maxBytes(maxBytes)
    {
    }
    WriteBatch(const WriteBatch &) = delete;
    WriteBatch &operator=(const WriteBatch &) = delete;
    // Files still waiting are removed, never renamed.
    ~WriteBatch() { discard(); }

    // The journal that keeps each replaced file before its rename; none by default.
    void setJournal(RunJournal *journal) { m_journal = journal; }

    void add(PendingWrite pending);
    bool isEmpty() const { return m_pending.isEmpty(); }
    qsizetype size() const { return m_pending.size(); }
    // Time to commit: the batch holds its share of files or bytes.
    bool isFull() const { return m_pending.size() >= m_maxFiles || m_bytes >= m_maxBytes; }

    // Syncs and renames every file; one result per file, in order. The batch is empty after.
    QList<Result> commit();
    // Removes every waiting file.
    void discard();

private:
    // Syncs the file systems of the batch; a file whose data could not be made durable gets
    // its failure in `results`.
    void syncAll(QList<Result> &results);
    void syncAllPosix(QList<Result> &results); // WriteBatch_posix.cpp

    QList<PendingWrite> m_pending;
    qsizetype m_maxFiles;
    qint64 m_maxBytes;
    qint64 m_bytes = 0;
    RunJournal *m_journal = nullptr;
    // The folder of the files put in place last: the next ones are mostly in it too.
    FolderHandleCache m_folders;
};
