#include "run/BatchRun.h"

#include "document/DocumentFile.h"
#include "engine/EngineState.h"
#include "io/AtomicFileWriter.h"
#include "io/ReadOnlyFile.h"
#include "io/ResolvedPath.h"
#include "io/RunHistory.h"
#include "io/RunJournal.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "run/AheadWorkers.h"
#include "run/DocumentFileJob.h"
#include "run/OccurrenceRecord.h"
#include "run/Report.h"
#include "run/ReviewSession.h"
#include "run/RunHost.h"
#include "run/RunRequest.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

using namespace Qt::StringLiterals;

BatchRun::BatchRun(const RunServices &services)
    : m(services), m_finder(services.state, services.options.SearchOptions)
{
}

BatchRun::~BatchRun() = default;

void BatchRun::configure(const RunRequest &request)
{
    m_dryRun = request.dryRun;
    m_sync = request.sync;
    m_bytePath = request.bytePath;
    m_workers = std::max(request.workers, 1);
    m_unattended = request.unattended;
    startJournal(request);
}

const Document &BatchRun::document() const
{
    return m.review.document();
}

bool BatchRun::stopRequested()
{
    if (!m.state.Aborted && m.host.StopRequested())
        m.state.Aborted = true;
    return m.state.Aborted;
}

void BatchRun::walkFiles(const QStringList &files)
{
    m.state.Aborted = false;
    m_done.clear();
    if (m_dryRun)
        appendLine(MsgDryRun);
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (stopRequested())
            break;
        // From the first file on, or from the answer for all on, the rest can go ahead.
        if (!m_ahead && (!mayShowOccurrences() || countsAheadWhileShowing()))
            m_ahead = startWorkers(files, i);
        if (m_ahead) {
            const FileJobResult bytes = m_ahead->take(
                i, [this] { commitWrites(); }, [this] { m.host.ProcessPendingEvents(); });
            m.host.ProcessPendingEvents();
            // A file with occurrences to show is reviewed here, whatever was done ahead.
            const bool toShow = bytes.hits > 0 && mayShowOccurrences();
            // A file of several names was read before this run renamed another of its names:
            // it is read again, after the writes waiting are in place.
            const bool again = bytes.links > 1 && bytes.pending;
            if ((toShow || again) && bytes.pending)
                dropPending(*bytes.pending);
            if (bytes.kind != FileJobResult::Kind::Fallback && !toShow && !again) {
                if (startAhead(files[i], bytes))
                    finishBytes(bytes);
                if (m_batch.isFull())
                    commitWrites();
                continue;
            }
        }
        if (!startFile(files[i]))
            continue;
        if (!reviewFile())
            break;
        makeRoom();
        finishFile();
        if (commitEachFile() || m_batch.isFull())
            commitWrites();
    }
    m_ahead.reset();
    // Files finished before an abort keep their results.
    commitWrites();
    finishRun();
}

// The file is known by its resolved name: a file listed twice, or reached again through a
// link, is done once; hard links are separate names, each done (as sed -i does).
bool BatchRun::isRepeat(const QString &resolved)
{
    const bool seen = m_done.contains(resolved);
    m_done.insert(resolved);
    return seen;
}

void BatchRun::skipNotRegular(const QString &path)
{
    appendFailure(MsgFileNotRegular, path);
    notifyFile(path, FileOutcome::Status::Skipped, u"not-regular-file"_s, 0, 0);
}

// Runs that ask nothing and show nothing work through their files ahead, on worker threads:
// as bytes where ByteText allows, else as documents (not with running numbers, which must
// count in list order).
std::unique_ptr<AheadWorkers> BatchRun::startWorkers(const QStringList &files, qsizetype first)
{
    if (!m_bytePath || m_workersRefused)
        return {};
    std::optional<ByteFileJob> bytes = byteJob();
    std::optional<DocumentFileJob> documents
        = m_workers > 1 ? documentJob() : std::optional<DocumentFileJob>();
    if (!bytes && !documents) {
        m_workersRefused = true; // the same next time: no need to ask for every file
        return {};
    }
    AheadWorkers::Job job
        = [bytes = std::move(bytes), documents = std::move(documents)](const QString &path) {
              FileJobResult result;
              if (bytes)
                  result = bytes->process(path);
              if (result.kind == FileJobResult::Kind::Fallback && documents)
                  result = documents->process(path);
              if (result.kind != FileJobResult::Kind::Fallback)
                  result.resolved = ResolvedPath::of(path);
              return result;
          };
    return std::make_unique<AheadWorkers>(std::move(job), files, m_workers > 1 ? m_workers : 0,
                                          first, 1024, writesAhead() ? &m_budget : nullptr);
}

// As startFile, for a file already worked through. A repeat may have been worked on ahead
// like any file: its new content is dropped here.
bool BatchRun::startAhead(const QString &path, const FileJobResult &bytes)
{
    m.state.CurrentFileName = path;
    const QString fileName = QFileInfo(path).fileName();
    m.host.ProgressStep(fileName);
    if (bytes.kind == FileJobResult::Kind::Missing) {
        notifyFile(path, FileOutcome::Status::Skipped, u"missing"_s, 0, 0);
        return false;
    }
    if (bytes.kind == FileJobResult::Kind::NotRegular) {
        skipNotRegular(path);
        return false;
    }
    if (isRepeat(bytes.resolved)) {
        if (bytes.pending)
            dropPending(*bytes.pending);
        appendLine(MsgFileAlreadyProcessed, path);
        notifyFile(path, FileOutcome::Status::Skipped, u"already-processed"_s, 0, 0);
        return false;
    }
    if (bytes.kind == FileJobResult::Kind::Unreadable) {
        appendFailure(MsgFileUnreadable, path);
        notifyFile(path, FileOutcome::Status::Failed, u"unreadable"_s, 0, 0);
        return false;
    }
    if (bytes.kind == FileJobResult::Kind::Binary) {
        appendLine(MsgFileBinary, path);
        notifyFile(path, FileOutcome::Status::Skipped, u"binary"_s, 0, 0);
        return false;
    }
    m.host.ReviewFileChanged(fileName);
    return true;
}

bool BatchRun::startFile(const QString &path)
{
    m.state.CurrentFileName = path;
    const QString fileName = QFileInfo(path).fileName();
    m.host.ProgressStep(fileName);
    int links = 1;
    switch (ReadOnlyFile::typeOf(path, &links)) {
    case ReadOnlyFile::Status::Missing:
        notifyFile(path, FileOutcome::Status::Skipped, u"missing"_s, 0, 0);
        return false;
    case ReadOnlyFile::Status::NotRegular:
        skipNotRegular(path);
        return false;
    case ReadOnlyFile::Status::Open:
    case ReadOnlyFile::Status::Unreadable: // loading says so
        break;
    }
    if (isRepeat(ResolvedPath::of(path))) {
        appendLine(MsgFileAlreadyProcessed, path);
        notifyFile(path, FileOutcome::Status::Skipped, u"already-processed"_s, 0, 0);
        return false;
    }
    // Renaming over another name of this file changed it (its count of names): it is read
    // once that is done, so that the stamp it is written against is the one it has then.
    if (links > 1)
        commitWrites();
    switch (m.review.Load(path)) {
    case LoadStatus::Missing:
        notifyFile(path, FileOutcome::Status::Skipped, u"missing"_s, 0, 0);
        return false;
    case LoadStatus::Unreadable:
        appendFailure(MsgFileUnreadable, path);
        notifyFile(path, FileOutcome::Status::Failed, u"unreadable"_s, 0, 0);
        return false;
    case LoadStatus::Binary:
        appendLine(MsgFileBinary, path);
        notifyFile(path, FileOutcome::Status::Skipped, u"binary"_s, 0, 0);
        return false;
    case LoadStatus::Loaded:
        break;
    }
    m_lineBreaks.Apply(m.state, document().lineBreak());
    m.host.ReviewFileChanged(fileName);
    return true;
}

void BatchRun::search()
{
    EngineState &s = m.state;
    s.MatchStart = m_finder.FindOccurrence(document().view(s.NextSearchPos), s.NextSearchPos,
                                           s.MatchLength, s.FindWildcards);
}

void BatchRun::writeBack(const WriteDone &done)
{
    if (m_dryRun) {
        done({true, u"dry-run"_s, {}});
        return;
    }
    const QString path = m.state.CurrentFileName;
    for (;;) {
        const SaveResult result
            = SaveDocument(document(), path, {m_sync, &m_batch, m_journal.get()});
        switch (result.status) {
        case SaveStatus::Ok:
            done({true, {}, {}});
            if (!result.errorString.isEmpty()) // attributes the new file could not take
                appendLine(MsgFileAttributesLost, path, result.errorString);
            return;
        case SaveStatus::Queued:
            queued(sizeOfDocument());
            waitFor(done, path);
            return;
        case SaveStatus::NotEncodable:
            appendFailure(MsgFileNotEncodable, path);
            done({false, u"not-encodable"_s, {}});
            return;
        case SaveStatus::ChangedOnDisk:
            resolveWrite(WriteOutcome::ChangedOnDisk, {}, path, done);
            return;
        case SaveStatus::WriteFailed:
        case SaveStatus::Binary:
            break;
        }
        m.host.WriteFailed(path, result.errorString);
        // "Probably in use by another program" only when the system says the file is busy;
        // any other reason is put in the question as the system gives it.
        const QString question = result.busy()
            ? m.messages.LoadMessage(MsgSaveError)
            : m.messages.message(MsgSaveFailedReason, QDir::toNativeSeparators(path),
                                 result.errorString);
        if (result.status != SaveStatus::WriteFailed
            || !m.host.AskYesNo(question, m.messages.LoadMessage(MsgSaveErrorCaption), true)) {
            appendFailure(MsgFileNotSaved, path);
            done({false, u"not-saved"_s, result.errorString});
            return;
        }
    }
}

void BatchRun::placeWrite(const PendingWrite &pending, const WriteDone &done)
{
    if (m_sync == SyncPolicy::Batch) {
        m_batch.add(pending);
        m_queuedFiles += 1;
        m_queuedBytes += pending.bytes;
        waitFor(done, m.state.CurrentFileName);
        if (m_batch.isFull())
            commitWrites();
        return;
    }
    QString error;
    if (m_journal)
        m_journal->keep(pending);
    const WriteOutcome outcome = AtomicFileWriter::commit(pending, &error);
    if (m_journal)
        m_journal->settle(pending, outcome);
    releaseBudget(1, pending.bytes);
    resolveWrite(outcome, error, m.state.CurrentFileName, done);
}

void BatchRun::waitFor(const WriteDone &done, const QString &path)
{
    m_waiting.push_back({{}, [this, done, path](const WriteBatch::Result &result) {
                             resolveWrite(result.outcome, result.error, path, done);
                         }});
}

void BatchRun::resolveWrite(WriteOutcome outcome, const QString &error, const QString &path,
                            const WriteDone &done)
{
    switch (outcome) {
    case WriteOutcome::Ok:
        done({true, {}, {}});
        if (!error.isEmpty()) // attributes the new file could not take
            appendLine(MsgFileAttributesLost, path, error);
        return;
    case WriteOutcome::ChangedOnDisk:
        appendFailure(MsgFileChangedOnDisk, path);
        done({false, u"changed-on-disk"_s, {}});
        return;
    case WriteOutcome::Failed:
        break;
    }
    m.host.WriteFailed(path, error);
    appendFailure(MsgFileNotSaved, path);
    done({false, u"not-saved"_s, error});
}

void BatchRun::setFreeSpace(TempBudget::FreeSpace freeSpace)
{
    m_budget.setFreeSpace(std::move(freeSpace));
}

void BatchRun::dropPending(const PendingWrite &pending)
{
    AtomicFileWriter::discard(pending);
    releaseBudget(1, pending.bytes);
}

void BatchRun::releaseBudget(qsizetype files, qint64 bytes)
{
    if (files == 0)
        return;
    m_budget.release(files, bytes);
    if (m_ahead)
        m_ahead->budgetReleased();
}

void BatchRun::queued(qint64 bytes)
{
    m_budget.hold(bytes);
    m_queuedFiles += 1;
    m_queuedBytes += bytes;
}

qint64 BatchRun::sizeOfDocument() const
{
    const std::optional<FileStamp> &source = document().sourceStamp();
    return source ? source->size : 0;
}

// Before the run writes a file of its own into the batch: the files waiting go in place first
// when the budget has no room for it.
void BatchRun::makeRoom()
{
    if (m_sync == SyncPolicy::Batch && !m_dryRun && document().isModified()
        && !m_budget.admits(sizeOfDocument(), m.state.CurrentFileName))
        commitWrites();
}

void BatchRun::settle(std::function<void()> action)
{
    if (m_waiting.empty() || m_settling)
        action();
    else
        m_waiting.push_back({std::move(action), {}});
}

void BatchRun::commitWrites()
{
    if (m_waiting.empty() && m_batch.isEmpty())
        return;
    const QList<WriteBatch::Result> results = m_batch.commit();
    releaseBudget(m_queuedFiles, m_queuedBytes);
    m_queuedFiles = 0;
    m_queuedBytes = 0;
    std::vector<Settlement> waiting;
    waiting.swap(m_waiting);
    m_settling = true;
    qsizetype next = 0;
    for (const Settlement &s : waiting) {
        if (s.written)
            s.written(results.value(next++, {WriteOutcome::Failed, QString()}));
        else
            s.action();
    }
    m_settling = false;
}

void BatchRun::finishRun()
{
    endJournal();
    if (m.state.Aborted)
        m.host.ShowMessage(m.messages.LoadMessage(MsgAborted));
    m.host.ReviewFileChanged(QString());
}

void BatchRun::appendTotalsHead(int filesProcessed, qsizetype listCount)
{
    m.report.Append(Report::ReportSeparator());
    appendLine(MsgTotals);
    appendLine(MsgProcessedFiles, filesProcessed);
    if (listCount > filesProcessed)
        appendLine(MsgUnprocessedFiles, listCount - filesProcessed);
}

void BatchRun::notifyOccurrence(qsizetype start, const QString &matched, const QString &replacement)
{
    m.host.OccurrenceMet({m.state.CurrentFileName, document(), start, matched, replacement});
}

void BatchRun::notifyFile(const QString &path, FileOutcome::Status status, const QString &reason,
                          int occurrences, int replacements, const QString &error)
{
    FileOutcome outcome{path, status, reason, error, occurrences, replacements};
    settle([this, outcome] { m.host.FileFinished(outcome); });
}

// The journal's part of a run: made before the first file is written, ended after the last.
void BatchRun::startJournal(const RunRequest &request)
{
    m_journal.reset();
    const OptionState &o = request.options;
    if (!request.replaceMode || m_dryRun || !o.KeepJournal || o.JournalFolder.isEmpty())
        return;
    m_journal = std::make_unique<RunJournal>(
        o.JournalFolder, m_sync,
        RunJournal::Head{u"replace"_s, request.searchPattern, request.replacementPattern, {}});
    m_batch.setJournal(m_journal.get());
}

void BatchRun::endJournal()
{
    if (!m_journal)
        return;
    m_journal->close();
    for (const QString &path : m_journal->unkept())
        appendLine(MsgJournalNotKept, path);
    if (!m_journal->runFolder().isEmpty())
        RunHistory(m.options.JournalFolder).prune(m.options.JournalRuns, m.options.JournalBytes);
    m_batch.setJournal(nullptr);
    m_journal.reset();
}
