#include "ui/DialogFilter.h"

#include <QStringList>

using namespace Qt::StringLiterals;

QString DialogFilter::toQt(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &pattern : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
            for (const QString &variant : {pattern, pattern.toLower(), pattern.toUpper()}) {
                if (!patterns.contains(variant))
                    patterns << variant;
            }
        }
        entries << parts.at(i) + u" ("_s + patterns.join(u' ') + u')';
    }
    return entries.join(u";;"_s);
}
