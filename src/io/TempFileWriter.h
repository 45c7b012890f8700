#pragma once

#include "io/FileStamp.h"
#include "io/FolderHandle.h"
#include "io/PendingWrite.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// Writes a new file beside a target, in pieces through one reused buffer, with the target's
// permissions, ACL and extended attributes and (where the process may set them) owner and
// group. Nothing is visible under the target's name: AtomicFileWriter renames the finished file
// over it. Where the file system allows, the file has no name at all until it is finished;
// then, or from the start elsewhere, it has a short hidden name of its own (TempFileName). A
// writer destroyed before it finished removes its file. One thread at a time uses a writer; a
// writer handed to another thread (TextPieceWriter, ByteSpanWriter) keeps the buffer of the thread
// that made it, which writes nothing else meanwhile. At the portable level (IoLevel) the file
// has a name from the start, takes only the target's permission bits, and is never synced.
class TempFileWriter {
public:
    TempFileWriter();
    TempFileWriter(const TempFileWriter &) = delete;
    TempFileWriter &operator=(const TempFileWriter &) = delete;
    ~TempFileWriter();

    // Creates the new file in the folder of `target` (which must already be resolved from any
    // symbolic link). `current` is the target's stamp when it exists.
    bool open(const QString &target, const std::optional<FileStamp> &current, QString *error);
    // The same for a copy of the file `model` (not yet resolved): the new file takes its
    // permissions, attributes, owner and group, wherever `target` is.
    bool openCopyOf(const QString &target, const QString &model, QString *error);
    bool append(QByteArrayView bytes);
    // Flushes and closes the file, synced to disk when `sync`. Nothing (and the file removed)
    // when any write failed.
    std::optional<PendingWrite> finish(bool sync, QString *error);
    void discard();
    // The system's error number (errno) of the failure, 0 when there was none or it is not
    // known (Qt's reason at the portable level has no number): a busy file is told apart from
    // other reasons by it.
    int errorCode() const { return m_errorText.isEmpty() ? m_errno : 0; }

private:
    static QByteArray &threadBuffer();
    bool start(const QString &target, const std::optional<FileStamp> &model,
               const QString &modelPath, bool replacing, QString *error);
    bool isOpen() const;
    bool flush();
    bool writeAll(const char *data, qsizetype size);

    // The POSIX level's steps (TempFileWriter_posix.cpp).
    bool startPosix(const QString &target, const std::optional<FileStamp> &model,
                    const QString &modelPath, bool replacing, QString *error);
    // Opens the new file (without a name where the system allows) with `mode`.
    bool createPosix(int mode);
    bool namePosix();
    bool writeAllPosix(const char *data, qsizetype size);
    std::optional<PendingWrite> finishPosix(bool sync, QString *error);
    void discardPosix();
    // The portable level's (TempFileWriter_portable.cpp).
    bool startPortable(const QString &target, const std::optional<FileStamp> &model, bool replacing,
                       QString *error);
    bool writeAllPortable(const char *data, qsizetype size);
    std::optional<PendingWrite> finishPortable(QString *error);
    void discardPortable();

    int m_fd = -1;
    std::unique_ptr<QFile> m_file; // the portable level's
    QString m_errorText; // Qt's reason for a failed write at the portable level
    int m_errno = 0;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    qint64 m_bytes = 0;
    QString m_folder;
    // The folder, open while the file is written: the file is made, named and removed in it
    // (any depth).
    std::optional<FolderHandle> m_place;
    quint64 m_folderDevice = 0;
    quint64 m_folderInode = 0;
    QString m_temp; // empty while the file has no name
    QByteArray m_tempLeaf; // its last part
    QString m_target;
    QStringList m_lost; // attributes of the target the new file could not take
    QByteArray &m_buffer; // BufferSize bytes, of which m_used hold data
    qsizetype m_used = 0;
};
