#pragma once

#include "engine/OccurrenceFinder.h"
#include "engine/OccurrenceWalk.h"
#include "engine/ResumeAt.h"
#include "io/JournalPruner.h"
#include "io/ResolvedNames.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "run/FileJobResult.h"
#include "run/FileOutcome.h"
#include "run/OrderedCommitter.h"
#include "run/PatternLineBreaks.h"
#include "run/Report.h"
#include "run/RunServices.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class Document;
class FileFeed;
class RunJournal;
struct RunRequest;

// What the find run and the replace run share: the walk over the file list, loading each
// file, searching, writing a changed document back, and the end of the run. Every report line
// and outcome goes through the OrderedCommitter, which settles them in list order.
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
    void walkFiles(const FileFeed &files);
    // Works through the file in hand, showing its occurrences; nothing when the run was
    // aborted in it.
    virtual std::optional<FileJobResult> reviewFile() = 0;
    // Reports the file in hand, counts it and writes it when it was changed: a file reviewed
    // here (FileJobResult::Kind::Reviewed) or one worked through ahead.
    virtual void finishFile(const FileJobResult &result) = 0;
    // Whether the run replaces (else it counts), and whether every occurrence from here on is
    // taken without being shown (what FilePlanner needs to choose the files' jobs).
    virtual bool replacing() const = 0;
    virtual bool takesAll() const { return false; }
    // Whether the run may still show an occurrence; once it may not (an answer for all),
    // the rest of the list can be worked through ahead. A find run counts ahead even while it
    // shows occurrences: files without any need no review, and those with some are reviewed.
    virtual bool mayShowOccurrences() const = 0;

    // Sets CurrentFileName, advances the progress and loads the file. False when the file is
    // missing, not a regular file, already processed in this run, or cannot be handled
    // (reported): it is then not processed.
    bool startFile(const QString &path);
    // Walks the occurrences of the review's document (OccurrenceWalk), from its start.
    bool walkDocument(qsizetype &hits, const std::function<OccurrenceWalk::Step()> &handle);
    // Moves NextSearchPos past the occurrence in hand, dealt with as `what` says, unless the
    // review chose where the search goes on.
    void resumeAfter(ResumeAt::After what);
    // After a file is loaded: false when it stays untouched for doubt about its code page.
    bool admitCodePage(const QString &path);
    // Writes the document back, asking whether to retry while it fails; `done` learns the
    // outcome once it is known. A file that cannot be written faithfully is left as it is on
    // disk and reported.
    void writeBack(const WriteDone &done);
    // Puts a new file made on the byte path in place, as writeBack does for a document.
    void placeWrite(const PendingWrite &pending, const WriteDone &done);
    // Writes a finished file: the review's document, or what a job made ahead.
    void writeResult(const FileJobResult &result, const WriteDone &done);
    // The result of the file in hand, reviewed here.
    FileJobResult reviewed(qsizetype hits, qsizetype replacements) const;
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
        m_committer.settle([this, line = std::move(line)] { m.report.Append(line); });
    }
    // Reports a file whose search stopped at a limit of the regular expression library: it is
    // not written, whatever was changed in it.
    void skipPatternLimit(const QString &path, int hits)
    {
        appendFailure(MsgFilePatternLimit, path);
        notifyFile(path, FileOutcome::Status::Failed, QStringLiteral("pattern-limit"), hits, 0);
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
    OrderedCommitter m_committer;
    bool m_bytePath = false;
    bool m_reportsOccurrences = false;
    int m_workers = 1;
    bool m_lists = false; // RunRequest::listsOccurrences
    bool m_workersRefused = false; // this run has nothing to hand out
    bool m_unattended = false;

private:
    void resolveWrite(WriteOutcome outcome, const QString &error, const QString &path,
                      const WriteDone &done);
    OrderedCommitter::Placed resolver(const QString &path, const WriteDone &done);
    std::optional<FileJobResult> takeAhead(qsizetype index);
    bool refused(const QString &path, FileJobResult::Kind kind);
    bool repeated(const QString &path, const QString &resolved);
    qint64 sizeOfDocument() const;
    void makeRoom();
    bool startAhead(const QString &path, const FileJobResult &result);
    std::unique_ptr<class AheadWorkers> startWorkers(const FileFeed &files, qsizetype first);

    std::unique_ptr<class AheadWorkers> m_ahead;
    // Keeps each replaced file for an undo (a replace run that writes, with the journal on).
    std::unique_ptr<RunJournal> m_journal;
    JournalPruner m_pruner;
    void startJournal(const RunRequest &request);
    void endJournal();
    // The resolved name of every file started.
    QHash<QString, bool> m_done;
    ResolvedNames m_names;
};
