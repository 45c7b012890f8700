#pragma once

#include "document/Document.h"
#include "run/ReviewState.h"

#include <QString>
#include <QStringView>

#include <optional>

class Backup;
class EngineState;
class MessageCatalogue;
class ReplacementBuilder;
class RunHost;

// The document of the file in hand and what can be done to it while an occurrence is under
// review: replace it, delete it, edit the text freely and choose where the search goes on, or
// abort. The review window shows the document and calls these actions; so do the command-line
// tool and the tests. Every first change of a freshly loaded document asks for its backup copy.
class ReviewSession {
public:
    ReviewSession(EngineState &state, ReplacementBuilder &builder, Backup &backup, RunHost &host,
                  const MessageCatalogue &messages);

    Document &document() { return m_document; }
    const Document &document() const { return m_document; }
    EngineState &state() { return m_state; }
    const EngineState &state() const { return m_state; }
    ReviewState &reviewState() { return m_review; }

    void PrepareFind();
    void PrepareReplace();

    // Replaces the occurrence with the replacement text and sets where the search goes on.
    // False when the backup copy was refused: the document is untouched and Aborted is set.
    bool ReplaceSelected();
    // Deletes the occurrence; the search goes on where it began. False as for ReplaceSelected
    // (the review then stays open). The review closes with ModalResult::No after true.
    bool DelSelected();
    // Asks whether to abort; on Yes sets Aborted and returns true (close with Abort).
    bool TryToAbort();

    // Enters free editing. False when the backup copy was refused.
    bool PrepareEdit();
    // One free edit of the document while editing.
    void EditText(qsizetype pos, qsizetype count, QStringView text);
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

private:
    bool BackupBeforeFirstChange();
    void UnprepareEdit();

    EngineState &m_state;
    ReplacementBuilder &m_builder;
    Backup &m_backup;
    RunHost &m_host;
    const MessageCatalogue &m_messages;
    Document m_document;
    ReviewState m_review;
    bool m_savedModified = false;
    std::optional<Document> m_beforeEdit;
};
