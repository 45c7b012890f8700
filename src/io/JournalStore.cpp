#include "io/JournalStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/xattr.h>
#endif

using namespace Qt::StringLiterals;

namespace {

#ifdef Q_OS_UNIX
std::optional<quint64> deviceOf(const QString &path)
{
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return quint64(st.st_dev);
}

// The file system `path` will be on once made: that of its nearest folder already there.
std::optional<quint64> deviceOfNearest(const QString &path)
{
    QString at = path;
    for (;;) {
        if (const std::optional<quint64> device = deviceOf(at))
            return device;
        const QString parent = QFileInfo(at).absolutePath();
        if (parent == at)
            return std::nullopt;
        at = parent;
    }
}

// The highest folder above `path` on the same file system: where it is mounted.
QString topOf(const QString &path, quint64 device)
{
    QString top = QFileInfo(path).absolutePath();
    for (;;) {
        const QString parent = QFileInfo(top).absolutePath();
        if (parent == top || deviceOf(parent) != device)
            return top;
        top = parent;
    }
}

// A folder of this user's alone: made with no access for others, and refused when someone
// else made it first or made it a link to elsewhere.
bool ownFolder(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st { };
    return ::lstat(name.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()
        && (st.st_mode & 077) == 0;
}

#if defined(Q_OS_LINUX) && defined(RENAME_EXCHANGE) && defined(STATX_MNT_ID)
#define QUORVEX_HAVE_EXCHANGE 1
// The mount the handle `fd` (O_PATH ones too) lies on; 0 when the system does not say. Two
// names of one file system on two mounts cannot be swapped.
quint64 mountOf(int fd)
{
    struct statx sx { };
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_MNT_ID, &sx) != 0 || !(sx.stx_mask & STATX_MNT_ID))
        return 0;
    return sx.stx_mnt_id;
}
#endif

#ifdef Q_OS_LINUX
// tmpfs or ramfs, by the type statfs gives.
bool isMemoryFileSystem(long type)
{
    constexpr long TmpfsMagic = 0x01021994;
    constexpr long RamfsMagic = 0x858458f6;
    return type == TmpfsMagic || type == RamfsMagic;
}
#endif

bool sameFileAs(int fd, const FileStamp &expected)
{
    const std::optional<FileStamp> now = FileStamp::ofHandle(fd);
    return now && now->sameContent(expected);
}
#endif

void removeLink(int folder, const QByteArray &name)
{
#ifdef Q_OS_UNIX
    ::unlinkat(folder, name.constData(), 0);
#else
    Q_UNUSED(folder);
    Q_UNUSED(name);
#endif
}

} // namespace

JournalStore::JournalStore(const QString &runFolder, const QString &runId)
    : m_runFolder(runFolder), m_runId(runId)
{
#ifdef Q_OS_UNIX
    // The run folder is made only when something is kept.
    m_runDevice = deviceOfNearest(runFolder).value_or(0);
#endif
}

JournalStore::~JournalStore()
{
#ifdef Q_OS_UNIX
    for (const Place &place : std::as_const(m_places)) {
        if (place.fd >= 0)
            ::close(place.fd);
    }
#endif
}

bool JournalStore::isVolatile(quint64 device, const QString &path)
{
    const QMutexLocker lock(&m_mutex);
    if (const auto found = m_volatile.constFind(device); found != m_volatile.cend())
        return *found;
    bool result = false;
#ifdef Q_OS_LINUX
    struct statfs fs { };
    result = ::statfs(QFile::encodeName(path).constData(), &fs) == 0
        && isMemoryFileSystem(long(fs.f_type));
#else
    Q_UNUSED(path);
#endif
    m_volatile.insert(device, result);
    return result;
}

QString JournalStore::sharedFolderName()
{
#ifdef Q_OS_UNIX
    return u".quorvex-journal-%1"_s.arg(::getuid());
#else
    return u".quorvex-journal"_s;
#endif
}

QStringList JournalStore::folders() const
{
    const QMutexLocker lock(&m_mutex);
    QStringList list;
    for (const Place &place : m_places)
        list << place.folder;
    list.removeDuplicates();
    return list;
}

QStringList JournalStore::takeNewStores()
{
    const QMutexLocker lock(&m_mutex);
    return std::exchange(m_newStores, {});
}

void JournalStore::syncFolders()
{
    const QMutexLocker lock(&m_mutex);
    QStringList done;
    for (const Place &place : std::as_const(m_places)) {
        if (done.contains(place.folder))
            continue;
        done << place.folder;
#ifdef Q_OS_UNIX
        const int fd = place.fd >= 0 ? place.fd
                                     : ::open(QFile::encodeName(place.folder).constData(),
                                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0)
            ::fsync(fd);
        if (fd >= 0 && fd != place.fd)
            ::close(fd);
#endif
    }
}

QString JournalStore::runFiles()
{
    const QString folder = m_runFolder + u"/files"_s;
    if (!m_runFilesMade && QDir().mkpath(folder)) {
        m_runFilesMade = true;
        m_newStores << folder;
    }
    return folder;
}

JournalStore::Place JournalStore::folderFor(quint64 device, const QString &path)
{
    const QMutexLocker lock(&m_mutex);
    if (const auto found = m_places.constFind(device); found != m_places.cend())
        return *found;
    Place place{{}, true};
#ifdef Q_OS_UNIX
    if (device != m_runDevice) {
        const QString shared = topOf(path, device) + u'/' + sharedFolderName();
        const QString folder = shared + u'/' + m_runId;
        if (ownFolder(shared) && ownFolder(folder)) {
            place.folder = folder;
            m_newStores << folder;
        } else {
            place.link = false;
        }
    }
#endif
    if (place.folder.isEmpty())
        place.folder = runFiles();
#ifdef Q_OS_UNIX
    if (place.link)
        place.fd = ::open(QFile::encodeName(place.folder).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
    probeExchange(place);
    return *m_places.insert(device, place);
}

// Swaps two files of its own in the folder: some file systems (network ones, older ones) have
// no such call, and a failure at a file's commit would leave it unwritten.
void JournalStore::probeExchange(Place &place) const
{
#ifdef QUORVEX_HAVE_EXCHANGE
    if (m_exchange == Exchange::Never || !place.link || place.fd < 0)
        return;
    struct statfs fs { };
    if (m_exchange == Exchange::InMemory
        && (::fstatfs(place.fd, &fs) != 0 || !isMemoryFileSystem(long(fs.f_type))))
        return;
    place.mount = mountOf(place.fd);
    const char *const names[2] = {".probe-1", ".probe-2"};
    bool made = place.mount != 0;
    for (const char *name : names) {
        const int fd
            = made ? ::openat(place.fd, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600) : -1;
        made = fd >= 0;
        if (fd >= 0)
            ::close(fd);
    }
    place.exchange
        = made && ::renameat2(place.fd, names[0], place.fd, names[1], RENAME_EXCHANGE) == 0;
    for (const char *name : names)
        ::unlinkat(place.fd, name, 0);
    struct stat st { };
    if (!place.exchange || ::fstat(place.fd, &st) != 0) {
        place.exchange = false;
        return;
    }
    place.groupOfNewFiles = (st.st_mode & S_ISGID) ? quint32(st.st_gid) : quint32(::getegid());
    const ssize_t size = ::fgetxattr(place.fd, "system.posix_acl_default", nullptr, 0);
    place.givesAcl = size > 0 || (size < 0 && errno != ENODATA && errno != ENOTSUP);
#else
    Q_UNUSED(place);
#endif
}

std::optional<JournalStore::ExchangePlace>
JournalStore::exchangePlace(quint64 device, int folder, quint64 folderInode, const QString &target)
{
    {
        const QMutexLocker lock(&m_mutex);
        if (m_aheadClosed)
            return std::nullopt;
    }
    const Place place = folderFor(device, target);
    if (!place.exchange)
        return std::nullopt;
#ifdef QUORVEX_HAVE_EXCHANGE
    const QMutexLocker lock(&m_mutex);
    const QPair<quint64, quint64> key{device, folderInode};
    auto found = m_sameMount.constFind(key);
    if (found == m_sameMount.cend())
        found = m_sameMount.insert(key, mountOf(folder) == place.mount);
    if (!*found)
        return std::nullopt;
    return ExchangePlace{place.fd, place.folder, place.groupOfNewFiles, place.givesAcl};
#else
    Q_UNUSED(folder);
    Q_UNUSED(folderInode);
    return std::nullopt;
#endif
}

QByteArray JournalStore::nextExchangeName()
{
    // Apart from the numbers of copies and the links made ahead.
    return 'x' + QByteArray::number(++m_exchangeCount);
}

JournalStore::Result JournalStore::keep(const QString &path, const FileStamp &expected, int number,
                                        QString *copy, QString *error)
{
    const Place place = folderFor(expected.device, path);
    const QByteArray name = QByteArray::number(number);
    *copy = place.folder + u'/' + QLatin1StringView(name);
    if (place.link && place.fd >= 0 && expected.links == 1) {
        const Result linked = linkInto(path, expected, place.fd, name, error);
        if (linked != Result::Failed)
            return linked;
    }
    // Not linked: copied into the run folder, where the copy cannot go astray.
    if (place.folder != m_runFolder + u"/files"_s) {
        const QMutexLocker lock(&m_mutex);
        *copy = runFiles() + u'/' + QString::number(number);
    }
    return copyInto(path, expected, *copy, error);
}

void JournalStore::linkAhead(const PendingWrite &pending)
{
    // A new file made in the store keeps its original by its swap.
    if (pending.inStore || !pending.expected || pending.expected->links != 1)
        return;
    {
        const QMutexLocker lock(&m_mutex);
        if (m_aheadClosed)
            return;
    }
    const Place place = folderFor(pending.expected->device, pending.target);
    if (!place.link || place.fd < 0)
        return;
    // Named apart from the numbers the run's own thread gives its links.
    const QByteArray name = 'a' + QByteArray::number(++m_aheadCount);
    QString error;
    if (linkInto(pending.target, *pending.expected, place.fd, name, &error) != Result::Kept)
        return;
    const QMutexLocker lock(&m_mutex);
    if (m_aheadClosed) {
        removeLink(place.fd, name);
        return;
    }
    m_ahead.insert(pending.temp,
                   {place.folder + u'/' + QLatin1StringView(name), pending.target,
                    pending.expected->inode, pending.inode, place.fd, name});
}

std::optional<QString> JournalStore::takeAhead(const PendingWrite &pending)
{
    const QMutexLocker lock(&m_mutex);
    const auto found = m_ahead.constFind(pending.temp);
    if (found == m_ahead.cend())
        return std::nullopt;
    const Ahead ahead = *found;
    m_ahead.erase(found);
    // A new file of the same name made after the first was dropped is another write.
    if (ahead.target != pending.target || !pending.expected
        || ahead.oldInode != pending.expected->inode || ahead.newInode != pending.inode) {
        removeLink(ahead.folder, ahead.name);
        return std::nullopt;
    }
    return ahead.copy;
}

void JournalStore::dropAhead()
{
    const QMutexLocker lock(&m_mutex);
    m_aheadClosed = true;
    for (const Ahead &ahead : std::as_const(m_ahead))
        removeLink(ahead.folder, ahead.name);
    m_ahead.clear();
}

JournalStore::Result JournalStore::linkInto(const QString &path, const FileStamp &expected,
                                            int folder, const QByteArray &name, QString *error)
{
#ifdef Q_OS_UNIX
    if (::linkat(AT_FDCWD, QFile::encodeName(path).constData(), folder, name.constData(), 0) != 0) {
        *error = qt_error_string(errno);
        return Result::Failed;
    }
    // The name may have been given to another file since it was read.
    const std::optional<FileStamp> linked = FileStamp::at(folder, name.constData());
    if (!linked || !linked->sameContent(expected)) {
        ::unlinkat(folder, name.constData(), 0);
        return Result::Changed;
    }
    return Result::Kept;
#else
    Q_UNUSED(path);
    Q_UNUSED(expected);
    Q_UNUSED(folder);
    Q_UNUSED(name);
    *error = u"no hard links"_s;
    return Result::Failed;
#endif
}

JournalStore::Result JournalStore::copyInto(const QString &path, const FileStamp &expected,
                                            const QString &copy, QString *error)
{
#ifdef Q_OS_UNIX
    const int in = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        *error = qt_error_string(errno);
        return errno == ENOENT ? Result::Changed : Result::Failed;
    }
    const QByteArray name = QFile::encodeName(copy);
    const int out = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    Result result = out < 0 ? Result::Failed : Result::Kept;
    if (out >= 0 && !sameFileAs(in, expected))
        result = Result::Changed;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    while (result == Result::Kept) {
        const ssize_t got = ::read(in, buffer.data(), size_t(buffer.size()));
        if (got <= 0) {
            if (got < 0)
                result = Result::Failed;
            break;
        }
        if (::write(out, buffer.constData(), size_t(got)) != got)
            result = Result::Failed;
    }
    if (result == Result::Failed)
        *error = qt_error_string(errno);
    // Changed while it was copied: the copy may mix two states of it.
    if (result == Result::Kept && !sameFileAs(in, expected))
        result = Result::Changed;
    // The copy carries the original's time, as a link would: the undo checks it by it.
    const struct timespec times[2] = {
        {0, UTIME_OMIT},
        {time_t(expected.modifiedNs / 1'000'000'000), long(expected.modifiedNs % 1'000'000'000)}};
    if (result == Result::Kept)
        ::futimens(out, times);
    if (result == Result::Kept && m_durableCopies && ::fsync(out) != 0) {
        *error = qt_error_string(errno);
        result = Result::Failed;
    }
    if (out >= 0 && ::close(out) != 0 && result == Result::Kept) {
        *error = qt_error_string(errno);
        result = Result::Failed;
    }
    ::close(in);
    if (result != Result::Kept && out >= 0)
        ::unlink(name.constData());
    return result;
#else
    Q_UNUSED(expected);
    if (!QFile::copy(path, copy)) {
        *error = u"copy failed"_s;
        return Result::Failed;
    }
    return Result::Kept;
#endif
}
