#include "run/BatchRun.h"

#include "document/AtomicFileWriter.h"
#include "document/DocumentFile.h"
#include "engine/EngineState.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "run/ByteWorkers.h"
#include "run/DocumentFileJob.h"
#include "run/OccurrenceRecord.h"
#include "run/Report.h"
#include "run/ReviewSession.h"
#include "run/RunHost.h"
#include "run/RunRequest.h"

#include <QFileInfo>

#include <memory>

using namespace Qt::StringLiterals;

BatchRun::BatchRun(const RunServices &services)
    : m(services), m_finder(services.state, services.options.SearchOptions)
{
}

void BatchRun::configure(const RunRequest &request)
{
    m_dryRun = request.dryRun;
    m_sync = request.sync;
    m_bytePath = request.bytePath;
    m_workers = std::max(request.workers, 1);
    m_unattended = request.unattended;
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
    m_seen.clear();
    if (m_dryRun)
        appendLine(MsgDryRun);
    std::unique_ptr<ByteWorkers> workers;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (stopRequested())
            break;
        // From the first file on, or from the answer for all on, the rest can go ahead.
        if (!workers && (!mayShowOccurrences() || countsAheadWhileShowing()))
            workers = startWorkers(files, i);
        if (workers) {
            const ByteFileResult bytes
                = workers->take(i, [this] { m.host.ProcessPendingEvents(); });
            m.host.ProcessPendingEvents();
            // A file with occurrences to show is reviewed here, whatever was done ahead.
            const bool toShow = bytes.hits > 0 && mayShowOccurrences();
            if (toShow && bytes.pending)
                AtomicFileWriter::discard(*bytes.pending);
            if (bytes.kind != ByteFileResult::Kind::Fallback && !toShow) {
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
        finishFile();
        if (commitEachFile() || m_batch.isFull())
            commitWrites();
    }
    workers.reset();
    // Files finished before an abort keep their results.
    commitWrites();
    finishRun();
}

// The real file is known by its device and inode, as first seen and as written again (a
// rewrite puts a new inode under the same path), so links and repeats lead to it.
bool BatchRun::isRepeat(const QString &path)
{
    const std::optional<FileStamp> stamp = FileStamp::of(path);
    if (!stamp)
        return false;
    const FileKey key{stamp->device, stamp->inode};
    const bool seen = m_seen.contains(key);
    m_seen.insert(key);
    return seen;
}

void BatchRun::rememberWritten(const QString &path, FileKey written)
{
    if (written != FileKey{})
        m_seen.insert(written);
    else if (const std::optional<FileStamp> stamp = FileStamp::of(path))
        m_seen.insert({stamp->device, stamp->inode});
}

// Runs that ask nothing and show nothing work through their files ahead, on worker threads:
// as bytes where ByteText allows, else as documents (not with running numbers, which must
// count in list order).
std::unique_ptr<ByteWorkers> BatchRun::startWorkers(const QStringList &files, qsizetype first)
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
    ByteWorkers::Job job
        = [bytes = std::move(bytes), documents = std::move(documents)](const QString &path) {
              if (bytes) {
                  ByteFileResult result = bytes->process(path);
                  if (result.kind != ByteFileResult::Kind::Fallback)
                      return result;
              }
              return documents ? documents->process(path) : ByteFileResult{};
          };
    return std::make_unique<ByteWorkers>(std::move(job), files, m_workers > 1 ? m_workers : 0,
                                         first);
}

// As startFile, for a file already worked through. A repeat may have been worked on ahead
// like any file: its new content is dropped here.
bool BatchRun::startAhead(const QString &path, const ByteFileResult &bytes)
{
    m.state.CurrentFileName = path;
    const QString fileName = QFileInfo(path).fileName();
    m.host.ProgressStep(fileName);
    if (bytes.kind == ByteFileResult::Kind::Missing) {
        notifyFile(path, FileOutcome::Status::Skipped, u"missing"_s, 0, 0);
        return false;
    }
    const FileKey key{bytes.device, bytes.inode};
    if (key != FileKey{} && m_seen.contains(key)) {
        if (bytes.pending)
            AtomicFileWriter::discard(*bytes.pending);
        appendLine(MsgFileAlreadyProcessed, path);
        notifyFile(path, FileOutcome::Status::Skipped, u"already-processed"_s, 0, 0);
        return false;
    }
    m_seen.insert(key);
    if (bytes.kind == ByteFileResult::Kind::Unreadable) {
        appendFailure(MsgFileUnreadable, path);
        notifyFile(path, FileOutcome::Status::Failed, u"unreadable"_s, 0, 0);
        return false;
    }
    if (bytes.kind == ByteFileResult::Kind::Binary) {
        appendLine(MsgFileBinary, path);
        notifyFile(path, FileOutcome::Status::Skipped, u"binary"_s, 0, 0);
        return false;
    }
    // The rewritten file keeps being known under its new inode.
    if (bytes.pending)
        m_seen.insert({bytes.pending->device, bytes.pending->inode});
    m.host.ReviewFileChanged(fileName);
    return true;
}

bool BatchRun::startFile(const QString &path)
{
    m.state.CurrentFileName = path;
    const QString fileName = QFileInfo(path).fileName();
    m.host.ProgressStep(fileName);
    if (!QFileInfo(path).isFile()) {
        notifyFile(path, FileOutcome::Status::Skipped, u"missing"_s, 0, 0);
        return false;
    }
    // A file listed twice, or reached again through a link, is done once per run.
    if (isRepeat(path)) {
        appendLine(MsgFileAlreadyProcessed, path);
        notifyFile(path, FileOutcome::Status::Skipped, u"already-processed"_s, 0, 0);
        return false;
    }
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
        const SaveResult result = SaveDocument(document(), path, {m_sync, &m_batch});
        switch (result.status) {
        case SaveStatus::Ok:
            rememberWritten(path, {});
            done({true, {}, {}});
            return;
        case SaveStatus::Queued:
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
        if (result.status != SaveStatus::WriteFailed
            || !m.host.AskYesNo(m.messages.LoadMessage(MsgSaveError),
                                m.messages.LoadMessage(MsgSaveErrorCaption), true)) {
            appendFailure(MsgFileNotSaved, path);
            done({false, u"not-saved"_s, result.errorString});
            return;
        }
    }
}

void BatchRun::placeWrite(const PendingWrite &pending, const WriteDone &done)
{
    const FileKey written{pending.device, pending.inode};
    if (m_sync == SyncPolicy::Batch) {
        m_batch.add(pending);
        waitFor(done, m.state.CurrentFileName, written);
        if (m_batch.isFull())
            commitWrites();
        return;
    }
    QString error;
    const WriteOutcome outcome = AtomicFileWriter::commit(pending, &error);
    resolveWrite(outcome, error, m.state.CurrentFileName, done, written);
}

void BatchRun::waitFor(const WriteDone &done, const QString &path, FileKey written)
{
    m_waiting.push_back({{}, [this, done, path, written](const WriteBatch::Result &result) {
                             resolveWrite(result.outcome, result.error, path, done, written);
                         }});
}

void BatchRun::resolveWrite(WriteOutcome outcome, const QString &error, const QString &path,
                            const WriteDone &done, FileKey written)
{
    switch (outcome) {
    case WriteOutcome::Ok:
        rememberWritten(path, written);
        done({true, {}, {}});
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
