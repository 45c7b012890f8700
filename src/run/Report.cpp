#include "run/Report.h"

#include "run/RunHost.h"

void Report::Append(const QString &line)
{
    m_lines.append(line);
    m_host.ReportLineAppended(line);
}
