#pragma once

#include "backup/BackupHost.h"
#include "run/ModalResult.h"

#include <QString>

class Document;
class ReviewSession;
struct FileOutcome;
struct FoundOccurrences;
struct OccurrenceRecord;
struct TextEdit;

// Everything a run needs from whoever drives it: the windows, the command-line tool or a test.
// Run logic talks to the user only through this interface, and tells it every change it makes
// to the document in hand, so that a view of the document can follow without rereading it.
class RunHost : public BackupHost {
public:
    // Shows the occurrence (session.state().MatchStart/MatchLength in session.document()) and
    // returns the answer. Before answering, the host may act through the session: delete
    // the occurrence, edit the text, choose where the search goes on, or ask to abort.
    virtual ModalResult ShowOccurrence(ReviewSession &session) = 0;

    // A modal Yes/No question; true for Yes.
    virtual bool AskYesNo(const QString &text, const QString &caption, bool questionIcon) = 0;
    // A plain message with an OK button.
    virtual void ShowMessage(const QString &text) = 0;

    // The run's progress: the number of files, then one step per file, then the end (also
    // after an abort or a stop).
    virtual void ProgressStart(int fileCount) { Q_UNUSED(fileCount); }
    virtual void ProgressStep(const QString &fileName) { Q_UNUSED(fileName); }
    virtual void ProgressEnd() { }

    // The file in hand (its name without folder), or empty when the run is over.
    virtual void ReviewFileChanged(const QString &fileName) { Q_UNUSED(fileName); }
    // A file has been loaded: `document` is now the document in hand, unchanged.
    virtual void DocumentLoaded(const Document &document) { Q_UNUSED(document); }
    // The document in hand changed: by a replacement, a deletion, a free edit, or cancelling
    // free editing (which puts the text back as it was). Every change is told, in order.
    virtual void DocumentEdited(const TextEdit &edit) { Q_UNUSED(edit); }

    // A report line as the run appends it; the whole report is in Report as well.
    virtual void ReportLineAppended(const QString &line) { Q_UNUSED(line); }
    // The run is over and its report complete.
    virtual void ReportFinished() { }
    // Every occurrence the run meets, once the run has dealt with it.
    virtual void OccurrenceMet(const OccurrenceRecord &occurrence) { Q_UNUSED(occurrence); }
    // Instead of OccurrenceMet, for a run that lists its occurrences (RunRequest::
    // listsOccurrences): every occurrence of a file worked through ahead, at once, told in
    // list order as the run takes the file.
    virtual void OccurrencesFound(const QString &path, const FoundOccurrences &found)
    {
        Q_UNUSED(path);
        Q_UNUSED(found);
    }

    // How the run ended with a file, once that is known (after its write); every entry of
    // the list gets one, missing files and repeats included, unless the run stopped first.
    virtual void FileFinished(const FileOutcome &outcome) { Q_UNUSED(outcome); }
    // A point where a window may handle pending events.
    virtual void ProcessPendingEvents() { }
    // Asked before each file and before each occurrence: true stops the run there, as an
    // abort does.
    virtual bool StopRequested() { return false; }
    // Whether the file just loaded (`document`, unchanged) may be worked on. A run that
    // applies a preview refuses a file changed on disk since the preview was made.
    virtual bool MayWorkOn(const QString &path, const Document &document)
    {
        Q_UNUSED(path);
        Q_UNUSED(document);
        return true;
    }
};
