#include "rtf/RtfWriter.h"

#include "rtf/RtfCodePages.h"
#include "rtf/RtfEscaper.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int WriterCodePage = 1251;

} // namespace

QByteArray RtfWriter::fromPlainText(QStringView text, const Font &font)
{
    RtfCodePages pages;
    RtfEscaper escaper(pages);
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset204 ";
    rtf += fontName(font.name);
    rtf += ";}}\r\n\\uc1\\pard\\plain\\f0\\fs" + QByteArray::number(qMax(1, font.pointSize) * 2)
        + ' ';
    rtf += escaper.escape(text, RtfInsertContext{WriterCodePage, 1, 1}).bytes;
    rtf += "}\r\n";
    return rtf;
}

QByteArray RtfWriter::fromLines(const QStringList &lines, const Font &font)
{
    return fromPlainText(lines.join(u"\r\n"_s), font);
}

// Font names go into the table as 1251 bytes; what cannot be written there, and the
// characters that would end the entry or the group, are left out.
QByteArray RtfWriter::fontName(const QString &name)
{
    RtfCodePages pages;
    RtfCodePage &page = pages.page(WriterCodePage);
    QByteArray out;
    for (const QChar ch : name) {
        const QByteArray bytes = page.encode(ch.unicode());
        if (bytes.size() != 1 || ch == u';' || ch == u'\\' || ch == u'{' || ch == u'}' || ch < u' ')
            continue;
        const uchar byte = uchar(bytes.at(0));
        if (byte < 0x80)
            out += char(byte);
        else
            out += "\\'" + QByteArray::number(byte, 16);
    }
    return out.isEmpty() ? QByteArray("Courier New") : out;
}
