#pragma once

#include "document/TextEncoding.h"
#include "io/SerialWorker.h"
#include "io/SpareList.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

class TempFileWriter;

// Encodes a text that arrives in consecutive pieces (the unchanged stretches of a document and
// what was put between them) into a new file, byte-order mark first. Pieces that stay in place
// are encoded from where they lie, so the text is never held twice; others are copied. A high
// surrogate at the end of a piece is encoded together with what follows it, so the bytes are
// those of the whole text. With a thread, encoding and writing overlap with making the pieces.
class TextPieceWriter {
public:
    // Characters handed to the encoding step at once.
    static constexpr qsizetype Chunk = qsizetype(1) << 18;
    // Texts from this length on are worth a thread of their own.
    static constexpr qsizetype ThreadedFrom = 4 * Chunk;

    // `encoding` must encode in pieces (TextEncoding::encodesInPieces); `writer` must be open.
    TextPieceWriter(const TextEncoding &encoding, TempFileWriter &writer, bool threaded);

    // A piece that stays valid and unchanged until finish().
    void appendInPlace(QStringView piece);
    // A piece that may change or go once this returns: it is copied.
    void append(QStringView piece);
    // Encodes and writes what is left. False when a character has no representation in the
    // encoding (the file is then incomplete and must be discarded); write errors are the
    // writer's to report.
    bool finish();

private:
    // A piece of a batch: in place (`data` set) or at `pos` in the batch's copied text.
    struct Piece {
        const QChar *data = nullptr;
        qsizetype pos = 0;
        qsizetype size = 0;
    };
    struct Batch {
        QString copied;
        std::vector<Piece> pieces;
        qsizetype size = 0;

        // Empty, with the room kept (QString::clear would give it back).
        void clear()
        {
            copied.resize(0);
            pieces.clear();
            size = 0;
        }
    };

    void add(Piece piece);
    void post();

    void encode(const Batch &batch);
    bool encodePiece(QStringView text);

    const TextEncoding &m_encoding;
    TempFileWriter &m_writer;
    Batch m_batch;
    SpareList<Batch> m_spare;
    // Used by the encoding steps only, on a cache line of their own: sharing one with the
    // batch would make the two threads take it from each other at every piece.
    struct alignas(64) Encoding {
        QByteArray bytes;
        QChar carried; // a high surrogate held back for the piece after it
        bool failed = false; // read by finish() once every step has run
    } m_out;
    SerialWorker m_worker; // last, so that it ends before the members its steps use
};
