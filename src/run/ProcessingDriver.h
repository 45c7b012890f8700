#pragma once

#include "io/TempBudget.h"
#include "run/RunRequest.h"
#include "run/RunServices.h"

#include <QString>

#include <optional>

class FileFeed;
class ReplacementBuilder;

// The processing command: checks that there is something to do, takes the patterns into the
// engine, compiles them and runs the find or the replace run over the file list.
class ProcessingDriver {
public:
    enum class Outcome {
        Busy,
        NothingToProcess,
        NothingToFind,
        BadPattern,
        BackupFolderRefused,
        Ran
    };

    ProcessingDriver(const RunServices &services, ReplacementBuilder &builder)
        : m(services), m_builder(builder)
    {
    }

    Outcome ProcessFilesExecute(const RunRequest &original);

    // Totals of the last run, for callers that act on them (the command-line tool's status).
    struct Totals {
        int filesProcessed = 0;
        int occurrences = 0;
        int replacements = 0;
        int filesChanged = 0;
        int filesFailed = 0;
        bool aborted = false;
    };
    const Totals &LastTotals() const { return m_totals; }

    // How runs learn the free space of a file system (tests put in their own).
    TempBudget::FreeSpace freeSpace = TempBudget::systemFreeSpace;

private:
    bool compilePatterns(const RunRequest &request);
    // Compiles a regular expression and its replacement; the refusal when the library or the
    // replacement's references refuse them.
    std::optional<QString> compileRegex(const RunRequest &request);
    void run(const RunRequest &request, const FileFeed &files);

    RunServices m;
    ReplacementBuilder &m_builder;
    Totals m_totals;
};
