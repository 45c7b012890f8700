#include "RunFixture.h"

#include "lang/MessageId.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

RunFixture::RunFixture()
{
    core.options.SetProgramFolder(dir.path() + u"/program"_s);
    host.setAside << core.messages.message(MsgPortableFileCalls);
}

QStringList RunFixture::reportLines() const
{
    QStringList lines = core.report.Lines();
    for (const QString &note : host.setAside)
        lines.removeAll(note);
    return lines;
}

ProcessingDriver::Outcome RunFixture::replace(const QStringList &files, const QString &search,
                                              const QString &replacement)
{
    RunRequest request;
    request.files = files;
    request.searchPattern = search;
    request.replacementPattern = replacement;
    request.findWildcards = wildcards;
    request.replaceWildcards = wildcards;
    return run(request);
}

ProcessingDriver::Outcome RunFixture::find(const QStringList &files, const QString &search)
{
    RunRequest request;
    request.files = files;
    request.searchPattern = search;
    request.findWildcards = wildcards;
    request.replaceMode = false;
    return run(request);
}

ProcessingDriver::Outcome RunFixture::run(const RunRequest &request)
{
    host.reportLines.clear();
    return core.driver.ProcessFilesExecute(request);
}
