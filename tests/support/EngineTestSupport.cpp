#include "EngineTestSupport.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

QString describeBlock(const TMaskBlockS &block)
{
    QString text;
    switch (block.Kind) {
    case mkLiteral:
        text = u"L\""_s + block.Text + u'"';
        break;
    case mkFixedGap:
        text = u"?"_s + QString::number(block.Width);
        break;
    case mkAnyGap:
        text = u"*"_s + QString::number(block.NumBefore);
        break;
    case mkCounter:
        return u"I%1,%2"_s.arg(block.NumBefore).arg(block.NumAfter);
    case mkBackRef:
        return u"B"_s + QString::number(block.Pos);
    default:
        return u"invalid"_s;
    }
    if (block.NumAfter != 0)
        text += u'#' + QString::number(block.NumAfter);
    return text;
}

} // namespace

QString describeBlocks(const MaskTable &table, int count)
{
    QStringList parts;
    for (int i = 1; i <= count; ++i)
        parts << describeBlock(table[size_t(i)]);
    return parts.join(u" | "_s);
}
