#include "run/ReviewSession.h"

#include "backup/Backup.h"
#include "engine/EngineState.h"
#include "engine/ReplacementBuilder.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "run/RunHost.h"

ReviewSession::ReviewSession(EngineState &state, ReplacementBuilder &builder, Backup &backup,
                             RunHost &host, const MessageCatalogue &messages)
    : m_state(state), m_builder(builder), m_backup(backup), m_host(host), m_messages(messages)
{
}

void ReviewSession::PrepareFind()
{
    m_review.rsFind = true;
    m_review.rsReplace = false;
}

void ReviewSession::PrepareReplace()
{
    m_review.rsReplace = true;
    m_review.rsFind = false;
}

bool ReviewSession::BackupBeforeFirstChange()
{
    if (m_document.isModified() || m_backup.MakeBackupCopy(m_state.CurrentFileName))
        return true;
    m_state.Aborted = true;
    return false;
}

bool ReviewSession::ReplaceSelected()
{
    if (!BackupBeforeFirstChange())
        return false;
    if (m_state.ReplaceWildcards)
        m_builder.BuildReplacement(m_document.view(m_state.MatchStart));
    const std::optional<TextEdit> made
        = m_document.replace(m_state.MatchStart, m_state.MatchLength, m_state.ReplaceText);
    // Go on right after the inserted text: it is never searched again, and an occurrence that
    // follows at once is still found. An empty match must still move the search on. (A
    // format may widen the edit, keeping a table cell whole; the search goes on after it.)
    m_state.NextSearchPos = made ? made->pos + made->inserted : m_state.MatchStart + 1;
    if (m_state.MatchLength == 0)
        ++m_state.NextSearchPos;
    return true;
}

bool ReviewSession::DelSelected()
{
    if (!BackupBeforeFirstChange())
        return false;
    m_document.replace(m_state.MatchStart, m_state.MatchLength, {});
    // The run resumes one past MatchStart, which is where the occurrence began.
    m_state.MatchStart -= 1;
    return true;
}

bool ReviewSession::TryToAbort()
{
    if (!m_host.AskYesNo(m_messages.LoadMessage(MsgAbortQuestion),
                         m_messages.LoadMessage(MsgConfirmation), false))
        return false;
    m_state.Aborted = true;
    return true;
}

bool ReviewSession::PrepareEdit()
{
    if (!BackupBeforeFirstChange())
        return false;
    m_savedModified = m_document.isModified();
    m_document.setModified(false);
    m_beforeEdit = m_document;
    m_review.rsEditing = true;
    return true;
}

void ReviewSession::EditText(qsizetype pos, qsizetype count, QStringView text)
{
    m_document.replace(pos, count, text);
}

bool ReviewSession::CancelEdit()
{
    if (m_document.isModified()
        && !m_host.AskYesNo(m_messages.LoadMessage(MsgDiscardEdits),
                            m_messages.LoadMessage(MsgConfirmation), false))
        return false;
    if (m_beforeEdit)
        m_document = std::move(*m_beforeEdit);
    m_document.setModified(m_savedModified);
    UnprepareEdit();
    return true;
}

void ReviewSession::ContinueAt(qsizetype position)
{
    // The run resumes one past MatchStart.
    m_state.MatchStart = position - 1;
    if (m_savedModified)
        m_document.setModified(true);
    UnprepareEdit();
}

void ReviewSession::UnprepareEdit()
{
    m_review.rsEditing = false;
    m_beforeEdit.reset();
}
