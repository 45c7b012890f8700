#pragma once

// Memory figures of the benchmarks' own process, shared so each reads them the same way.

#include <QByteArray>
#include <QFile>
#include <QString>

// A value of /proc/self/status in megabytes ("VmHWM", "VmRSS"); 0 where there is none.
inline double statusMegabytes(const QByteArray &name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}
