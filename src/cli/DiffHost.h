#pragma once

#include "run/RunHostRelay.h"

#include <QByteArray>
#include <QTextStream>

class Document;

// The host of a dry run whose output is a unified diff of what the run would write: for each
// file it would change, the file's bytes on disk against the bytes it would write, so that
// `patch -p0` makes of a copy what the run makes. A file in another encoding than UTF-8 (and
// not plain ASCII) is shown decoded, its encoding after its name; such a diff is for reading.
// The report is not printed (it would get in the patch's way); everything else goes on to the
// terminal's host.
class DiffHost : public RunHostRelay {
public:
    DiffHost(RunHost &inner, QTextStream &out, bool color)
        : RunHostRelay(inner), m_out(out), m_color(color)
    {
    }

    void ReportLineAppended(const QString &line) override { Q_UNUSED(line); }
    void OccurrenceMet(const OccurrenceRecord &occurrence) override;
    void FileFinished(const FileOutcome &outcome) override;

    // The diff of `document` (changed) against the file at `path`; empty when the file would
    // not change or the document cannot be written.
    static QByteArray diffOf(const Document &document, const QString &path);
    // `diff` with ANSI colours: headers bold, hunk lines cyan, removed red, added green.
    static QByteArray coloured(const QByteArray &diff);

private:
    QTextStream &m_out;
    bool m_color = false;
    const Document *m_document = nullptr; // the document in hand, once an occurrence was met
};
