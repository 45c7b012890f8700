#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The names of the new files a run writes beside the files it replaces. They are short (so any
// file name, up to the longest the system allows, can still be replaced), hidden, and carry
// the writing process's id, so that a folder scan never takes one for a document and a later
// run can tell the leftovers of a killed run from the files of a run still going on.
//
// Form: ".qvx-<pid>-<serial>.tmp", both numbers in decimal.
class TempFileName {
public:
    // A fresh name in `folder` (which ends without a separator) for process `pid`.
    static QString make(const QString &folder, qint64 pid, quint64 serial);
    // A name in `folder` that no other writer of this process uses: this process's id and a
    // serial number that every thread draws from one counter.
    static QString next(const QString &folder);
    // The same for this process's id `pid`, asked once by the caller.
    static QString next(const QString &folder, qint64 pid);
    // The process that wrote a file of this name; nothing when the name is not one of ours.
    static std::optional<qint64> writerOf(QStringView fileName);
    static bool isTempName(QStringView fileName) { return writerOf(fileName).has_value(); }
};
