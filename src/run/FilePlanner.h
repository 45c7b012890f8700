#pragma once

#include "io/SyncPolicy.h"
#include "run/AheadWorkers.h"
#include "run/ByteFileJob.h"
#include "run/DocumentFileJob.h"
#include "run/PatternLineBreaks.h"
#include "run/RegexByteJob.h"

#include <optional>

class EngineState;
class OptionState;
class RunJournal;

// The first stage of a run: decides how each file is worked through when nobody is shown its
// occurrences. A literal pattern that ByteFileJob can look for is searched on the file's bytes;
// a file that the byte path does not clear, and every file of a pattern it cannot take, is read
// into a document (DocumentFileJob). Files whose occurrences are shown are reviewed one by one by
// the run itself, on the same engine.
class FilePlanner {
public:
    // What the run is at the moment the plan is made.
    struct Run {
        bool replacing = false;
        bool dryRun = false;
        // Every occurrence will be taken as found (replaced, or counted) without being shown.
        bool takesAll = false;
        SyncPolicy sync = SyncPolicy::File;
        int workers = 1;
        // Set when the host is told every occurrence: files go ahead as bytes only, each
        // occurrence told as it is met, which the run's own thread must do in list order.
        // `taken` says whether the file was started already: the run reports the repeat.
        ByteOccurrenceReport::Sink occurrences;
        std::function<bool(const QString &path)> taken;
        // The host is told each occurrence (RunRequest::listsOccurrences): the byte path then
        // takes only files all in ASCII, where a byte's place is a character's.
        bool lists = false;
        // Keeps each replaced file for an undo: linked on the worker, once its new file is
        // written (RunJournal::keepAhead).
        RunJournal *journal = nullptr;
    };

    FilePlanner(const EngineState &state, const PatternLineBreaks &lineBreaks,
                const OptionState &options, const Run &run)
        : m_state(state), m_lineBreaks(lineBreaks), m_options(options), m_run(run)
    {
    }

    // The job the worker threads run on each file; nothing when this run cannot hand files out
    // (backups to make, running numbers that count in list order, a pattern only the review
    // can take).
    std::optional<AheadWorkers::Job> aheadJob() const;

    // The running numbers' next values; a run that has any must count in list order.
    static bool hasCounters(const EngineState &state);

private:
    std::optional<ByteFileJob> byteJob() const;
    std::optional<DocumentFileJob> documentJob() const;
    std::optional<RegexByteJob> regexByteJob() const;
    std::optional<QString> literalReplacement() const;

    const EngineState &m_state;
    const PatternLineBreaks &m_lineBreaks;
    const OptionState &m_options;
    Run m_run;
};
