#pragma once

#include "document/ByteText.h"
#include "document/CodePage.h"
#include "engine/ByteFinder.h"
#include "engine/ByteFormsFinder.h"
#include "io/FileStamp.h"
#include "io/FolderHandlePool.h"
#include "io/ListedAs.h"
#include "run/ByteOccurrenceReport.h"
#include "run/FileJobResult.h"

class FileBytes;

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class JournalStore;

// Finds (or replaces) a literal in one file without reading it into a document: the file is
// read once, searched as bytes, and a replacement streams the new content into a file beside
// it through one reused buffer. Counting goes on one byte after each start, as the find run
// does; replacing goes on after each match, as the replace run does. ASCII patterns are
// searched with a ByteFinder in every file ByteText clears; other patterns in the file's own
// encoding, UTF-8 or code page 1251 (ByteText::charsetOf), with a ByteFormsFinder. Every
// other file falls back to the general path.
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

    // `listed`: what the folder scan saw under that name (ListedAs).
    FileJobResult process(const QString &path, ListedAs listed = ListedAs::Unknown) const;
    // The 8-bit code page of files neither UTF-8 nor marked, and whether the run was told it
    // (doubtful files are then not held back). Patterns beyond ASCII take such files as bytes
    // only in code page 1251, and only when they do not look like another code page.
    void setCodePage(CodePage page, bool chosen)
    {
        m_codePage = page;
        m_codePageChosen = chosen;
    }
    // Called with each file's name once it is open and before its first byte is read.
    void setOpenedHook(std::function<void(const QString &)> opened)
    {
        m_opened = std::move(opened);
    }

    // New files that replace a file are made where the journal's store can keep the original
    // by swapping them in (TempFileWriter::keepThrough). Not owned; null: beside their targets.
    void keepThrough(JournalStore *store) { m_store = store; }

    // Tells every occurrence to `sink` as it is met, with `replacement` (null when nothing is
    // put in place). Told occurrences cannot be taken back: each file is then decided on
    // before its first occurrence is met, and a file whose text positions the job cannot
    // give exactly, or that the run would read again, is left to the general path.
    void setReport(ByteOccurrenceReport::Sink sink, QString replacement)
    {
        m_report = std::move(sink);
        m_told = std::move(replacement);
    }

    // Each occurrence is noted in the result (FileJobResult::found), with `replacement` (null
    // when counting) as what is put in its place. Only files all in ASCII are taken then, where
    // a byte's place is a character's.
    void setListing(const QString &replacement)
    {
        m_listing = true;
        m_told = replacement;
    }

    // Whether a file whose encoding is 1251 or the run's code page is read as 1251: declared
    // so, or read in the run's code page `codePage` (`chosen` by the user, or not doubted).
    static bool readsAsCp1251(QByteArrayView bytes, const QString &path, CodePage codePage,
                              bool chosen);

    // Literal ASCII without line breaks: what the byte path can look for and put in.
    static bool isPlainAscii(QStringView text);
    // The job for a literal `search` and its `replacement` in any characters but line breaks;
    // nullopt when neither UTF-8 nor code page 1251 files could take it as bytes.
    static std::optional<ByteFileJob> forText(QStringView search, QStringView replacement,
                                              bool matchCase, Mode mode, bool syncEach);

private:
    // A pattern not all ASCII, as searched and replaced in files of one encoding.
    struct Encoded {
        ByteFormsFinder finder;
        QByteArray replacement;
    };

    // Where a file was read from: the folder kept open for it, and the file's open handle.
    struct Origin {
        FolderHandleCache *folders = nullptr;
        int handle = -1;
    };

    FileJobResult process(const QString &path, ListedAs listed, FileBytes &file) const;
    static bool hasFoldedLetters(QByteArrayView needle);
    FileJobResult processEncoded(const QString &path, const QString &target, QByteArrayView bytes,
                                 const FileStamp &stamp, int links, const Origin &origin) const;
    // The encoding of the file, and whether the job can take it as bytes.
    ByteText::Charset charsetOf(QByteArrayView bytes, const QString &path) const;
    bool readsAsCp1251(QByteArrayView bytes, const QString &path) const
    {
        return readsAsCp1251(bytes, path, m_codePage, m_codePageChosen);
    }
    bool doubtsCodePage(QByteArrayView bytes, const QString &path) const
    {
        return doubtsCodePage(bytes, path, m_codePage, m_codePageChosen);
    }
    static bool doubtsCodePage(QByteArrayView bytes, const QString &path, CodePage codePage,
                               bool chosen);
    static bool declares(QByteArrayView bytes, const QString &path);
    const Encoded *encodedFor(ByteText::Charset charset) const;
    // The report of a file read in `charset`; nothing when occurrences are not told or the
    // file's text positions cannot be given.
    std::optional<ByteOccurrenceReport> reportFor(const QString &path, QByteArrayView bytes,
                                                  ByteText::Charset charset, qsizetype length,
                                                  QByteArrayView replacement) const;
    template <class Finder>
    FileJobResult work(const Finder &finder, QByteArrayView replacement, const QString &target,
                       QByteArrayView bytes, const FileStamp &stamp, int links,
                       const Origin &origin, ByteOccurrenceReport *report) const;
    // The occurrences; -1 when the report asked to stop.
    template <class Finder>
    qsizetype count(const Finder &finder, QByteArrayView bytes, qsizetype step,
                    ByteOccurrenceReport *report, FoundOccurrences *found = nullptr) const;
    template <class Finder>
    FileJobResult replace(const Finder &finder, QByteArrayView replacement, const QString &target,
                          QByteArrayView bytes, qsizetype first, const FileStamp &stamp,
                          const Origin &origin, FileJobResult result,
                          ByteOccurrenceReport *report) const;

    ByteFinder m_finder;
    QByteArray m_replacement;
    Mode m_mode;
    bool m_syncEach;
    bool m_foldedLetters;
    // Set for patterns that are not all ASCII; shared by the copies of the job.
    std::shared_ptr<const Encoded> m_utf8;
    std::shared_ptr<const Encoded> m_cp1251;
    bool m_encoded = false;
    CodePage m_codePage = CodePage::Cp1251;
    bool m_codePageChosen = false;
    std::function<void(const QString &)> m_opened;
    ByteOccurrenceReport::Sink m_report;
    bool m_listing = false;
    // The replacement each occurrence is told or listed with; null when nothing is put in.
    QString m_told;
    // The folders the threads running the job keep open; shared by the copies of the job.
    std::shared_ptr<FolderHandlePool> m_folders = std::make_shared<FolderHandlePool>();
    JournalStore *m_store = nullptr;
};
