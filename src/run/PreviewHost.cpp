#include "run/PreviewHost.h"

#include "engine/EngineState.h"
#include "run/FoundOccurrences.h"
#include "run/OccurrenceRecord.h"
#include "run/ReviewSession.h"

void PreviewHost::setMode(Mode mode)
{
    m_mode = mode;
    m_path.clear();
    m_file = -1;
    m_next = 0;
    m_row = -1;
    m_shift = 0;
}

ModalResult PreviewHost::ShowOccurrence(ReviewSession &session)
{
    if (m_mode == Mode::Record)
        return ModalResult::Yes;
    const EngineState &s = session.state();
    if (m_file < 0 || s.CurrentFileName != m_path) {
        m_path = s.CurrentFileName;
        m_file = m_list.indexOf(m_path);
        m_next = 0;
        m_shift = 0;
    }
    m_row = m_file >= 0 ? rowAt(s.MatchStart - m_shift, s.MatchLength) : -1;
    return m_row >= 0 && m_list.at(m_row).ticked ? ModalResult::Yes : ModalResult::No;
}

// The file's occurrences are in text order, and so is the run. An occurrence skipped lets the
// search go on inside it, where it may meet one that the preview, which replaced it, never
// met: such an occurrence has no row, and is left alone.
qsizetype PreviewHost::rowAt(qint64 start, qsizetype length)
{
    const PreviewList::File &file = m_list.file(m_file);
    while (m_next < file.count && m_list.at(file.first + m_next).start < start)
        ++m_next;
    if (m_next == file.count)
        return -1;
    const PreviewList::Occurrence &o = m_list.at(file.first + m_next);
    if (o.start != start || o.length != length)
        return -1;
    return file.first + m_next++;
}

void PreviewHost::OccurrenceMet(const OccurrenceRecord &occurrence)
{
    if (m_mode == Mode::Record) {
        record(occurrence.path,
               occurrence.document ? occurrence.document->sourceStamp() : std::nullopt,
               occurrence.start, occurrence.matched.size(), occurrence.replacement);
    } else {
        if (m_mode == Mode::Renumber && m_row >= 0 && !occurrence.replacement.isNull())
            m_list.setReplacement(m_row, occurrence.replacement);
        if (!occurrence.replacement.isNull())
            m_shift += occurrence.replacement.size() - occurrence.matched.size();
    }
    inner().OccurrenceMet(occurrence);
}

// A file worked through ahead: its occurrences as the run would have told them one by one.
void PreviewHost::OccurrencesFound(const QString &path, const FoundOccurrences &found)
{
    if (m_mode == Mode::Record && !found.entries.empty()) {
        m_list.addFile(path, found);
        m_file = -1; // an occurrence met next is in a new file, even when named as this one
    }
    inner().OccurrencesFound(path, found);
}

void PreviewHost::record(const QString &path, const std::optional<FileStamp> &stamp, qint64 start,
                         qsizetype length, const QString &replacement)
{
    if (m_file < 0 || path != m_path) {
        m_path = path;
        m_file = m_list.addFile(m_path, stamp);
        m_shift = 0;
    }
    // The text before the occurrence moved by what earlier replacements in the file changed.
    m_list.add(start - m_shift, length, replacement);
    if (!replacement.isNull())
        m_shift += replacement.size() - length;
}

bool PreviewHost::MayWorkOn(const QString &path, const Document &document)
{
    if (m_mode == Mode::Record)
        return inner().MayWorkOn(path, document);
    const qsizetype file = m_list.indexOf(path);
    // A file with nothing ticked is not changed whatever it holds now.
    if (file < 0 || m_list.file(file).ticked == 0)
        return inner().MayWorkOn(path, document);
    const std::optional<FileStamp> &then = m_list.file(file).stamp;
    const std::optional<FileStamp> &now = document.sourceStamp();
    return then && now && now->sameContent(*then) && inner().MayWorkOn(path, document);
}

void PreviewHost::ReportLineAppended(const QString &line)
{
    if (m_mode == Mode::Answer)
        inner().ReportLineAppended(line);
}

void PreviewHost::ReportFinished()
{
    if (m_mode == Mode::Answer)
        inner().ReportFinished();
}
