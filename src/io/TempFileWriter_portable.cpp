// The new file through QFile and std::filesystem: a hidden name of its own from the start, the
// target's permission bits and nothing else of its attributes, and no sync (neither library has
// one).
#include "io/TempFileWriter.h"

#include "io/NativePath.h"
#include "io/TempFileName.h"

#include <QFileInfo>

#include <cerrno>

namespace {

// Names left by a killed run of a former process with the same id are passed over.
constexpr int MaxNameAttempts = 1 << 16;

} // namespace

bool TempFileWriter::startPortable(const QString &target, const std::optional<FileStamp> &model,
                                   bool replacing, QString *error)
{
    const auto refused = [&](int code, const QString &text) {
        m_errno = code;
        m_file.reset();
        m_temp.clear();
        if (error)
            *error = text;
        return false;
    };
    m_errorText.clear();
    // A read-only file is not replaced behind its back.
    if (replacing && !QFileInfo(target).isWritable())
        return refused(EACCES, qt_error_string(EACCES));
    m_folder = QFileInfo(target).path();
    // A file made in the likeness of another is open to nobody else until it has its mode.
    const QFileDevice::Permissions first = model
        ? QFileDevice::ReadOwner | QFileDevice::WriteOwner
        : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
            | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    QString failure;
    for (int attempt = 0; attempt < MaxNameAttempts; ++attempt) {
        m_temp = TempFileName::next(m_folder);
        m_file = std::make_unique<QFile>(m_temp);
        // Unbuffered: the writer has a buffer of its own, and a failed write is seen at once.
        if (m_file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered, first))
            break;
        failure = m_file->errorString();
        m_file.reset();
        // A name taken by a run of a former process with this id: the next serial.
        if (!QFileInfo::exists(m_temp))
            break;
    }
    if (!m_file)
        return refused(0, failure);
    m_target = target;
    m_errno = 0;
    m_errorText.clear();
    m_bytes = 0;
    m_lost.clear();
    m_device = m_inode = m_folderDevice = m_folderInode = 0;
    if (model) {
        std::error_code ignored;
        std::filesystem::permissions(NativePath::of(m_temp),
                                     std::filesystem::perms(model->mode & 07777), ignored);
    }
    return true;
}

bool TempFileWriter::writeAllPortable(const char *data, qsizetype size)
{
    if (!m_file)
        return false;
    while (size > 0 && m_errno == 0) {
        const qint64 n = m_file->write(data, size);
        if (n <= 0) {
            m_errno = EIO;
            m_errorText = m_file->errorString();
            break;
        }
        data += n;
        size -= n;
    }
    return m_errno == 0;
}

std::optional<PendingWrite> TempFileWriter::finishPortable(QString *error)
{
    // Qt reports a failed write no later than the flush and the close.
    if (m_errno == 0 && !m_file->flush()) {
        m_errno = EIO;
        m_errorText = m_file->errorString();
    }
    m_file->close();
    if (m_errno == 0 && m_file->error() != QFileDevice::NoError) {
        m_errno = EIO;
        m_errorText = m_file->errorString();
    }
    m_file.reset();
    if (m_errno != 0) {
        if (error)
            *error = m_errorText.isEmpty() ? qt_error_string(m_errno) : m_errorText;
        discardPortable(); // removes the file too
        return std::nullopt;
    }
    PendingWrite pending{m_temp, m_target, std::nullopt, 0, 0, m_bytes, m_lost, 0, 0, false};
    m_temp.clear();
    return pending;
}

void TempFileWriter::discardPortable()
{
    m_file.reset();
    if (!m_temp.isEmpty())
        QFile::remove(m_temp);
    m_temp.clear();
}
