#include "run/RegexByteJob.h"

#include "document/ByteText.h"
#include "document/CodePageGuess.h"
#include "document/Cp1251.h"
#include "document/HtmlCharset.h"
#include "document/LargeFileReader.h"
#include "engine/EngineState.h"
#include "engine/RegexByteFinder.h"
#include "engine/RegexSplitSearch.h"
#include "engine/Utf8Scan.h"
#include "io/ByteSpanWriter.h"
#include "io/NativePath.h"
#include "io/TempFileWriter.h"
#include "run/ByteFileJob.h"
#include "run/FileBytes.h"
#include "run/PatternLineBreaks.h"

#include <algorithm>
#include <cstring>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString lineBreaks[3] = {u"\r\n"_s, u"\n"_s, u"\r"_s};

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

// Where writing the new content stands: opened at the first change.
struct Output {
    TempFileWriter writer;
    std::optional<ByteSpanWriter> spans;
    bool failed = false;
};

// Opens the new file beside `target` and writes what comes before the text (a UTF-8 mark).
bool open(Output &output, const QString &target, const FileStamp &stamp, QByteArrayView bytes,
          QByteArrayView text, QString *error)
{
    if (!output.writer.open(target, stamp, error)) {
        output.failed = true;
        return false;
    }
    output.spans.emplace(output.writer, bytes.size() >= ByteSpanWriter::ThreadedFrom);
    output.spans->append(bytes.first(bytes.size() - text.size()));
    return true;
}

void abandon(Output &output)
{
    if (output.spans)
        output.spans->finish();
    output.writer.discard();
}

} // namespace

std::optional<RegexByteJob> RegexByteJob::of(const EngineState &state,
                                             const PatternLineBreaks &lineBreaks, bool matchCase,
                                             Mode mode, bool syncEach)
{
    if (!state.FindRegex || !state.Regex.isSet())
        return std::nullopt;
    // The streamed document path's rule: a pattern that looks behind sees replacements made.
    if (mode != Mode::Count && state.PatternLooksBehind())
        return std::nullopt;
    RegexByteJob job(mode, syncEach);
    auto styles = std::make_shared<std::array<Style, 3>>();
    QString typed; // the pattern as typed: the CR LF style's, which comes first
    for (size_t i = 0; i < styles->size(); ++i) {
        EngineState s = state;
        lineBreaks.Apply(s, ::lineBreaks[i]);
        if (i == 0)
            typed = s.SearchText;
        Style &style = (*styles)[i];
        style.pattern = RegexBytePattern::compile(typed, matchCase, ::lineBreaks[i]);
        if (!style.pattern)
            return std::nullopt;
        if (mode == Mode::Count)
            continue;
        std::optional<std::vector<Piece>> pieces = piecesOf(s);
        if (!pieces)
            return std::nullopt;
        style.replacement = std::move(*pieces);
        for (const Piece &piece : style.replacement)
            job.m_asciiOut = job.m_asciiOut && isAscii(piece.text);
    }
    job.m_styles = std::move(styles);
    job.m_typed = typed;
    job.m_matchCase = matchCase;
    return job;
}

void RegexByteJob::splitOver(int workers, qsizetype from)
{
    m_workers = 1;
    if (workers < 2 || !RegexBytePattern::startsAnywhere(m_typed))
        return;
    auto styles = std::make_shared<std::array<Style, 3>>(*m_styles);
    for (size_t i = 0; i < styles->size(); ++i) {
        (*styles)[i].bounded
            = RegexBytePattern::compile(m_typed, m_matchCase, ::lineBreaks[i], true);
        if (!(*styles)[i].bounded)
            return;
    }
    m_styles = std::move(styles);
    m_workers = workers;
    m_splitFrom = from;
}

// The replacement as the file's line-break style has it; nothing when it holds more than text
// and groups, or text UTF-8 cannot hold.
std::optional<std::vector<RegexByteJob::Piece>> RegexByteJob::piecesOf(const EngineState &s)
{
    std::vector<Piece> pieces;
    auto text = [&](const QString &literal) {
        if (!literal.isValidUtf16())
            return false;
        pieces.push_back({literal.toUtf8(), -1});
        return true;
    };
    if (!s.ReplaceWildcards) {
        if (!text(s.ReplaceText))
            return std::nullopt;
        return pieces;
    }
    for (int i = 1; i <= s.ReplaceBlockCount; ++i) {
        const TMaskBlockS &block = s.ReplaceBlocks[size_t(i)];
        if (block.Kind == mkBackRef)
            pieces.push_back({{}, int(block.Pos)});
        else if (block.Kind != mkLiteral || !text(block.Text))
            return std::nullopt;
    }
    return pieces;
}

FileJobResult RegexByteJob::process(const QString &path, ListedAs listed) const
{
    FileBytes file;
    QString target;
    const ReadOnlyFile::Status status = file.open(path, target, {}, nullptr, listed);
    if (std::optional<FileJobResult> refused = FileJobResult::notAFile(status))
        return *refused;
    if (status == ReadOnlyFile::Status::Unreadable)
        return {}; // the general path says so
    const std::optional<QByteArrayView> text = textOf(file.bytes(), path);
    if (!text)
        return {};
    FileJobResult result
        = work((*m_styles)[styleOf(*text)], file.bytes(), *text, target, file.stamp());
    result.links = file.links();
    return file.intact() ? result : FileJobResult::dropped(std::move(result));
}

std::optional<QByteArrayView> RegexByteJob::textOf(QByteArrayView bytes, const QString &path) const
{
    const QStringView name = NativePath::fileNameOf(path);
    // A plain text under an RTF name is written back as RTF.
    if (name.endsWith(u".rtf"_s, Qt::CaseInsensitive) || ByteText::holdsNul(bytes)
        || !ByteText::isAsciiCompatibleButForNul(bytes, name))
        return std::nullopt;
    const Utf8Scan::Result scan = Utf8Scan::of(bytes);
    const ByteText::Charset charset
        = ByteText::charsetOf(bytes, name, scan.ascii, scan.validUpTo == bytes.size());
    // Large files are left to the general path rather than held three times over.
    if (charset == ByteText::Charset::Cp1251 && m_mode == Mode::Count
        && bytes.size() < LargeFileReader::Threshold
        && ByteFileJob::readsAsCp1251(bytes, path, m_codePage, m_codePageChosen))
        return asUtf8(bytes);
    if (scan.validUpTo != bytes.size())
        return std::nullopt;
    const bool asciiAlike = charset == ByteText::Charset::Cp1251 && scan.ascii && m_asciiOut;
    if (charset != ByteText::Charset::Utf8 && !asciiAlike)
        return std::nullopt;
    // The mark is no part of the text and is written back as it was.
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
}

// The text of code page 1251 bytes in UTF-8, in memory the thread keeps. Each byte's form is
// stored four bytes at once and the output moves on by its length.
QByteArrayView RegexByteJob::asUtf8(QByteArrayView cp1251)
{
    struct Form {
        char bytes[4] = {};
        int length = 1;
    };
    static const std::array<Form, 256> forms = [] {
        std::array<Form, 256> table{};
        for (int b = 0; b < 0x100; ++b) {
            const char16_t unit = b < 0x80 ? char16_t(b) : Cp1251::toUnicode(uchar(b));
            const QByteArray utf8 = QString(QChar(unit)).toUtf8();
            Form &form = table[size_t(b)];
            form.length = int(utf8.size());
            std::copy(utf8.begin(), utf8.end(), form.bytes);
        }
        return table;
    }();
    thread_local QByteArray text;
    text.resize(cp1251.size() * 3 + 4);
    char *out = text.data();
    for (const char c : cp1251) {
        const Form &form = forms[uchar(c)];
        std::memcpy(out, form.bytes, 4);
        out += form.length;
    }
    return QByteArrayView(text.constData(), out - text.constData());
}

// As the document tells it: LF or CR alone when the text has only that; CR LF otherwise (also
// for no line break and for a mix).
size_t RegexByteJob::styleOf(QByteArrayView text)
{
    if (text.isEmpty())
        return 0;
    const bool cr = std::memchr(text.data(), '\r', size_t(text.size())) != nullptr;
    const bool lf = std::memchr(text.data(), '\n', size_t(text.size())) != nullptr;
    if (lf && !cr)
        return 1;
    if (cr && !lf)
        return 2;
    return 0;
}

// What replaces the match the finder holds in `text`, as spans.
void RegexByteJob::replacement(const Style &style, const qsizetype *groups, int count,
                               QByteArrayView text, std::vector<QByteArrayView> &out)
{
    out.clear();
    for (const Piece &piece : style.replacement) {
        if (piece.group < 0) {
            out.push_back(piece.text);
            continue;
        }
        if (piece.group >= count || groups[2 * piece.group] < 0)
            continue;
        const qsizetype from = groups[2 * piece.group];
        out.push_back(text.sliced(from, groups[2 * piece.group + 1] - from));
    }
}

bool RegexByteJob::search(const Style &style, QByteArrayView text,
                          const std::function<void(const qsizetype *groups, int count)> &take) const
{
    if (style.bounded && m_workers > 1 && text.size() >= m_splitFrom) {
        // A count needs only where each match lies.
        const RegexSplitSearch split(*style.bounded, m_mode != Mode::Count);
        // Parts small enough that those searched ahead keep little memory, and enough of them
        // to share out evenly.
        const qsizetype part
            = std::clamp<qsizetype>(text.size() / (8 * m_workers), 256 << 10, 4 << 20);
        const auto parts = int(std::min<qsizetype>((text.size() + part - 1) / part, 1 << 20));
        return split.forEach(text, RegexSplitSearch::splitsOf(text, parts), m_workers, take);
    }
    RegexByteFinder finder(*style.pattern);
    for (qsizetype at = 0;;) {
        const RegexByteFinder::Found found = finder.find(text, at);
        if (found != RegexByteFinder::Found::Match)
            return found == RegexByteFinder::Found::None;
        take(finder.groups(), finder.groupCount());
        at = RegexByteFinder::resumeAfter(text, finder.groupStart(0), finder.groupEnd(0));
    }
}

FileJobResult RegexByteJob::work(const Style &style, QByteArrayView bytes, QByteArrayView text,
                                 const QString &target, const FileStamp &stamp) const
{
    FileJobResult result;
    result.kind = FileJobResult::Kind::Done;
    Output output;
    std::vector<QByteArrayView> pieces;
    qsizetype copied = 0; // the text before this offset is written (or nothing is yet)
    const auto take = [&](const qsizetype *groups, int count) {
        const qsizetype start = groups[0];
        const qsizetype end = groups[1];
        ++result.hits;
        if (m_mode == Mode::Count)
            return;
        ++result.replacements;
        replacement(style, groups, count, text, pieces);
        if (start == end
            && std::all_of(pieces.begin(), pieces.end(), [](auto p) { return p.isEmpty(); }))
            return; // nothing put in place of nothing: no change
        result.changed = true;
        if (m_mode != Mode::Replace || output.failed)
            return;
        if (!output.spans && !open(output, target, stamp, bytes, text, &result.error)) {
            result.kind = FileJobResult::Kind::WriteFailed; // the count goes on
            return;
        }
        output.spans->append(text.sliced(copied, start - copied));
        for (const QByteArrayView piece : pieces)
            output.spans->append(piece);
        copied = end;
    };
    // The general path does the file itself and says so; nothing done here counts.
    if (!search(style, text, take)) {
        abandon(output);
        return {};
    }
    if (output.spans) {
        output.spans->append(text.sliced(copied));
        output.spans->finish();
        result.pending = output.writer.finish(m_syncEach, &result.error);
        if (!result.pending)
            result.kind = FileJobResult::Kind::WriteFailed;
        else
            result.pending->expected = stamp;
    }
    return result;
}
