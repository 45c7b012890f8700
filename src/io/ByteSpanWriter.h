#pragma once

#include "io/SerialWorker.h"
#include "io/SpareList.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstring>
#include <vector>

class TempFileWriter;

// Writes consecutive byte spans that stay in place (the stretches of a mapped file between
// matches, a replacement) into a new file. With a thread the spans are written there, in
// batches, while the caller goes on looking for the next ones.
class ByteSpanWriter {
public:
    // Bytes handed to the thread at once.
    static constexpr qsizetype Chunk = qsizetype(1) << 20;
    // Outputs from this size on are worth a thread of their own.
    static constexpr qsizetype ThreadedFrom = Chunk;

    ByteSpanWriter(TempFileWriter &writer, bool threaded);

    // `span` must stay valid until finish(). Inline: a large file's replacement calls it twice
    // for every match, mostly with a few dozen bytes.
    void append(QByteArrayView span)
    {
        if (m_threaded && !span.isEmpty() && span.size() < Chunk - m_batch.used) {
            std::memcpy(m_batch.bytes.data() + m_batch.used, span.data(), size_t(span.size()));
            m_batch.used += span.size();
            return;
        }
        appendSlowly(span);
    }
    // Returns once every span is with the writer; its errors are the writer's to report.
    void finish();

private:
    // Copied bytes: the thread then only writes, and never reads where the caller reads.
    struct Batch {
        QByteArray bytes; // Chunk bytes while threaded, of which `used` hold data
        qsizetype used = 0;
        void clear() { used = 0; } // keeps the room
    };

    void appendSlowly(QByteArrayView span);
    void post();

    TempFileWriter &m_writer;
    const bool m_threaded;
    Batch m_batch;
    SpareList<Batch> m_spare;
    SerialWorker m_worker; // last, so that it ends before the members its steps use
};
