#include "run/ReviewSession.h"

#include "backup/Backup.h"
#include "document/DocumentFile.h"
#include "engine/EngineState.h"
#include "engine/ReplacementBuilder.h"
#include "engine/ResumeAt.h"
#include "lang/MessageCatalogue.h"
#include "lang/MessageId.h"
#include "options/OptionState.h"
#include "run/RunHost.h"

namespace {

// The smallest edit that turns `before` into `after`: their common start and end are left out.
TextEdit difference(const Document &before, const Document &after)
{
    const QStringView a = before.view(0).from(0);
    const QStringView b = after.view(0).from(0);
    const qsizetype shorter = std::min(a.size(), b.size());
    qsizetype head = 0;
    while (head < shorter && a[head] == b[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    return {head, a.size() - head - tail, b.sliced(head, b.size() - head - tail).toString()};
}

} // namespace

ReviewSession::ReviewSession(EngineState &state, ReplacementBuilder &builder, Backup &backup,
                             RunHost &host, const MessageCatalogue &messages,
                             const OptionState &options)
    : m_state(state)
    , m_builder(builder)
    , m_backup(backup)
    , m_host(host)
    , m_messages(messages)
    , m_options(options)
{
}

LoadStatus ReviewSession::Load(const QString &path)
{
    const LoadStatus status = LoadDocument(m_document, path, options().FileCodePage);
    if (status == LoadStatus::Missing || status == LoadStatus::Unreadable)
        return status;
    // Edits of the previous file must never be undone into this one.
    m_review.rsEditing = false;
    m_beforeEdit.reset();
    m_state.ChosenResume.reset();
    m_savedModified = false;
    m_document.setModified(false);
    m_host.DocumentLoaded(m_document);
    return status;
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

const OptionState &ReviewSession::options() const
{
    return m_runOptions ? *m_runOptions : m_options;
}

bool ReviewSession::backupBeforeFirstChange()
{
    if (m_document.isModified() || m_backup.MakeBackupCopy(m_state.CurrentFileName, options()))
        return true;
    m_state.Aborted = true;
    return false;
}

std::optional<TextEdit> ReviewSession::edit(qsizetype pos, qsizetype count, QStringView text)
{
    std::optional<TextEdit> made = m_document.replace(pos, count, text);
    if (made && !made->changesNothing())
        m_host.DocumentEdited(*made);
    return made;
}

std::optional<TextEdit> ReviewSession::ReplaceSelected()
{
    if (!backupBeforeFirstChange())
        return std::nullopt;
    if (m_state.ReplaceWildcards)
        m_builder.BuildReplacement(m_document.view(m_state.ReplacementSource()));
    const std::optional<TextEdit> made
        = edit(m_state.MatchStart, m_state.MatchLength, m_state.ReplaceText);
    m_state.NextSearchPos = ResumeAt::ofReplacement(m_state.MatchStart, m_state.MatchLength, made,
                                                    m_state.OccurrencesOverlap());
    return made;
}

bool ReviewSession::CanDelete() const
{
    return options().DynamicEdit && !m_review.rsEditing && !m_review.rsSelect;
}

std::optional<TextEdit> ReviewSession::DelSelected()
{
    if (!CanDelete() || !backupBeforeFirstChange())
        return std::nullopt;
    std::optional<TextEdit> made = edit(m_state.MatchStart, m_state.MatchLength, {});
    // A deletion the format refused leaves the occurrence: the search goes on past it.
    if (made)
        m_state.ChosenResume
            = ResumeAt::of(ResumeAt::After::Deleted, m_state.MatchStart, m_state.MatchLength);
    return made;
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
    if (!backupBeforeFirstChange())
        return false;
    m_savedModified = m_document.isModified();
    m_document.setModified(false);
    m_beforeEdit = m_document;
    m_review.rsEditing = true;
    return true;
}

std::optional<TextEdit> ReviewSession::EditText(qsizetype pos, qsizetype count, QStringView text)
{
    return edit(pos, count, text);
}

bool ReviewSession::CancelEdit()
{
    if (m_document.isModified()
        && !m_host.AskYesNo(m_messages.LoadMessage(MsgDiscardEdits),
                            m_messages.LoadMessage(MsgConfirmation), false))
        return false;
    if (m_beforeEdit) {
        const TextEdit undone = difference(m_document, *m_beforeEdit);
        m_document = std::move(*m_beforeEdit);
        if (!undone.changesNothing())
            m_host.DocumentEdited(undone);
    }
    m_document.setModified(m_savedModified);
    leaveEditing();
    return true;
}

void ReviewSession::ContinueAt(qsizetype position)
{
    m_state.ChosenResume
        = ResumeAt::of(ResumeAt::After::Chosen, m_state.MatchStart, m_state.MatchLength, position);
    if (m_savedModified)
        m_document.setModified(true);
    leaveEditing();
}

void ReviewSession::leaveEditing()
{
    m_review.rsEditing = false;
    m_beforeEdit.reset();
}

LoadStatus ReviewSession::PrepareSelect(const QString &path)
{
    m_selection = Document();
    const LoadStatus status = LoadDocument(m_selection, path, options().FileCodePage);
    if (status == LoadStatus::Loaded)
        m_review.rsSelect = true;
    return status;
}

void ReviewSession::UnprepareSelect()
{
    m_review.rsSelect = false;
    m_selection = Document();
}
