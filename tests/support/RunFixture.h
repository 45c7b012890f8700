#pragma once

#include "TestFolder.h"

#include "ScriptedHost.h"

#include "run/QuorvexCore.h"
#include "run/RunRequest.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A temporary folder with files, a scripted host and the program's core, for running whole
// find and replace runs in tests.
class RunFixture : public TestFolder {
public:
    RunFixture();

    // A run over `files` with the given patterns (wildcards off unless set on the request).
    ProcessingDriver::Outcome replace(const QStringList &files, const QString &search,
                                      const QString &replacement);
    ProcessingDriver::Outcome find(const QStringList &files, const QString &search);
    ProcessingDriver::Outcome run(const RunRequest &request);
    // The run's report without the lines the host sets aside.
    QStringList reportLines() const;

    ScriptedHost host;
    QuorvexCore core{host};
    bool wildcards = false;
};
