#include "rtf/RtfFontTable.h"

#include "rtf/RtfCodePages.h"

void RtfFontTable::begin(int font)
{
    m_current = font;
    m_fonts[font] = Font{};
}

void RtfFontTable::setCharset(int charset)
{
    const auto it = m_fonts.find(m_current);
    if (it != m_fonts.end())
        it->charset = charset;
}

void RtfFontTable::setCodePage(int codePage)
{
    const auto it = m_fonts.find(m_current);
    if (it != m_fonts.end())
        it->codePage = codePage;
}

void RtfFontTable::appendToName(char byte)
{
    const auto it = m_fonts.find(m_current);
    // Names are short; the cap keeps a hostile table from growing without end.
    if (it != m_fonts.end() && !it->nameDone && it->name.size() < 256)
        it->name.append(byte);
}

void RtfFontTable::endName()
{
    const auto it = m_fonts.find(m_current);
    if (it != m_fonts.end())
        it->nameDone = true;
}

int RtfFontTable::codePageOf(int font, int documentCodePage) const
{
    const auto it = m_fonts.constFind(font);
    if (it == m_fonts.constEnd())
        return documentCodePage;
    if (it->codePage > 0)
        return it->codePage;
    return RtfCodePage::forCharset(it->charset, documentCodePage);
}

QString RtfFontTable::nameOf(int font, int documentCodePage, RtfCodePages &pages) const
{
    const auto it = m_fonts.constFind(font);
    if (it == m_fonts.constEnd())
        return {};
    RtfCodePage &page = pages.page(codePageOf(font, documentCodePage));
    const QByteArray &bytes = it->name;
    QString name;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar byte = uchar(bytes.at(i));
        if (page.isLeadByte(byte) && i + 1 < bytes.size())
            name += page.decodePair(byte, uchar(bytes.at(++i)));
        else
            name += QChar(page.decodeByte(byte));
    }
    return name.trimmed();
}
