#include "io/ReadOnlyFile.h"

#include "io/IoLevel.h"

ReadOnlyFile::ReadOnlyFile() = default;

ReadOnlyFile::~ReadOnlyFile()
{
#ifdef Q_OS_UNIX
    closePosix();
#endif
}

ReadOnlyFile::Status ReadOnlyFile::open(const QString &path)
{
    return open(path, nullptr);
}

ReadOnlyFile::Status ReadOnlyFile::open(const QString &path, FolderHandleCache *folders,
                                        ListedAs listed)
{
#ifdef Q_OS_UNIX
    closePosix();
#else
    Q_UNUSED(folders)
    Q_UNUSED(listed)
#endif
    m_file.reset();
    m_wasLink = false;
    m_links = 1;
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return openPosix(path, folders, listed);
#endif
    return openPortable(path);
}

ReadOnlyFile::Status ReadOnlyFile::typeOf(const QString &path, int *links)
{
#ifdef Q_OS_UNIX
    if (!IoLevel::portable())
        return typeOfPosix(path, links);
#endif
    return typeOfPortable(path, links);
}

qint64 ReadOnlyFile::read(char *data, qint64 size)
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0)
        return readPosix(data, size);
#endif
    return m_file ? m_file->read(data, size) : -1;
}

bool ReadOnlyFile::handOver(QFile &file)
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0) {
        blockingPosix(); // reads through Qt take no "try again"
        const int fd = m_fd;
        m_fd = -1;
        return file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle);
    }
#endif
    if (!m_file)
        return false;
    const QString name = m_file->fileName();
    m_file.reset();
    file.setFileName(name);
    return file.open(QIODevice::ReadOnly);
}
