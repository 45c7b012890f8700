#include "run/PreviewRun.h"

#include "engine/EngineState.h"
#include "run/QuorvexCore.h"

PreviewRun::PreviewRun(QuorvexCore &core, RunHost &host)
    : m_core(core), m_host(host, m_list), m_report(m_host)
{
}

ProcessingDriver::Outcome PreviewRun::preview(const RunRequest &request)
{
    m_list.clear();
    m_request = request;
    m_request.options = m_core.options;
    m_request.fixedOptions = true;
    m_request.unattended = false;
    const ProcessingDriver::Outcome outcome = runWith(PreviewHost::Mode::Record, true, m_report);
    // Nobody reads the dry run's report: a line per file is not kept for nothing.
    m_report.Clear();
    m_counters = m_request.replaceMode && hasCounters();
    return outcome;
}

void PreviewRun::renumber()
{
    if (m_counters) {
        runWith(PreviewHost::Mode::Renumber, true, m_report);
        m_report.Clear();
    }
}

ProcessingDriver::Outcome PreviewRun::apply()
{
    const ProcessingDriver::Outcome outcome
        = runWith(PreviewHost::Mode::Answer, false, m_core.report);
    m_list.clear();
    return outcome;
}

ProcessingDriver::Outcome PreviewRun::runWith(PreviewHost::Mode mode, bool dryRun, Report &report)
{
    RunRequest request = m_request;
    request.dryRun = dryRun;
    // Recording may read files ahead, as the request allows, each file's occurrences told to
    // the host as the run takes it, in list order. Answering goes through every occurrence on
    // this thread, one by one.
    request.listsOccurrences = mode == PreviewHost::Mode::Record;
    if (!request.listsOccurrences) {
        request.bytePath = false;
        request.workers = 1;
    }
    // A dry run makes no backup copy: it writes nothing at all.
    if (dryRun)
        request.options.MakeBackups = false;
    // Recording takes every occurrence unasked, as "Yes to all" would; applying and renumbering
    // answer each occurrence from the ticks.
    request.options.ConfirmReplace = mode != PreviewHost::Mode::Record;
    m_host.setMode(mode);
    const RunServices services{m_core.engine, m_core.options, m_core.messages, m_core.review,
                               m_host,        report,         m_core.backup};
    ProcessingDriver driver(services, m_core.builder);
    const ProcessingDriver::Outcome outcome = driver.ProcessFilesExecute(request);
    m_totals = driver.LastTotals();
    return outcome;
}

bool PreviewRun::hasCounters() const
{
    const EngineState &s = m_core.engine;
    if (!s.ReplaceWildcards)
        return false;
    for (int i = 1; i <= s.ReplaceBlockCount; ++i) {
        if (s.ReplaceBlocks[size_t(i)].Kind == mkCounter)
            return true;
    }
    return false;
}
