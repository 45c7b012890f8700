#include "document/TextPieceWriter.h"

#include "io/TempFileWriter.h"

#include <algorithm>

TextPieceWriter::TextPieceWriter(const TextEncoding &encoding, TempFileWriter &writer,
                                 bool threaded)
    : m_encoding(encoding), m_writer(writer), m_worker(threaded)
{
    m_writer.append(m_encoding.byteOrderMark());
}

void TextPieceWriter::appendInPlace(QStringView piece)
{
    // Long pieces in slices, so that a step never holds much more than a chunk.
    for (qsizetype at = 0; at < piece.size(); at += Chunk) {
        const qsizetype size = std::min(Chunk, piece.size() - at);
        add({piece.data() + at, 0, size});
    }
}

void TextPieceWriter::append(QStringView piece)
{
    if (piece.isEmpty())
        return;
    const qsizetype pos = m_batch.copied.size();
    m_batch.copied.append(piece);
    add({nullptr, pos, piece.size()});
}

void TextPieceWriter::add(Piece piece)
{
    m_batch.pieces.push_back(piece);
    m_batch.size += piece.size;
    if (m_batch.size >= Chunk)
        post();
}

void TextPieceWriter::post()
{
    if (m_batch.pieces.empty())
        return;
    m_worker.post([this, batch = std::move(m_batch)]() mutable {
        encode(batch);
        m_spare.keep(std::move(batch));
    });
    m_batch = m_spare.take();
}

void TextPieceWriter::encode(const Batch &batch)
{
    if (m_out.failed)
        return;
    m_out.bytes.resize(0);
    for (const Piece &piece : batch.pieces) {
        const QStringView text = piece.data
            ? QStringView(piece.data, piece.size)
            : QStringView(batch.copied).sliced(piece.pos, piece.size);
        if (!encodePiece(text)) {
            m_out.failed = true;
            return;
        }
    }
    m_writer.append(m_out.bytes);
}

bool TextPieceWriter::encodePiece(QStringView text)
{
    if (!m_out.carried.isNull()) {
        // The held-back high half goes with a low half right after it, else on its own.
        const QChar both[2] = {m_out.carried, text.front()};
        m_out.carried = QChar();
        const bool pair = both[1].isLowSurrogate();
        if (!m_encoding.encodeBody(QStringView(both, pair ? 2 : 1), m_out.bytes))
            return false;
        if (pair)
            text = text.sliced(1);
    }
    if (!text.isEmpty() && text.back().isHighSurrogate()) {
        m_out.carried = text.back();
        text.chop(1);
    }
    return text.isEmpty() || m_encoding.encodeBody(text, m_out.bytes);
}

bool TextPieceWriter::finish()
{
    post();
    m_worker.post([this] {
        // A high surrogate at the very end stands alone.
        if (m_out.failed || m_out.carried.isNull())
            return;
        m_out.bytes.resize(0);
        const QChar last = m_out.carried;
        m_out.failed = !m_encoding.encodeBody(QStringView(&last, 1), m_out.bytes);
        if (!m_out.failed)
            m_writer.append(m_out.bytes);
    });
    m_worker.finish();
    return !m_out.failed;
}
