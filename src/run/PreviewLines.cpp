#include "run/PreviewLines.h"

#include "document/DocumentFile.h"

using namespace Qt::StringLiterals;

namespace {

constexpr QChar Ellipsis(0x2026);

// Up to `keep` characters of the text from `from` to `to`, marked where cut; line breaks (an
// occurrence may hold some) shown as one sign each.
QString shown(const Document &doc, qsizetype from, qsizetype to, qsizetype keep, bool fromEnd)
{
    const bool cut = to - from > keep;
    if (cut && fromEnd)
        from = to - keep;
    else if (cut)
        to = from + keep;
    QString text = doc.mid(from, to - from);
    text.replace(u"\r\n"_s, u"\u21b5"_s)
        .replace(u'\r', QChar(0x21b5))
        .replace(u'\n', QChar(0x21b5));
    if (cut)
        return fromEnd ? Ellipsis + text : text + Ellipsis;
    return text;
}

} // namespace

void PreviewLines::clear()
{
    m_file = -1;
    m_document = Document();
    m_readable = false;
}

const Document *PreviewLines::document(qsizetype file)
{
    if (file != m_file) {
        m_file = file;
        const PreviewList::File &f = m_list.file(file);
        const std::optional<FileStamp> now = FileStamp::of(f.path);
        m_readable = now && f.stamp && now->sameContent(*f.stamp)
            && DocumentFile::load(m_document, f.path) == LoadStatus::Loaded;
        if (!m_readable)
            m_document = Document();
    }
    return m_readable ? &m_document : nullptr;
}

PreviewLines::Row PreviewLines::row(qsizetype index)
{
    const PreviewList::Occurrence &o = m_list.at(index);
    Row row;
    const Document *doc = document(o.file);
    if (!doc || o.start + o.length > doc->length()) {
        row.changed = true;
        return row;
    }
    const PositionMapper &positions = doc->positions();
    row.position = positions.lineColumn(o.start);
    const qsizetype line = positions.lineOf(o.start);
    const qsizetype end = o.start + o.length;
    const qsizetype lineEnd = std::max(positions.lineEnd(positions.lineOf(end)), end);
    row.before = shown(*doc, positions.lineStart(line), o.start, Around, true);
    row.found = shown(*doc, o.start, end, Around, false);
    row.after = shown(*doc, end, lineEnd, Around, false);
    return row;
}
