#pragma once

#include "engine/ByteFinder.h"
#include "io/FileStamp.h"
#include "run/FileJobResult.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// Finds (or replaces) an ASCII literal in one file without reading it into a document: the
// file is read once, searched with a ByteFinder, and a replacement streams the new
// content into a file beside it through one reused buffer. Counting goes on one byte after each
// start, as the find run does; replacing goes on after each match, as the replace run does.
// Files that ByteText does not clear fall back to the general path.
class ByteFileJob {
public:
    enum class Mode { Count, Replace, CountReplaceable };

    ByteFileJob(QByteArray needle, QByteArray replacement, bool matchCase, Mode mode, bool syncEach)
        : m_finder(needle, matchCase)
        , m_replacement(std::move(replacement))
        , m_mode(mode)
        , m_syncEach(syncEach)
        , m_foldedLetters(!matchCase && hasFoldedLetters(needle))
    {
    }

    FileJobResult process(const QString &path) const;
    // Called with each file's name once it is open and before its first byte is read.
    void setOpenedHook(std::function<void(const QString &)> opened)
    {
        m_opened = std::move(opened);
    }

    // Literal ASCII without line breaks: what the byte path can look for and put in.
    static bool isPlainAscii(QStringView text);

private:
    static bool hasFoldedLetters(QByteArrayView needle);
    qsizetype count(QByteArrayView bytes, qsizetype step) const;
    FileJobResult replace(const QString &target, QByteArrayView bytes, qsizetype first,
                          const FileStamp &stamp, FileJobResult result) const;

    ByteFinder m_finder;
    QByteArray m_replacement;
    Mode m_mode;
    bool m_syncEach;
    bool m_foldedLetters;
    std::function<void(const QString &)> m_opened;
};
