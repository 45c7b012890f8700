#pragma once

#include "engine/OccurrenceFinder.h"
#include "io/SyncPolicy.h"
#include "io/TempBudget.h"
#include "io/WriteBatch.h"
#include "lang/MessageCatalogue.h"
#include "run/ByteFileJob.h"
#include "run/DocumentFileJob.h"
#include "run/FileOutcome.h"
#include "run/PatternLineBreaks.h"
#include "run/Report.h"
#include "run/RunServices.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class Document;
class RunJournal;
struct RunRequest;

// What the find run and the replace run share: the walk over the file list, loading each
// file, searching, writing a changed document back, and the end of the run.
//
// Files written under SyncPolicy::Batch wait in a WriteBatch until it is committed (when it is
// full, and at the end of the run, an aborted one included). Until then every report line and
// every outcome told to the host waits too, so the report keeps the list's order and never
// says a file was written before it is in place.
class BatchRun {
public:
    // A dry run changes documents in memory only and never writes a file.
    void setDryRun(bool dryRun) { m_dryRun = dryRun; }
    // How the free space of a file system is learned (TempBudget).
    void setFreeSpace(TempBudget::FreeSpace freeSpace);
    // The dry run, sync policy and byte path of `request`.
    void configure(const RunRequest &request);

    // Files that could not be read, or whose changes could not be written.
    int FilesFailed = 0;

protected:
    // How writing a file ended, for the run's report and totals.
    struct WriteEnd {
        bool written = false;
        QString reason; // FileOutcome's reason when not written, or "dry-run"
        QString error;
    };
    using WriteDone = std::function<void(const WriteEnd &)>;
    // Written, failed, or unchanged for a dry run.
    static FileOutcome::Status statusOf(const WriteEnd &end)
    {
        if (!end.written)
            return FileOutcome::Status::Failed;
        return end.reason.isEmpty() ? FileOutcome::Status::Written : FileOutcome::Status::Unchanged;
    }

    explicit BatchRun(const RunServices &services);
    virtual ~BatchRun();

    // Loads, reviews and finishes each file in turn until the list ends or the run is aborted;
    // then the abort message, if any.
    void walkFiles(const QStringList &files);
    // Works through the file in hand; false when the run was aborted in it.
    virtual bool reviewFile() = 0;
    // Reports the file in hand, counts it and writes it back when it was changed.
    virtual void finishFile() = 0;
    // What the byte path looks for in this run; nothing when the run cannot take it.
    virtual std::optional<ByteFileJob> byteJob() const = 0;
    // What the worker threads do with files the byte path leaves, for runs that can hand
    // them out; nothing when the run must do them itself.
    virtual std::optional<DocumentFileJob> documentJob() const = 0;
    // Reports and counts a file done ahead, as bytes or as a document (CurrentFileName).
    virtual void finishBytes(const FileJobResult &result) = 0;
    // Whether each written file must be in place before the next one is worked on.
    virtual bool commitEachFile() const { return false; }
    // Whether files worked through ahead may be written (a replace run that is no dry run).
    virtual bool writesAhead() const { return false; }
    // Whether the run may still show an occurrence; once it may not (an answer for all),
    // the rest of the list can be worked through ahead.
    virtual bool mayShowOccurrences() const = 0;
    // Whether files may be counted ahead while occurrences are still shown: those without any
    // need no review, and those with some are reviewed as usual.
    virtual bool countsAheadWhileShowing() const { return false; }

    // Sets CurrentFileName, advances the progress and loads the file. False when the file is
    // missing, not a regular file, already processed in this run, or cannot be handled
    // (reported): it is then not processed.
    bool startFile(const QString &path);
    // Searches from NextSearchPos, setting MatchStart and MatchLength.
    void search();
    // Writes the document back, asking whether to retry while it fails; `done` learns the
    // outcome once it is known. A file that cannot be written faithfully is left as it is on
    // disk and reported.
    void writeBack(const WriteDone &done);
    // Puts a new file made on the byte path in place, as writeBack does for a document.
    void placeWrite(const PendingWrite &pending, const WriteDone &done);
    // The abort message when the run was aborted, and the review no longer names a file.
    void finishRun();
    // The separator, "Итого:" and the processed and unprocessed files.
    void appendTotalsHead(int filesProcessed, qsizetype listCount);
    // Tells the host about an occurrence once the run has dealt with it.
    void notifyOccurrence(qsizetype start, const QString &matched, const QString &replacement);
    // Tells the host how a file ended (waiting behind files still to be written).
    void notifyFile(const QString &path, FileOutcome::Status status, const QString &reason,
                    int occurrences, int replacements, const QString &error = {});

    template <typename... Args>
    void appendLine(int id, const Args &...args)
    {
        QString line = m.messages.message(id, args...);
        settle([this, line = std::move(line)] { m.report.Append(line); });
    }
    // Reports a file that could not be read or written.
    void appendFailure(int id, const QString &path)
    {
        ++FilesFailed;
        appendLine(id, path);
    }

    const Document &document() const;
    // Whether the host asks the run to stop here; a stop is an abort.
    bool stopRequested();

    RunServices m;
    OccurrenceFinder m_finder;
    PatternLineBreaks m_lineBreaks;
    bool m_dryRun = false;
    SyncPolicy m_sync = SyncPolicy::File;
    bool m_bytePath = false;
    int m_workers = 1;
    bool m_workersRefused = false; // this run has nothing to hand out
    bool m_unattended = false;

private:
    // Runs `action` now, or after the writes still waiting when there are any.
    void settle(std::function<void()> action);
    void waitFor(const WriteDone &done, const QString &path);
    void resolveWrite(WriteOutcome outcome, const QString &error, const QString &path,
                      const WriteDone &done);
    // Syncs and renames the files waiting, then settles what waited for them.
    void commitWrites();
    void walkFile(const QString &path, const FileJobResult *bytes);
    bool isRepeat(const QString &resolved);
    // New files held at once (TempBudget): one removed, released, queued in the batch.
    void dropPending(const PendingWrite &pending);
    void releaseBudget(qsizetype files, qint64 bytes);
    void queued(qint64 bytes);
    qint64 sizeOfDocument() const;
    void makeRoom();
    void skipNotRegular(const QString &path);
    bool startAhead(const QString &path, const FileJobResult &bytes);
    std::unique_ptr<class AheadWorkers> startWorkers(const QStringList &files, qsizetype first);

    struct Settlement {
        std::function<void()> action; // or, for a write:
        std::function<void(const WriteBatch::Result &)> written;
    };
    WriteBatch m_batch;
    // New files held at once: worked out ahead and waiting in the batch (m_queued…).
    TempBudget m_budget;
    qsizetype m_queuedFiles = 0;
    qint64 m_queuedBytes = 0;
    std::unique_ptr<class AheadWorkers> m_ahead;
    // Keeps each replaced file for an undo (a replace run that writes, with the journal on).
    std::unique_ptr<RunJournal> m_journal;
    void startJournal(const RunRequest &request);
    void endJournal();
    std::vector<Settlement> m_waiting;
    bool m_settling = false;
    // The resolved name of every file started.
    QSet<QString> m_done;
};
