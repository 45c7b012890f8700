#pragma once

#include <QString>
#include <QStringList>

class RunHost;

// The report of the last run: one line per file and a block of totals. Each line reaches the
// host as it is appended, so a terminal can print it at once.
class Report {
public:
    // The line that opens the totals.
    static QString ReportSeparator() { return QString(36, u'-'); }

    explicit Report(RunHost &host) : m_host(host) { }

    void Clear() { m_lines.clear(); }
    void Append(const QString &line);
    const QStringList &Lines() const { return m_lines; }

private:
    RunHost &m_host;
    QStringList m_lines;
};
