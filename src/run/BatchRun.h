#pragma once

#include "engine/OccurrenceFinder.h"
#include "lang/MessageCatalogue.h"
#include "run/PatternLineBreaks.h"
#include "run/Report.h"
#include "run/RunServices.h"

#include <QString>
#include <QStringList>

class Document;

// What the find run and the replace run share: the walk over the file list, loading each
// file, searching, writing a changed document back, and the end of the run.
class BatchRun {
public:
    // A dry run changes documents in memory only and never writes a file.
    void setDryRun(bool dryRun) { m_dryRun = dryRun; }

    // Files that could not be read, or whose changes could not be written.
    int FilesFailed = 0;

protected:
    explicit BatchRun(const RunServices &services);
    virtual ~BatchRun() = default;

    // Loads, reviews and finishes each file in turn until the list ends or the run is aborted;
    // then the abort message, if any.
    void walkFiles(const QStringList &files);
    // Works through the file in hand; false when the run was aborted in it.
    virtual bool reviewFile() = 0;
    // Reports the file in hand, counts it and writes it back when it was changed.
    virtual void finishFile() = 0;

    // Sets CurrentFileName, advances the progress and loads the file. False when the file is
    // missing or cannot be handled (those two are reported): it is then not processed.
    bool startFile(const QString &path);
    // Searches from NextSearchPos, setting MatchStart and MatchLength.
    void search();
    // Writes the document back, asking whether to retry while it fails. A file that cannot
    // be written faithfully is left as it is on disk and reported; false then.
    bool writeBack();
    // The abort message when the run was aborted, and the review no longer names a file.
    void finishRun();
    // The separator, "Итого:" and the processed and unprocessed files.
    void appendTotalsHead(int filesProcessed, qsizetype listCount);
    // Tells the host about an occurrence once the run has dealt with it.
    void notifyOccurrence(qsizetype start, const QString &matched, const QString &replacement);

    template <typename... Args>
    void appendLine(int id, const Args &...args)
    {
        m.report.Append(m.messages.message(id, args...));
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
};
