#include "run/PreviewList.h"

void PreviewList::clear()
{
    m_files.clear();
    m_occurrences.clear();
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

qsizetype PreviewList::indexOf(const QString &path) const
{
    for (; m_indexed < fileCount(); ++m_indexed)
        m_index.insert(m_files[size_t(m_indexed)].path, m_indexed);
    return m_index.value(path, -1);
}

void PreviewList::add(qint64 start, qsizetype length, const QString &replacement)
{
    File &file = m_files.back();
    m_occurrences.push_back({start, qint32(length), qint32(fileCount() - 1), {}, false, true});
    ++file.count;
    ++file.ticked;
    ++m_ticked;
    setReplacement(size() - 1, replacement);
}

void PreviewList::setReplacement(qsizetype index, const QString &replacement)
{
    Occurrence &o = m_occurrences[size_t(index)];
    // A short text is shared with the run's own (the same literal for every occurrence).
    o.cut = replacement.size() > KeptReplacement;
    o.replacement = o.cut ? replacement.left(KeptReplacement) : replacement;
}

qsizetype PreviewList::bytesUsed() const
{
    qsizetype bytes = qsizetype(m_occurrences.capacity() * sizeof(Occurrence)
                                + m_files.capacity() * sizeof(File));
    for (const File &f : m_files) // the path (shared with the index, once it is made)
        bytes += f.path.capacity() * qsizetype(sizeof(QChar)) + 16;
    // The index's entries: a path and a number each, in a table kept at most half full.
    bytes += 2 * m_index.size() * qsizetype(sizeof(QString) + sizeof(qsizetype));
    for (const Occurrence &o : m_occurrences) {
        if (!o.replacement.isDetached()) // shared with the run's own text
            continue;
        bytes += o.replacement.capacity() * qsizetype(sizeof(QChar)) + 16;
    }
    return bytes;
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
