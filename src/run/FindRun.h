#pragma once

#include "run/BatchRun.h"

// Counts the occurrences of the search pattern in every file of the list, showing each one
// unless the user has asked not to be asked, and writes back documents the user changed.
class FindRun : public BatchRun {
public:
    explicit FindRun(const RunServices &services) : BatchRun(services) { }

    void run(const FileFeed &files);

    bool DontAsk = false;
    int FilesProcessed = 0;
    int FilesWithHits = 0;
    int TotalHits = 0;
    int FileHits = 0;

private:
    std::optional<FileJobResult> reviewFile() override;
    void finishFile(const FileJobResult &result) override;
    bool replacing() const override { return false; }
    bool mayShowOccurrences() const override { return !DontAsk && !m_unattended; }
    // The file's report line and its share of the totals.
    void countFile();
};
