#pragma once

#include <QStringList>
#include <QTextStream>

// The command-line tool: parses its arguments, collects the files and runs. Returns the exit
// status: 0 something found, 1 nothing found, 2 an error or an aborted run.
class BatchTool {
public:
    static int Run(const QStringList &arguments, QTextStream &in, QTextStream &out,
                   QTextStream &err, bool stderrIsTerminal);
};
