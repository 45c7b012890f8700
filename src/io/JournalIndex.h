#pragma once

#include "io/FileStamp.h"

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What a run's journal says, read back from its index: one record a line, appended as the run
// goes (the head, then for each file a "keep" before its rename and a "done" or "drop" after,
// then the end). A run killed half way has keeps without their "done": what happened to those
// files is found from the new file's inode and size, which the keep names.
struct JournalIndex {
    struct Entry {
        int number = 0;
        QString path; // the file the run replaced (a symbolic link's final target)
        QString copy; // its original bytes; empty when they could not be kept
        std::optional<FileStamp> old; // the original as the run read it
        std::optional<FileStamp> written; // the file the run put in place, once it was there
        quint64 newDevice = 0; // the new file, known before its rename
        quint64 newInode = 0;
        qint64 newSize = 0;
        bool dropped = false; // not written after all
    };

    QString id; // the run folder's name: its date and time
    QString folder;
    QString kind; // "replace" or "undo"
    QString search;
    QString replacement;
    QString undoes; // the id of the run an undo puts back
    QDateTime started;
    bool ended = false;
    QStringList stores; // folders of kept copies outside the run folder
    QList<Entry> entries;

    // The files the run changed (or, killed half way, may have changed).
    qsizetype filesChanged() const;
    // The index of the run folder `folder`; nothing when it has none or its head is unreadable.
    static std::optional<JournalIndex> read(const QString &folder);

    static QString fileName();
    // Only the stores of the run folder `folder` (what removing it needs): the index's other
    // records are passed over unread.
    static QStringList storesOf(const QString &folder);

    // What a finished run's journal holds, written when it ends, read without its index.
    struct Summary {
        qsizetype files = 0;
        qint64 bytes = 0;
    };
    static void writeSummary(const QString &folder, const Summary &summary);
    // The summary, or for a run that did not end, one worked out from its index.
    static Summary summaryOf(const QString &folder);
    // The bytes the kept originals of the files the run changed take.
    qint64 bytesKept() const;
    // A stamp as the index keeps it, and back.
    static QString stampText(const FileStamp &stamp);
    static std::optional<FileStamp> stampFrom(const QString &text);

private:
    void take(const QJsonObject &record);
};
