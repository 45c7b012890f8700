#pragma once

#include <QString>
#include <QtGlobal>

// Whoever can put a question to the user while a backup copy is made. The run's host
// implements it; the answer decides whether the run stops, goes on without a copy or retries.
class BackupHost {
public:
    enum class Answer { Abort, Retry, Ignore };

    virtual ~BackupHost() = default;
    // A modal question with Abort, Retry and Ignore buttons.
    virtual Answer AskAbortRetryIgnore(const QString &text) = 0;
    // Writing a file (a document or its backup copy) failed for `reason`, the system's words;
    // told before the retry question, whose text is fixed and cannot say why.
    virtual void WriteFailed(const QString &path, const QString &reason)
    {
        Q_UNUSED(path);
        Q_UNUSED(reason);
    }
};
