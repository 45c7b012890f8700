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
    const Text &t = from.m_texts[size_t(index)];
    return add(t.text, t.cut, t.text);
}

qint32 ReplacementTexts::add(QStringView kept, bool cut, const QString &text)
{
    if (!m_texts.empty()) {
        const Text &last = m_texts.back();
        // The same string (shared), or the same characters.
        if (last.cut == cut
            && ((last.text.constData() == kept.data() && last.text.size() == kept.size())
                || last.text == kept))
            return qint32(m_texts.size() - 1);
    }
    m_texts.push_back({cut ? kept.toString() : text, cut});
    return qint32(m_texts.size() - 1);
}

const QString &ReplacementTexts::at(qint32 index) const
{
    static const QString none;
    return index == None ? none : m_texts[size_t(index)].text;
}

qsizetype ReplacementTexts::bytesUsed() const
{
    qsizetype bytes = qsizetype(m_texts.capacity() * sizeof(Text));
    for (const Text &t : m_texts) {
        if (t.text.isDetached()) // not shared with the run's own text
            bytes += t.text.capacity() * qsizetype(sizeof(QChar)) + 16;
    }
    return bytes;
}
