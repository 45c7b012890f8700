#include "RunFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

RunFixture::RunFixture()
{
    core.options.SetProgramFolder(dir.path() + u"/program"_s);
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
