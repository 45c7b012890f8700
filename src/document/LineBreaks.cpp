#include "document/LineBreaks.h"

using namespace Qt::StringLiterals;

// Found with a vectorised search for each kind of break character rather than a look at
// every character: most text holds few breaks, or one style throughout.
LineBreakStyle LineBreaks::detect(QStringView text)
{
    const qsizetype firstCr = text.indexOf(u'\r');
    const qsizetype firstLf = text.indexOf(u'\n');
    if (firstCr < 0)
        return firstLf < 0 ? LineBreakStyle::None : LineBreakStyle::Lf;
    if (firstLf < 0)
        return LineBreakStyle::Cr;
    // Both occur: CR LF only when every CR is followed by an LF and there are no other LFs.
    qsizetype pairs = 0;
    for (qsizetype cr = firstCr; cr >= 0; cr = text.indexOf(u'\r', cr + 1)) {
        if (cr + 1 >= text.size() || text[cr + 1] != u'\n')
            return LineBreakStyle::Mixed;
        ++pairs;
    }
    qsizetype feeds = 0;
    for (qsizetype lf = firstLf; lf >= 0; lf = text.indexOf(u'\n', lf + 1))
        ++feeds;
    return feeds == pairs ? LineBreakStyle::CrLf : LineBreakStyle::Mixed;
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
