#pragma once

#include "engine/OccurrenceWalk.h"
#include "run/BatchRun.h"

class ReplacementBuilder;

// Replaces the occurrences of the search pattern in every file of the list, asking for each
// one unless a standing answer applies, and writes every changed document back.
class ReplaceRun : public BatchRun {
public:
    ReplaceRun(const RunServices &services, ReplacementBuilder &builder)
        : BatchRun(services), m_builder(builder)
    {
    }

    void run(const FileFeed &files, const QString &replacementPattern);

    bool ReplaceAll = false;
    bool SkipAll = false;
    int FilesProcessed = 0;
    int FilesChanged = 0;
    int TotalReplacements = 0;
    int TotalOccurrences = 0;
    int FileHits = 0;
    int FileReplacements = 0;

private:
    std::optional<FileJobResult> reviewFile() override;
    OccurrenceWalk::Step handleOccurrence();
    OccurrenceWalk::Step replaceOccurrence();
    void finishFile(const FileJobResult &result) override;
    bool replacing() const override { return true; }
    bool takesAll() const override { return ReplaceAll; }
    bool mayShowOccurrences() const override { return !ReplaceAll && !SkipAll; }
    void settleFile(bool changed, const std::function<void(const WriteDone &)> &write);
    void appendTotals(qsizetype listCount);
    // The running numbers' next values, to give back a refused file's numbers.
    QList<qint64> counters() const;
    void restoreCounters(const QList<qint64> &values);

    QList<qint64> m_countersAtStart;

    ReplacementBuilder &m_builder;
};
