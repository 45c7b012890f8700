#include "options/WindowPlacement.h"

#include <QRegularExpression>
#include <QStringList>

using namespace Qt::StringLiterals;

QString WindowPlacement::format(const Rect &rect)
{
    return u"%1,%2,%3,%4"_s.arg(rect.left).arg(rect.top).arg(rect.right).arg(rect.bottom);
}

WindowPlacement::Rect WindowPlacement::parse(const QString &text, const Rect &defaults)
{
    static const QRegularExpression separators(u"[,\\s]+"_s);
    const QStringList parts = text.trimmed().split(separators, Qt::SkipEmptyParts);
    int numbers[4] = {defaults.left, defaults.top, defaults.right, defaults.bottom};
    for (qsizetype i = 0; i < 4 && i < parts.size(); ++i)
        numbers[i] = parts[i].toInt(); // 0 when it does not parse
    return {numbers[0], numbers[1], numbers[2], numbers[3]};
}

WindowPlacement::ShowCmd WindowPlacement::showCmdFromStored(int value)
{
    switch (value) {
    case 2:
    case 6:
    case 7:
        return Minimized;
    case 3:
        return Maximized;
    default:
        return Normal;
    }
}
