#include "ui/ReportFileWriter.h"

#include "document/Cp1251.h"

#include <cmath>

using namespace Qt::StringLiterals;

QByteArray ReportFileWriter::toText(const QStringList &lines)
{
    if (lines.isEmpty())
        return {};
    const QString text = lines.join(u"\r\n"_s) + u"\r\n"_s;
    QByteArray bytes;
    if (Cp1251::encode(text, bytes))
        return bytes;
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

// Printable ASCII as it is; everything else as \uN with its code-page byte (or "?") for
// readers that do not know \u.
QByteArray ReportFileWriter::escape(QStringView text)
{
    QByteArray out;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == u'\\' || unit == u'{' || unit == u'}') {
            out += '\\';
            out += char(unit);
        } else if (unit == u'\t') {
            out += "\\tab ";
        } else if (unit < 0x20) {
            continue;
        } else if (unit < 0x80) {
            out += char(unit);
        } else {
            out += "\\u" + QByteArray::number(int(qint16(unit)));
            const int byte = Cp1251::fromUnicode(unit);
            out += byte < 0 ? QByteArray("?")
                            : "\\'" + QByteArray::number(byte, 16).rightJustified(2, '0');
        }
    }
    return out;
}

QByteArray ReportFileWriter::toRtf(const QStringList &lines, const QString &family, qreal pointSize)
{
    const int halfPoints = std::max(2, int(std::lround(pointSize * 2)));
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fnil"
                     "\\fcharset204 "
        + escape(family) + ";}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs" + QByteArray::number(halfPoints)
        + ' ';
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            rtf += "\\par\r\n";
        rtf += escape(lines.at(i));
    }
    return rtf + "}\r\n";
}
