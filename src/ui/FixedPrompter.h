#pragma once

#include "ui/Prompter.h"

// Shows nothing and gives the same answers every time: for windows driven without anyone
// watching (benchmarks, the screenshot tool). Every file dialog and the print dialog count as
// cancelled.
class FixedPrompter : public Prompter {
public:
    FixedPrompter(bool yes, BackupHost::Answer backupAnswer)
        : m_yes(yes), m_backup(backupAnswer) { }

    bool askYesNo(QWidget *, const QString &, const QString &, bool) override { return m_yes; }
    void showMessage(QWidget *, const QString &) override { }
    void showError(QWidget *, const QString &) override { }
    BackupHost::Answer askAbortRetryIgnore(QWidget *, const QString &) override { return m_backup; }
    QStringList openFileNames(QWidget *, const QString &, const QString &) override { return {}; }
    QString openFileName(QWidget *, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, int &) override { return {}; }
    bool choosePrinter(QWidget *, QPrinter &) override { return false; }

private:
    bool m_yes;
    BackupHost::Answer m_backup;
};
