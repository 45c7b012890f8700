#pragma once

#include "document/CodePage.h"
#include "engine/RegexBytePattern.h"
#include "io/ListedAs.h"
#include "run/FileJobResult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class EngineState;
class PatternLineBreaks;
class RegexByteFinder;

// Counts or replaces the matches of a regular expression in a UTF-8 file without reading it into
// a document: the file's bytes are matched as they are and a replacement streams the new content
// into a file beside it. Taken only where it gives what the document would: valid UTF-8 that
// the general path reads as UTF-8, no NUL byte, not RTF; a replacement made of text and groups;
// when replacing, a pattern that does not look behind (the streamed document path's rule). Every
// other file (and one whose search reaches the step limit) falls back to the general path.
class RegexByteJob {
public:
    enum class Mode { Count, Replace, CountReplaceable };

    // The job for the run's compiled regular expression and replacement; nothing when the bytes
    // could not give the same matches or replacements.
    static std::optional<RegexByteJob> of(const EngineState &state,
                                          const PatternLineBreaks &lineBreaks, bool matchCase,
                                          Mode mode, bool syncEach);

    // `listed`: what the folder scan saw under that name (ListedAs).
    FileJobResult process(const QString &path, ListedAs listed = ListedAs::Unknown) const;
    // The 8-bit code page of files neither UTF-8 nor marked, and whether the run was told it.
    // A count takes a file read in code page 1251 too, as the UTF-8 of its characters.
    void setCodePage(CodePage page, bool chosen)
    {
        m_codePage = page;
        m_codePageChosen = chosen;
    }
    // Files from `from` bytes on are searched on `workers` threads at once, where the pattern
    // allows (RegexBytePattern::startsAnywhere). Worth it only for a large file: each part
    // costs a thread and keeps its matches until they are used.
    static constexpr qsizetype SplitFrom = qsizetype(4) << 20;
    void splitOver(int workers, qsizetype from = SplitFrom);

private:
    // A piece of the replacement: its text in UTF-8, or a group of the match.
    struct Piece {
        QByteArray text;
        int group = -1;
    };
    // The pattern and replacement for files of one line-break style (CR LF, LF, CR).
    struct Style {
        std::shared_ptr<const RegexBytePattern> pattern;
        // The same, compiled to search in parts; null when files are not split.
        std::shared_ptr<const RegexBytePattern> bounded;
        std::vector<Piece> replacement;
    };

    RegexByteJob(Mode mode, bool syncEach) : m_mode(mode), m_syncEach(syncEach) { }
    static std::optional<std::vector<Piece>> piecesOf(const EngineState &state);
    // The bytes of the file's text (after a UTF-8 mark), or nothing when it takes the general
    // path.
    std::optional<QByteArrayView> textOf(QByteArrayView bytes, const QString &path) const;
    static QByteArrayView asUtf8(QByteArrayView cp1251);
    static size_t styleOf(QByteArrayView text);
    static void replacement(const Style &style, const qsizetype *groups, int count,
                            QByteArrayView text, std::vector<QByteArrayView> &out);
    // Tells `take` every match in order; false when the matches are not known.
    bool search(const Style &style, QByteArrayView text,
                const std::function<void(const qsizetype *groups, int count)> &take) const;
    FileJobResult work(const Style &style, QByteArrayView bytes, QByteArrayView text,
                       const QString &target, const FileStamp &stamp) const;

    std::shared_ptr<const std::array<Style, 3>> m_styles;
    Mode m_mode;
    bool m_syncEach;
    // Nothing put in but ASCII: an ASCII file read in code page 1251 comes out the same.
    bool m_asciiOut = true;
    CodePage m_codePage = CodePage::Cp1251;
    bool m_codePageChosen = false;
    // The pattern as typed, for the patterns that search in parts.
    QString m_typed;
    bool m_matchCase = true;
    int m_workers = 1;
    qsizetype m_splitFrom = SplitFrom;
};
