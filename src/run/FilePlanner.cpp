#include "run/FilePlanner.h"

#include "engine/EngineState.h"
#include "io/ResolvedNames.h"
#include "io/RunJournal.h"
#include "options/OptionState.h"
#include "run/OccurrenceRecord.h"

#include <memory>

std::optional<AheadWorkers::Job> FilePlanner::aheadJob() const
{
    std::optional<ByteFileJob> bytes = byteJob();
    // Listing is for runs that write nothing: the byte path notes occurrences only when it
    // counts them.
    if (bytes && m_run.lists && m_run.replacing && !m_run.dryRun)
        bytes.reset();
    // Neither a document worked through ahead nor a regular expression on bytes tells an
    // occurrence as it is met; only the byte path and documents list them.
    std::optional<RegexByteJob> regexBytes
        = m_run.occurrences || m_run.lists ? std::optional<RegexByteJob>() : regexByteJob();
    std::optional<DocumentFileJob> documents
        = !m_run.occurrences && (m_run.workers > 1 || m_run.lists)
        ? documentJob()
        : std::optional<DocumentFileJob>();
    if (documents)
        documents->setListing(m_run.lists);
    if (!bytes && !regexBytes && !documents)
        return std::nullopt;
    // Shared by the worker threads: the files of one folder come one after another.
    auto names = std::make_shared<ResolvedNames>();
    return [bytes = std::move(bytes), regexBytes = std::move(regexBytes),
            documents = std::move(documents), names = std::move(names), taken = m_run.taken,
            journal = m_run.journal](const QString &path, ListedAs listed) {
        FileJobResult result;
        if (taken && taken(path))
            return result;
        if (bytes)
            result = bytes->process(path, listed);
        else if (regexBytes)
            result = regexBytes->process(path, listed);
        if (result.kind == FileJobResult::Kind::Fallback && documents)
            result = documents->process(path);
        if (result.kind != FileJobResult::Kind::Fallback)
            result.resolved = names->of(path, result.leafIsLink);
        if (journal && result.pending)
            journal->keepAhead(*result.pending);
        return result;
    };
}

bool FilePlanner::hasCounters(const EngineState &state)
{
    if (!state.ReplaceWildcards)
        return false;
    for (int i = 1; i <= state.ReplaceBlockCount; ++i) {
        if (state.ReplaceBlocks[size_t(i)].Kind == mkCounter)
            return true;
    }
    return false;
}

std::optional<ByteFileJob> FilePlanner::byteJob() const
{
    const EngineState &s = m_state;
    const bool matchCase = m_options.SearchOptions.MatchCase;
    if (s.FindWildcards || s.FindRegex)
        return std::nullopt;
    std::optional<ByteFileJob> job;
    QString told; // the replacement each occurrence is told with; null for a count
    if (!m_run.replacing) {
        job = ByteFileJob::forText(s.SearchText, {}, matchCase, ByteFileJob::Mode::Count, false);
    } else if (m_run.takesAll && !m_options.MakeBackups) {
        const std::optional<QString> replacement = literalReplacement();
        if (!replacement)
            return std::nullopt;
        const ByteFileJob::Mode mode
            = m_run.dryRun ? ByteFileJob::Mode::CountReplaceable : ByteFileJob::Mode::Replace;
        job = ByteFileJob::forText(s.SearchText, *replacement, matchCase, mode,
                                   m_run.sync == SyncPolicy::File);
        told = OccurrenceRecord::made(*replacement);
    }
    if (job) {
        if (m_run.journal)
            job->keepThrough(m_run.journal->store());
        job->setCodePage(m_options.FileCodePage, m_options.CodePageChosen);
        if (m_run.occurrences)
            job->setReport(m_run.occurrences, told);
        if (m_run.lists)
            job->setListing(told);
    }
    return job;
}

// A regular expression matched on UTF-8 bytes, where that gives what the document would.
std::optional<RegexByteJob> FilePlanner::regexByteJob() const
{
    if (m_run.replacing && (!m_run.takesAll || m_options.MakeBackups || hasCounters(m_state)))
        return std::nullopt;
    const RegexByteJob::Mode mode = !m_run.replacing ? RegexByteJob::Mode::Count
        : m_run.dryRun                               ? RegexByteJob::Mode::CountReplaceable
                                                     : RegexByteJob::Mode::Replace;
    std::optional<RegexByteJob> job
        = RegexByteJob::of(m_state, m_lineBreaks, m_options.SearchOptions.MatchCase, mode,
                           m_run.replacing && m_run.sync == SyncPolicy::File);
    if (job) {
        job->setCodePage(m_options.FileCodePage, m_options.CodePageChosen);
        // Every match is taken as found, none told one by one: a large file may be searched
        // in parts on the run's threads.
        job->splitOver(m_run.workers);
    }
    return job;
}

// The replacement as one literal text; nothing when it takes anything from the match.
std::optional<QString> FilePlanner::literalReplacement() const
{
    const EngineState &s = m_state;
    if (!s.ReplaceWildcards)
        return s.ReplaceText;
    QString replacement;
    for (int i = 1; i <= s.ReplaceBlockCount; ++i) {
        const TMaskBlockS &block = s.ReplaceBlocks[size_t(i)];
        if (block.Kind != mkLiteral)
            return std::nullopt;
        replacement += block.Text;
    }
    return replacement;
}

std::optional<DocumentFileJob> FilePlanner::documentJob() const
{
    if (m_run.replacing && (!m_run.takesAll || m_options.MakeBackups || hasCounters(m_state)))
        return std::nullopt;
    DocumentFileJob job(m_state, m_lineBreaks, m_options.SearchOptions, m_run.replacing,
                        m_run.dryRun, m_run.replacing && m_run.sync == SyncPolicy::File);
    job.setCodePage(m_options.FileCodePage, m_options.CodePageChosen);
    return job;
}
