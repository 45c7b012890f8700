#pragma once

#include "io/FileAttributes.h"
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

class FolderHandleCache;
class JournalStore;

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
    // Files opened from now on are made in the folder `folders` holds (reached for each target),
    // which stays open for the files after them (POSIX level).
    void useFolders(FolderHandleCache *folders) { m_folders = folders; }
    // The next file opened is the target's new content and `fd` the target open as it was read:
    // its attributes are read from that handle. -1: by the target's name.
    void setModelHandle(int fd) { m_modelHandle = fd; }
    // A file opened from now on that replaces a file of one name is made in `store`'s folder
    // on its file system where the two can be swapped (JournalStore::exchangePlace), rather
    // than beside it: the journal then keeps the original at no cost. Needs useFolders.
    void keepThrough(JournalStore *store) { m_store = store; }
    // Files opened from now on get their name at once (one call less per file) rather than when
    // finished: for small files, where a killed run leaves little behind for the next scan.
    void setNamedAtOnce(bool named) { m_namedAtOnce = named; }
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
    // Reaches the target's folder (kept in m_place or the shared folders).
    bool placePosix(const QString &target);
    int placeDir() const;
    // The folder the new file is made in: the target's, or the journal's store.
    int tempDir() const { return m_inStore ? m_storeDir : placeDir(); }
    // Makes the new file in the journal's store when it can be swapped in from there.
    void chooseStorePosix(const std::optional<FileStamp> &model, bool replacing,
                          const QString &target);
    // Opens the new file (without a name where the system allows) with `mode`.
    bool createPosix(int mode);
    // The mode to make a copy of `model` with: its own where the new file is open to nobody
    // else than the copy would be (its owner and group are the model's, and no attribute or
    // ACL is to come).
    int createModePosix(const FileStamp &model, const FileAttributes &attributes);
    // Gives the new file `model`'s owner, group and attributes.
    void takeAttributesPosix(const FileStamp &model, const FileStamp &mine,
                             const FileAttributes &attributes);
    bool namePosix();
    QString nextName() const;
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
    FolderHandleCache *m_folders = nullptr; // shared with the files before and after
    bool m_inFolders = false; // the file is made in m_folders
    int m_modelHandle = -1;
    bool m_namedAtOnce = false;
    JournalStore *m_store = nullptr;
    bool m_inStore = false; // the new file is made in the store folder below
    int m_storeDir = -1;
    QString m_storeFolder;
    quint32 m_storeGroup = 0;
    bool m_storeGivesAcl = true;
    quint64 m_folderDevice = 0;
    quint64 m_folderInode = 0;
    QString m_temp; // empty while the file has no name
    QByteArray m_tempLeaf; // its last part
    QString m_target;
    QStringList m_lost; // attributes of the target the new file could not take
    QByteArray &m_buffer; // BufferSize bytes, of which m_used hold data
    qsizetype m_used = 0;
};
