#include "run/BatchRun.h"

#include "document/DocumentFile.h"
#include "document/PlainTextCodec.h"
#include "engine/EngineState.h"
#include "io/AtomicFileWriter.h"
#include "io/IoLevel.h"
#include "io/ReadOnlyFile.h"
#include "io/RunHistory.h"
#include "io/RunJournal.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "run/AheadWorkers.h"
#include "run/CodePageDoubt.h"
#include "run/FileFeed.h"
#include "run/FilePlanner.h"
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
    m_committer.onReleased([this] {
        if (m_ahead)
            m_ahead->budgetReleased();
    });
}

BatchRun::~BatchRun() = default;

void BatchRun::configure(const RunRequest &request)
{
    m_dryRun = request.dryRun;
    m_committer.setSync(request.sync);
    m_bytePath = request.bytePath;
    m_reportsOccurrences = request.reportsOccurrences;
    m_workers = std::max(request.workers, 1);
    m_lists = request.listsOccurrences;
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

void BatchRun::walkFiles(const FileFeed &files)
{
    m.state.Aborted = false;
    m_done.clear();
    m_names.clear();
    if (m_dryRun)
        appendLine(MsgDryRun);
    // Said once, before any file: what the file calls in use cannot promise (IoLevel).
    if (replacing() && !m_dryRun && !IoLevel::guarantees().all())
        appendLine(MsgPortableFileCalls);
    // The list may still be growing (a folder scan going on): each entry is waited for.
    for (qsizetype i = 0; files.has(i); ++i) {
        if (stopRequested())
            break;
        // From the first file on, or from the answer for all on, the rest can go ahead.
        if (!m_ahead && (!mayShowOccurrences() || !replacing()))
            m_ahead = startWorkers(files, i);
        std::optional<FileJobResult> result = m_ahead ? takeAhead(i) : std::nullopt;
        // Stopped while the job told the file's occurrences: it is left as it was.
        if (!result && m.state.Aborted)
            break;
        const QString &path = files.at(i);
        if (result) {
            if (!startAhead(path, *result))
                result.reset();
            else if (!result->found.entries.empty())
                m.host.OccurrencesFound(path, result->found);
        } else if (startFile(path)) {
            result = reviewFile();
            if (!result)
                break;
            makeRoom();
        }
        if (result)
            finishFile(*result);
        // Running numbers count only replacements that reached the disk: each file is in
        // place before the next one takes its numbers.
        const bool numbering = replacing() && FilePlanner::hasCounters(m.state);
        if (numbering || m_committer.isFull())
            m_committer.commit();
    }
    m_ahead.reset();
    // Files finished before an abort keep their results.
    m_committer.commit();
    finishRun();
}

// The result of entry `index` worked through ahead; nothing when the run works through it
// itself (the job left it, or it has occurrences to show).
std::optional<FileJobResult> BatchRun::takeAhead(qsizetype index)
{
    FileJobResult result = m_ahead->take(
        index, [this] { m_committer.commit(); }, [this] { m.host.ProcessPendingEvents(); });
    m.host.ProcessPendingEvents();
    // A file with occurrences to show is reviewed here, whatever was done ahead.
    const bool toShow = result.hits > 0 && mayShowOccurrences();
    // A file of several names was read before this run renamed another of its names: it is
    // read again, after the writes waiting are in place.
    const bool again = result.links > 1 && result.pending;
    if ((toShow || again) && result.pending)
        m_committer.drop(*result.pending);
    if (result.kind == FileJobResult::Kind::Fallback || toShow || again)
        return std::nullopt;
    return result;
}

// Runs that ask nothing and show nothing work through their files ahead, on worker threads,
// in the way FilePlanner chooses.
std::unique_ptr<AheadWorkers> BatchRun::startWorkers(const FileFeed &files, qsizetype first)
{
    if (!m_bytePath || m_workersRefused)
        return {};
    FilePlanner::Run run;
    run.replacing = replacing();
    run.dryRun = m_dryRun;
    run.takesAll = takesAll();
    run.sync = m_committer.sync();
    run.workers = m_workers;
    run.lists = m_lists;
    run.journal = m_journal.get();
    if (m_reportsOccurrences) {
        // Asked before each occurrence, as the run itself does.
        run.occurrences = [this](const OccurrenceRecord &occurrence) {
            if (stopRequested())
                return false;
            m.host.OccurrenceMet(occurrence);
            return true;
        };
        run.taken = [this](const QString &path) { return m_done.contains(m_names.of(path)); };
    }
    const FilePlanner planner(m.state, m_lineBreaks, m.options, run);
    std::optional<AheadWorkers::Job> job = planner.aheadJob();
    if (!job) {
        m_workersRefused = true; // the same next time: no need to ask for every file
        return {};
    }
    const int threads = m_workers > 1 && !m_reportsOccurrences ? m_workers : 0;
    return std::make_unique<AheadWorkers>(std::move(*job), files, threads, first, 1024,
                                          replacing() && !m_dryRun ? &m_committer.budget()
                                                                   : nullptr);
}

// As startFile, for a file already worked through. A repeat may have been worked on ahead
// like any file: its new content is dropped here.
bool BatchRun::startAhead(const QString &path, const FileJobResult &result)
{
    m.state.CurrentFileName = path;
    m.host.ProgressStep(QFileInfo(path).fileName());
    using Kind = FileJobResult::Kind;
    if (result.kind == Kind::Missing || result.kind == Kind::NotRegular)
        return !refused(path, result.kind);
    if (repeated(path, result.resolved)) {
        if (result.pending)
            m_committer.drop(*result.pending);
        return false;
    }
    if (refused(path, result.kind))
        return false;
    m.host.ReviewFileChanged(QFileInfo(path).fileName());
    return true;
}

bool BatchRun::startFile(const QString &path)
{
    m.state.CurrentFileName = path;
    m.host.ProgressStep(QFileInfo(path).fileName());
    int links = 1;
    const ReadOnlyFile::Status type = ReadOnlyFile::typeOf(path, &links);
    // An unreadable file is loaded all the same: loading says why.
    if (const std::optional<FileJobResult> notAFile = FileJobResult::notAFile(type))
        return !refused(path, notAFile->kind);
    if (repeated(path, m_names.of(path)))
        return false;
    // Renaming over another name of this file changed it (its count of names): it is read
    // once that is done, so that the stamp it is written against is the one it has then.
    if (links > 1)
        m_committer.commit();
    if (refused(path, FileJobResult::kindOf(m.review.Load(path))))
        return false;
    if (!admitCodePage(path))
        return false;
    // A file changed since the job was previewed is not worked on again unseen.
    if (!m.host.MayWorkOn(path, document())) {
        appendFailure(MsgFileChangedOnDisk, path);
        notifyFile(path, FileOutcome::Status::Failed, u"changed-on-disk"_s, 0, 0);
        return false;
    }
    m_lineBreaks.Apply(m.state, document().lineBreak());
    m.host.ReviewFileChanged(QFileInfo(path).fileName());
    return true;
}

// Reports a file that is not worked through: missing, not a regular file, unreadable or
// binary. False for a file that goes on.
bool BatchRun::refused(const QString &path, FileJobResult::Kind kind)
{
    using Kind = FileJobResult::Kind;
    switch (kind) {
    case Kind::Missing:
        notifyFile(path, FileOutcome::Status::Skipped, u"missing"_s, 0, 0);
        return true;
    case Kind::NotRegular:
        appendFailure(MsgFileNotRegular, path);
        notifyFile(path, FileOutcome::Status::Skipped, u"not-regular-file"_s, 0, 0);
        return true;
    case Kind::Unreadable:
        appendFailure(MsgFileUnreadable, path);
        notifyFile(path, FileOutcome::Status::Failed, u"unreadable"_s, 0, 0);
        return true;
    case Kind::Binary:
        appendLine(MsgFileBinary, path);
        notifyFile(path, FileOutcome::Status::Skipped, u"binary"_s, 0, 0);
        return true;
    default:
        return false;
    }
}

// The file is known by its resolved name: a file listed twice, or reached again through a
// link, is done once; hard links are separate names, each done (as sed -i does).
bool BatchRun::repeated(const QString &path, const QString &resolved)
{
    if (!std::exchange(m_done[resolved], true))
        return false;
    appendLine(MsgFileAlreadyProcessed, path);
    notifyFile(path, FileOutcome::Status::Skipped, u"already-processed"_s, 0, 0);
    return true;
}

bool BatchRun::walkDocument(qsizetype &hits, const std::function<OccurrenceWalk::Step()> &handle)
{
    return OccurrenceWalk::run(
        m.state, m_finder, [this](qsizetype from) { return document().view(from); }, hits, handle);
}

// A file that looks like another code page than it was read in: said once; left untouched
// when a replace run would change it unseen in a way that depends on the code page.
bool BatchRun::admitCodePage(const QString &path)
{
    const std::optional<CodePage> likelier = CodePageDoubt::of(document(), m.options);
    if (!likelier)
        return true;
    const CodePage read = document().plainText()->encoding().codePage().value_or(CodePage::Cp1251);
    appendLine(MsgFileCodePageDoubt, path, CodePageDoubt::nameOf(read),
               CodePageDoubt::nameOf(*likelier));
    if (!CodePageDoubt::holds(m.state, m.review.reviewState().rsReplace, mayShowOccurrences()))
        return true;
    appendLine(MsgFileCodePageHeld, path);
    notifyFile(path, FileOutcome::Status::Skipped, u"codepage-doubt"_s, 0, 0);
    return false;
}

void BatchRun::resumeAfter(ResumeAt::After what)
{
    EngineState &s = m.state;
    s.NextSearchPos = std::exchange(s.ChosenResume, std::nullopt)
                          .value_or(ResumeAt::of(what, s.MatchStart, s.MatchLength, -1,
                                                 s.OccurrencesOverlap()));
}

void BatchRun::writeBack(const WriteDone &done)
{
    const QString path = m.state.CurrentFileName;
    // A dry run says what the run would do: a file it could not write is not "changed".
    if (m_dryRun && !DocumentFile::encodes(document(), path)) {
        appendFailure(MsgFileNotEncodable, path);
        done({false, u"not-encodable"_s, {}});
        return;
    }
    if (m_dryRun) {
        done({true, u"dry-run"_s, {}});
        return;
    }
    for (;;) {
        const SaveResult result = SaveDocument(
            document(), path, {m_committer.sync(), m_committer.batch(), m_journal.get()});
        switch (result.status) {
        case SaveStatus::Ok:
            done({true, {}, {}});
            if (!result.errorString.isEmpty()) // attributes the new file could not take
                appendLine(MsgFileAttributesLost, path, result.errorString);
            return;
        case SaveStatus::Queued:
            m_committer.queued(sizeOfDocument(), resolver(path, done));
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

void BatchRun::writeResult(const FileJobResult &result, const WriteDone &done)
{
    if (result.kind == FileJobResult::Kind::Reviewed)
        writeBack(done);
    else if (result.kind == FileJobResult::Kind::NotEncodable) {
        appendFailure(MsgFileNotEncodable, m.state.CurrentFileName);
        done({false, u"not-encodable"_s, {}});
    } else if (m_dryRun || !result.pending)
        done({true, u"dry-run"_s, {}});
    else
        placeWrite(*result.pending, done);
}

FileJobResult BatchRun::reviewed(qsizetype hits, qsizetype replacements) const
{
    FileJobResult result;
    result.kind = FileJobResult::Kind::Reviewed;
    result.hits = hits;
    result.replacements = replacements;
    result.changed = document().isModified();
    return result;
}

void BatchRun::placeWrite(const PendingWrite &pending, const WriteDone &done)
{
    m_committer.place(pending, resolver(m.state.CurrentFileName, done));
}

OrderedCommitter::Placed BatchRun::resolver(const QString &path, const WriteDone &done)
{
    return [this, path, done](WriteOutcome outcome, const QString &error) {
        resolveWrite(outcome, error, path, done);
    };
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
    m_committer.budget().setFreeSpace(std::move(freeSpace));
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
    if (m_committer.sync() == SyncPolicy::Batch && !m_dryRun && document().isModified()
        && !m_committer.admits(sizeOfDocument(), m.state.CurrentFileName))
        m_committer.commit();
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
    m.host.OccurrenceMet({m.state.CurrentFileName, &document(), start, matched, replacement, {}});
}

void BatchRun::notifyFile(const QString &path, FileOutcome::Status status, const QString &reason,
                          int occurrences, int replacements, const QString &error)
{
    FileOutcome outcome{path, status, reason, error, occurrences, replacements};
    m_committer.settle([this, outcome] { m.host.FileFinished(outcome); });
}

// The journal's part of a run: made before the first file is written, ended after the last.
void BatchRun::startJournal(const RunRequest &request)
{
    m_journal.reset();
    const OptionState &o = request.options;
    if (!request.replaceMode || m_dryRun || !o.KeepJournal || o.JournalFolder.isEmpty())
        return;
    m_journal = std::make_unique<RunJournal>(
        o.JournalFolder, m_committer.sync(),
        RunJournal::Head{u"replace"_s, request.searchPattern, request.replacementPattern, {}});
    m_committer.setJournal(m_journal.get());
    // Old runs go while this one works; its own folder is held.
    m_pruner.start(o.JournalFolder, o.JournalRuns, o.JournalBytes);
}

void BatchRun::endJournal()
{
    if (!m_journal)
        return;
    m_journal->close();
    for (const QString &path : m_journal->unkept())
        appendLine(MsgJournalNotKept, path);
    // Again for the bytes this run kept, still off the run's thread.
    if (!m_journal->runFolder().isEmpty())
        m_pruner.start(m.options.JournalFolder, m.options.JournalRuns, m.options.JournalBytes);
    m_committer.setJournal(nullptr);
    m_journal.reset();
}
