#pragma once

#include "document/Document.h"
#include "document/DocumentCodec.h"
#include "run/ReviewState.h"

#include <QString>
#include <QStringView>

#include <optional>

class Backup;
class EngineState;
class MessageCatalogue;
class OptionState;
class ReplacementBuilder;
class RunHost;

// The document of the file in hand and what can be done to it while an occurrence is under
// review: replace it, delete it, edit the text freely and choose where the search goes on, or
// abort. The review window shows the document and calls these actions; so do the command-line
// tool and the tests. Every first change of a freshly loaded document asks for its backup copy,
// and every change is told to the host as it was actually made.
//
// Select mode lends the review to picking a block of some file; that file is read into a
// document of its own, so the run's document is never touched by it.
class ReviewSession {
public:
    ReviewSession(EngineState &state, ReplacementBuilder &builder, Backup &backup, RunHost &host,
                  const MessageCatalogue &messages, const OptionState &options);

    // The options of the run in hand, which it took when it started (nullptr when no run goes
    // on: the option state's own). Dynamic editing and backups follow them.
    void setRunOptions(const OptionState *options) { m_runOptions = options; }

    const Document &document() const { return m_document; }
    const EngineState &state() const { return m_state; }
    ReviewState &reviewState() { return m_review; }
    const ReviewState &reviewState() const { return m_review; }

    // Reads the file at `path` into the run's document, unchanged, and leaves any free
    // editing of the previous one. On Missing or Unreadable the document stays as it was.
    LoadStatus Load(const QString &path);

    void PrepareFind();
    void PrepareReplace();

    // Replaces the occurrence with the replacement text and sets where the search goes on.
    // Returns the edit as made. Nothing when no replacement was made: the backup copy was
    // refused (Aborted is then set) or the file's format has no place for the text there.
    std::optional<TextEdit> ReplaceSelected();
    // Whether Del deletes the occurrence now: the option is on and neither free editing nor
    // select mode is under way.
    bool CanDelete() const;
    // Deletes the occurrence; the search goes on where it began. Nothing when CanDelete() is
    // false or nothing was deleted (the backup copy refused: Aborted is set). The review
    // closes with ModalResult::No after an edit.
    std::optional<TextEdit> DelSelected();
    // Asks whether to abort; on Yes sets Aborted and returns true (close with Abort).
    bool TryToAbort();

    // Enters free editing. False when the backup copy was refused (Aborted is then set).
    bool PrepareEdit();
    // One free edit of the document while editing: the edit as made, or nothing when the
    // format refused it.
    std::optional<TextEdit> EditText(qsizetype pos, qsizetype count, QStringView text);
    // Leaves editing and undoes its edits, after asking when there were any. False when the
    // user chose to go on editing.
    bool CancelEdit();
    // Leaves editing, keeping the edits, and has the search go on at `position` (the caret).
    // The review then closes with ModalResult::No.
    void ContinueAt(qsizetype position);
    // As ContinueAt, from the start of the document.
    void ContinueFromStart() { ContinueAt(0); }
    // As ContinueAt, past the end of the document: the run goes on with the next file.
    void ContinueWithNextFile() { ContinueAt(m_document.length() + 1); }

    // Select mode on the file at `path`, read into a document of its own.
    LoadStatus PrepareSelect(const QString &path);
    const Document &selection() const { return m_selection; }
    // Leaves select mode and lets its document go.
    void UnprepareSelect();

private:
    bool backupBeforeFirstChange();
    std::optional<TextEdit> edit(qsizetype pos, qsizetype count, QStringView text);
    void leaveEditing();
    const OptionState &options() const;

    EngineState &m_state;
    ReplacementBuilder &m_builder;
    Backup &m_backup;
    RunHost &m_host;
    const MessageCatalogue &m_messages;
    const OptionState &m_options;
    const OptionState *m_runOptions = nullptr;
    Document m_document;
    Document m_selection;
    ReviewState m_review;
    bool m_savedModified = false;
    std::optional<Document> m_beforeEdit;
};
