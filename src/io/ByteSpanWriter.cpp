#include "io/ByteSpanWriter.h"

#include "io/TempFileWriter.h"

#include <algorithm>
#include <cstring>

ByteSpanWriter::ByteSpanWriter(TempFileWriter &writer, bool threaded)
    : m_writer(writer), m_threaded(threaded), m_worker(threaded)
{
    if (m_threaded)
        m_batch.bytes.resize(Chunk);
}

void ByteSpanWriter::appendSlowly(QByteArrayView span)
{
    if (!m_threaded) {
        m_writer.append(span);
        return;
    }
    while (!span.isEmpty()) {
        if (m_batch.bytes.size() != Chunk)
            m_batch.bytes.resize(Chunk);
        const qsizetype size = std::min(span.size(), Chunk - m_batch.used);
        std::memcpy(m_batch.bytes.data() + m_batch.used, span.data(), size_t(size));
        m_batch.used += size;
        span = span.sliced(size);
        if (m_batch.used == Chunk)
            post();
    }
}

void ByteSpanWriter::post()
{
    if (m_batch.used == 0)
        return;
    m_worker.post([this, batch = std::move(m_batch)]() mutable {
        m_writer.append(QByteArrayView(batch.bytes).first(batch.used));
        m_spare.keep(std::move(batch));
    });
    m_batch = m_spare.take();
    m_batch.bytes.resize(Chunk);
}

void ByteSpanWriter::finish()
{
    post();
    m_worker.finish();
}
