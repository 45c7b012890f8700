#include "run/ReplacementTexts.h"

qint32 ReplacementTexts::add(const QString &text)
{
    if (text.isNull())
        return None;
    const bool cut = text.size() > m_kept;
    return add(cut ? QStringView(text).left(m_kept) : QStringView(text), cut, text);
}

qint32 ReplacementTexts::addKept(const ReplacementTexts &from, qint32 index)
{
    if (index == None)
        return None;
    const Text &t = from.entry(index);
    return add(t.text, t.cut, t.text);
}

qint32 ReplacementTexts::add(QStringView kept, bool cut, const QString &text)
{
    if (m_size > 0) {
        const Text &last = entry(qint32(m_size - 1));
        // The same string (shared), or the same characters.
        if (last.cut == cut
            && ((last.text.constData() == kept.data() && last.text.size() == kept.size())
                || last.text == kept))
            return qint32(m_size - 1);
    }
    Text made{cut ? kept.toString() : text, cut};
    if (m_size == 0)
        m_first = std::move(made);
    else
        m_more.push_back(std::move(made));
    return qint32(m_size++);
}

void ReplacementTexts::clear()
{
    m_first = {};
    m_more.clear();
    m_size = 0;
}

const QString &ReplacementTexts::at(qint32 index) const
{
    static const QString none;
    return index == None ? none : entry(index).text;
}

qsizetype ReplacementTexts::bytesUsed() const
{
    qsizetype bytes = qsizetype(m_more.capacity() * sizeof(Text));
    for (qint32 i = 0; i < m_size; ++i) {
        const QString &t = entry(i).text;
        if (t.isDetached()) // not shared with the run's own text
            bytes += t.capacity() * qsizetype(sizeof(QChar)) + 16;
    }
    return bytes;
}
