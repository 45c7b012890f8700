#pragma once

#include "backup/BackupHost.h"

#include <QString>

class ReviewSession;

// Everything a run needs from whoever drives it: the windows, the command-line tool or a test.
// Run logic talks to the user only through this interface.
class RunHost : public BackupHost {
public:
    // Shows the occurrence (session.state().MatchStart/MatchLength in session.document()) and
    // returns a ModalResult. Before answering, the host may act through the session: delete
    // the occurrence, edit the text, choose where the search goes on, or ask to abort.
    virtual int ShowOccurrence(ReviewSession &session) = 0;

    // A modal Yes/No question; true for Yes.
    virtual bool AskYesNo(const QString &text, const QString &caption, bool questionIcon) = 0;
    // A plain message with an OK button.
    virtual void ShowMessage(const QString &text) = 0;

    virtual void ProgressStart(int fileCount) { Q_UNUSED(fileCount); }
    virtual void ProgressStep(const QString &fileName) { Q_UNUSED(fileName); }
    virtual void ProgressEnd() { }

    // The file in hand (its name without folder), or empty when the run is over.
    virtual void ReviewFileChanged(const QString &fileName) { Q_UNUSED(fileName); }
    // A report line as the run appends it; the whole report is in Report as well.
    virtual void ReportLineAppended(const QString &line) { Q_UNUSED(line); }
    // The run is over and its report complete.
    virtual void ReportFinished() { }
    // Every occurrence the run meets, found, skipped or replaced: position and length in the
    // document as it stands, the matched text, and the text put in its place (null if none).
    virtual void OccurrenceMet(const QString &path, qsizetype start, const QString &matched,
                               const QString &replacement)
    {
        Q_UNUSED(path);
        Q_UNUSED(start);
        Q_UNUSED(matched);
        Q_UNUSED(replacement);
    }
    // A point where a window may handle pending events.
    virtual void ProcessPendingEvents() { }
};
