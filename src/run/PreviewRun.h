#pragma once

#include "run/PreviewHost.h"
#include "run/PreviewList.h"
#include "run/ProcessingDriver.h"
#include "run/Report.h"
#include "run/RunRequest.h"

class QuorvexCore;

// A replace job seen before it is done. The preview is the job itself run dry, so it cannot
// disagree with the run: every occurrence it meets is listed, ticked. Apply is the job run for
// real with the ticks as its answers (its backups, numbering, report and checks are the run's
// own); a file changed on disk since the preview is not written, and the report says so.
class PreviewRun {
public:
    PreviewRun(QuorvexCore &core, RunHost &host);

    // Runs `request` dry, with the options as they stand, and lists what it meets.
    ProcessingDriver::Outcome preview(const RunRequest &request);
    // Whether the replacements hold running numbers, which follow the ticks.
    bool numbersFollowTicks() const { return m_counters; }
    // Runs the job dry again answering from the ticks, so that the replacements listed are
    // the ones applying would make.
    void renumber();
    // Replaces the ticked occurrences, through the run; the list is empty afterwards.
    ProcessingDriver::Outcome apply();

    const RunRequest &request() const { return m_request; }
    PreviewList &list() { return m_list; }
    const PreviewList &list() const { return m_list; }
    // The totals of the last run (the preview, a renumbering, or the apply).
    const ProcessingDriver::Totals &LastTotals() const { return m_totals; }

private:
    ProcessingDriver::Outcome runWith(PreviewHost::Mode mode, bool dryRun, Report &report);
    bool hasCounters() const;

    QuorvexCore &m_core;
    PreviewList m_list;
    PreviewHost m_host;
    Report m_report; // the dry runs' own, kept out of the window's
    RunRequest m_request;
    bool m_counters = false;
    ProcessingDriver::Totals m_totals;
};
