#pragma once

// Which system calls the file operations use: the POSIX ones (handles on folders and files,
// inodes and change times, syncs) where the system has them, else the portable ones of Qt and
// the C++ library. The environment variable QUORVEX_IO=portable lowers a POSIX system to the
// portable level, so that it is built and tested on every machine. The portable level cannot
// give every guarantee of the POSIX one: guarantees() says which it gives, and a run that
// writes files says once in its report what it goes without.
class IoLevel {
public:
    enum class Level { Portable, Posix };

    // What a level promises beyond the plain replacement of a file by a new one.
    struct Guarantees {
        // A file is known by its identity and change time, not only by size and modification
        // time, so that a rewrite by another program that restored both is still seen.
        bool fileIdentity;
        // The stamp comes from the open file itself; a file swapped for another between the
        // look and the open is not read under the old one's stamp.
        bool stampFromHandle;
        // A new file's data is forced to the disk before the new file takes the old one's name.
        bool syncBeforeRename;
        // Extended attributes, the ACL, owner and group go over to the new file.
        bool attributes;
        // Opening a file never waits on a pipe put in its place.
        bool nonBlockingOpen;

        bool all() const
        {
            return fileIdentity && stampFromHandle && syncBeforeRename && attributes
                && nonBlockingOpen;
        }
    };

    // Decided once per process, before any file is touched.
    static Level level();
    // What `system` allows once lowered by `request` (nullptr or unknown: no change).
    static Level lowered(Level system, const char *request);
    static bool portable() { return level() == Level::Portable; }

    static Guarantees guarantees(Level level);
    static Guarantees guarantees() { return guarantees(level()); }
};
