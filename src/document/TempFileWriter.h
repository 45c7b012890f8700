#pragma once

#include "document/FileStamp.h"
#include "document/PendingWrite.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Writes a new file beside a target, in pieces through one reused buffer, with the target's
// permissions and (where the process may set them) owner and group. Nothing is visible under
// the target's name: AtomicFileWriter renames the finished file over it. A writer destroyed
// before it finished removes its file. One thread at a time uses a writer; a writer handed to
// another thread (TextPieceWriter, ByteSpanWriter) keeps the buffer of the thread that made
// it, which writes nothing else meanwhile.
class TempFileWriter {
public:
    TempFileWriter();
    TempFileWriter(const TempFileWriter &) = delete;
    TempFileWriter &operator=(const TempFileWriter &) = delete;
    ~TempFileWriter();

    // Creates the new file in the folder of `target` (which must already be resolved from any
    // symbolic link). `current` is the target's stamp when it exists.
    bool open(const QString &target, const std::optional<FileStamp> &current, QString *error);
    bool append(QByteArrayView bytes);
    // Flushes and closes the file, synced to disk when `sync`. Nothing (and the file removed)
    // when any write failed.
    std::optional<PendingWrite> finish(bool sync, QString *error);
    void discard();
    // The system's error number (errno) of the failure, 0 when there was none or it is not
    // known: a busy file is told apart from other reasons by it.
    int errorCode() const { return m_errno; }

private:
    static QByteArray &threadBuffer();
    bool flush();
    bool writeAll(const char *data, qsizetype size);

    int m_fd = -1;
    int m_errno = 0;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    qint64 m_bytes = 0;
    QString m_temp;
    QString m_target;
    QByteArray &m_buffer; // BufferSize bytes, of which m_used hold data
    qsizetype m_used = 0;
};
