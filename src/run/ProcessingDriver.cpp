#include "run/ProcessingDriver.h"

#include "backup/Backup.h"
#include "engine/EngineState.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "run/FileFeed.h"
#include "run/FindRun.h"
#include "run/ReplaceRun.h"
#include "run/ReviewSession.h"
#include "run/RunHost.h"

namespace {

// Clears RunInProgress, hands the review back the option state and ends the progress display
// however the run ends.
class RunGuard {
public:
    RunGuard(EngineState &state, RunHost &host, ReviewSession &review, const OptionState &options)
        : m_state(state), m_host(host), m_review(review)
    {
        m_state.RunInProgress = true;
        m_review.setRunOptions(&options);
    }
    ~RunGuard()
    {
        m_review.setRunOptions(nullptr);
        m_state.RunInProgress = false;
        m_host.ProgressEnd();
    }
    RunGuard(const RunGuard &) = delete;
    RunGuard &operator=(const RunGuard &) = delete;

private:
    EngineState &m_state;
    RunHost &m_host;
    ReviewSession &m_review;
};

} // namespace

ProcessingDriver::Outcome ProcessingDriver::ProcessFilesExecute(const RunRequest &original)
{
    // The run works on the list and the options as they stand now; the window's list and the
    // options dialog may change them meanwhile.
    RunRequest request = original;
    if (m.state.RunInProgress)
        return Outcome::Busy;
    if (!original.fixedOptions)
        request.options = m.options;
    const std::shared_ptr<const FileFeed> files
        = request.feed ? request.feed : std::make_shared<const FileFeed>(request.files);
    if (!files->has(0)) {
        m.host.ShowMessage(m.messages.LoadMessage(MsgNothingToProcess));
        return Outcome::NothingToProcess;
    }
    if (request.regex && !request.searchPattern.isEmpty()) {
        if (const std::optional<QString> refusal = compileRegex(request)) {
            m.host.ShowMessage(*refusal);
            return Outcome::BadPattern;
        }
    } else if (!compilePatterns(request)) {
        m.host.ShowMessage(m.messages.LoadMessage(MsgNothingToFind));
        return Outcome::NothingToFind;
    }
    // Refused before any file is touched: a copy must never land on the file it keeps.
    if (request.replaceMode && !request.dryRun) {
        if (const std::optional<QString> problem = m.backup.checkFolder(
                request.options.MakeBackups ? files->all() : QStringList(), request.options)) {
            m.host.ShowMessage(*problem);
            return Outcome::BackupFolderRefused;
        }
    }
    // A list still growing has no count yet: the progress then shows none.
    m.host.ProgressStart(int(files->complete() ? files->available() : 0));
    const RunGuard guard(m.state, m.host, m.review, request.options);
    run(request, *files);
    return Outcome::Ran;
}

bool ProcessingDriver::compilePatterns(const RunRequest &request)
{
    EngineState &s = m.state;
    s.SearchText = request.searchPattern;
    s.SearchLen = s.SearchText.size();
    s.FindWildcards = request.findWildcards;
    s.ReplaceWildcards = request.replaceWildcards;
    s.FindRegex = false;
    if (s.SearchText.isEmpty())
        return false;
    if (s.FindWildcards) {
        s.CompileSearchPattern();
        // Only "*" or unknown tokens: nothing to find, rather than a match everywhere.
        if (s.FindBlockCount == 0)
            return false;
    }
    if (request.replaceMode && s.ReplaceWildcards)
        s.CompileReplacementPattern(request.replacementPattern);
    return true;
}

std::optional<QString> ProcessingDriver::compileRegex(const RunRequest &request)
{
    EngineState &s = m.state;
    s.SearchText = request.searchPattern;
    s.SearchLen = s.SearchText.size();
    s.FindWildcards = false;
    s.FindRegex = true;
    // The replacement is built for each occurrence from its references.
    s.ReplaceWildcards = true;
    if (const std::optional<RegexPattern::Error> error
        = s.CompileRegexSearch(request.options.SearchOptions.MatchCase)) {
        s.FindRegex = false;
        return m.messages.message(MsgRegexRefused, error->offset + 1, error->message);
    }
    if (!request.replaceMode)
        return std::nullopt;
    if (const std::optional<QString> bad
        = s.CompileRegexReplacement(request.replacementPattern, request.replaceWildcards)) {
        s.FindRegex = false;
        return m.messages.message(MsgRegexNoSuchGroup, *bad);
    }
    return std::nullopt;
}

void ProcessingDriver::run(const RunRequest &request, const FileFeed &files)
{
    // Whatever the runs read of the options, they read from the request's copy.
    const RunServices services{m.state, request.options, m.messages, m.review,
                               m.host,  m.report,        m.backup};
    if (request.replaceMode) {
        ReplaceRun run(services, m_builder);
        run.configure(request);
        run.setFreeSpace(freeSpace);
        run.run(files, request.replacementPattern);
        m_totals = {run.FilesProcessed, run.TotalOccurrences, run.TotalReplacements,
                    run.FilesChanged,   run.FilesFailed,      m.state.Aborted};
    } else {
        FindRun run(services);
        run.configure(request);
        run.run(files);
        m_totals = {run.FilesProcessed, run.TotalHits, 0, 0, run.FilesFailed, m.state.Aborted};
    }
}
