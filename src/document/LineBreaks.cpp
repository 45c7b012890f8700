#include "document/LineBreaks.h"

using namespace Qt::StringLiterals;

namespace {

LineBreakStyle combine(LineBreakStyle seen, LineBreakStyle found)
{
    if (seen == LineBreakStyle::None || seen == found)
        return found;
    return LineBreakStyle::Mixed;
}

} // namespace

LineBreakStyle LineBreaks::detect(QStringView text)
{
    LineBreakStyle style = LineBreakStyle::None;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n && style != LineBreakStyle::Mixed; ++i) {
        const QChar ch = text[i];
        if (ch == u'\n') {
            style = combine(style, LineBreakStyle::Lf);
        } else if (ch == u'\r') {
            const bool pair = i + 1 < n && text[i + 1] == u'\n';
            style = combine(style, pair ? LineBreakStyle::CrLf : LineBreakStyle::Cr);
            i += pair ? 1 : 0;
        }
    }
    return style;
}

QString LineBreaks::sequence(LineBreakStyle style)
{
    switch (style) {
    case LineBreakStyle::Lf:
        return u"\n"_s;
    case LineBreakStyle::Cr:
        return u"\r"_s;
    default:
        return u"\r\n"_s;
    }
}

QString LineBreaks::translate(QStringView text, QStringView lineBreak)
{
    QString result = text.toString();
    if (lineBreak != u"\r\n")
        result.replace(u"\r\n"_s, lineBreak.toString());
    return result;
}
