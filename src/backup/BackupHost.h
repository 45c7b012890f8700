#pragma once

#include <QString>

// Whoever can put a question to the user while a backup copy is made. The run's host
// implements it; the answer decides whether the run stops, goes on without a copy or retries.
class BackupHost {
public:
    enum class Answer { Abort, Retry, Ignore };

    virtual ~BackupHost() = default;
    // A modal question with Abort, Retry and Ignore buttons.
    virtual Answer AskAbortRetryIgnore(const QString &text) = 0;
};
