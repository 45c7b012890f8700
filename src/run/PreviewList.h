#pragma once

#include "io/FileStamp.h"
#include "run/ReplacementTexts.h"

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

struct FoundOccurrences;

// What a preview found: its files in list order, each with its occurrences, and which of them
// are ticked to be replaced. Kept small for big jobs: an occurrence is an offset into the file
// as it was read, not its text (rows are made from the file when shown), with its replacement
// cut short when long, and a text kept once for all the occurrences in a row that got it.
class PreviewList {
public:
    // Replacements longer than this are kept cut to this many characters, for showing.
    static constexpr qsizetype KeptReplacement = 80;

    struct File {
        QString path; // as the run's list names it
        std::optional<FileStamp> stamp; // when the preview read it
        qsizetype first = 0; // its first occurrence
        qsizetype count = 0;
        qsizetype ticked = 0;
    };
    struct Occurrence {
        qint64 start = 0; // in the text as read
        qint32 length = 0;
        qint32 file = 0;
        qint32 replacement = ReplacementTexts::None; // the list's text number
        bool ticked = true;
    };

    void clear();
    qsizetype fileCount() const { return qsizetype(m_files.size()); }
    qsizetype size() const { return qsizetype(m_occurrences.size()); }
    qsizetype tickedCount() const { return m_ticked; }
    const File &file(qsizetype index) const { return m_files[size_t(index)]; }
    const Occurrence &at(qsizetype index) const { return m_occurrences[size_t(index)]; }
    // What was put in place of the occurrence, cut when long (null: nothing was).
    const QString &replacement(qsizetype index) const { return m_texts.at(at(index).replacement); }
    // Whether that replacement is longer than kept.
    bool isCut(qsizetype index) const { return m_texts.isCut(at(index).replacement); }
    // What the list holds in memory, in bytes (its texts shared with the run not counted).
    qsizetype bytesUsed() const;
    // The file's index (the last one of that path), or -1.
    qsizetype indexOf(const QString &path) const;

    // A new file, after every occurrence of the previous one; its index.
    qsizetype addFile(const QString &path, const std::optional<FileStamp> &stamp);
    // An occurrence of the last file added, ticked.
    void add(qint64 start, qsizetype length, const QString &replacement);
    // Every occurrence of a file worked through ahead, as a new file; `found` gives them where
    // the run met them, in the text as edited.
    void addFile(const QString &path, const FoundOccurrences &found);
    void setReplacement(qsizetype index, const QString &replacement);
    void setTicked(qsizetype index, bool ticked);
    // Ticks or unticks every occurrence of the file.
    void setFileTicked(qsizetype file, bool ticked);

private:
    void addOccurrence(qint64 start, qsizetype length, qint32 replacement);
    // Drops the texts no occurrence uses any more (renumbering gives new ones).
    void dropUnusedTexts();

    std::vector<File> m_files;
    std::vector<Occurrence> m_occurrences;
    ReplacementTexts m_texts{KeptReplacement};
    // Made when first asked (applying), not while the preview lists: its first m_indexed files.
    mutable QHash<QString, qsizetype> m_index;
    mutable qsizetype m_indexed = 0;
    qsizetype m_ticked = 0;
};
