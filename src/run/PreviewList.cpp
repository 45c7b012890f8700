#include "run/PreviewList.h"

#include "run/FoundOccurrences.h"

void PreviewList::clear()
{
    m_files.clear();
    m_occurrences.clear();
    m_texts.clear();
    m_index.clear();
    m_indexed = 0;
    m_ticked = 0;
}

qsizetype PreviewList::addFile(const QString &path, const std::optional<FileStamp> &stamp)
{
    const qsizetype index = fileCount();
    m_files.push_back({path, stamp, size(), 0, 0});
    return index;
}

void PreviewList::addFile(const QString &path, const FoundOccurrences &found)
{
    addFile(path, found.stamp);
    // The found texts are numbered anew here; a file's occurrences mostly share one.
    qint32 from = ReplacementTexts::None;
    qint32 to = ReplacementTexts::None;
    qint64 grows = 0;
    qint64 shift = 0; // how far the replacements before moved the text
    for (const FoundOccurrences::Entry &e : found.entries) {
        if (e.replacement != from) {
            from = e.replacement;
            const QString &text = found.replacementOf(e);
            to = m_texts.add(text);
            grows = text.isNull() ? 0 : text.size();
        }
        addOccurrence(e.start - shift, e.length, to);
        if (to != ReplacementTexts::None)
            shift += grows - e.length;
    }
}

qsizetype PreviewList::indexOf(const QString &path) const
{
    for (; m_indexed < fileCount(); ++m_indexed)
        m_index.insert(m_files[size_t(m_indexed)].path, m_indexed);
    return m_index.value(path, -1);
}

void PreviewList::add(qint64 start, qsizetype length, const QString &replacement)
{
    addOccurrence(start, length, m_texts.add(replacement));
}

void PreviewList::addOccurrence(qint64 start, qsizetype length, qint32 replacement)
{
    File &file = m_files.back();
    m_occurrences.push_back({start, qint32(length), qint32(fileCount() - 1), replacement, true});
    ++file.count;
    ++file.ticked;
    ++m_ticked;
}

void PreviewList::setReplacement(qsizetype index, const QString &replacement)
{
    Occurrence &o = m_occurrences[size_t(index)];
    const QString &now = m_texts.at(o.replacement);
    const bool cut = replacement.size() > KeptReplacement;
    if (now.isNull() == replacement.isNull() && m_texts.isCut(o.replacement) == cut
        && now == QStringView(replacement).left(KeptReplacement))
        return;
    o.replacement = m_texts.add(replacement);
    if (m_texts.size() > 2 * size() + 16)
        dropUnusedTexts();
}

void PreviewList::dropUnusedTexts()
{
    ReplacementTexts kept(KeptReplacement);
    for (Occurrence &o : m_occurrences)
        o.replacement = kept.addKept(m_texts, o.replacement);
    m_texts = std::move(kept);
}

qsizetype PreviewList::bytesUsed() const
{
    qsizetype bytes = qsizetype(m_occurrences.capacity() * sizeof(Occurrence)
                                + m_files.capacity() * sizeof(File));
    for (const File &f : m_files) // the path (shared with the index, once it is made)
        bytes += f.path.capacity() * qsizetype(sizeof(QChar)) + 16;
    // The index's entries: a path and a number each, in a table kept at most half full.
    bytes += 2 * m_index.size() * qsizetype(sizeof(QString) + sizeof(qsizetype));
    return bytes + m_texts.bytesUsed();
}

void PreviewList::setTicked(qsizetype index, bool ticked)
{
    Occurrence &o = m_occurrences[size_t(index)];
    if (o.ticked == ticked)
        return;
    o.ticked = ticked;
    const qsizetype step = ticked ? 1 : -1;
    m_files[size_t(o.file)].ticked += step;
    m_ticked += step;
}

void PreviewList::setFileTicked(qsizetype file, bool ticked)
{
    const File &f = m_files[size_t(file)];
    for (qsizetype i = f.first; i < f.first + f.count; ++i)
        setTicked(i, ticked);
}
