#pragma once

#include <QString>

// A run folder held by the run that writes it: a prune (of this process or another) leaves a
// held folder alone. The hold is an advisory lock on the open folder, which the system lets go
// of when the process ends, however it ends: a run killed half way holds nothing.
class RunFolderLock {
public:
    RunFolderLock() = default;
    RunFolderLock(const RunFolderLock &) = delete;
    RunFolderLock &operator=(const RunFolderLock &) = delete;
    ~RunFolderLock() { release(); }

    // Holds `folder`; false when another run holds it or it cannot be opened. Systems without
    // the lock hold nothing and say true.
    bool take(const QString &folder);
    void release();

private:
    int m_fd = -1;
};
