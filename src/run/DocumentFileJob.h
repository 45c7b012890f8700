#pragma once

#include "document/DocumentFile.h"
#include "engine/EngineState.h"
#include "engine/SearchOptions.h"
#include "run/ByteFileJob.h"
#include "run/PatternLineBreaks.h"

#include <QString>

class Document;

// Works through one file as a document ahead of the run, on a worker thread, for runs that ask
// nothing and show nothing: every occurrence is counted (a find run, overlapping) or replaced
// (a replace run), exactly as the run itself would, with its own copy of the engine state. A
// changed document is written beside its file for the run to put in place. Not for running
// numbers, which must count in list order.
class DocumentFileJob {
public:
    DocumentFileJob(const EngineState &state, const PatternLineBreaks &lineBreaks,
                    const SearchOptions &options, bool replacing, bool dryRun, bool syncEach)
        : m_state(state)
        , m_lineBreaks(lineBreaks)
        , m_options(options)
        , m_replacing(replacing)
        , m_dryRun(dryRun)
        , m_syncEach(syncEach)
    {
    }

    FileJobResult process(const QString &path) const;
    // Files neither UTF-8 nor marked are read in `page`; unless `chosen`, one that looks like
    // another code page is left to the run (Kind::Fallback), which tells the user about it.
    void setCodePage(CodePage page, bool chosen)
    {
        m_codePage = page;
        m_codePageChosen = chosen;
    }

    // Each occurrence is noted in the result (FileJobResult::found), with the file's stamp.
    void setListing(bool listing) { m_listing = listing; }

private:
    static bool streams(const Document &document, const QString &path);
    void workThrough(Document &document, const QString &path, FileJobResult &result) const;
    void replaceStreamed(const Document &document, const QString &path,
                         FileJobResult &result) const;
    void note(FileJobResult &result, qint64 start, qsizetype length,
              const QString &replacement) const;
    static FileJobResult patternLimitHit(const FileJobResult &done);
    static void takePrepared(DocumentFile::Prepared prepared, FileJobResult &result);

    EngineState m_state;
    PatternLineBreaks m_lineBreaks;
    SearchOptions m_options;
    bool m_replacing;
    bool m_dryRun;
    bool m_syncEach;
    CodePage m_codePage = CodePage::Cp1251;
    bool m_codePageChosen = false;
    bool m_listing = false;
};
