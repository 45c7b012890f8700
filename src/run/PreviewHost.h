#pragma once

#include "run/PreviewList.h"
#include "run/RunHostRelay.h"

// The host of a preview's runs, in front of the window's (or a test's) host.
//
// Recording, it answers yes to every occurrence of a dry run and notes each one in the list,
// by its place in the file as read; the run's report is its own and not passed on.
// Answering, it answers every occurrence from the ticks, matched by its place in the file as
// read, and refuses a file with ticked occurrences that changed on disk since the preview read
// it. Renumbering is answering in a dry run, noting the replacements made (running numbers
// follow the ticks).
class PreviewHost : public RunHostRelay {
public:
    enum class Mode { Record, Answer, Renumber };

    PreviewHost(RunHost &inner, PreviewList &list) : RunHostRelay(inner), m_list(list) { }

    void setMode(Mode mode);

    ModalResult ShowOccurrence(ReviewSession &session) override;
    void OccurrenceMet(const OccurrenceRecord &occurrence) override;
    void OccurrencesFound(const QString &path, const FoundOccurrences &found) override;
    bool MayWorkOn(const QString &path, const Document &document) override;
    void ReportLineAppended(const QString &line) override;
    void ReportFinished() override;

private:
    // Notes an occurrence of `path` where the run met it (`start`, in the text as edited).
    void record(const QString &path, const std::optional<FileStamp> &stamp, qint64 start,
                qsizetype length, const QString &replacement);
    // The row of the occurrence at `start` (in the text as read) of the file in hand, or -1.
    qsizetype rowAt(qint64 start, qsizetype length);

    PreviewList &m_list;
    Mode m_mode = Mode::Record;
    QString m_path; // the file in hand
    qsizetype m_file = -1;
    qsizetype m_next = 0; // its next occurrence
    qsizetype m_row = -1; // the occurrence last answered
    qint64 m_shift = 0; // how far the file's text moved so far
};
