#pragma once

#include <QString>

#include <optional>

// The name a run knows a file by: absolute, with every symbolic link, "." and ".." resolved.
// Two names that lead to one file through links or "." and ".." resolve alike; hard links
// are separate names (a rewrite through one of them splits them, as sed -i does).
class ResolvedPath {
public:
    // When the name cannot be resolved (no such file, a name longer than the system takes),
    // it is made absolute and its "." and ".." are taken away as written.
    static QString of(const QString &path);

private:
    // realpath (ResolvedPath_posix.cpp); the portable level asks Qt for the canonical name.
    static std::optional<QString> ofPosix(const QString &path);
};
