// The folder scan over folder handles: each folder is opened relative to its parent's handle
// and left through "..", so the walk needs one handle whatever the depth and no name it
// builds is ever handed to the system whole.
#include "run/FolderScan.h"

#ifdef Q_OS_UNIX

#include "io/TempFileName.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int FolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW;

// A file of the folder being listed.
struct File {
    QString name;
    ListedAs kind;
};

#ifdef Q_OS_LINUX
constexpr size_t EntriesAtOnce = size_t(32) << 10;
#endif

// One folder on the way down: who it is (to check the way back up) and what is left of it.
struct Level {
    QString path;
    dev_t device = 0;
    ino_t inode = 0;
    QStringList folders; // sub-folders still to enter, in name order
    qsizetype next = 0;
};

QString join(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

bool identify(int fd, Level &level)
{
    struct stat st { };
    if (::fstat(fd, &st) != 0)
        return false;
    level.device = st.st_dev;
    level.inode = st.st_ino;
    return true;
}

// A new file of ours that a killed run left behind: its writer is gone.
bool isStaleTemp(int dir, const char *name, qint64 writer)
{
    struct stat st { };
    if (::fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)
        || st.st_uid != ::geteuid())
        return false;
    return writer > 0 && ::kill(pid_t(writer), 0) != 0 && errno == ESRCH;
}

class TreeWalk {
public:
    explicit TreeWalk(const FolderScan::Walk &walk) : m_walk(walk) { }

    void run(const QString &root)
    {
        int fd = ::open(QFile::encodeName(root).constData(), FolderFlags & ~O_NOFOLLOW);
        std::vector<Level> levels(1);
        levels[0].path = root;
        if (fd < 0 || !identify(fd, levels[0])) {
            m_walk.cannotRead(root, qt_error_string(errno));
            if (fd >= 0)
                ::close(fd);
            return;
        }
        list(fd, levels.back());
        while (fd >= 0) {
            Level &top = levels.back();
            if (top.next < top.folders.size()) {
                const QString name = top.folders[top.next++];
                fd = enter(fd, levels, name);
                continue;
            }
            levels.pop_back();
            if (levels.empty())
                break;
            fd = leave(fd, levels);
        }
        if (fd >= 0)
            ::close(fd);
    }

private:
    // Opens sub-folder `name` of the folder `fd` holds and lists it; the handle now in hand.
    int enter(int fd, std::vector<Level> &levels, const QString &name)
    {
        const QString path = join(levels.back().path, name);
        const int child = ::openat(fd, QFile::encodeName(name).constData(), FolderFlags);
        Level level;
        level.path = path;
        if (child < 0 || !identify(child, level)) {
            m_walk.cannotRead(path, qt_error_string(errno));
            if (child >= 0)
                ::close(child);
            return fd;
        }
        ::close(fd);
        levels.push_back(std::move(level));
        list(child, levels.back());
        return child;
    }

    // Goes back up to the folder now last in `levels`, checking that it is the one left.
    int leave(int fd, std::vector<Level> &levels)
    {
        const int parent = ::openat(fd, "..", FolderFlags & ~O_NOFOLLOW);
        ::close(fd);
        Level found;
        const Level &expected = levels.back();
        if (parent >= 0 && identify(parent, found) && found.device == expected.device
            && found.inode == expected.inode)
            return parent;
        if (parent >= 0)
            ::close(parent);
        // The tree was moved meanwhile: what is left of it is not reached.
        for (const Level &level : levels) {
            for (qsizetype i = level.next; i < level.folders.size(); ++i)
                m_walk.cannotRead(join(level.path, level.folders[i]), qt_error_string(ENOENT));
        }
        levels.clear();
        return -1;
    }

    // Adds the folder's files to the list and notes its sub-folders.
    void list(int fd, Level &level)
    {
        std::vector<File> files;
        const auto each = [&](const char *name, unsigned char type) {
            take(fd, level, name, m_walk.untyped ? static_cast<unsigned char>(DT_UNKNOWN) : type,
                 files);
        };
        if (!readEntries(fd, each))
            m_walk.cannotRead(level.path, qt_error_string(errno));
        std::sort(files.begin(), files.end(),
                  [](const File &a, const File &b) { return a.name < b.name; });
        std::sort(level.folders.begin(), level.folders.end());
        for (const File &file : files)
            m_walk.add(join(level.path, file.name), file.kind);
        if (!files.empty())
            m_walk.folderListed();
    }

    // Calls `each` with the name and type of every entry of the folder `fd` holds; false (errno
    // set) when the listing broke off.
    template <class Each>
    bool readEntries(int fd, const Each &each)
    {
#ifdef Q_OS_LINUX
        // Straight from the folder's handle: opendir would want a handle of its own and look
        // at it three times, five calls a folder.
        m_entries.resize(EntriesAtOnce);
        for (;;) {
            const ssize_t n = ::getdents64(fd, m_entries.data(), m_entries.size());
            if (n <= 0)
                return n == 0;
            for (ssize_t at = 0; at < n;) {
                const auto *entry = reinterpret_cast<const dirent64 *>(m_entries.data() + at);
                if (entry->d_ino != 0) // a removed entry, as readdir skips it
                    each(entry->d_name, entry->d_type);
                at += entry->d_reclen;
            }
        }
#else
        const int dup = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        DIR *dir = dup >= 0 ? ::fdopendir(dup) : nullptr;
        if (!dir) {
            if (dup >= 0)
                ::close(dup);
            return false;
        }
        for (;;) {
            errno = 0;
            const dirent *entry = ::readdir(dir);
            if (!entry) {
                const int error = errno;
                ::closedir(dir);
                errno = error;
                return error == 0;
            }
            each(entry->d_name, entry->d_type);
        }
#endif
    }

    void take(int fd, Level &level, const char *bytes, unsigned char type, std::vector<File> &files)
    {
        if (qstrcmp(bytes, ".") == 0 || qstrcmp(bytes, "..") == 0)
            return;
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString name = utf8(QByteArrayView(bytes));
        const bool valid = !utf8.hasError();
        // Only a regular file the folder itself says is one is known not to be a link.
        const ListedAs kind = type == DT_REG ? ListedAs::RegularFile : ListedAs::Unknown;
        if (type == DT_UNKNOWN || type == DT_LNK) {
            // A link counts as what it leads to; a link to a folder is not entered.
            struct stat st { };
            if (::fstatat(fd, bytes, &st, 0) != 0)
                return; // a dangling link, or gone meanwhile
            type = S_ISREG(st.st_mode) ? DT_REG
                : S_ISDIR(st.st_mode)  ? (type == DT_LNK ? DT_LNK : DT_DIR)
                                       : DT_UNKNOWN;
        }
        if (type == DT_DIR) {
            if (!m_walk.recurse || name.startsWith(u'.')
                || m_walk.leavesOut(level.path, name, true))
                return;
            if (valid)
                level.folders << name;
            else if (m_walk.undecodable)
                *m_walk.undecodable << join(level.path, name);
            return;
        }
        if (type != DT_REG)
            return;
        if (const std::optional<qint64> writer = TempFileName::writerOf(name)) {
            if (isStaleTemp(fd, bytes, *writer))
                ::unlinkat(fd, bytes, 0);
            return;
        }
        if (!m_walk.wants(name) || m_walk.leavesOut(level.path, name, false))
            return;
        if (valid)
            files.push_back({name, kind});
        else if (m_walk.undecodable)
            *m_walk.undecodable << join(level.path, name);
    }

    const FolderScan::Walk &m_walk;
    std::vector<char> m_entries; // what one listing call gives
};

} // namespace

void FolderScan::walkTreePosix(const QString &folder, const Walk &walk)
{
    TreeWalk(walk).run(folder);
}

#endif
