#pragma once

#include "document/BytePositions.h"
#include "document/ByteText.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

struct OccurrenceRecord;

// Tells each occurrence a byte job meets in one file, as it meets it, with what a run over
// the file's document would tell of it: the text offset, line and column in the text as it
// stands then (earlier replacements made), the text matched (decoded from the file's bytes)
// and the replacement put in its place.
class ByteOccurrenceReport {
public:
    // Tells an occurrence; false, before telling it, when the run is to stop there.
    using Sink = std::function<bool(const OccurrenceRecord &)>;

    // What is put in place of every occurrence, if anything: the replacement as told (null
    // when the run tells none) and the bytes the file takes it in.
    struct Replacement {
        bool made = false;
        const QString &text;
        QByteArrayView bytes;
    };

    // `charset` is the one the file is read in (Utf8 or Cp1251, any 8-bit code page reading
    // ASCII alike); occurrences are `length` bytes long. Everything given must outlive this.
    ByteOccurrenceReport(const Sink &sink, const QString &path, QByteArrayView bytes,
                         ByteText::Charset charset, qsizetype length,
                         const Replacement &replacement);

    // The occurrence at byte `at`: after the end of the one before it when text is put in
    // place, else after its start. False when the run is to stop before it.
    bool met(qsizetype at);

private:
    const Sink *m_sink;
    const QString *m_path;
    QByteArrayView m_bytes;
    bool m_utf8;
    qsizetype m_length;
    bool m_replaces;
    const QString *m_replacement;
    QByteArrayView m_replacementBytes;
    BytePositions m_positions;
    qsizetype m_read = 0; // the file's bytes before this one are read into m_positions
};
