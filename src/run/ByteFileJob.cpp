#include "run/ByteFileJob.h"

#include "document/ByteText.h"
#include "document/CodePageGuess.h"
#include "document/Cp1251.h"
#include "document/HtmlCharset.h"
#include "document/LargeFileReader.h"
#include "engine/Utf8Scan.h"
#include "io/AtomicFileWriter.h"
#include "io/ByteSpanWriter.h"
#include "io/NativePath.h"
#include "io/ReadOnlyFile.h"
#include "io/TempFileWriter.h"
#include "run/FileBytes.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// Occurrences looked for at once before they are used.
constexpr size_t StartsAtOnce = 1024;

// New files smaller than this get their name when made, one call less than naming them when
// finished; a killed run leaves such small files behind for the next scan of their folder
// to remove. Larger ones stay nameless while written.
constexpr qsizetype NamedAtOnceBelow = qsizetype(1) << 20;

// How much of a large file's start decides the encoding its search begins with; the whole
// file is checked beside the search.
constexpr qsizetype GuessedFrom = qsizetype(64) << 10;

bool hasLineBreak(QStringView text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

const std::array<char16_t, 256> &cp1251Table()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[size_t(b)] = Cp1251::toUnicode(uchar(b));
        return t;
    }();
    return table;
}

// By the first byte and then the rest: the forms looked for start with bytes that are rare
// in text, which the library's search for a byte passes over many at a time.
bool holds(QByteArrayView bytes, QByteArrayView needle)
{
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    while (end - p >= needle.size()) {
        const void *hit = std::memchr(p, needle[0], size_t(end - p - needle.size() + 1));
        if (!hit)
            return false;
        p = static_cast<const char *>(hit);
        if (std::memcmp(p, needle.data(), size_t(needle.size())) == 0)
            return true;
        ++p;
    }
    return false;
}

bool holdsAny(QByteArrayView bytes, const std::vector<QByteArray> &needles)
{
    return std::any_of(needles.begin(), needles.end(),
                       [&](const QByteArray &needle) { return holds(bytes, needle); });
}

// Every byte below 128, eight at a time.
bool isAllAscii(QByteArrayView bytes)
{
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    for (; end - p >= 8; p += 8) {
        quint64 word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ULL)
            return false;
    }
    for (; p < end; ++p) {
        if (uchar(*p) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

bool ByteFileJob::isPlainAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80 || c == u'\r' || c == u'\n')
            return false;
    }
    return true;
}

std::optional<ByteFileJob> ByteFileJob::forText(QStringView search, QStringView replacement,
                                                bool matchCase, Mode mode, bool syncEach)
{
    if (isPlainAscii(search) && isPlainAscii(replacement))
        return ByteFileJob(search.toLatin1(), replacement.toLatin1(), matchCase, mode, syncEach);
    // A mark at the start of a UTF-8 file is no part of its text: a pattern holding the
    // character it stands for is left to the general path.
    if (search.isEmpty() || hasLineBreak(search) || hasLineBreak(replacement)
        || search.contains(QChar(0xFEFF)) || !replacement.isValidUtf16())
        return std::nullopt;
    ByteFileJob job({}, {}, matchCase, mode, syncEach);
    job.m_encoded = true;
    if (std::optional<ByteForms> forms = ByteForms::utf8(search, matchCase))
        job.m_utf8 = std::make_shared<Encoded>(
            Encoded{ByteFormsFinder(std::move(*forms)), replacement.toUtf8()});
    QByteArray bytes;
    std::optional<ByteForms> forms = ByteForms::singleByte(search, matchCase, cp1251Table());
    if (forms && Cp1251::encode(replacement, bytes))
        job.m_cp1251 = std::make_shared<Encoded>(
            Encoded{ByteFormsFinder(std::move(*forms)), std::move(bytes)});
    if (!job.m_utf8 && !job.m_cp1251)
        return std::nullopt;
    return job;
}

bool ByteFileJob::hasFoldedLetters(QByteArrayView needle)
{
    return ByteText::hasFoldedLetters(needle);
}

FileJobResult ByteFileJob::process(const QString &path, ListedAs listed) const
{
    FileBytes file;
    FileJobResult result = process(path, listed, file);
    return file.intact() ? result : FileJobResult::dropped(std::move(result));
}

FileJobResult ByteFileJob::process(const QString &path, ListedAs listed, FileBytes &file) const
{
    const FolderHandlePool::Lease folders = m_folders->lease(path);
    QString target;
    const ReadOnlyFile::Status status = file.open(path, target, m_opened, folders.get(), listed);
    if (std::optional<FileJobResult> refused = FileJobResult::notAFile(status))
        return *refused;
    if (status == ReadOnlyFile::Status::Unreadable)
        return {}; // the general path says so
    const QByteArrayView bytes = file.bytes();
    const FileStamp &stamp = file.stamp();
    const Origin origin{folders.get(), file.handle()};
    // The run reads such a file again after its other names are dealt with.
    if (m_report && m_mode == Mode::Replace && file.links() > 1)
        return {};
    if (m_listing && (m_encoded || !isAllAscii(bytes)))
        return {}; // a document says where each occurrence is
    if (m_encoded) {
        FileJobResult result = processEncoded(path, target, bytes, stamp, file.links(), origin);
        result.leafIsLink = file.wasLink();
        return result;
    }
    if (!ByteText::isAsciiCompatibleButForNul(bytes, NativePath::fileNameOf(path)))
        return {};
    // NUL bytes make a file binary, and some letters take it off the byte path: files holding
    // them are left to the general path. A large file is replaced while another thread looks.
    auto refuses = [&] {
        return ByteText::holdsNul(bytes)
            || (m_foldedLetters && ByteText::holdsLettersFoldingToAscii(bytes))
            || doubtsCodePage(bytes, path);
    };
    const bool lookBeside
        = !m_report && m_mode == Mode::Replace && bytes.size() >= ByteSpanWriter::ThreadedFrom;
    if (!lookBeside && refuses())
        return {};
    std::optional<ByteOccurrenceReport> report;
    if (m_report) {
        const Utf8Scan::Result scan = Utf8Scan::of(bytes);
        report = reportFor(path, bytes,
                           ByteText::charsetOf(bytes, NativePath::fileNameOf(path), scan.ascii,
                                               scan.validUpTo == bytes.size()),
                           m_finder.size(), m_replacement);
        if (!report)
            return {};
    }
    bool refused = false;
    std::jthread look;
    if (lookBeside)
        look = std::jthread([&] { refused = refuses(); });
    FileJobResult result = work(m_finder, m_replacement, target, bytes, stamp, file.links(), origin,
                                report ? &*report : nullptr);
    if (look.joinable())
        look.join();
    if (refused) {
        if (result.pending)
            AtomicFileWriter::discard(*result.pending);
        return {};
    }
    result.leafIsLink = file.wasLink();
    return result;
}

ByteText::Charset ByteFileJob::charsetOf(QByteArrayView bytes, const QString &path) const
{
    if (ByteText::holdsNul(bytes))
        return ByteText::Charset::Other;
    const Utf8Scan::Result scan = Utf8Scan::of(bytes);
    const ByteText::Charset charset = ByteText::charsetOf(
        bytes, NativePath::fileNameOf(path), scan.ascii, scan.validUpTo == bytes.size());
    if (charset == ByteText::Charset::Cp1251 && !readsAsCp1251(bytes, path))
        return ByteText::Charset::Other;
    // Characters that fold like the pattern's in forms of another length: only the decoded
    // search finds them.
    if (charset == ByteText::Charset::Utf8 && m_utf8
        && holdsAny(bytes, m_utf8->finder.forms().outside()))
        return ByteText::Charset::Other;
    return charset;
}

// A file not declared to be in code page 1251 is read in the run's code page: taken as 1251
// only in that code page, and only when it does not look like another.
bool ByteFileJob::readsAsCp1251(QByteArrayView bytes, const QString &path, CodePage codePage,
                                bool chosen)
{
    if (declares(bytes, path))
        return true;
    return codePage == CodePage::Cp1251 && !doubtsCodePage(bytes, path, codePage, chosen);
}

bool ByteFileJob::declares(QByteArrayView bytes, const QString &path)
{
    return HtmlCharset::isHtmlName(NativePath::fileNameOf(path))
        && !HtmlCharset::declared(bytes).isEmpty();
}

// A file read in the run's 8-bit code page (neither UTF-8 nor marked nor declared) that looks
// like another code page: the general path says so, and may hold it back.
bool ByteFileJob::doubtsCodePage(QByteArrayView bytes, const QString &path, CodePage codePage,
                                 bool chosen)
{
    if (chosen)
        return false;
    const Utf8Scan::Result scan = Utf8Scan::of(bytes);
    if (scan.ascii || scan.validUpTo == bytes.size() || declares(bytes, path))
        return false;
    // As much as the general path looks at.
    const QByteArrayView sample
        = bytes.size() >= LargeFileReader::Threshold ? bytes.first(CodePageGuess::Sample) : bytes;
    return CodePageGuess::likelier(sample, codePage).has_value();
}

const ByteFileJob::Encoded *ByteFileJob::encodedFor(ByteText::Charset charset) const
{
    switch (charset) {
    case ByteText::Charset::Utf8:
        return m_utf8.get();
    case ByteText::Charset::Cp1251:
        return m_cp1251.get();
    case ByteText::Charset::Other:
        break;
    }
    return nullptr;
}

// A large file is searched in the encoding its start suggests while another thread reads the
// whole; when the two differ the work is dropped and the general path takes the file.
FileJobResult ByteFileJob::processEncoded(const QString &path, const QString &target,
                                          QByteArrayView bytes, const FileStamp &stamp, int links,
                                          const Origin &origin) const
{
    // Told occurrences cannot be taken back: the file's encoding is known before the search.
    const bool large = !m_report && bytes.size() >= ByteSpanWriter::ThreadedFrom;
    ByteText::Charset charset;
    ByteText::Charset exact = ByteText::Charset::Other;
    std::jthread look;
    if (large) {
        const QByteArrayView head = bytes.first(std::min(bytes.size(), GuessedFrom));
        // The head may end inside a character.
        const bool valid = Utf8Scan::of(head).validUpTo >= head.size() - 3;
        charset = ByteText::charsetOf(bytes, NativePath::fileNameOf(path), false, valid);
        look = std::jthread([&] { exact = charsetOf(bytes, path); });
    } else {
        charset = exact = charsetOf(bytes, path);
    }
    const Encoded *encoded = encodedFor(charset);
    std::optional<ByteOccurrenceReport> report;
    if (encoded && m_report) {
        report = reportFor(path, bytes, charset, encoded->finder.size(), encoded->replacement);
        if (!report)
            return {};
    }
    FileJobResult result;
    if (encoded)
        result = work(encoded->finder, encoded->replacement, target, bytes, stamp, links, origin,
                      report ? &*report : nullptr);
    if (look.joinable())
        look.join();
    if (!encoded || exact != charset) {
        if (result.pending)
            AtomicFileWriter::discard(*result.pending);
        return {};
    }
    return result;
}

std::optional<ByteOccurrenceReport>
ByteFileJob::reportFor(const QString &path, QByteArrayView bytes, ByteText::Charset charset,
                       qsizetype length, QByteArrayView replacement) const
{
    if (!m_report || charset == ByteText::Charset::Other)
        return std::nullopt;
    const ByteOccurrenceReport::Replacement made{m_mode != Mode::Count, m_told, replacement};
    return std::optional<ByteOccurrenceReport>(std::in_place, m_report, path, bytes, charset,
                                               length, made);
}

template <class Finder>
FileJobResult ByteFileJob::work(const Finder &finder, QByteArrayView replacement,
                                const QString &target, QByteArrayView bytes, const FileStamp &stamp,
                                int links, const Origin &origin, ByteOccurrenceReport *report) const
{
    FileJobResult result;
    result.kind = FileJobResult::Kind::Done;
    result.links = links;
    FoundOccurrences *found = m_listing ? &result.found : nullptr;
    if (found)
        found->stamp = stamp;
    if (m_mode != Mode::Replace) {
        result.hits
            = count(finder, bytes, m_mode == Mode::Count ? 1 : finder.size(), report, found);
        if (result.hits < 0)
            return {}; // stopped
        if (m_mode == Mode::Count)
            return result;
        result.replacements = result.hits;
        result.changed = result.hits > 0;
        return result;
    }
    const qsizetype first = finder.find(bytes, 0);
    if (first >= 0) {
        result.changed = true;
        result = replace(finder, replacement, target, bytes, first, stamp, origin,
                         std::move(result), report);
    }
    return result;
}

template <class Finder>
qsizetype ByteFileJob::count(const Finder &finder, QByteArrayView bytes, qsizetype step,
                             ByteOccurrenceReport *report, FoundOccurrences *found) const
{
    qsizetype hits = 0;
    std::vector<qsizetype> starts;
    qsizetype from = 0;
    for (bool more = true; more;) {
        starts.clear();
        more = finder.findMany(bytes, from, step, starts, StartsAtOnce);
        // Where the run would meet each one: after the replacements before it.
        if (found)
            found->addEach(starts, finder.size(), m_told);
        hits += qsizetype(starts.size());
        if (report) {
            for (const qsizetype at : starts) {
                if (!report->met(at))
                    return -1;
            }
        }
    }
    return hits;
}

template <class Finder>
FileJobResult ByteFileJob::replace(const Finder &finder, QByteArrayView replacement,
                                   const QString &target, QByteArrayView bytes, qsizetype first,
                                   const FileStamp &stamp, const Origin &origin,
                                   FileJobResult result, ByteOccurrenceReport *report) const
{
    TempFileWriter writer;
    writer.useFolders(origin.folders);
    // The file read is the target itself (a link's target is opened through the link).
    writer.setModelHandle(origin.handle);
    writer.setNamedAtOnce(bytes.size() < NamedAtOnceBelow);
    writer.keepThrough(m_store);
    if (!writer.open(target, stamp, &result.error)) {
        // The file keeps its occurrences all the same, as when a document cannot be saved.
        result.hits = count(finder, bytes, finder.size(), report);
        if (result.hits < 0)
            return {}; // stopped
        result.kind = FileJobResult::Kind::WriteFailed;
        return result;
    }
    ByteSpanWriter out(writer, bytes.size() >= ByteSpanWriter::ThreadedFrom);
    std::vector<qsizetype> starts{first};
    qsizetype from = first + finder.size();
    qsizetype copied = 0;
    for (bool more = true; more;) {
        more = finder.findMany(bytes, from, finder.size(), starts, StartsAtOnce);
        for (const qsizetype at : starts) {
            if (report && !report->met(at)) {
                // Stopped: nothing of the new file is kept.
                out.finish();
                writer.discard();
                return {};
            }
            out.append(bytes.sliced(copied, at - copied));
            out.append(replacement);
            copied = at + finder.size();
        }
        result.hits += qsizetype(starts.size());
        starts.clear();
    }
    result.replacements = result.hits;
    out.append(bytes.sliced(copied));
    out.finish();
    result.pending = writer.finish(m_syncEach, &result.error);
    if (!result.pending) {
        result.kind = FileJobResult::Kind::WriteFailed;
        return result;
    }
    result.pending->expected = stamp;
    result.kind = FileJobResult::Kind::Done;
    return result;
}
